// The report facility: a banded report bound to a record set, laid out into pages that the hosts'
// one renderer draws (the desktop's preview, its printer and its PDF; the runner's save-pdf), so
// what is previewed is what is printed.
//
// Bands: the report header opens page 1, the page header opens and the page footer closes every
// page, one detail band follows per record of DataSource in its order, and the report footer
// follows the last record. A band is never split: one that does not fit above the page footer
// starts the next page, and a band that fits no page raises 380 instead of running off the paper.
// A band is as tall as its section or as the lowest of its controls, whichever is more.
// A text box shows the field named by its DataField in the record of its band (none after the
// last record), through its DataFormat when that is set; a label's caption has "%d" (today,
// DD/MM/YYYY), "%p" (this page) and "%P" (the number of pages) filled in. Data never has fields
// filled in: a product called "100%puro" prints as it is.
//
// The pages are a display list (boxes, then lines, then texts, drawn in that order), in twips from
// the paper's top-left corner; the paper is A4 unless set.
#pragma once

#include "platform/Controls.h"
#include "platform/Recordset.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Report;

enum class SectionKind { ReportHeader, PageHeader, Detail, PageFooter, ReportFooter };

enum FormWindowStateConstants : int32_t { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum AlignmentConstants : int32_t { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };

class ReportSection : public Control {
public:
    ReportSection(Report* report, std::string name, SectionKind kind);
    bool CanTakeFocus() const override { return false; }
    SectionKind Band() const { return m_kind; }

private:
    SectionKind m_kind;
};

class ReportLabel : public Control {
public:
    ReportLabel(ReportSection* section, std::string name, std::string caption = {});
    bool CanTakeFocus() const override { return false; }
    Property<std::string> Caption{this, "Caption"};
    Property<int32_t> Alignment{this, "Alignment", vbLeftJustify};
};

class ReportTextBox : public Control {
public:
    ReportTextBox(ReportSection* section, std::string name);
    bool CanTakeFocus() const override { return false; }
    Property<std::string> DataField{this, "DataField"};
    // A format of the runtime's Format; empty shows the value's own text.
    Property<std::string> DataFormat{this, "DataFormat"};
    Property<int32_t> Alignment{this, "Alignment", vbLeftJustify};
};

// A straight line from (X1, Y1) to (X2, Y2) of its section, BorderWidth twips wide.
class ReportLine : public Control {
public:
    ReportLine(ReportSection* section, std::string name);
    bool CanTakeFocus() const override { return false; }
    Property<int32_t> X1{this, "X1"};
    Property<int32_t> Y1{this, "Y1"};
    Property<int32_t> X2{this, "X2"};
    Property<int32_t> Y2{this, "Y2"};
    Property<int32_t> BorderWidth{this, "BorderWidth", 15};
    Property<int32_t> BorderColor{this, "BorderColor", RGB(0, 0, 0)};
};

// A rectangle at Left, Top, Width, Height; BackStyle 1 fills it with BackColor.
class ReportShape : public Control {
public:
    ReportShape(ReportSection* section, std::string name);
    bool CanTakeFocus() const override { return false; }
    Property<int32_t> BackStyle{this, "BackStyle", 0};
    Property<int32_t> BorderColor{this, "BorderColor", RGB(0, 0, 0)};
};

// ---- the laid-out pages

struct PageBox {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t BorderColor = 0;
    int32_t FillColor = -1; // -1: not filled
};

struct PageLine {
    int32_t X1 = 0;
    int32_t Y1 = 0;
    int32_t X2 = 0;
    int32_t Y2 = 0;
    int32_t Width = 15;
    int32_t Color = 0;
};

// One line of text in its box, at the box's top; what does not fit the width is the renderer's
// to shorten, never to spill into the next box.
struct PageText {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    std::string Text;
    std::string FontName;
    double FontSize = 8.25;
    bool FontBold = false;
    int32_t Color = 0;
    int32_t Alignment = vbLeftJustify;
};

struct ReportPage {
    std::vector<PageBox> Boxes;
    std::vector<PageLine> Lines;
    std::vector<PageText> Texts;
};

struct LaidOutReport {
    std::string Title;
    int32_t PaperWidth = 0;
    int32_t PaperHeight = 0;
    int32_t LeftMargin = 0;
    int32_t TopMargin = 0;
    int32_t RightMargin = 0;
    int32_t BottomMargin = 0;
    std::vector<ReportPage> Pages;
};

// The report layout itself; its window is the preview, titled by Caption.
class Report : public Form {
public:
    static constexpr int32_t A4Width = 11906;
    static constexpr int32_t A4Height = 16838;

    explicit Report(std::string name);

    Property<int32_t> ReportWidth{this, "ReportWidth", A4Width - 2 * 1440};
    Property<int32_t> LeftMargin{this, "LeftMargin", 1440};
    Property<int32_t> RightMargin{this, "RightMargin", 1440};
    Property<int32_t> TopMargin{this, "TopMargin", 1440};
    Property<int32_t> BottomMargin{this, "BottomMargin", 1440};
    Property<int32_t> PaperWidth{this, "PaperWidth", A4Width};
    Property<int32_t> PaperHeight{this, "PaperHeight", A4Height};
    Property<int32_t> WindowState{this, "WindowState", vbNormal};
    // The records of the detail bands; none: no detail band.
    RecordsetRef DataSource;

    // The section of that name; an unknown name raises 9.
    ReportSection& Sections(std::string_view name);

    // Lays the report out as it stands, reading DataSource from its first record. Raises 380 when
    // the report is wider than the paper between its margins or a band fits no page, and the
    // record set's errors for an unknown field.
    LaidOutReport Layout();

    // Lays the report out, then shows the pages in the host's print preview until the user
    // closes it. Only modal showing exists; vbModeless raises 5.
    void Show(int32_t modal = vbModal);
    // The pages the preview shows (or showed last).
    const LaidOutReport& Pages() const { return m_pages; }

private:
    LaidOutReport m_pages;
};

} // namespace platform
