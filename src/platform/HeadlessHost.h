// A host without a display, for tests and the scenario runner: message boxes take scripted
// answers, modal showings run a callback, the clock and the date are set by hand (each DoEvents
// moves the clock on by a tick, so waits end), and every message box, modal showing, pop-up
// menu, print preview and error report is recorded in order. A print preview is a modal showing
// of its report, so the callback of the report's name runs inside it (and may read the pages
// through PreviewShown()).
#pragma once

#include "platform/Host.h"
#include "platform/Report.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform {

class HeadlessHost : public Host {
public:
    struct ErrorReport {
        int32_t Number = 0;
        std::string Description;
        std::string Location;
        std::string ApplicationName;
    };
    struct PopupRecord {
        std::string Form;
        std::string Menu;
    };
    struct PreviewRecord {
        std::string Report;
        std::string Caption;
        int32_t WindowState = 0;
        LaidOutReport Pages;
    };
    using ModalHandler = std::function<void(Form&)>;

    HeadlessHost();

    int32_t ShowMessageBox(const MessageBoxRequest& request) override;
    void RunModal(Form& form) override;
    void DoEvents() override;
    double SecondsSinceMidnight() override { return m_seconds; }
    Date Today() override { return m_today; }
    void ShowPopupMenu(Form& form, Control& menu) override;
    void ShowPreview(Report& report) override;

    // The answer the next box with a choice (more than an OK button) receives; a box that only
    // informs never takes one. A box with nothing queued gets its default button, and a box
    // with a choice is then also noted as unanswered.
    void QueueAnswer(int32_t answer) { m_answers.push_back(answer); }
    const std::deque<int32_t>& QueuedAnswers() const { return m_answers; }
    // Runs `handler` inside the next modal showing of the form named `formName`; a showing
    // without a handler (or one that leaves the form shown) is hidden and noted as stuck.
    void OnModal(const std::string& formName, ModalHandler handler);
    // Runs for every modal showing that has no handler of its own.
    void OnAnyModal(ModalHandler handler) { m_anyModal = std::move(handler); }

    void SetTime(double secondsSinceMidnight) { m_seconds = secondsSinceMidnight; }
    void SetTick(double seconds) { m_tick = seconds; }
    void SetToday(Date today) { m_today = today; }
    // Called on every DoEvents, after the clock moved on.
    void OnDoEvents(std::function<void()> handler) { m_onDoEvents = std::move(handler); }

    void RecordErrorReport(ErrorReport report) { m_errorReports.push_back(std::move(report)); }

    const std::vector<MessageBoxRequest>& MessageBoxes() const { return m_messageBoxes; }
    const std::vector<MessageBoxRequest>& UnansweredQuestions() const { return m_unanswered; }
    const std::vector<std::string>& ModalShowings() const { return m_modalShowings; }
    const std::vector<std::string>& StuckModals() const { return m_stuckModals; }
    const std::vector<PopupRecord>& Popups() const { return m_popups; }
    const std::vector<PreviewRecord>& Previews() const { return m_previews; }
    // The report whose preview is open, or nullptr.
    Report* PreviewShown() const { return m_previewShown; }
    const std::vector<ErrorReport>& ErrorReports() const { return m_errorReports; }
    int32_t DoEventsCount() const { return m_doEventsCount; }
    void ClearRecords();

private:
    std::deque<int32_t> m_answers;
    std::map<std::string, std::deque<ModalHandler>> m_modalHandlers;
    ModalHandler m_anyModal;
    std::function<void()> m_onDoEvents;
    double m_seconds = 12 * 3600.0;
    double m_tick = 0.05;
    Date m_today{2026, 12, 7};
    int32_t m_doEventsCount = 0;
    std::vector<MessageBoxRequest> m_messageBoxes;
    std::vector<MessageBoxRequest> m_unanswered;
    std::vector<std::string> m_modalShowings;
    std::vector<std::string> m_stuckModals;
    std::vector<PopupRecord> m_popups;
    std::vector<PreviewRecord> m_previews;
    Report* m_previewShown = nullptr;
    std::vector<ErrorReport> m_errorReports;
};

} // namespace platform
