// A widget peer of one platform control. It shows the control's members (position and size in
// twips, caption, colours, font, visibility, enabled state, focus, z-order) and follows every
// change at once through PropertyChanged; real input becomes one platform::UserAction on the
// control's own user-action members. Peers are generic per kind (Kind()): a control added to a
// form appears without code of its own, and so do the controls inside it (Children()).
#pragma once

#include "host/desktop/Convert.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

namespace platform {
class Control;
} // namespace platform

namespace desktop {

class PeerHost;

// Forwards a watched object's events to a function (no moc needed). The hook is a child of
// `owner`, the object its handler touches, so it dies with it and can never call into a gone
// object; a hook whose handler touches only the watched object is owned by that object.
class EventHook : public QObject {
public:
    using Handler = std::function<bool(QObject*, QEvent*)>;
    EventHook(QObject* watched, QObject* owner, Handler handler);
    EventHook(QObject* watched, Handler handler) : EventHook(watched, watched, std::move(handler))
    {
    }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler m_handler;
};

class ControlPeer : public std::enable_shared_from_this<ControlPeer> {
public:
    ControlPeer(PeerHost& host, platform::Control& control);
    virtual ~ControlPeer();
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;

    // Makes the widget inside `parent` (nullptr: a window of its own), shows every member and
    // follows the control from now on; then does the same for the control's children.
    void Attach(QWidget* parent);

    // The control, or nullptr once it is gone (handles are never reused).
    platform::Control* Control() const;
    bool Alive() const;
    int32_t Handle() const { return m_hWnd; }
    QWidget* Widget() const { return m_widget; }
    // The widget that holds the keyboard focus for the control.
    virtual QWidget* FocusWidget() const { return m_widget; }

    // The window system changed the control's region (or, for forms, its parent).
    virtual void OnWindowChanged();
    // Stacks the children's widgets by their ZIndex.
    void Restack();
    // Shows every member again.
    void Refresh();
    // Shows again what is not a member (a box's text selection).
    void ShowExtras();

protected:
    virtual QWidget* CreateWidget(QWidget* parent) = 0;
    // One member changed; the base handles the members every control has.
    virtual void Apply(const std::string& member);
    virtual void ApplyGeometry();
    virtual void ApplyVisible();
    virtual void ApplyColors();
    // What is not a member (a box's text selection): shown again after every action.
    virtual void ApplyExtras() {}
    // The control's own user input: one platform::UserAction, then everything shown again.
    void Act(const std::function<void()>& action);
    // Whether the Qt focus arrived by the user's hand (mouse, Tab) rather than by code.
    static bool IsUserFocus(Qt::FocusReason reason);
    void WatchFocus(QWidget* widget);
    const Scale& Scaling() const;
    // The owner of every hook and connection whose function calls this peer: they go when the
    // peer goes, even while its widget stays a moment longer.
    QObject* Lifetime() { return &m_lifetime; }

    PeerHost& m_host;
    // Set while the peer writes to its widget, so that the widget's signals are not taken as
    // the user's input.
    bool m_applying = false;

private:
    void OnQtFocusIn(Qt::FocusReason reason);
    void OnPlatformGotFocus();

    platform::Control* m_control;
    int32_t m_hWnd;
    // When the mouse was last pressed on the focus widget (for a click that activates the window).
    QElapsedTimer m_pressed;
    QPointer<QWidget> m_widget;
    QObject m_lifetime;
};

// The peer for a control of this kind; nullptr for kinds without a widget (menus, image lists).
std::shared_ptr<ControlPeer> MakePeer(PeerHost& host, platform::Control& control);

} // namespace desktop
