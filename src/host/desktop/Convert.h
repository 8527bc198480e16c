// What the platform counts in and what Qt draws with: twips to pixels at the screen's dpi,
// packed RGB and system colours to QColor, the suite's font names to fonts Debian ships, and
// Qt keys to the window system's key codes.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include <cstdint>
#include <optional>
#include <string>

class QKeyEvent;

namespace desktop {

// 1 twip = 1/15 pixel at 96 dpi; other dpis scale it.
class Scale {
public:
    explicit Scale(double dotsPerInch = 96.0) : m_dpi(dotsPerInch) {}
    int Pixels(int32_t twips) const;
    int32_t Twips(int pixels) const;
    // The window system's pixels (15 twips each) as this screen's pixels.
    int FromWindowSystemPixels(int32_t pixels) const;
    QRect Rect(int32_t left, int32_t top, int32_t width, int32_t height) const;
    double DotsPerInch() const { return m_dpi; }

private:
    double m_dpi;
};

// -1 (transparent) answers nothing; system colours (high bit set) take the palette's.
std::optional<QColor> ToQColor(int32_t color);
// For style sheets: "rgb(r, g, b)", or "transparent".
std::string ColorText(int32_t color);

// Arial becomes Liberation Sans and Tahoma DejaVu Sans: the metric-compatible fonts Debian ships.
QString FontFamily(const std::string& name);
QFont ToQFont(const std::string& name, double pointSize, bool bold);

// The window system's key code (VK_...) of a Qt key, 0 when there is none; and the shift state
// (1 Shift, 2 Ctrl, 4 Alt).
int16_t KeyCodeOf(const QKeyEvent& event);
// How a key is written on a tool tip ("F5", "Esc").
QString KeyName(int16_t keyCode);
int16_t ShiftStateOf(Qt::KeyboardModifiers modifiers);

QString ToQString(const std::string& text);
std::string ToStd(const QString& text);

} // namespace desktop
