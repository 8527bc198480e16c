#include "host/desktop/Convert.h"

#include "platform/Keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPalette>

#include <cmath>

namespace desktop {

int Scale::Pixels(int32_t twips) const
{
    return static_cast<int>(std::lround(twips * m_dpi / 1440.0));
}

int32_t Scale::Twips(int pixels) const
{
    return static_cast<int32_t>(std::lround(pixels * 1440.0 / m_dpi));
}

int Scale::FromWindowSystemPixels(int32_t pixels) const
{
    return static_cast<int>(std::lround(pixels * m_dpi / 96.0));
}

QRect Scale::Rect(int32_t left, int32_t top, int32_t width, int32_t height) const
{
    const int x = Pixels(left);
    const int y = Pixels(top);
    // Right and bottom edges are rounded on their own, so neighbours keep touching.
    return QRect(x, y, std::max(0, Pixels(left + width) - x),
                 std::max(0, Pixels(top + height) - y));
}

std::optional<QColor> ToQColor(int32_t color)
{
    if (color == -1)
        return std::nullopt;
    const auto bits = static_cast<uint32_t>(color);
    if (bits & 0x80000000u) {
        const QPalette palette = QApplication::palette();
        switch (bits & 0xFF) {
        case 5: // window background
            return palette.color(QPalette::Base);
        case 8:  // window text
        case 18: // button text
            return palette.color(QPalette::ButtonText);
        case 12: // application workspace
            return palette.color(QPalette::Mid);
        case 13: // highlight
            return palette.color(QPalette::Highlight);
        case 14: // highlighted text
            return palette.color(QPalette::HighlightedText);
        case 16: // button shadow
            return palette.color(QPalette::Dark);
        case 17: // grey text
            return palette.color(QPalette::Disabled, QPalette::Text);
        default: // 15, button face, and the rest
            return palette.color(QPalette::Button);
        }
    }
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

std::string ColorText(int32_t color)
{
    const auto qcolor = ToQColor(color);
    if (!qcolor)
        return "transparent";
    return "rgb(" + std::to_string(qcolor->red()) + ", " + std::to_string(qcolor->green()) + ", " +
           std::to_string(qcolor->blue()) + ")";
}

QString FontFamily(const std::string& name)
{
    if (name == "Arial" || name == "MS Sans Serif" || name.empty())
        return QStringLiteral("Liberation Sans");
    if (name == "Tahoma" || name == "Verdana")
        return QStringLiteral("DejaVu Sans");
    return ToQString(name);
}

QFont ToQFont(const std::string& name, double pointSize, bool bold)
{
    QFont font(FontFamily(name));
    font.setStyleHint(QFont::SansSerif);
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QString KeyName(int16_t keyCode)
{
    if (keyCode >= platform::vbKeyF1 && keyCode <= platform::vbKeyF12)
        return "F" + QString::number(keyCode - platform::vbKeyF1 + 1);
    if (keyCode == platform::vbKeyEscape)
        return "Esc";
    return QKeySequence(keyCode).toString();
}

int16_t KeyCodeOf(const QKeyEvent& event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<int16_t>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<int16_t>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return static_cast<int16_t>(0x70 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Minus:
        return 189;
    case Qt::Key_Period:
        return 190;
    default:
        return 0;
    }
}

int16_t ShiftStateOf(Qt::KeyboardModifiers modifiers)
{
    int16_t shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= 1;
    if (modifiers & Qt::ControlModifier)
        shift |= 2;
    if (modifiers & Qt::AltModifier)
        shift |= 4;
    return shift;
}

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStd(const QString& text)
{
    return text.toStdString();
}

} // namespace desktop
