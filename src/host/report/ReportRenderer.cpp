#include "host/report/ReportRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr double TwipsPerPoint = 20.0;
constexpr double TwipsPerInch = 1440.0;
constexpr int32_t BoxBorderTwips = 15;

QColor ColorOf(int32_t color)
{
    if (color < 0)
        return Qt::black;
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QFont FontOf(const platform::PageText& text)
{
    QFont font(QString::fromStdString(text.FontName));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(text.FontSize * TwipsPerPoint))));
    font.setBold(text.FontBold);
    return font;
}

Qt::Alignment AlignmentOf(int32_t alignment)
{
    switch (alignment) {
    case platform::vbRightJustify:
        return Qt::AlignRight;
    case platform::vbCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

QPageLayout LayoutOf(const platform::LaidOutReport& pages)
{
    const bool landscape = pages.PaperWidth > pages.PaperHeight;
    const QSizeF portrait(std::min(pages.PaperWidth, pages.PaperHeight) / TwipsPerPoint,
                          std::max(pages.PaperWidth, pages.PaperHeight) / TwipsPerPoint);
    const QPageSize size(portrait, QPageSize::Point, QString(), QPageSize::FuzzyMatch);
    const QMarginsF margins(pages.LeftMargin / TwipsPerPoint, pages.TopMargin / TwipsPerPoint,
                            pages.RightMargin / TwipsPerPoint, pages.BottomMargin / TwipsPerPoint);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, margins,
                       QPageLayout::Point);
}

} // namespace

void SetUpPage(const platform::LaidOutReport& pages, QPagedPaintDevice& device)
{
    const QPageLayout layout = LayoutOf(pages);
    if (!device.setPageLayout(layout)) {
        // A printer that cannot print that near the edge keeps its own margins; the pages are
        // still placed from the paper's corner below.
        device.setPageSize(layout.pageSize());
        device.setPageOrientation(layout.orientation());
    }
}

bool Draw(const platform::LaidOutReport& pages, QPagedPaintDevice& device)
{
    SetUpPage(pages, device);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The painter starts at the corner of the printable area; the display list counts from the
    // paper's.
    const QPageLayout layout = device.pageLayout();
    const QPointF inset = layout.paintRect(QPageLayout::Inch).topLeft() -
                          layout.fullRect(QPageLayout::Inch).topLeft();
    bool first = true;
    for (const platform::ReportPage& page : pages.Pages) {
        if (!first)
            device.newPage();
        first = false;
        painter.save();
        painter.scale(device.logicalDpiX() / TwipsPerInch, device.logicalDpiY() / TwipsPerInch);
        painter.translate(-inset * TwipsPerInch);
        DrawPage(page, painter);
        painter.restore();
    }
    return painter.end();
}

void DrawPage(const platform::ReportPage& page, QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    for (const platform::PageBox& box : page.Boxes) {
        painter.setPen(QPen(ColorOf(box.BorderColor), BoxBorderTwips));
        painter.setBrush(box.FillColor < 0 ? QBrush(Qt::NoBrush) : QBrush(ColorOf(box.FillColor)));
        painter.drawRect(QRectF(box.Left, box.Top, box.Width, box.Height));
    }
    painter.setBrush(Qt::NoBrush);
    for (const platform::PageLine& line : page.Lines) {
        QPen pen(ColorOf(line.Color), std::max(1, line.Width));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(QLineF(line.X1, line.Y1, line.X2, line.Y2));
    }
    for (const platform::PageText& text : page.Texts) {
        const QFont font = FontOf(text);
        painter.setFont(font);
        painter.setPen(ColorOf(text.Color));
        const QString fitted = QFontMetricsF(font).elidedText(QString::fromStdString(text.Text),
                                                              Qt::ElideRight, text.Width);
        painter.drawText(QRectF(text.Left, text.Top, text.Width, text.Height),
                         AlignmentOf(text.Alignment) | Qt::AlignTop | Qt::TextSingleLine, fitted);
    }
}

bool WritePdf(const platform::LaidOutReport& pages, const std::string& path)
{
    QPdfWriter writer(QString::fromStdString(path));
    writer.setTitle(QString::fromStdString(pages.Title));
    writer.setCreator(QStringLiteral("Kelo Pet Shop"));
    return Draw(pages, writer);
}

} // namespace report
