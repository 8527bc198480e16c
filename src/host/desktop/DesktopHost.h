// The platform's services on a real display: message boxes, modal loops, the event pump, the
// clock, pop-up menus and the print preview are Qt's; every platform form gets a tree of widget
// peers (ControlPeer), created when the host first meets the form and dropped when it is gone;
// the host's own windows (menu, work area) get handles the component can parent forms to.
//
// The host meets new forms at the points where they can appear: the end of every user action,
// every window-system change, DoEvents, modal loops and message boxes (Sync).
#pragma once

#include "host/desktop/Convert.h"
#include "host/desktop/Overlays.h"
#include "host/desktop/PeerHost.h"
#include "platform/Host.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QMenu;
class QMessageBox;

namespace platform {
class Control;
class Form;
} // namespace platform

namespace desktop {

class ControlPeer;
class FormPeer;

class DesktopHost : public platform::Host, public PeerHost {
public:
    // Sets itself as the platform's host; the screen's dpi fixes the twips scale.
    DesktopHost();
    explicit DesktopHost(Scale scale);
    ~DesktopHost() override;
    DesktopHost(const DesktopHost&) = delete;
    DesktopHost& operator=(const DesktopHost&) = delete;

    int32_t ShowMessageBox(const platform::MessageBoxRequest& request) override;
    void RunModal(platform::Form& form) override;
    void DoEvents() override;
    double SecondsSinceMidnight() override;
    platform::Date Today() override;
    void ShowPopupMenu(platform::Form& form, platform::Control& menu) override;
    // The report renderer's pages in ShowPrintPreview.
    void ShowPreview(platform::Report& pages) override;

    // A host window the component may parent forms to; its size follows the widget.
    int32_t RegisterHostWindow(const std::string& name, QWidget& widget);

    // PeerHost. Sync also drops the peers of forms that are gone.
    const Scale& Scaling() const override { return m_scale; }
    void Adopt(std::shared_ptr<ControlPeer> peer) override;
    ControlPeer* PeerOf(const platform::Control& control) const override;
    QWidget* WidgetOf(int32_t hWnd) const override;
    bool IsHostWindow(int32_t hWnd) const override { return m_hostWindows.contains(hWnd); }
    QWidget* MainWindow() const override { return m_mainWindow; }
    void Sync() override;
    void ScheduleFocusSync() override;
    void ReportUnhandled(const std::string& text) override;

    ControlPeer* PeerOf(int32_t hWnd) const;
    void SyncFocus();

    // The dark overlay over a window (clsFundoEscuro): one per window, whoever applied it.
    void ApplyOverlay(int32_t hWnd);
    void RemoveOverlay(int32_t hWnd) { m_overlays.Remove(hWnd); }
    bool HasOverlay(int32_t hWnd) const { return m_overlays.Has(hWnd); }

    // Test seams: instead of running a box or menu modally, hand it over; the hook answers the
    // button (a QMessageBox::StandardButton) or the action chosen (nullptr for none).
    void InterceptMessageBoxes(std::function<int(QMessageBox&)> hook);
    void InterceptPopupMenus(std::function<QAction*(QMenu&)> hook);

    // The top-level window message boxes and dialogs centre on.
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }
    // The title of the host's own boxes (the application's name).
    void SetApplicationName(std::string name) { m_applicationName = std::move(name); }
    const std::string& ApplicationName() const { return m_applicationName; }

private:
    void OnWindowChanged(int32_t hWnd);
    void FitFormsInto(int32_t hostWindow);
    void DropPeersOfGoneControls();
    void CreateFormPeer(platform::Form& form);

    Scale m_scale;
    std::map<int32_t, std::shared_ptr<ControlPeer>> m_peers;
    std::map<int32_t, QPointer<QWidget>> m_hostWindows;
    Overlays m_overlays;
    std::function<int(QMessageBox&)> m_messageBoxHook;
    std::function<QAction*(QMenu&)> m_popupHook;
    QPointer<QWidget> m_mainWindow;
    std::string m_applicationName = "Kelo Pet Shop";
    // Lets the window-system handler (which cannot be disconnected) outlive the host harmlessly.
    std::shared_ptr<DesktopHost*> m_self;
    int32_t m_endOfDispatchHook = 0;
    bool m_syncing = false;
    bool m_focusSyncPending = false;
    // The owner of the hooks on host windows, which call the host: they go with it.
    QObject m_lifetime;
};

} // namespace desktop
