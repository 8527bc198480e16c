#include "host/desktop/Convert.h"
#include "host/desktop/Pictures.h"

#include "platform/Control.h"
#include "platform/Pictures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>

#include <gtest/gtest.h>

namespace desktop {
namespace {

TEST(Convert_Colors, PackedRgbAndSystemColors)
{
    struct Row {
        int32_t color;
        std::optional<QColor> expected;
    };
    const std::vector<Row> rows{
        {platform::RGB(249, 248, 247), QColor(249, 248, 247)},
        {-1, std::nullopt},
        {platform::SystemColor(13), QApplication::palette().color(QPalette::Highlight)},
        {platform::vbButtonText, QApplication::palette().color(QPalette::ButtonText)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ToQColor(row.color), row.expected) << row.color;
    EXPECT_EQ(ColorText(platform::RGB(1, 2, 3)), "rgb(1, 2, 3)");
    EXPECT_EQ(ColorText(-1), "transparent");
}

TEST(Convert_Pictures, EveryNamedPictureIsDrawnAndAnUnknownOneShows)
{
    namespace pictures = platform::pictures;
    const std::vector<std::pair<const char*, QSize>> named{
        {pictures::MensagemDeEspera, QSize(334, 38)},
        {pictures::MensagemDePesquisa, QSize(334, 38)},
        {pictures::ClassificacaoCrescente, QSize(12, 12)},
        {pictures::ClassificacaoDecrescente, QSize(12, 12)},
    };
    for (const auto& [name, size] : named)
        EXPECT_EQ(NamedPicture(name).size(), size) << name;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(NamedPicture("FiguraQueNaoExiste").isNull());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("\"FiguraQueNaoExiste\""),
              std::string::npos);
}

TEST(Convert_Fonts, SuiteFontsBecomeDebiansMetricTwins)
{
    EXPECT_EQ(FontFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(FontFamily("Tahoma"), "DejaVu Sans");
    EXPECT_EQ(FontFamily("Courier New"), "Courier New");
    const QFont font = ToQFont("Arial", 11.25, true);
    EXPECT_EQ(font.family(), "Liberation Sans");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 11.25);
    EXPECT_TRUE(font.bold());
}

TEST(Convert_Keys, QtKeysBecomeWindowKeyCodes)
{
    struct Row {
        int key;
        Qt::KeyboardModifiers modifiers;
        int16_t code;
        int16_t shift;
    };
    const std::vector<Row> rows{
        {Qt::Key_A, Qt::ShiftModifier, 'A', 1},       {Qt::Key_7, Qt::NoModifier, '7', 0},
        {Qt::Key_Return, Qt::NoModifier, 13, 0},      {Qt::Key_Enter, Qt::NoModifier, 13, 0},
        {Qt::Key_Delete, Qt::ControlModifier, 46, 2}, {Qt::Key_Down, Qt::AltModifier, 40, 4},
        {Qt::Key_F5, Qt::NoModifier, 0x74, 0},        {Qt::Key_Launch0, Qt::NoModifier, 0, 0},
    };
    for (const Row& row : rows) {
        const QKeyEvent event(QEvent::KeyPress, row.key, row.modifiers);
        EXPECT_EQ(KeyCodeOf(event), row.code) << row.key;
        EXPECT_EQ(ShiftStateOf(event.modifiers()), row.shift) << row.key;
    }
}

} // namespace
} // namespace desktop
