// The platform's services on a real display: message boxes, modal loops, the event pump, the
// clock, pop-up menus and the print preview are Qt's; every platform form gets a tree of widget
// peers (ControlPeer), created when the host first meets the form and dropped when it is gone;
// the host's own windows (menu, work area) get handles the component can parent forms to.
//
// The host meets new forms at the points where they can appear: the end of every user action,
// every window-system change, DoEvents, modal loops and message boxes (Sync).
#pragma once

#include "host/desktop/Convert.h"
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
class QPrinter;

namespace platform {
class Control;
class Form;
} // namespace platform

namespace desktop {

class ControlPeer;
class FormPeer;

class DesktopHost : public platform::Host {
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
    // The widget behind a handle: a host window or a control's peer; nullptr for none.
    QWidget* WidgetOf(int32_t hWnd) const;
    bool IsHostWindow(int32_t hWnd) const { return m_hostWindows.contains(hWnd); }

    // Peers for every form that has none yet; peers of forms that are gone are dropped.
    void Sync();
    ControlPeer* PeerOf(int32_t hWnd) const;
    ControlPeer* PeerOf(const platform::Control& control) const;
    const Scale& Scaling() const { return m_scale; }
    // Gives the Qt focus to the control the platform says has it (after the event loop turns).
    void ScheduleFocusSync();
    void SyncFocus();

    // The dark overlay over a window (clsFundoEscuro): one per window, whoever applied it.
    void ApplyOverlay(int32_t hWnd);
    void RemoveOverlay(int32_t hWnd);
    bool HasOverlay(int32_t hWnd) const;

    // The report facility's way to the screen: a print preview with printing and "save as PDF",
    // whose pages `render` paints onto the printer it is given.
    void ShowPrintPreview(const std::string& title, std::function<void(QPrinter&)> render,
                          bool maximised = false);
    static bool SaveAsPdf(const std::string& path, const std::function<void(QPrinter&)>& render);

    // Test seams: instead of running a box or menu modally, hand it over; the hook answers the
    // button (a QMessageBox::StandardButton) or the action chosen (nullptr for none).
    void InterceptMessageBoxes(std::function<int(QMessageBox&)> hook);
    void InterceptPopupMenus(std::function<QAction*(QMenu&)> hook);

    // The top-level window message boxes and dialogs centre on.
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }
    QWidget* MainWindow() const { return m_mainWindow; }
    // The title of the host's own boxes (the application's name).
    void SetApplicationName(std::string name) { m_applicationName = std::move(name); }
    const std::string& ApplicationName() const { return m_applicationName; }

    // Adds a peer (ControlPeer registers itself while it attaches).
    void Adopt(std::shared_ptr<ControlPeer> peer);

private:
    void OnWindowChanged(int32_t hWnd);
    void FitFormsInto(int32_t hostWindow);
    void DropPeersOfGoneControls();
    void CreateFormPeer(platform::Form& form);

    Scale m_scale;
    std::map<int32_t, std::shared_ptr<ControlPeer>> m_peers;
    std::map<int32_t, QPointer<QWidget>> m_hostWindows;
    std::map<int32_t, QPointer<QWidget>> m_overlays;
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
