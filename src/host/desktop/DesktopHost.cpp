#include "host/desktop/DesktopHost.h"

#include "host/desktop/ControlPeer.h"
#include "host/desktop/Peers.h"
#include "host/desktop/PrintPreview.h"
#include "host/report/ReportRenderer.h"
#include "platform/Controls.h"
#include "platform/WindowSystem.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDate>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QScreen>
#include <QThread>
#include <QTime>
#include <QTimer>

#include <vector>

namespace desktop {

namespace {

double ScreenDotsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

QMessageBox::Icon IconOf(int32_t icon)
{
    switch (icon) {
    case platform::vbCritical:
        return QMessageBox::Critical;
    case platform::vbQuestion:
        return QMessageBox::Question;
    case platform::vbExclamation:
        return QMessageBox::Warning;
    case platform::vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonAnswer {
    QMessageBox::StandardButton button;
    int32_t answer;
};

// The buttons of each button set, in the order the default-button number counts them.
std::vector<ButtonAnswer> ButtonsOf(int32_t buttonSet)
{
    switch (buttonSet) {
    case platform::vbOKCancel:
        return {{QMessageBox::Ok, platform::vbOK}, {QMessageBox::Cancel, platform::vbCancel}};
    case platform::vbAbortRetryIgnore:
        return {{QMessageBox::Abort, platform::vbAbort},
                {QMessageBox::Retry, platform::vbRetry},
                {QMessageBox::Ignore, platform::vbIgnore}};
    case platform::vbYesNoCancel:
        return {{QMessageBox::Yes, platform::vbYes},
                {QMessageBox::No, platform::vbNo},
                {QMessageBox::Cancel, platform::vbCancel}};
    case platform::vbYesNo:
        return {{QMessageBox::Yes, platform::vbYes}, {QMessageBox::No, platform::vbNo}};
    case platform::vbRetryCancel:
        return {{QMessageBox::Retry, platform::vbRetry}, {QMessageBox::Cancel, platform::vbCancel}};
    default:
        return {{QMessageBox::Ok, platform::vbOK}};
    }
}

} // namespace

DesktopHost::DesktopHost() : DesktopHost(Scale(ScreenDotsPerInch())) {}

DesktopHost::DesktopHost(Scale scale) : m_scale(scale), m_self(std::make_shared<DesktopHost*>(this))
{
    platform::SetHost(this);
    std::weak_ptr<DesktopHost*> self = m_self;
    platform::WindowSystem::Changed().Connect([self](int32_t hWnd) {
        if (auto host = self.lock())
            (*host)->OnWindowChanged(hWnd);
    });
    m_endOfDispatchHook = platform::AddEndOfDispatchHook([this] {
        Sync();
        ScheduleFocusSync();
    });
}

DesktopHost::~DesktopHost()
{
    platform::RemoveEndOfDispatchHook(m_endOfDispatchHook);
    m_self.reset();
    // Form widgets (and their children) go before the peers their handlers call.
    std::vector<QPointer<QWidget>> forms;
    for (auto& [hWnd, peer] : m_peers) {
        if (dynamic_cast<FormPeer*>(peer.get()) && peer->Widget())
            forms.emplace_back(peer->Widget());
    }
    for (QPointer<QWidget>& form : forms)
        delete form.data();
    m_peers.clear();
    for (auto& [hWnd, widget] : m_hostWindows)
        platform::WindowSystem::Unregister(hWnd);
    if (platform::HasHost() && &platform::CurrentHost() == this)
        platform::SetHost(nullptr);
}

// ---- platform::Host

int32_t DesktopHost::ShowMessageBox(const platform::MessageBoxRequest& request)
{
    Sync();
    QWidget* parent =
        QApplication::activeWindow() ? QApplication::activeWindow() : m_mainWindow.data();
    QMessageBox box(parent);
    box.setWindowTitle(ToQString(request.Title));
    QString prompt = ToQString(request.Prompt);
    prompt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    prompt.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(prompt);
    box.setIcon(IconOf(request.Icon()));
    const std::vector<ButtonAnswer> buttons = ButtonsOf(request.ButtonSet());
    for (const ButtonAnswer& button : buttons)
        box.addButton(button.button);
    const auto defaultIndex = static_cast<std::size_t>(request.DefaultButton() / 256);
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].button);

    const int chosen = m_messageBoxHook ? m_messageBoxHook(box) : box.exec();
    for (const ButtonAnswer& button : buttons) {
        if (chosen == button.button)
            return button.answer;
    }
    // Closed from its title bar: Cancel where there is one, else the only or last button.
    for (const ButtonAnswer& button : buttons) {
        if (button.answer == platform::vbCancel)
            return button.answer;
    }
    return buttons.back().answer;
}

void DesktopHost::RunModal(platform::Form& form)
{
    Sync();
    if (auto* peer = dynamic_cast<FormPeer*>(PeerOf(form)))
        peer->RunModal();
}

void DesktopHost::DoEvents()
{
    Sync();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // The component waits by calling this in a loop: let the processor rest a moment.
    QThread::msleep(1);
}

double DesktopHost::SecondsSinceMidnight()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

platform::Date DesktopHost::Today()
{
    const QDate today = QDate::currentDate();
    return platform::Date{today.year(), today.month(), today.day()};
}

void DesktopHost::ShowPopupMenu(platform::Form&, platform::Control& menu)
{
    Sync();
    QMenu popup(m_mainWindow);
    for (platform::Control* child : menu.Children()) {
        auto* item = dynamic_cast<platform::Menu*>(child);
        if (!item || !item->Visible)
            continue;
        if (item->Caption() == "-") {
            popup.addSeparator();
            continue;
        }
        QAction* action = popup.addAction(ToQString(item->Caption));
        action->setEnabled(item->Enabled);
        action->setCheckable(item->Checked);
        action->setChecked(item->Checked);
        action->setData(item->hWnd());
        action->setObjectName(ToQString(item->Name()));
    }
    QAction* chosen = m_popupHook ? m_popupHook(popup) : popup.exec(QCursor::pos());
    if (!chosen)
        return;
    const int32_t handle = chosen->data().toInt();
    if (auto* item =
            dynamic_cast<platform::Menu*>(platform::WindowSystem::ControlFromHandle(handle)))
        item->UserClick();
}

// ---- host windows and peers

int32_t DesktopHost::RegisterHostWindow(const std::string& name, QWidget& widget)
{
    const int32_t hWnd = platform::WindowSystem::CreateHostWindow(
        name, static_cast<int32_t>(widget.width() * 96.0 / m_scale.DotsPerInch()),
        static_cast<int32_t>(widget.height() * 96.0 / m_scale.DotsPerInch()));
    m_hostWindows[hWnd] = &widget;
    new EventHook(
        &widget, &m_lifetime,
        [this, hWnd, target = QPointer<QWidget>(&widget)](QObject*, QEvent* event) {
            if (event->type() == QEvent::Resize && target && m_hostWindows.contains(hWnd)) {
                platform::WindowSystem::ResizeHostWindow(
                    hWnd, static_cast<int32_t>(target->width() * 96.0 / m_scale.DotsPerInch()),
                    static_cast<int32_t>(target->height() * 96.0 / m_scale.DotsPerInch()));
            }
            return false;
        });
    return hWnd;
}

QWidget* DesktopHost::WidgetOf(int32_t hWnd) const
{
    if (auto it = m_hostWindows.find(hWnd); it != m_hostWindows.end())
        return it->second;
    if (ControlPeer* peer = PeerOf(hWnd))
        return peer->Widget();
    return nullptr;
}

ControlPeer* DesktopHost::PeerOf(int32_t hWnd) const
{
    auto it = m_peers.find(hWnd);
    return it == m_peers.end() ? nullptr : it->second.get();
}

ControlPeer* DesktopHost::PeerOf(const platform::Control& control) const
{
    return PeerOf(control.hWnd());
}

void DesktopHost::Adopt(std::shared_ptr<ControlPeer> peer)
{
    m_peers[peer->Handle()] = std::move(peer);
}

void DesktopHost::Sync()
{
    if (m_syncing)
        return;
    m_syncing = true;
    DropPeersOfGoneControls();
    // A copy: building a peer may not create forms, but nothing here should rely on that.
    const std::vector<platform::Form*> forms = platform::Form::Forms();
    for (platform::Form* form : forms) {
        // A report's window is its print preview (ShowPreview), not widgets of its own.
        if (form->Kind() != "DataReport" && !m_peers.contains(form->hWnd()))
            CreateFormPeer(*form);
    }
    m_syncing = false;
}

void DesktopHost::CreateFormPeer(platform::Form& form)
{
    auto peer = MakePeer(*this, form);
    peer->Attach(nullptr);
}

void DesktopHost::DropPeersOfGoneControls()
{
    std::vector<std::shared_ptr<ControlPeer>> gone;
    std::vector<QWidget*> formWidgets;
    for (auto it = m_peers.begin(); it != m_peers.end();) {
        if (it->second->Alive()) {
            ++it;
            continue;
        }
        if (QWidget* widget = it->second->Widget();
            widget && dynamic_cast<FormPeer*>(it->second.get()))
            formWidgets.push_back(widget);
        gone.push_back(std::move(it->second));
        it = m_peers.erase(it);
    }
    // A form's widget goes with it, later: we may be inside one of its own handlers. Its peers
    // live until then, since the widgets' handlers call them.
    for (QWidget* widget : formWidgets) {
        widget->hide();
        QObject::connect(widget, &QObject::destroyed, [gone] {});
        widget->deleteLater();
    }
}

void DesktopHost::OnWindowChanged(int32_t hWnd)
{
    if (m_hostWindows.contains(hWnd)) {
        FitFormsInto(hWnd);
        return;
    }
    Sync();
    if (ControlPeer* peer = PeerOf(hWnd))
        peer->OnWindowChanged();
}

void DesktopHost::FitFormsInto(int32_t hostWindow)
{
    for (auto& [hWnd, peer] : m_peers) {
        if (auto* form = dynamic_cast<FormPeer*>(peer.get());
            form && platform::GetParent(hWnd) == hostWindow)
            form->FitIntoParent();
    }
}

void DesktopHost::ScheduleFocusSync()
{
    if (m_focusSyncPending)
        return;
    m_focusSyncPending = true;
    std::weak_ptr<DesktopHost*> self = m_self;
    QTimer::singleShot(0, [self] {
        if (auto host = self.lock())
            (*host)->SyncFocus();
    });
}

void DesktopHost::SyncFocus()
{
    m_focusSyncPending = false;
    platform::Control* active = platform::Screen::ActiveControl();
    if (!active)
        return;
    ControlPeer* peer = PeerOf(*active);
    QWidget* widget = peer ? peer->FocusWidget() : nullptr;
    if (!widget || !widget->isVisible())
        return;
    // The form may have selected the box's text from another control's handler.
    peer->ShowExtras();
    if (QApplication::focusWidget() == widget)
        return;
    // Only inside the window that is active (a modal dialog keeps its own focus).
    if (QApplication::activeWindow() && widget->window() != QApplication::activeWindow() &&
        QApplication::activeModalWidget())
        return;
    widget->setFocus(Qt::OtherFocusReason);
}

// ---- overlay, print preview, seams

void DesktopHost::ApplyOverlay(int32_t hWnd)
{
    if (QWidget* target = WidgetOf(hWnd))
        m_overlays.Apply(hWnd, *target);
}

void DesktopHost::ShowPreview(platform::Report& shown)
{
    const platform::LaidOutReport& pages = shown.Pages();
    ShowPrintPreview(
        m_mainWindow, shown.Caption, [&pages](QPrinter& printer) { report::Draw(pages, printer); },
        shown.WindowState == platform::vbMaximized);
}

void DesktopHost::ReportUnhandled(const std::string& text)
{
    ShowMessageBox({text, platform::vbCritical, m_applicationName});
}

void DesktopHost::InterceptMessageBoxes(std::function<int(QMessageBox&)> hook)
{
    m_messageBoxHook = std::move(hook);
}

void DesktopHost::InterceptPopupMenus(std::function<QAction*(QMenu&)> hook)
{
    m_popupHook = std::move(hook);
}

} // namespace desktop
