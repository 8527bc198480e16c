// The report renderer: where a page's boxes, lines and texts land, and the PDF it writes.
#include "host/report/ReportRenderer.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct GuiEnvironment : ::testing::Environment {
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { application.reset(); }

    int argc = 1;
    char name[32] = "report_renderer_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> application;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// 144 dpi: ten pixels to 100 twips.
constexpr double PixelsPerTwip = 144.0 / 1440.0;

QImage Drawn(const platform::ReportPage& page)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(PixelsPerTwip, PixelsPerTwip);
    report::DrawPage(page, painter);
    return image;
}

bool HasInk(const QImage& image, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y).lightness() < 160)
                return true;
        }
    }
    return false;
}

TEST(ReportRenderer, DrawsInTwipsFromThePaperCornerWithThePlatformsColours)
{
    platform::ReportPage page;
    page.Boxes.push_back({100, 100, 400, 300, platform::RGB(0, 0, 255), platform::RGB(255, 0, 0)});
    page.Lines.push_back({0, 1500, 3000, 1500, 30, 0});
    const QImage image = Drawn(page);
    EXPECT_EQ(image.pixelColor(30, 25), QColor(255, 0, 0)) << "red + green * 256 + blue * 65536";
    const QColor border = image.pixelColor(10, 25);
    EXPECT_GT(border.blue(), 2 * border.green()) << border.name().toStdString();
    EXPECT_TRUE(HasInk(image, QRect(0, 149, 300, 2)));
    EXPECT_FALSE(HasInk(image, QRect(0, 60, 300, 80)));
}

TEST(ReportRenderer, ATextTooLongForItsBoxStaysInsideIt)
{
    platform::ReportPage page;
    page.Texts.push_back(
        {100, 100, 1000, 300, "Ração premium cães filhotes 3kg caixa com 4 unidades", "Arial", 10});
    const QImage image = Drawn(page);
    EXPECT_TRUE(HasInk(image, QRect(10, 10, 100, 30)));
    EXPECT_FALSE(HasInk(image, QRect(112, 0, 188, 200))) << "ink right of the box";
}

TEST(ReportRenderer, WritesAnA4PdfWithTheReportsTitle)
{
    platform::LaidOutReport pages;
    pages.Title = "Imprimir produtos e/ou serviços a pagar";
    pages.PaperWidth = platform::Report::A4Width;
    pages.PaperHeight = platform::Report::A4Height;
    pages.LeftMargin = pages.RightMargin = pages.TopMargin = pages.BottomMargin = 850;
    pages.Pages.resize(1);

    QTemporaryDir folder;
    const QString path = folder.filePath("relatorio.pdf");
    ASSERT_TRUE(report::WritePdf(pages, path.toStdString()));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 595.000000 842.000000]")) << "A4";
    QByteArray title; // the PDF keeps it in UTF-16
    for (const QChar c : QStringLiteral("e/ou serviços"))
        title.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode()));
    EXPECT_TRUE(bytes.contains(title));
}

} // namespace
