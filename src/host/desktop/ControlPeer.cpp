#include "host/desktop/ControlPeer.h"

#include "host/desktop/PeerHost.h"
#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/Host.h"
#include "platform/WindowSystem.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QFocusEvent>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <vector>

namespace desktop {

EventHook::EventHook(QObject* watched, QObject* owner, Handler handler)
    : QObject(owner), m_handler(std::move(handler))
{
    watched->installEventFilter(this);
    if (watched != owner)
        QObject::connect(watched, &QObject::destroyed, this, &QObject::deleteLater);
}

bool EventHook::eventFilter(QObject* watched, QEvent* event)
{
    return m_handler(watched, event);
}

ControlPeer::ControlPeer(PeerHost& host, platform::Control& control)
    : m_host(host), m_control(&control), m_hWnd(control.hWnd())
{
}

ControlPeer::~ControlPeer() = default;

platform::Control* ControlPeer::Control() const
{
    return Alive() ? m_control : nullptr;
}

bool ControlPeer::Alive() const
{
    return platform::WindowSystem::Exists(m_hWnd) &&
           platform::WindowSystem::ControlFromHandle(m_hWnd) == m_control;
}

const Scale& ControlPeer::Scaling() const
{
    return m_host.Scaling();
}

void ControlPeer::Attach(QWidget* parent)
{
    m_widget = CreateWidget(parent);
    m_widget->setObjectName(ToQString(m_control->Name()));
    m_widget->setAttribute(Qt::WA_DeleteOnClose, false);
    m_host.Adopt(shared_from_this());

    std::weak_ptr<ControlPeer> weak = weak_from_this();
    m_control->PropertyChanged.Connect([weak](const platform::PropertyBase& property) {
        if (auto peer = weak.lock(); peer && peer->m_widget)
            peer->Apply(property.Name());
    });
    m_control->GotFocus.Connect([weak] {
        if (auto peer = weak.lock(); peer && peer->m_widget)
            peer->OnPlatformGotFocus();
    });
    WatchFocus(FocusWidget());

    for (platform::Control* child : m_control->Children()) {
        if (auto peer = MakePeer(m_host, *child))
            peer->Attach(m_widget);
    }
    Refresh();
    Restack();
    OnWindowChanged();
}

void ControlPeer::Refresh()
{
    if (!Control() || !m_widget)
        return;
    for (const std::string& member : m_control->MemberNames())
        Apply(member);
    ApplyExtras();
}

void ControlPeer::ShowExtras()
{
    if (Control() && m_widget)
        ApplyExtras();
}

void ControlPeer::Apply(const std::string& member)
{
    platform::Control* control = Control();
    if (!control || !m_widget)
        return;
    m_applying = true;
    if (member == "Left" || member == "Top" || member == "Width" || member == "Height") {
        ApplyGeometry();
    } else if (member == "Visible") {
        ApplyVisible();
    } else if (member == "Enabled") {
        m_widget->setEnabled(control->Enabled);
    } else if (member == "ForeColor" || member == "BackColor") {
        ApplyColors();
    } else if (member == "FontName" || member == "FontSize" || member == "FontBold") {
        m_widget->setFont(ToQFont(control->FontName, control->FontSize, control->FontBold));
    } else if (member == "ToolTipText") {
        // The key that presses the control is shown with its tip.
        QString tip = ToQString(control->ToolTipText);
        const platform::Form* form = control->ParentForm();
        if (const int16_t key = form ? form->ShortcutOf(*control) : 0) {
            const QString name = KeyName(key);
            tip = tip.isEmpty() ? name : tip + " (" + name + ")";
        }
        m_widget->setToolTip(tip);
    } else if (member == "ZIndex") {
        if (platform::Control* container = control->Container()) {
            if (ControlPeer* peer = m_host.PeerOf(*container))
                peer->Restack();
        }
    }
    m_applying = false;
}

void ControlPeer::ApplyGeometry()
{
    const platform::Control& control = *m_control;
    m_widget->setGeometry(Scaling().Rect(control.Left, control.Top, control.Width, control.Height));
}

void ControlPeer::ApplyVisible()
{
    m_widget->setVisible(m_control->Visible);
}

void ControlPeer::ApplyColors()
{
    QPalette palette = m_widget->palette();
    if (const auto fore = ToQColor(m_control->ForeColor)) {
        palette.setColor(QPalette::WindowText, *fore);
        palette.setColor(QPalette::Text, *fore);
        palette.setColor(QPalette::ButtonText, *fore);
    }
    const auto back = ToQColor(m_control->BackColor);
    if (back) {
        palette.setColor(QPalette::Window, *back);
        palette.setColor(QPalette::Base, *back);
        // Buttons and combo boxes fill with the Button role.
        palette.setColor(QPalette::Button, *back);
    }
    m_widget->setAutoFillBackground(back.has_value());
    m_widget->setPalette(palette);
}

void ControlPeer::Restack()
{
    platform::Control* control = Control();
    if (!control)
        return;
    std::vector<platform::Control*> children = control->Children();
    // Equal ZIndex keeps the order of creation, later on top, as Qt stacks siblings anyway.
    std::stable_sort(children.begin(), children.end(),
                     [](const platform::Control* a, const platform::Control* b) {
                         return a->ZIndex < b->ZIndex;
                     });
    for (platform::Control* child : children) {
        if (ControlPeer* peer = m_host.PeerOf(*child); peer && peer->Widget())
            peer->Widget()->raise();
    }
}

void ControlPeer::OnWindowChanged()
{
    if (!Control() || !m_widget)
        return;
    const auto region = platform::WindowSystem::WindowRegion(m_hWnd);
    if (!region) {
        m_widget->clearMask();
        return;
    }
    const Scale& scale = Scaling();
    const QRectF bounds(scale.FromWindowSystemPixels(region->Bounds.Left),
                        scale.FromWindowSystemPixels(region->Bounds.Top),
                        scale.FromWindowSystemPixels(region->Bounds.Right - region->Bounds.Left),
                        scale.FromWindowSystemPixels(region->Bounds.Bottom - region->Bounds.Top));
    QPainterPath path;
    // The region's ellipse sizes are the corners' diameters.
    path.addRoundedRect(bounds, scale.FromWindowSystemPixels(region->EllipseWidth) / 2.0,
                        scale.FromWindowSystemPixels(region->EllipseHeight) / 2.0);
    m_widget->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void ControlPeer::Act(const std::function<void()>& action)
{
    if (!Control())
        return;
    // The action may end with this peer's form gone; keep the peer until we are done.
    const auto keep = shared_from_this();
    try {
        platform::UserAction userAction;
        action();
    } catch (const platform::RuntimeError& error) {
        // An error no handler of the component trapped: the runtime would have shown it.
        m_host.ReportUnhandled("Erro " + std::to_string(error.Number()) + ": " +
                               error.Description());
    } catch (const std::exception& error) {
        // Nothing may leave a Qt event handler; the attendant sees it and goes on.
        m_host.ReportUnhandled(error.what());
    }
    if (Control())
        Refresh();
    m_host.Sync();
    m_host.ScheduleFocusSync();
}

bool ControlPeer::IsUserFocus(Qt::FocusReason reason)
{
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

void ControlPeer::WatchFocus(QWidget* widget)
{
    if (!widget)
        return;
    std::weak_ptr<ControlPeer> weak = weak_from_this();
    new EventHook(widget, [weak](QObject*, QEvent* event) {
        if (event->type() == QEvent::MouseButtonPress) {
            if (auto peer = weak.lock())
                peer->m_pressed.start();
        }
        if (event->type() == QEvent::FocusIn) {
            if (auto peer = weak.lock())
                peer->OnQtFocusIn(static_cast<QFocusEvent*>(event)->reason());
        }
        return false;
    });
}

void ControlPeer::OnQtFocusIn(Qt::FocusReason reason)
{
    platform::Control* control = Control();
    if (!control || m_applying || control->HasFocus())
        return;
    // A click that activates the window (without a window manager, on Xvfb) brings the focus
    // as the activation's, not the mouse's, once the button is up: it is still the user's hand.
    const bool activatingClick =
        reason == Qt::ActiveWindowFocusReason && m_pressed.isValid() && m_pressed.elapsed() < 1000;
    if ((!IsUserFocus(reason) && !activatingClick) || !control->CanTakeFocus()) {
        // Qt moved the focus on its own (a window activated, a widget hid): the platform
        // still says where it is.
        m_host.ScheduleFocusSync();
        return;
    }
    // A Validate elsewhere may keep the focus; the focus sync then puts it back.
    Act([control] { control->UserFocus(); });
}

void ControlPeer::OnPlatformGotFocus()
{
    m_host.ScheduleFocusSync();
}

} // namespace desktop
