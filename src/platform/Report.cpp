#include "platform/Report.h"

#include "platform/Errors.h"
#include "platform/Host.h"
#include "platform/Runtime.h"

#include <algorithm>

namespace platform {

ReportSection::ReportSection(Report* report, std::string name, SectionKind kind)
    : Control(report, std::move(name), "ReportSection"), m_kind(kind)
{
}

ReportLabel::ReportLabel(ReportSection* section, std::string name, std::string caption)
    : Control(section, std::move(name), "ReportLabel")
{
    Caption = caption;
}

ReportTextBox::ReportTextBox(ReportSection* section, std::string name)
    : Control(section, std::move(name), "ReportTextBox")
{
}

ReportLine::ReportLine(ReportSection* section, std::string name)
    : Control(section, std::move(name), "ReportLine")
{
}

ReportShape::ReportShape(ReportSection* section, std::string name)
    : Control(section, std::move(name), "ReportShape")
{
}

Report::Report(std::string name) : Form(std::move(name), "DataReport") {}

ReportSection& Report::Sections(std::string_view name)
{
    for (Control* child : Children()) {
        auto* section = dynamic_cast<ReportSection*>(child);
        if (section && section->Name() == name)
            return *section;
    }
    Raise(errSubscriptOutOfRange);
}

namespace {

int32_t Bottom(const Control& control)
{
    if (const auto* line = dynamic_cast<const ReportLine*>(&control))
        return std::max(line->Y1(), line->Y2()) + line->BorderWidth / 2;
    return control.Top + control.Height;
}

// How much of the page a band takes: its section, or its lowest control if that is lower.
int32_t Extent(const ReportSection& section)
{
    int32_t extent = section.Height;
    for (const Control* control : section.Children()) {
        if (control->Visible)
            extent = std::max(extent, Bottom(*control));
    }
    return extent;
}

std::string FillFields(std::string_view caption, int page, int pages, const std::string& today)
{
    std::string text;
    for (size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] == '%' && at + 1 < caption.size()) {
            const char field = caption[at + 1];
            if (field == 'd' || field == 'p' || field == 'P') {
                text += field == 'd' ? today : std::to_string(field == 'p' ? page : pages);
                ++at;
                continue;
            }
        }
        text += caption[at];
    }
    return text;
}

// Where each band goes: page, top, and the texts of its text boxes, read while its record is
// the current one.
struct Band {
    int Page = 0;
    int32_t Top = 0;
    const ReportSection* Section = nullptr;
    std::vector<std::string> Values;
};

class Planner {
public:
    Planner(Report& report, std::vector<Band>& bands) : m_report(report), m_bands(bands)
    {
        for (Control* child : report.Children()) {
            auto* section = dynamic_cast<ReportSection*>(child);
            if (section && section->Visible && Extent(*section) > 0)
                m_sections.push_back(section);
        }
        m_pageTop = report.TopMargin;
        const int32_t paperBottom = report.PaperHeight - report.BottomMargin;
        m_pageFooter = Of(SectionKind::PageFooter);
        m_limit = paperBottom - (m_pageFooter ? Extent(*m_pageFooter) : 0);
        if (m_limit <= m_pageTop)
            Raise(errInvalidPropertyValue, "The report's page footer does not fit on the paper");
    }

    int Plan()
    {
        OpenPage();
        PlaceAll(SectionKind::ReportHeader);
        const ReportSection* detail = Of(SectionKind::Detail);
        if (RecordsetRef records = m_report.DataSource; records && detail) {
            for (records->MoveFirst(); !records->Eof(); records->MoveNext())
                Place(*detail);
        }
        PlaceAll(SectionKind::ReportFooter);
        ClosePage();
        return m_page + 1;
    }

private:
    const ReportSection* Of(SectionKind kind) const
    {
        for (const ReportSection* section : m_sections) {
            if (section->Band() == kind)
                return section;
        }
        return nullptr;
    }

    void PlaceAll(SectionKind kind)
    {
        for (const ReportSection* section : m_sections) {
            if (section->Band() == kind)
                Place(*section);
        }
    }

    void Place(const ReportSection& section)
    {
        const int32_t extent = Extent(section);
        if (m_y + extent > m_limit) {
            if (m_y == m_bodyTop)
                Raise(errInvalidPropertyValue,
                      "The section " + section.Name() + " does not fit on a page");
            ClosePage();
            ++m_page;
            OpenPage();
        }
        Put(section, m_y);
        m_y += extent;
    }

    void OpenPage()
    {
        m_y = m_pageTop;
        if (const ReportSection* header = Of(SectionKind::PageHeader)) {
            if (m_y + Extent(*header) > m_limit)
                Raise(errInvalidPropertyValue, "The page header does not fit on the paper");
            Put(*header, m_y);
            m_y += Extent(*header);
        }
        m_bodyTop = m_y;
    }

    void ClosePage()
    {
        if (m_pageFooter)
            Put(*m_pageFooter, m_limit);
    }

    void Put(const ReportSection& section, int32_t top)
    {
        Band band{m_page, top, &section, {}};
        const RecordsetRef& records = m_report.DataSource;
        for (const Control* control : section.Children()) {
            const auto* box = dynamic_cast<const ReportTextBox*>(control);
            if (!box)
                continue;
            std::string text;
            if (records && !records->Eof() && !box->DataField().empty()) {
                const Variant& value = records->Fields(box->DataField()).Value;
                text =
                    box->DataFormat().empty() ? value.AsString() : Format(value, box->DataFormat());
            }
            band.Values.push_back(std::move(text));
        }
        m_bands.push_back(std::move(band));
    }

    Report& m_report;
    std::vector<Band>& m_bands;
    std::vector<const ReportSection*> m_sections;
    const ReportSection* m_pageFooter = nullptr;
    int32_t m_pageTop = 0;
    int32_t m_limit = 0;
    int32_t m_bodyTop = 0;
    int32_t m_y = 0;
    int m_page = 0;
};

PageText TextOf(const Control& control, int32_t left, int32_t top, std::string text,
                int32_t alignment)
{
    return {left + control.Left, top + control.Top, control.Width,    control.Height,
            std::move(text),     control.FontName,  control.FontSize, control.FontBold,
            control.ForeColor,   alignment};
}

void Draw(const Band& band, int pages, const std::string& today, int32_t left, ReportPage& page)
{
    size_t value = 0;
    for (const Control* control : band.Section->Children()) {
        const int32_t top = band.Top;
        if (const auto* box = dynamic_cast<const ReportTextBox*>(control)) {
            std::string text = band.Values[value++];
            if (box->Visible)
                page.Texts.push_back(TextOf(*box, left, top, std::move(text), box->Alignment));
            continue;
        }
        if (!control->Visible)
            continue;
        if (const auto* label = dynamic_cast<const ReportLabel*>(control)) {
            page.Texts.push_back(TextOf(*label, left, top,
                                        FillFields(label->Caption(), band.Page + 1, pages, today),
                                        label->Alignment));
        } else if (const auto* line = dynamic_cast<const ReportLine*>(control)) {
            page.Lines.push_back({left + line->X1, top + line->Y1, left + line->X2, top + line->Y2,
                                  line->BorderWidth, line->BorderColor});
        } else if (const auto* shape = dynamic_cast<const ReportShape*>(control)) {
            page.Boxes.push_back({left + shape->Left, top + shape->Top, shape->Width, shape->Height,
                                  shape->BorderColor,
                                  shape->BackStyle == 1 ? shape->BackColor() : -1});
        }
    }
}

} // namespace

LaidOutReport Report::Layout()
{
    if (LeftMargin < 0 || RightMargin < 0 || TopMargin < 0 || BottomMargin < 0 ||
        ReportWidth + LeftMargin + RightMargin > PaperWidth)
        Raise(errInvalidPropertyValue, "The report is wider than the paper between its margins");
    std::vector<Band> bands;
    const int pages = Planner(*this, bands).Plan();

    LaidOutReport laidOut{Caption,   PaperWidth,  PaperHeight,  LeftMargin,
                          TopMargin, RightMargin, BottomMargin, {}};
    laidOut.Pages.resize(static_cast<size_t>(pages));
    const std::string today = platform::Today().ToText();
    for (const Band& band : bands)
        Draw(band, pages, today, LeftMargin, laidOut.Pages[static_cast<size_t>(band.Page)]);
    return laidOut;
}

void Report::Show(int32_t modal)
{
    if (modal != vbModal)
        Raise(errInvalidProcedureCall, "A report's preview is only shown modally");
    m_pages = Layout();
    Form::Show(vbModeless);
    Modal = true;
    CurrentHost().ShowPreview(*this);
    Modal = false;
    Hide();
}

} // namespace platform
