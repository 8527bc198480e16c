// The peers of the suite's controls: the find box, the combo box, the number and text boxes,
// the command button and the theme frame.
#include "host/desktop/PeerHost.h"
#include "host/desktop/PeerKinds.h"
#include "platform/Controls.h"
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
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace desktop {

namespace {

// ---- The suite's controls

using KeyPress = std::function<void(int16_t code, int16_t shift, const std::string& character)>;

// A key on a box's line edit as the box's own key: the keys that only move the caret or select
// (arrows, Home, End) are left to the widget once the box heard them; a paste types the
// clipboard's characters, a cut copies the selection and erases it with Backspace. Answers
// whether the widget must not handle the key itself.
bool ForwardEditKey(const QLineEdit& edit, const QKeyEvent& key, const KeyPress& press)
{
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return false;
    if (key.matches(QKeySequence::Paste)) {
        for (const QChar character : QApplication::clipboard()->text())
            press(0, 0, ToStd(QString(character)));
        return true;
    }
    if (key.matches(QKeySequence::Cut)) {
        QApplication::clipboard()->setText(edit.selectedText());
        if (edit.hasSelectedText())
            press(platform::vbKeyBack, 0, {});
        return true;
    }
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false; // select all, copy: Qt's, they change nothing
    const int16_t code = KeyCodeOf(key);
    const QString text = key.text();
    const bool types = !text.isEmpty() && text.at(0).isPrint();
    if (code == 0 && !types)
        return false;
    press(code, ShiftStateOf(key.modifiers()), types ? ToStd(text) : std::string());
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return false;
    default:
        return true;
    }
}

// A box shows where the typing goes: a thin border, a wider blue one while it has the focus
// (the padding keeps the text where it is).
const QString EditFrame = QStringLiteral(
    "QLineEdit { border: 1px solid rgb(176, 186, 199); border-radius: 3px; padding: 0 3px; }"
    "QLineEdit:focus { border: 2px solid rgb(41, 121, 214); padding: 0 2px; }");
const QString FindFrame =
    QStringLiteral("QFrame { border: 1px solid rgb(176, 186, 199); border-radius: 3px; }"
                   "QFrame[foco=\"true\"] { border: 2px solid rgb(41, 121, 214); }");

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
        frame->setStyleSheet(FindFrame);
        // The frame is the box's border: it follows the focus of the edit inside it.
        new EventHook(m_edit, frame, [frame](QObject*, QEvent* event) {
            if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
                frame->setProperty("foco", event->type() == QEvent::FocusIn);
                frame->style()->unpolish(frame);
                frame->style()->polish(frame);
                frame->update();
            }
            return false;
        });

        QObject::connect(m_search, &QToolButton::clicked, Lifetime(),
                         [this] { Act([this] { Find().UserConfirm(); }); });
        QObject::connect(m_clear, &QToolButton::clicked, Lifetime(),
                         [this] { Act([this] { Find().UserReset(); }); });
        // Every edit is the box's own key (ForwardEditKey); Qt's other editing paths are closed.
        m_edit->setAcceptDrops(false);
        new EventHook(m_edit, Lifetime(), [this](QObject*, QEvent* event) {
            if (event->type() != QEvent::KeyPress)
                return false;
            return ForwardEditKey(*m_edit, *static_cast<QKeyEvent*>(event),
                                  [this](int16_t code, int16_t shift, const std::string& typed) {
                                      Act([&] {
                                          Find().UserSelect(ShownSelection());
                                          Find().UserPressKey(code, shift, typed);
                                      });
                                  });
        });
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
        const suite_controls::TextSelection shown = ShownSelection();
        if (selection.Start == shown.Start && selection.Length == shown.Length)
            return;
        if (selection.Length > 0)
            m_edit->setSelection(selection.Start, selection.Length);
        else
            m_edit->setCursorPosition(selection.Start);
    }

private:
    suite_controls::QVFind& Find() const { return As<suite_controls::QVFind>(Control()); }

    // The caret or selection as the widget shows it (the user may have moved it there).
    suite_controls::TextSelection ShownSelection() const
    {
        if (!m_edit->hasSelectedText())
            return {static_cast<int32_t>(m_edit->cursorPosition()), 0};
        return {static_cast<int32_t>(m_edit->selectionStart()),
                static_cast<int32_t>(m_edit->selectedText().size())};
    }

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

    QLineEdit* m_edit = nullptr;
    QToolButton* m_search = nullptr;
    QToolButton* m_clear = nullptr;
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
        QObject::connect(combo, &QComboBox::activated, Lifetime(), [this](int index) {
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
        edit->setStyleSheet(EditFrame);
        // Every edit goes through the box's KeyPress; Qt's own editing paths are closed.
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAcceptDrops(false);
        new EventHook(edit, Lifetime(), [this, edit](QObject*, QEvent* event) {
            if (event->type() != QEvent::KeyPress)
                return false;
            return ForwardEditKey(*edit, *static_cast<QKeyEvent*>(event),
                                  [this](int16_t code, int16_t shift, const std::string& typed) {
                                      Act([&] {
                                          TakeSelection();
                                          Box().UserPressKey(code, shift, typed);
                                      });
                                  });
        });
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
};

class TextPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;

protected:
    QWidget* CreateWidget(QWidget* parent) override
    {
        auto* edit = new QLineEdit(parent);
        edit->setStyleSheet(EditFrame);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        QObject::connect(edit, &QLineEdit::textEdited, Lifetime(), [this](const QString& text) {
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
                edit->setStyleSheet(EditFrame +
                                    QStringLiteral("QLineEdit { lineedit-password-character: %1 }")
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
        QObject::connect(button, &QPushButton::clicked, Lifetime(), [this] {
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

const std::vector<PeerKind>& SuitePeerKinds()
{
    static const std::vector<PeerKind> kinds{
        {"QVFind", MakePeerOf<FindPeer>},
        {"QVComboBox", MakePeerOf<ComboPeer>},
        {"QVNumberBox", MakePeerOf<NumberPeer>},
        {"QVTextBox", MakePeerOf<TextPeer>},
        {"QVCommandButton", MakePeerOf<ButtonPeer>},
        {"QVTheme", MakePeerOf<ThemePeer>},
    };
    return kinds;
}

} // namespace desktop
