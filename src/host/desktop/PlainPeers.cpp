// The peers of the platform's plain controls: labels, option buttons, picture boxes, shapes,
// and the plain widget for any kind without a peer of its own.
#include "host/desktop/PeerHost.h"
#include "host/desktop/PeerKinds.h"
#include "host/desktop/Pictures.h"
#include "platform/Controls.h"
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

// ---- Label, option button, picture box, shape, anything else

// Labels and pictures take no focus; a press on them is the control's click.
QLabel* ClickableLabel(QWidget* parent, QObject* owner, std::function<void()> click)
{
    auto* label = new QLabel(parent);
    label->setFocusPolicy(Qt::NoFocus);
    new EventHook(label, owner, [click = std::move(click)](QObject*, QEvent* event) {
        if (event->type() == QEvent::MouseButtonPress)
            click();
        return false;
    });
    return label;
}

class LabelPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        return ClickableLabel(parent, Lifetime(),
                              [this] { Act([this] { Control()->UserClick(); }); });
    }

    void Apply(const std::string& member) override
    {
        auto* label = static_cast<QLabel*>(Widget());
        auto& control = As<platform::Label>(Control());
        if (member == "Caption") {
            label->setText(ToQString(control.Caption));
        } else if (member == "Alignment") {
            const int32_t alignment = control.Alignment;
            label->setAlignment(Qt::AlignTop | (alignment == 1   ? Qt::AlignRight
                                                : alignment == 2 ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft));
        } else {
            ControlPeer::Apply(member);
        }
    }
};

class OptionPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        auto* button = new QRadioButton(parent);
        // The group is the container's option buttons, as the platform decides it.
        button->setAutoExclusive(false);
        button->setFocusPolicy(Qt::TabFocus);
        QObject::connect(button, &QRadioButton::clicked, Lifetime(), [this] {
            if (m_applying)
                return;
            Act([this] { Control()->UserClick(); });
        });
        return button;
    }

    void Apply(const std::string& member) override
    {
        auto* button = static_cast<QRadioButton*>(Widget());
        auto& option = As<platform::OptionButton>(Control());
        if (member == "Caption") {
            button->setText(ToQString(option.Caption));
        } else if (member == "Value") {
            m_applying = true;
            button->setChecked(option.Value);
            m_applying = false;
        } else {
            ControlPeer::Apply(member);
        }
    }
};

class PicturePeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        QLabel* picture =
            ClickableLabel(parent, Lifetime(), [this] { Act([this] { Control()->UserClick(); }); });
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }

    void Apply(const std::string& member) override
    {
        auto* picture = static_cast<QLabel*>(Widget());
        auto& box = As<platform::PictureBox>(Control());
        if (member == "Picture")
            picture->setPixmap(NamedPicture(box.Picture));
        else if (member == "BorderStyle")
            picture->setFrameShape(box.BorderStyle == 0 ? QFrame::NoFrame : QFrame::Box);
        else
            ControlPeer::Apply(member);
    }
};

class ShapeWidget : public QWidget {
public:
    using QWidget::QWidget;
    int32_t shape = 0;
    std::optional<QColor> border;
    std::optional<QColor> fill;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(border ? QPen(*border) : Qt::NoPen);
        painter.setBrush(fill ? QBrush(*fill) : Qt::NoBrush);
        const QRect box = rect().adjusted(0, 0, -1, -1);
        switch (shape) {
        case 2: // oval
        case 3: // circle
            painter.drawEllipse(box);
            break;
        case 4: // rounded rectangle
        case 5: // rounded square
            painter.drawRoundedRect(box, 6, 6);
            break;
        default:
            painter.drawRect(box);
        }
    }
};

class ShapePeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        auto* widget = new ShapeWidget(parent);
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        return widget;
    }

    void Apply(const std::string& member) override
    {
        auto* widget = static_cast<ShapeWidget*>(Widget());
        auto& shape = As<platform::Shape>(Control());
        if (member == "Shape" || member == "BorderColor" || member == "FillColor" ||
            member == "FillStyle") {
            widget->shape = shape.Shape_;
            widget->border = ToQColor(shape.BorderColor);
            // Fill style 1 is transparent.
            widget->fill = shape.FillStyle == 1 ? std::nullopt : ToQColor(shape.FillColor);
            widget->update();
        } else if (member != "BackColor" && member != "ForeColor") {
            ControlPeer::Apply(member);
        }
    }
};

class PlainPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override { return new QWidget(parent); }
};

} // namespace

const std::vector<PeerKind>& PlainPeerKinds()
{
    static const std::vector<PeerKind> kinds{
        {"Label", MakePeerOf<LabelPeer>},
        {"OptionButton", MakePeerOf<OptionPeer>},
        {"PictureBox", MakePeerOf<PicturePeer>},
        {"Shape", MakePeerOf<ShapePeer>},
    };
    return kinds;
}

std::shared_ptr<ControlPeer> MakePlainPeer(PeerHost& host, platform::Control& control)
{
    return MakePeerOf<PlainPeer>(host, control);
}

} // namespace desktop
