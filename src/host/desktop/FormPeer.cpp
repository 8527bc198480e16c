// The peer of a form: a window of its own, or embedded in the host window the component parents
// it to, covering it at least at the form's design size; a modal form runs its own loop.
#include "host/desktop/PeerHost.h"
#include "host/desktop/PeerKinds.h"
#include "host/desktop/Peers.h"
#include "platform/Controls.h"
#include "platform/Host.h"
#include "platform/WindowSystem.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace desktop {

namespace {

class FormWidget : public QWidget {
public:
    FormWidget(QWidget* parent, Qt::WindowFlags flags, std::function<void()> onClose,
               std::function<bool(const QKeyEvent&)> onKey)
        : QWidget(parent, flags), m_onClose(std::move(onClose)), m_onKey(std::move(onKey))
    {
    }

protected:
    // A key no control of the form took for itself: perhaps one of the form's shortcuts.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (m_onKey(*event))
            event->accept();
        else
            QWidget::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        // The form decides (QueryUnload may refuse); its Visible tells the peer what happened.
        event->ignore();
        m_onClose();
    }

private:
    std::function<void()> m_onClose;
    std::function<bool(const QKeyEvent&)> m_onKey;
};

} // namespace

FormPeer::FormPeer(PeerHost& host, platform::Form& form) : ControlPeer(host, form) {}

platform::Form& FormPeer::Form() const
{
    return As<platform::Form>(Control());
}

QWidget* FormPeer::CreateWidget(QWidget* parent)
{
    m_designWidth = Form().Width;
    m_designHeight = Form().Height;
    // A window of its own belongs to the main window: it stays over it, off the task bar.
    QWidget* owner = parent ? parent : m_host.MainWindow();
    const Qt::WindowFlags flags = parent ? Qt::Widget : owner ? Qt::Dialog : Qt::Window;
    return new FormWidget(
        owner, flags, [this] { UserClose(); },
        [this](const QKeyEvent& key) {
            const int16_t code = KeyCodeOf(key);
            const int16_t shift = ShiftStateOf(key.modifiers());
            bool pressed = false;
            if (code != 0)
                Act([&] { pressed = Form().UserShortcut(code, shift); });
            return pressed;
        });
}

void FormPeer::UserClose()
{
    Act([this] { Form().UserClose(); });
}

bool FormPeer::IsEmbedded() const
{
    return m_parentWindow != 0 && m_host.WidgetOf(m_parentWindow) != nullptr;
}

void FormPeer::Apply(const std::string& member)
{
    QWidget* widget = Widget();
    platform::Form& form = Form();
    if (member == "Caption") {
        widget->setWindowTitle(ToQString(form.Caption));
    } else if (member == "MousePointer") {
        if (form.MousePointer == platform::vbHourglass)
            widget->setCursor(Qt::WaitCursor);
        else
            widget->unsetCursor();
    } else if (member == "BorderStyle") {
        if (!IsEmbedded())
            widget->setWindowFlag(Qt::FramelessWindowHint, form.BorderStyle == 0);
        ApplyGeometry();
    } else if (member != "Modal") {
        ControlPeer::Apply(member);
    }
}

void FormPeer::ApplyGeometry()
{
    QWidget* widget = Widget();
    platform::Form& form = Form();
    if (IsEmbedded()) {
        widget->setGeometry(Scaling().Rect(form.Left, form.Top, form.Width, form.Height));
        return;
    }
    // A window's Width and Height include its frame; Qt sizes the inside.
    widget->resize(Scaling().Pixels(form.ScaleWidth()), Scaling().Pixels(form.ScaleHeight()));
    if (form.Left != 0 || form.Top != 0) {
        widget->move(Scaling().Pixels(form.Left), Scaling().Pixels(form.Top));
        m_placed = true;
    }
}

void FormPeer::ApplyVisible()
{
    QWidget* widget = Widget();
    if (!Form().Visible) {
        widget->hide();
        return;
    }
    if (!IsEmbedded() && !m_placed) {
        // Centred on the main window (or the screen), as a dialog opens.
        const QWidget* anchor = m_host.MainWindow();
        const QRect area = anchor && anchor->isVisible()
                               ? anchor->frameGeometry()
                               : (widget->screen() ? widget->screen()->availableGeometry()
                                                   : QRect(0, 0, 1280, 800));
        widget->move(area.center() - widget->rect().center());
        m_placed = true;
    }
    widget->show();
    if (!IsEmbedded()) {
        widget->raise();
        widget->activateWindow();
    }
    m_host.ScheduleFocusSync();
}

void FormPeer::OnWindowChanged()
{
    ControlPeer::OnWindowChanged();
    if (!Control())
        return;
    const int32_t parent = platform::GetParent(Handle());
    if (parent == m_parentWindow)
        return;
    m_parentWindow = parent;
    Embed();
}

void FormPeer::Embed()
{
    QWidget* widget = Widget();
    QWidget* parent = m_parentWindow ? m_host.WidgetOf(m_parentWindow) : nullptr;
    if (parent)
        widget->setParent(parent, Qt::Widget);
    else if (m_host.MainWindow())
        widget->setParent(m_host.MainWindow(), Qt::Dialog);
    else
        widget->setParent(nullptr, Qt::Window);
    if (parent && m_host.IsHostWindow(m_parentWindow)) {
        // The host window is at least as large as the form was designed.
        parent->setMinimumSize(parent->minimumSize().expandedTo(
            QSize(Scaling().Pixels(m_designWidth), Scaling().Pixels(m_designHeight))));
        FitIntoParent();
    }
    m_applying = true;
    ApplyGeometry();
    ApplyVisible();
    m_applying = false;
}

void FormPeer::FitIntoParent()
{
    if (!Control() || !m_host.IsHostWindow(m_parentWindow))
        return;
    const QWidget* parent = m_host.WidgetOf(m_parentWindow);
    platform::Form& form = Form();
    const int32_t width = std::max(m_designWidth, Scaling().Twips(parent->width()));
    const int32_t height = std::max(m_designHeight, Scaling().Twips(parent->height()));
    if (width == form.Width && height == form.Height)
        return;
    // The window system resizing a child window: the form hears it as its Resize.
    platform::UserAction action;
    form.Width = width;
    form.Height = height;
}

void FormPeer::RunModal()
{
    QWidget* widget = Widget();
    const int32_t handle = Handle();
    widget->hide();
    widget->setWindowModality(Qt::ApplicationModal);
    ApplyVisible();
    const auto stillShown = [&] {
        if (!platform::WindowSystem::Exists(handle))
            return false;
        const platform::Form& form = Form();
        return form.IsLoaded() && form.Visible;
    };
    while (stillShown())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (Widget())
        Widget()->setWindowModality(Qt::NonModal);
}
} // namespace desktop
