#include "platform/HeadlessHost.h"

#include "platform/Controls.h"

#include <cmath>
#include <utility>

namespace platform {

namespace {

constexpr double SecondsPerDay = 86400.0;

int32_t DefaultAnswer(const MessageBoxRequest& request)
{
    static const int32_t buttons[6][3] = {
        {vbOK, vbOK, vbOK},      {vbOK, vbCancel, vbCancel}, {vbAbort, vbRetry, vbIgnore},
        {vbYes, vbNo, vbCancel}, {vbYes, vbNo, vbNo},        {vbRetry, vbCancel, vbCancel},
    };
    const int32_t set = request.ButtonSet() <= 5 ? request.ButtonSet() : 0;
    const int32_t which = request.DefaultButton() / 256;
    return buttons[set][which <= 2 ? which : 0];
}

} // namespace

HeadlessHost::HeadlessHost() = default;

int32_t HeadlessHost::ShowMessageBox(const MessageBoxRequest& request)
{
    m_messageBoxes.push_back(request);
    if (request.ButtonSet() != vbOKOnly && !m_answers.empty()) {
        const int32_t answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    if (request.ButtonSet() != vbOKOnly)
        m_unanswered.push_back(request);
    return DefaultAnswer(request);
}

void HeadlessHost::OnModal(const std::string& formName, ModalHandler handler)
{
    m_modalHandlers[formName].push_back(std::move(handler));
}

void HeadlessHost::RunModal(Form& form)
{
    m_modalShowings.push_back(form.Name());
    ModalHandler handler;
    if (auto it = m_modalHandlers.find(form.Name());
        it != m_modalHandlers.end() && !it->second.empty()) {
        handler = std::move(it->second.front());
        it->second.pop_front();
    } else if (m_anyModal) {
        handler = m_anyModal;
    }
    if (handler)
        handler(form);
    if (form.Visible) {
        // Nobody closed it: a real loop would wait for ever, so close it and say so.
        m_stuckModals.push_back(form.Name());
        form.Hide();
    }
}

void HeadlessHost::DoEvents()
{
    ++m_doEventsCount;
    m_seconds = std::fmod(m_seconds + m_tick, SecondsPerDay);
    if (m_onDoEvents)
        m_onDoEvents();
}

void HeadlessHost::ShowPopupMenu(Form& form, Control& menu)
{
    m_popups.push_back({form.Name(), menu.Name()});
}

void HeadlessHost::ShowPreview(Report& report)
{
    m_previews.push_back({report.Name(), report.Caption, report.WindowState, report.Pages()});
    Report* const outer = std::exchange(m_previewShown, &report);
    RunModal(report);
    m_previewShown = outer;
}

void HeadlessHost::ClearRecords()
{
    m_messageBoxes.clear();
    m_unanswered.clear();
    m_modalShowings.clear();
    m_stuckModals.clear();
    m_popups.clear();
    m_previews.clear();
    m_errorReports.clear();
}

} // namespace platform
