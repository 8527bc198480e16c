// The peers of the plain controls, the suite's controls and forms, and the factory that picks
// one by the control's kind.
#include "host/desktop/Peers.h"

#include "host/desktop/DesktopHost.h"
#include "host/desktop/Pictures.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/Host.h"
#include "platform/WindowSystem.h"
#include "suite_controls/SuiteControls.h"

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

template <class T>
T& As(platform::Control* control)
{
    return static_cast<T&>(*control);
}

// ---- Form

class FormWidget : public QWidget {
public:
    FormWidget(QWidget* parent, std::function<void()> onClose)
        : QWidget(parent, parent ? Qt::Widget : Qt::Window), m_onClose(std::move(onClose))
    {
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        // The form decides (QueryUnload may refuse); its Visible tells the peer what happened.
        event->ignore();
        m_onClose();
    }

private:
    std::function<void()> m_onClose;
};

// ---- Label, option button, picture box, shape, anything else

// Labels and pictures take no focus; a press on them is the control's click.
QLabel* ClickableLabel(QWidget* parent, std::function<void()> click)
{
    auto* label = new QLabel(parent);
    label->setFocusPolicy(Qt::NoFocus);
    new EventHook(label, [click = std::move(click)](QObject*, QEvent* event) {
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
        return ClickableLabel(
            parent, [this] { Act([this] { As<platform::Label>(Control()).UserClick(); }); });
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
        QObject::connect(button, &QRadioButton::clicked, button, [this] {
            if (m_applying)
                return;
            Act([this] { As<platform::OptionButton>(Control()).UserClick(); });
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
        QLabel* picture = ClickableLabel(
            parent, [this] { Act([this] { As<platform::PictureBox>(Control()).UserClick(); }); });
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

// ---- The suite's controls

class FindPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;
    QWidget* FocusWidget() const override { return m_edit; }

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setObjectName(QStringLiteral("QVFind"));
        auto* layout = new QHBoxLayout(frame);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        m_edit = new QLineEdit(frame);
        m_edit->setFrame(false);
        m_edit->setContextMenuPolicy(Qt::NoContextMenu);
        m_edit->setTextMargins(4, 0, 0, 0);
        layout->addWidget(m_edit);
        m_search = MakeButton(frame, QStringLiteral("Pesquisar"), true);
        m_clear = MakeButton(frame, QStringLiteral("Limpar"), false);
        layout->addWidget(m_clear);
        layout->addWidget(m_search);
        frame->setFocusProxy(m_edit);

        QObject::connect(m_search, &QToolButton::clicked, frame,
                         [this] { Act([this] { Find().UserConfirm(); }); });
        QObject::connect(m_clear, &QToolButton::clicked, frame,
                         [this] { Act([this] { Find().UserReset(); }); });
        QObject::connect(m_edit, &QLineEdit::textEdited, frame, [this](const QString& text) {
            if (m_applying)
                return;
            // One KeyDown per keystroke: the write of the typed text raises it.
            Act([this, text] {
                suite_controls::QVFind& find = Find();
                find.Text = ToStd(text);
                m_shownSelection = find.Selection();
            });
        });
        new EventHook(m_edit, [this](QObject*, QEvent* event) { return OnKey(event); });
        return frame;
    }

    void Apply(const std::string& member) override
    {
        suite_controls::QVFind& find = Find();
        if (member == "Text") {
            const QString text = ToQString(find.Text);
            if (m_edit->text() != text) {
                m_applying = true;
                m_edit->setText(text);
                m_applying = false;
            }
        } else if (member == "Caption") {
            m_edit->setPlaceholderText(ToQString(find.Caption));
        } else if (member == "Enabled") {
            ControlPeer::Apply(member);
            m_search->setEnabled(find.Enabled);
            m_clear->setEnabled(find.Enabled);
        } else if (member == "ForeColor" || member == "BackColor") {
            ControlPeer::Apply(member);
            Widget()->setAutoFillBackground(true);
        } else {
            ControlPeer::Apply(member);
        }
    }

    void ApplyExtras() override
    {
        const suite_controls::TextSelection selection = Find().Selection();
        if (selection.Start == m_shownSelection.Start &&
            selection.Length == m_shownSelection.Length)
            return;
        m_shownSelection = selection;
        if (selection.Length > 0)
            m_edit->setSelection(selection.Start, selection.Length);
        else
            m_edit->setCursorPosition(selection.Start);
    }

private:
    suite_controls::QVFind& Find() const { return As<suite_controls::QVFind>(Control()); }

    static QToolButton* MakeButton(QWidget* parent, const QString& tip, bool search)
    {
        auto* button = new QToolButton(parent);
        button->setToolTip(tip);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        button->setIcon(QIcon(DrawSymbol(search)));
        button->setObjectName(search ? QStringLiteral("pesquisar") : QStringLiteral("limpar"));
        return button;
    }

    // A magnifier for the search, a cross for the reset.
    static QPixmap DrawSymbol(bool search)
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(100, 110, 125), 2));
        if (search) {
            painter.drawEllipse(QRectF(2, 2, 8.5, 8.5));
            painter.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
        } else {
            painter.drawLine(QPointF(4, 4), QPointF(12, 12));
            painter.drawLine(QPointF(12, 4), QPointF(4, 12));
        }
        return pixmap;
    }

    bool OnKey(QEvent* event)
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Act([this] { Find().UserConfirm(); });
            return true;
        case Qt::Key_Escape:
            Act([this] { Find().UserReset(); });
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return false;
        default:
            break;
        }
        const QString text = key->text();
        const bool typesCharacter = !text.isEmpty() && text.at(0).isPrint();
        if (typesCharacter && Find().Style == suite_controls::QVFind::StyleNumerico &&
            !text.at(0).isDigit())
            return true; // a code box takes digits only
        if (!typesCharacter && key->key() != Qt::Key_Backspace && key->key() != Qt::Key_Delete) {
            // Keys that change no text (arrows, Home...) still reach the form as KeyDown.
            const int16_t code = KeyCodeOf(*key);
            const int16_t shift = ShiftStateOf(key->modifiers());
            if (code != 0 && !(key->modifiers() & Qt::ControlModifier))
                Act([this, code, shift] { Find().UserKeyDown(code, shift); });
        }
        return false;
    }

    QLineEdit* m_edit = nullptr;
    QToolButton* m_search = nullptr;
    QToolButton* m_clear = nullptr;
    suite_controls::TextSelection m_shownSelection;
};

class ComboPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        auto* combo = new QComboBox(parent);
        // A click goes straight to UserSelect, which moves the focus itself (and may be
        // refused by a Validate elsewhere); only Tab focuses it from Qt.
        combo->setFocusPolicy(Qt::TabFocus);
        QObject::connect(combo, &QComboBox::activated, combo, [this](int index) {
            if (!m_applying)
                Act([this, index] { Combo().UserSelect(static_cast<int16_t>(index)); });
        });
        return combo;
    }

    void Apply(const std::string& member) override
    {
        if (member == "ListIndex" || member == "ListCount" || member == "NewIndex" ||
            member == "Text") {
            ShowList();
        } else {
            ControlPeer::Apply(member);
        }
    }

private:
    suite_controls::QVComboBox& Combo() const { return As<suite_controls::QVComboBox>(Control()); }

    void ShowList()
    {
        auto* combo = static_cast<QComboBox*>(Widget());
        const suite_controls::QVComboBox& list = Combo();
        m_applying = true;
        const int count = list.ListCount;
        bool same = combo->count() == count;
        for (int i = 0; same && i < count; ++i)
            same = combo->itemText(i) == ToQString(list.List(i));
        if (!same) {
            combo->clear();
            for (int i = 0; i < count; ++i)
                combo->addItem(ToQString(list.List(i)));
        }
        combo->setCurrentIndex(list.ListIndex);
        m_applying = false;
    }
};

class NumberPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        auto* edit = new QLineEdit(parent);
        // Every edit goes through the box's KeyPress; Qt's own editing paths are closed.
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAcceptDrops(false);
        new EventHook(edit, [this](QObject*, QEvent* event) { return OnKey(event); });
        return edit;
    }

    void Apply(const std::string& member) override
    {
        auto* edit = Edit();
        suite_controls::QVNumberBox& box = Box();
        if (member == "Text") {
            m_applying = true;
            if (edit->text() != ToQString(box.Text))
                edit->setText(ToQString(box.Text));
            m_applying = false;
            ShowSelection();
        } else if (member == "SelStart" || member == "SelLength") {
            ShowSelection();
        } else if (member == "Locked") {
            edit->setReadOnly(box.Locked);
        } else if (member == "Alignment") {
            edit->setAlignment((box.Alignment == 1 ? Qt::AlignRight : Qt::AlignLeft) |
                               Qt::AlignVCenter);
        } else {
            ControlPeer::Apply(member);
        }
    }

private:
    QLineEdit* Edit() const { return static_cast<QLineEdit*>(Widget()); }
    suite_controls::QVNumberBox& Box() const { return As<suite_controls::QVNumberBox>(Control()); }

    void ShowSelection()
    {
        const suite_controls::QVNumberBox& box = Box();
        m_applying = true;
        if (box.SelLength > 0)
            Edit()->setSelection(box.SelStart, box.SelLength);
        else
            Edit()->setCursorPosition(box.SelStart);
        m_applying = false;
    }

    // The caret or selection the user left in the widget, handed to the box before a key.
    void TakeSelection()
    {
        suite_controls::QVNumberBox& box = Box();
        QLineEdit* edit = Edit();
        if (edit->hasSelectedText()) {
            box.SelStart = static_cast<int32_t>(edit->selectionStart());
            box.SelLength = static_cast<int32_t>(edit->selectedText().size());
        } else {
            box.SelStart = static_cast<int32_t>(edit->cursorPosition());
        }
    }

    void Press(int16_t keyAscii, bool deleteForward = false)
    {
        Act([this, keyAscii, deleteForward] {
            TakeSelection();
            suite_controls::QVNumberBox& box = Box();
            // Delete is backspace over the character after the caret.
            if (deleteForward && box.SelLength == 0)
                box.SelLength = 1;
            box.UserKeyPress(keyAscii);
        });
    }

    bool OnKey(QEvent* event)
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste)) {
            for (const QChar character : QApplication::clipboard()->text())
                if (character.unicode() >= 32 && character.unicode() <= 0xFF)
                    Press(static_cast<int16_t>(character.unicode()));
            return true;
        }
        if (key->matches(QKeySequence::Cut)) {
            QApplication::clipboard()->setText(Edit()->selectedText());
            if (Edit()->hasSelectedText())
                Press(8);
            return true;
        }
        switch (key->key()) {
        case Qt::Key_Backspace:
            Press(8);
            return true;
        case Qt::Key_Delete:
            Press(8, true);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Press(13);
            return true;
        case Qt::Key_Escape:
            Press(27);
            return true;
        default:
            break;
        }
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false; // select all, copy: Qt's, they change nothing
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint())
            return false; // arrows, Home, End, Tab: the caret moves, the box hears nothing
        for (const QChar character : text) {
            const char16_t code = character.unicode();
            // The keyboard hands over Latin-1; anything else arrives as a question mark.
            Press(static_cast<int16_t>(code <= 0xFF ? code : u'?'));
        }
        return true;
    }
};

class TextPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        auto* edit = new QLineEdit(parent);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString& text) {
            if (!m_applying)
                Act([this, text] {
                    As<suite_controls::QVTextBox>(Control()).UserType(ToStd(text));
                });
        });
        return edit;
    }

    void Apply(const std::string& member) override
    {
        auto* edit = static_cast<QLineEdit*>(Widget());
        auto& box = As<suite_controls::QVTextBox>(Control());
        if (member == "Text") {
            if (edit->text() != ToQString(box.Text)) {
                m_applying = true;
                edit->setText(ToQString(box.Text));
                m_applying = false;
            }
        } else if (member == "MaxLength") {
            edit->setMaxLength(box.MaxLength > 0 ? box.MaxLength : 32767);
        } else if (member == "PasswordChar") {
            const std::string mask = box.PasswordChar;
            edit->setEchoMode(mask.empty() ? QLineEdit::Normal : QLineEdit::Password);
            if (!mask.empty())
                edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: %1 }")
                                        .arg(static_cast<int>(ToQString(mask).at(0).unicode())));
        } else {
            ControlPeer::Apply(member);
        }
    }
};

class ButtonPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        auto* button = new QPushButton(parent);
        // The click moves the focus itself (UserClick), where a Validate may refuse it.
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, button, [this] {
            Act([this] { As<suite_controls::QVCommandButton>(Control()).UserClick(); });
        });
        return button;
    }

    void Apply(const std::string& member) override
    {
        auto* button = static_cast<QPushButton*>(Widget());
        auto& control = As<suite_controls::QVCommandButton>(Control());
        if (member == "Caption") {
            button->setText(ToQString(control.Caption));
        } else if (member == "UseCustomColors" || member == "BackColor" ||
                   member == "HighlightColor" || member == "FontColor" ||
                   member == "FontHighlightColor" || member == "ForeColor") {
            ApplyStyle(*button, control);
        } else {
            ControlPeer::Apply(member);
        }
    }

private:
    static void ApplyStyle(QPushButton& button, const suite_controls::QVCommandButton& control)
    {
        std::string back = "rgb(241, 244, 248)";
        std::string hover = "rgb(225, 232, 241)";
        std::string text = "rgb(60, 72, 88)";
        if (control.UseCustomColors) {
            back = ColorText(control.BackColor);
            hover = ColorText(control.HighlightColor);
            text = ColorText(control.FontColor);
        }
        button.setStyleSheet(ToQString(
            "QPushButton { background: " + back + "; color: " + text +
            "; border: 1px solid rgb(184, 194, 206); border-radius: 4px; padding: 2px 8px; }"
            "QPushButton:hover { background: " +
            hover +
            "; }"
            "QPushButton:pressed { background: rgb(208, 217, 230); }"
            "QPushButton:disabled { color: rgb(170, 170, 170); }"));
    }
};

class ThemePeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        auto* title = new QLabel(parent);
        title->setIndent(8);
        title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return title;
    }

    void Apply(const std::string& member) override
    {
        auto* title = static_cast<QLabel*>(Widget());
        auto& theme = As<suite_controls::QVTheme>(Control());
        if (member == "Caption") {
            title->setText(ToQString(theme.Caption));
        } else if (member == "FontName" || member == "FontSize" || member == "FontBold") {
            title->setFont(ToQFont(theme.FontName, std::max(theme.FontSize(), 10.0), true));
        } else if (member == "BackColor" || member == "ForeColor") {
            QPalette palette = title->palette();
            const QColor band = ToQColor(theme.BackColor).value_or(Qt::darkGray);
            palette.setColor(QPalette::Window, band);
            // The title reads on whatever band the dialog chose: white on dark, dark on light.
            palette.setColor(QPalette::WindowText,
                             band.lightness() < 128 ? QColor(Qt::white) : QColor(73, 73, 73));
            title->setPalette(palette);
            title->setAutoFillBackground(true);
        } else {
            ControlPeer::Apply(member);
        }
    }
};

} // namespace

// ---- FormPeer

FormPeer::FormPeer(DesktopHost& host, platform::Form& form) : ControlPeer(host, form) {}

platform::Form& FormPeer::Form() const
{
    return As<platform::Form>(Control());
}

QWidget* FormPeer::CreateWidget(QWidget* parent)
{
    m_designWidth = Form().Width;
    m_designHeight = Form().Height;
    return new FormWidget(parent, [this] { UserClose(); });
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
    widget->setParent(parent, parent ? Qt::Widget : Qt::Window);
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

// ---- the factory

std::shared_ptr<ControlPeer> MakePeer(DesktopHost& host, platform::Control& control)
{
    const std::string& kind = control.Kind();
    if (kind == "Menu" || kind == "ImageList")
        return nullptr;
    if (kind == "Form")
        return std::make_shared<FormPeer>(host, static_cast<platform::Form&>(control));
    if (kind == "Grid")
        return std::make_shared<GridPeer>(host, static_cast<platform::Grid&>(control));
    if (kind == "Label")
        return std::make_shared<LabelPeer>(host, control);
    if (kind == "OptionButton")
        return std::make_shared<OptionPeer>(host, control);
    if (kind == "PictureBox")
        return std::make_shared<PicturePeer>(host, control);
    if (kind == "Shape")
        return std::make_shared<ShapePeer>(host, control);
    if (kind == "QVFind")
        return std::make_shared<FindPeer>(host, control);
    if (kind == "QVComboBox")
        return std::make_shared<ComboPeer>(host, control);
    if (kind == "QVNumberBox")
        return std::make_shared<NumberPeer>(host, control);
    if (kind == "QVTextBox")
        return std::make_shared<TextPeer>(host, control);
    if (kind == "QVCommandButton")
        return std::make_shared<ButtonPeer>(host, control);
    if (kind == "QVTheme")
        return std::make_shared<ThemePeer>(host, control);
    // A kind without a peer of its own still shows where it is, with its colours.
    return std::make_shared<PlainPeer>(host, control);
}

} // namespace desktop
