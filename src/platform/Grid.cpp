#include "platform/Grid.h"

#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/Host.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace platform {

namespace {

// Enough for any screen; beyond it a shape change is refused before it allocates.
constexpr int64_t MaxCells = int64_t{1} << 24;

constexpr int16_t LeftButton = 1;
constexpr int16_t RightButton = 2;
constexpr int16_t ShiftMask = 1;
constexpr int16_t CtrlMask = 2;
constexpr int16_t AltMask = 4;

enum NavigationKey : int16_t {
    KeyPageUp = 33,
    KeyPageDown = 34,
    KeyEnd = 35,
    KeyHome = 36,
    KeyArrowLeft = 37,
    KeyArrowUp = 38,
    KeyArrowRight = 39,
    KeyArrowDown = 40,
};

void CheckAlignment(int32_t alignment)
{
    if (alignment < flexAlignLeftTop || alignment > flexAlignGeneral)
        Raise(errInvalidPropertyValue);
}

// The two corners of a range, lower first.
std::pair<int32_t, int32_t> Ordered(int32_t a, int32_t b)
{
    return a <= b ? std::pair{a, b} : std::pair{b, a};
}

// The character a key makes, 0 for none (navigation keys, keys with Alt, shifted digits).
int16_t CharacterOf(int16_t keyCode, int16_t shift)
{
    if (shift & AltMask)
        return 0;
    if (keyCode == vbKeyBack || keyCode == vbKeyReturn || keyCode == vbKeyEscape || keyCode == 32)
        return keyCode;
    if (keyCode >= 'A' && keyCode <= 'Z') {
        if (shift & CtrlMask)
            return static_cast<int16_t>(keyCode - 'A' + 1);
        return (shift & ShiftMask) ? keyCode : static_cast<int16_t>(keyCode - 'A' + 'a');
    }
    if (keyCode >= '0' && keyCode <= '9' && shift == 0)
        return keyCode;
    return 0;
}

// --- Sorting -------------------------------------------------------------------------------

struct SortKey {
    bool isNumber = false;
    double number = 0;
    std::string text;
};

// A cell read as a number with the runtime's rules; anything else is 0.
double NumberIn(const std::string& text)
{
    try {
        const Variant value(text);
        return IsNumeric(value) ? CDbl(value) : 0.0;
    } catch (const RuntimeError&) {
        return 0.0;
    }
}

SortKey KeyOf(const std::string& text, int32_t mode)
{
    SortKey key;
    switch (mode) {
    case flexSortGenericAscending:
    case flexSortGenericDescending:
        key.isNumber = IsNumeric(Variant(text));
        if (key.isNumber)
            key.number = NumberIn(text);
        else
            key.text = UCase(text);
        break;
    case flexSortNumericAscending:
    case flexSortNumericDescending:
        key.number = NumberIn(text);
        break;
    case flexSortStringNoCaseAscending:
    case flexSortStringNoCaseDescending:
        key.text = UCase(text);
        break;
    default:
        key.text = text;
        break;
    }
    return key;
}

int CompareNumbers(double a, double b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Generic modes put numbers before texts so that mixed columns still order consistently.
int CompareKeys(const SortKey& a, const SortKey& b, int32_t mode)
{
    switch (mode) {
    case flexSortGenericAscending:
    case flexSortGenericDescending:
        if (a.isNumber != b.isNumber)
            return a.isNumber ? -1 : 1;
        if (a.isNumber)
            return CompareNumbers(a.number, b.number);
        break;
    case flexSortNumericAscending:
    case flexSortNumericDescending:
        return CompareNumbers(a.number, b.number);
    default:
        break;
    }
    // char_traits<char> compares as unsigned bytes: UTF-8 byte order.
    const int order = a.text.compare(b.text);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool IsDescending(int32_t mode)
{
    return mode != flexSortCustom && mode % 2 == 0;
}

// Bottom-up merge sort: stable, and safe with a comparator that is not a strict weak order
// (a Compare handler may answer anything).
template <class Less>
void StableSort(std::vector<int32_t>& items, Less less)
{
    const size_t count = items.size();
    std::vector<int32_t> merged(count);
    for (size_t width = 1; width < count; width *= 2) {
        for (size_t low = 0; low < count; low += 2 * width) {
            const size_t middle = std::min(low + width, count);
            const size_t high = std::min(low + 2 * width, count);
            size_t left = low;
            size_t right = middle;
            size_t out = low;
            while (left < middle && right < high)
                merged[out++] = less(items[right], items[left]) ? items[right++] : items[left++];
            while (left < middle)
                merged[out++] = items[left++];
            while (right < high)
                merged[out++] = items[right++];
        }
        items.swap(merged);
    }
}

// --- Members by name -----------------------------------------------------------------------

// A grid member that is no Property: its number of indices, and how to read and write it.
struct NamedMember {
    std::string_view name;
    size_t indices;
    // Reading also accepts [row][col] (the Cell... members read any cell that way).
    bool readsAnyCell;
    Variant (*get)(const Grid&, const std::vector<int32_t>&); // null: write only
    void (*set)(Grid&, const std::vector<int32_t>&, const Variant&);
};

const NamedMember NamedMembers[] = {
    {"TextMatrix", 2, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.TextMatrix(i[0], i[1])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetTextMatrix(i[0], i[1], v.AsString());
     }},
    {"Text", 0, false, [](const Grid& g, const std::vector<int32_t>&) { return Variant(g.Text()); },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) { g.SetText(v.AsString()); }},
    {"ColWidth", 1, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.ColWidth(i[0])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetColWidth(i[0], v.AsLong());
     }},
    {"ColAlignment", 1, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.ColAlignment(i[0])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetColAlignment(i[0], v.AsLong());
     }},
    {"ColData", 1, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.ColData(i[0])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetColData(i[0], v.AsLong());
     }},
    {"RowHeight", 1, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.RowHeight(i[0])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetRowHeight(i[0], v.AsLong());
     }},
    {"CellPicture", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellPicture() : g.CellPictureAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellPicture(v.AsString());
     }},
    {"CellPictureAlignment", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellPictureAlignment()
                                  : g.CellPictureAlignmentAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellPictureAlignment(v.AsLong());
     }},
    {"CellBackColor", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellBackColor() : g.CellBackColorAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellBackColor(v.AsLong());
     }},
    {"CellForeColor", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellForeColor() : g.CellForeColorAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellForeColor(v.AsLong());
     }},
    {"CellAlignment", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellAlignment() : g.CellAlignmentAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellAlignment(v.AsLong());
     }},
    {"CellFontBold", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellFontBold() : g.CellFontBoldAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellFontBold(v.AsBoolean());
     }},
    {"Sort", 0, false, nullptr,
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) { g.Sort(v.AsLong()); }},
};

const NamedMember* FindNamedMember(std::string_view name)
{
    for (const NamedMember& member : NamedMembers) {
        if (member.name == name)
            return &member;
    }
    return nullptr;
}

} // namespace

// --- GridInteger ---------------------------------------------------------------------------

GridInteger::GridInteger(Grid* grid, const char* name, int32_t initial, Check check)
    : Property<int32_t>(grid, name, initial), m_grid(grid), m_check(check)
{
}

GridInteger::GridInteger(Grid* grid, const char* name, int32_t initial, int32_t minimum,
                         int32_t maximum)
    : Property<int32_t>(grid, name, initial), m_grid(grid), m_minimum(minimum), m_maximum(maximum)
{
}

GridInteger& GridInteger::operator=(int32_t value)
{
    if (m_check)
        value = (m_grid->*m_check)(value);
    else if (value < m_minimum || value > m_maximum)
        Raise(errInvalidPropertyValue);
    Store(value);
    m_grid->AfterCodeWrite(*this);
    return *this;
}

void GridInteger::FromVariant(const Variant& value)
{
    *this = value.AsLong();
}

// --- Shape ---------------------------------------------------------------------------------

Grid::Grid(Control* container, std::string name) : Control(container, std::move(name), "Grid")
{
    ResizeCols();
    ResizeRows();
}

int32_t Grid::CheckRows(int32_t value) const
{
    if (value < 0)
        Raise(errInvalidPropertyValue);
    if (int64_t{value} * std::max(ColCount(), 1) > MaxCells)
        Raise(errOutOfMemory);
    return value;
}

int32_t Grid::CheckCols(int32_t value) const
{
    if (value < 0)
        Raise(errInvalidPropertyValue);
    if (int64_t{value} * std::max(RowCount(), 1) > MaxCells)
        Raise(errOutOfMemory);
    return value;
}

int32_t Grid::CheckFixedRows(int32_t value) const
{
    if (value < 0 || value > RowCount())
        Raise(errInvalidPropertyValue);
    return value;
}

int32_t Grid::CheckFixedCols(int32_t value) const
{
    if (value < 0 || value > ColCount())
        Raise(errInvalidPropertyValue);
    return value;
}

int32_t Grid::CheckRow(int32_t value) const
{
    CheckRowIndex(value);
    return value;
}

int32_t Grid::CheckCol(int32_t value) const
{
    CheckColumnIndex(value);
    return value;
}

int32_t Grid::ClampTopRow(int32_t value) const
{
    const int32_t first = FixedRows;
    // With no scrollable row, TopRow rests on the row that would come first.
    const int32_t last = std::max(first, RowCount() - 1);
    return std::clamp(value, first, last);
}

void Grid::AfterCodeWrite(const GridInteger& property)
{
    if (&property == &Row)
        RowSel.Store(Row);
    else if (&property == &Col)
        ColSel.Store(Col);
}

void Grid::OnPropertyChanged(const PropertyBase& property)
{
    if (&property == &Rows) {
        ResizeRows();
        ClampToShape();
        ContentChanged();
    } else if (&property == &Cols) {
        ResizeCols();
        ClampToShape();
        ContentChanged();
    } else if (&property == &FixedRows || &property == &FixedCols) {
        TopRow.Store(ClampTopRow(TopRow));
        ContentChanged();
    } else if (&property == &TopRow) {
        Scroll.Raise();
    } else if (&property == &Redraw) {
        if (Redraw && m_revisionPending) {
            m_revisionPending = false;
            ContentChanged();
        }
    }
}

void Grid::ResizeRows()
{
    const auto target = static_cast<size_t>(Rows());
    if (target < m_rows.size()) {
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(target), m_rows.end());
        return;
    }
    m_rows.reserve(target);
    while (m_rows.size() < target)
        m_rows.push_back(NewRow());
}

void Grid::ResizeCols()
{
    const auto target = static_cast<size_t>(Cols());
    m_columns.resize(target);
    for (RowData& row : m_rows)
        row.cells.resize(target);
}

void Grid::ClampToShape()
{
    const int32_t lastRow = std::max(RowCount() - 1, 0);
    const int32_t lastCol = std::max(ColCount() - 1, 0);
    FixedRows.Store(std::min<int32_t>(FixedRows, RowCount()));
    FixedCols.Store(std::min<int32_t>(FixedCols, ColCount()));
    Row.Store(std::min<int32_t>(Row, lastRow));
    RowSel.Store(std::min<int32_t>(RowSel, lastRow));
    Col.Store(std::min<int32_t>(Col, lastCol));
    ColSel.Store(std::min<int32_t>(ColSel, lastCol));
    TopRow.Store(ClampTopRow(TopRow));
}

Grid::RowData Grid::NewRow() const
{
    RowData row;
    row.cells.resize(m_columns.size());
    return row;
}

void Grid::ContentChanged()
{
    if (!Redraw) {
        m_revisionPending = true;
        return;
    }
    Revision = Revision == INT32_MAX ? 0 : Revision + 1;
}

void Grid::CheckRowIndex(int32_t row) const
{
    if (row < 0 || row >= RowCount())
        Raise(errGridSubscriptOutOfRange);
}

void Grid::CheckColumnIndex(int32_t col) const
{
    if (col < 0 || col >= ColCount())
        Raise(errGridSubscriptOutOfRange);
}

void Grid::CheckCell(int32_t row, int32_t col) const
{
    CheckRowIndex(row);
    CheckColumnIndex(col);
}

// --- Cells ---------------------------------------------------------------------------------

const std::string& Grid::TextMatrix(int32_t row, int32_t col) const
{
    CheckCell(row, col);
    return m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)].text;
}

void Grid::SetTextMatrix(int32_t row, int32_t col, std::string_view text)
{
    CheckCell(row, col);
    std::string& cell = m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)].text;
    if (cell == text)
        return;
    cell = text;
    ContentChanged();
}

const std::string& Grid::Text() const
{
    return TextMatrix(Row, Col);
}

void Grid::SetText(std::string_view text)
{
    ForEachTargetCell([&](int32_t row, int32_t col) {
        m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)].text = text;
    });
}

void Grid::Clear()
{
    for (RowData& row : m_rows) {
        for (Cell& cell : row.cells) {
            cell.text.clear();
            cell.format.reset();
        }
    }
    ContentChanged();
}

void Grid::AddItem(std::string_view item)
{
    AddItem(item, RowCount());
}

void Grid::AddItem(std::string_view item, int32_t index)
{
    if (index < 0 || index > RowCount())
        Raise(errGridSubscriptOutOfRange);
    CheckRows(RowCount() + 1);
    RowData row = NewRow();
    size_t start = 0;
    for (Cell& cell : row.cells) {
        const size_t tab = item.find('\t', start);
        cell.text = item.substr(start, tab == std::string_view::npos ? item.npos : tab - start);
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    m_rows.insert(m_rows.begin() + index, std::move(row));
    // Rows follows the storage; its change clamps the selection and bumps Revision.
    Rows.Store(RowCount());
}

void Grid::RemoveItem(int32_t row)
{
    CheckRowIndex(row);
    if (row < FixedRows)
        Raise(errGridSubscriptOutOfRange);
    if (RowCount() - FixedRows <= 1)
        Raise(errGridCannotRemoveLastRow);
    m_rows.erase(m_rows.begin() + row);
    Rows.Store(RowCount());
}

// --- Columns and rows ----------------------------------------------------------------------

int32_t Grid::ColWidth(int32_t col) const
{
    CheckColumnIndex(col);
    return m_columns[static_cast<size_t>(col)].width;
}

void Grid::SetColWidth(int32_t col, int32_t width)
{
    CheckColumnIndex(col);
    if (width < -1)
        Raise(errInvalidPropertyValue);
    m_columns[static_cast<size_t>(col)].width = width == -1 ? DefaultColWidth : width;
    ContentChanged();
}

int32_t Grid::ColAlignment(int32_t col) const
{
    CheckColumnIndex(col);
    return m_columns[static_cast<size_t>(col)].alignment;
}

void Grid::SetColAlignment(int32_t col, int32_t alignment)
{
    CheckColumnIndex(col);
    CheckAlignment(alignment);
    m_columns[static_cast<size_t>(col)].alignment = alignment;
    ContentChanged();
}

int32_t Grid::ColData(int32_t col) const
{
    CheckColumnIndex(col);
    return m_columns[static_cast<size_t>(col)].data;
}

void Grid::SetColData(int32_t col, int32_t data)
{
    CheckColumnIndex(col);
    // Not drawn: no Revision.
    m_columns[static_cast<size_t>(col)].data = data;
}

int32_t Grid::RowHeight(int32_t row) const
{
    CheckRowIndex(row);
    return m_rows[static_cast<size_t>(row)].height;
}

void Grid::SetRowHeight(int32_t row, int32_t height)
{
    CheckRowIndex(row);
    if (height < -1)
        Raise(errInvalidPropertyValue);
    m_rows[static_cast<size_t>(row)].height = height == -1 ? DefaultRowHeight : height;
    ContentChanged();
}

// --- Cell formats --------------------------------------------------------------------------

Grid::CellFormat& Grid::FormatOf(int32_t row, int32_t col)
{
    auto& format = m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)].format;
    if (!format)
        format = std::make_unique<CellFormat>();
    return *format;
}

const Grid::CellFormat* Grid::FindFormat(int32_t row, int32_t col) const
{
    CheckCell(row, col);
    return m_rows[static_cast<size_t>(row)].cells[static_cast<size_t>(col)].format.get();
}

void Grid::ForEachTargetCell(const std::function<void(int32_t row, int32_t col)>& apply)
{
    CheckCell(Row, Col);
    if (FillStyle == flexFillSingle) {
        apply(Row, Col);
    } else {
        const auto [firstRow, lastRow] = Ordered(Row, RowSel);
        const auto [firstCol, lastCol] = Ordered(Col, ColSel);
        for (int32_t row = firstRow; row <= lastRow; ++row) {
            for (int32_t col = firstCol; col <= lastCol; ++col)
                apply(row, col);
        }
    }
    ContentChanged();
}

void Grid::SetCellPicture(const std::string& picture)
{
    ForEachTargetCell([&](int32_t row, int32_t col) { FormatOf(row, col).picture = picture; });
}

void Grid::SetCellPictureAlignment(int32_t alignment)
{
    CheckAlignment(alignment);
    ForEachTargetCell(
        [&](int32_t row, int32_t col) { FormatOf(row, col).pictureAlignment = alignment; });
}

void Grid::SetCellBackColor(int32_t color)
{
    ForEachTargetCell([&](int32_t row, int32_t col) { FormatOf(row, col).backColor = color; });
}

void Grid::SetCellForeColor(int32_t color)
{
    ForEachTargetCell([&](int32_t row, int32_t col) { FormatOf(row, col).foreColor = color; });
}

void Grid::SetCellAlignment(int32_t alignment)
{
    CheckAlignment(alignment);
    ForEachTargetCell([&](int32_t row, int32_t col) { FormatOf(row, col).alignment = alignment; });
}

void Grid::SetCellFontBold(bool bold)
{
    ForEachTargetCell([&](int32_t row, int32_t col) { FormatOf(row, col).fontBold = bold; });
}

std::string Grid::CellPictureAt(int32_t row, int32_t col) const
{
    const CellFormat* format = FindFormat(row, col);
    return format ? format->picture : std::string();
}

int32_t Grid::CellPictureAlignmentAt(int32_t row, int32_t col) const
{
    const CellFormat* format = FindFormat(row, col);
    return format ? format->pictureAlignment : int32_t{flexAlignLeftCenter};
}

int32_t Grid::CellBackColorAt(int32_t row, int32_t col) const
{
    const CellFormat* format = FindFormat(row, col);
    if (format && format->backColor)
        return *format->backColor;
    return IsFixedCell(row, col) ? BackColorFixed : BackColor;
}

int32_t Grid::CellForeColorAt(int32_t row, int32_t col) const
{
    const CellFormat* format = FindFormat(row, col);
    if (format && format->foreColor)
        return *format->foreColor;
    return IsFixedCell(row, col) ? ForeColorFixed : ForeColor;
}

int32_t Grid::CellAlignmentAt(int32_t row, int32_t col) const
{
    const CellFormat* format = FindFormat(row, col);
    if (format && format->alignment)
        return *format->alignment;
    return m_columns[static_cast<size_t>(col)].alignment;
}

bool Grid::CellFontBoldAt(int32_t row, int32_t col) const
{
    const CellFormat* format = FindFormat(row, col);
    if (format && format->fontBold)
        return *format->fontBold;
    return FontBold;
}

bool Grid::IsFixedCell(int32_t row, int32_t col) const
{
    return row < FixedRows || col < FixedCols;
}

bool Grid::IsCellSelected(int32_t row, int32_t col) const
{
    if (IsFixedCell(row, col) || row >= RowCount() || col >= ColCount())
        return false;
    const auto [firstRow, lastRow] = Ordered(Row, RowSel);
    const auto [firstCol, lastCol] = Ordered(Col, ColSel);
    const bool inRows = row >= firstRow && row <= lastRow;
    const bool inCols = col >= firstCol && col <= lastCol;
    switch (SelectionMode) {
    case flexSelectionByRow:
        return inRows;
    case flexSelectionByColumn:
        return inCols;
    default:
        return inRows && inCols;
    }
}

// --- Sort ----------------------------------------------------------------------------------

void Grid::Sort(int32_t mode)
{
    if (mode < flexSortNone || mode > flexSortCustom)
        Raise(errInvalidPropertyValue);
    if (mode == flexSortNone || RowCount() == 0 || ColCount() == 0)
        return;
    if (mode == flexSortCustom && !Compare.IsConnected())
        return;
    auto [firstRow, lastRow] = Ordered(Row, RowSel);
    if (firstRow == lastRow) {
        firstRow = FixedRows;
        lastRow = RowCount() - 1;
    }
    firstRow = std::max<int32_t>(firstRow, FixedRows);
    if (lastRow - firstRow < 1)
        return;
    SortRows(mode, firstRow, lastRow);
}

void Grid::SortRows(int32_t mode, int32_t firstRow, int32_t lastRow)
{
    const auto [firstCol, lastCol] = Ordered(Col, ColSel);
    const auto rowCount = static_cast<size_t>(lastRow - firstRow + 1);
    const auto keyCount = static_cast<size_t>(lastCol - firstCol + 1);

    // Keys are read once per cell, not once per comparison.
    std::vector<SortKey> keys;
    if (mode != flexSortCustom) {
        keys.reserve(rowCount * keyCount);
        for (size_t row = 0; row < rowCount; ++row) {
            const RowData& data = m_rows[static_cast<size_t>(firstRow) + row];
            for (size_t col = 0; col < keyCount; ++col)
                keys.push_back(KeyOf(data.cells[static_cast<size_t>(firstCol) + col].text, mode));
        }
    }
    const auto compare = [&](int32_t a, int32_t b) -> int {
        if (mode == flexSortCustom) {
            int16_t answer = 0;
            Compare.Raise(firstRow + a, firstRow + b, answer);
            return answer;
        }
        for (size_t col = 0; col < keyCount; ++col) {
            const int order = CompareKeys(keys[static_cast<size_t>(a) * keyCount + col],
                                          keys[static_cast<size_t>(b) * keyCount + col], mode);
            if (order != 0)
                return order;
        }
        return 0;
    };
    const bool descending = IsDescending(mode);
    std::vector<int32_t> order(rowCount);
    std::iota(order.begin(), order.end(), 0);
    const int32_t rowsBefore = RowCount();
    StableSort(order, [&](int32_t a, int32_t b) {
        const int result = compare(a, b);
        return descending ? result > 0 : result < 0;
    });
    // A Compare handler that reshaped the grid leaves nothing sound to reorder.
    if (RowCount() != rowsBefore)
        return;

    std::vector<RowData> sorted;
    sorted.reserve(rowCount);
    for (const int32_t index : order)
        sorted.push_back(std::move(m_rows[static_cast<size_t>(firstRow + index)]));
    std::move(sorted.begin(), sorted.end(), m_rows.begin() + firstRow);
    ContentChanged();
}

// --- User actions --------------------------------------------------------------------------

int32_t Grid::FirstScrollableCol() const
{
    return std::clamp<int32_t>(FixedCols, 0, std::max(ColCount() - 1, 0));
}

bool Grid::TakeFocusForClick()
{
    // A disabled window, or one inside a disabled container, never sees the mouse.
    for (const Control* control = this; control; control = control->Container()) {
        if (!control->Enabled)
            return false;
    }
    if (!IsShown())
        return false;
    return HasFocus() || Screen::MoveFocus(*this);
}

void Grid::MoveByUser(int32_t row, int32_t col, int32_t rowSel, int32_t colSel)
{
    CheckCell(row, col);
    CheckCell(rowSel, colSel);
    const bool cellMoved = row != Row || col != Col;
    const bool selectionChanged = cellMoved || rowSel != RowSel || colSel != ColSel;
    Row.Store(row);
    Col.Store(col);
    RowSel.Store(rowSel);
    ColSel.Store(colSel);
    if (cellMoved)
        RowColChange.Raise();
    if (selectionChanged)
        SelChange.Raise();
}

void Grid::SelectByUser(int32_t row, int32_t col)
{
    if (IsFixedCell(row, col))
        return;
    switch (SelectionMode) {
    case flexSelectionByRow:
        MoveByUser(row, FixedCols, row, ColCount() - 1);
        break;
    case flexSelectionByColumn:
        MoveByUser(FixedRows, col, RowCount() - 1, col);
        break;
    default:
        MoveByUser(row, col, row, col);
        break;
    }
}

void Grid::ExtendByUser(int32_t row, int32_t col)
{
    switch (SelectionMode) {
    case flexSelectionByRow:
        MoveByUser(Row, Col, row, ColCount() - 1);
        break;
    case flexSelectionByColumn:
        MoveByUser(Row, Col, RowCount() - 1, col);
        break;
    default:
        MoveByUser(Row, Col, row, col);
        break;
    }
}

Grid::MousePoint Grid::PointAt(int32_t row, int32_t col) const
{
    CheckCell(row, col);
    return {row, col, CellCentreX(col), CellCentreY(row)};
}

void Grid::PressCell(const MousePoint& point, int16_t button)
{
    MouseRow = point.row;
    MouseCol = point.col;
    if (button == LeftButton)
        SelectByUser(point.row, point.col);
    MouseDown.Raise(button, 0, point.x, point.y);
}

void Grid::UserClickCell(int32_t row, int32_t col)
{
    UserAction action;
    // Where the mouse is, taken before any handler can reshape the grid.
    const MousePoint point = PointAt(row, col);
    if (!TakeFocusForClick())
        return;
    PressCell(point, LeftButton);
    MouseUp.Raise(LeftButton, 0, point.x, point.y);
    Click.Raise();
}

void Grid::UserDragSelect(int32_t fromRow, int32_t toRow)
{
    UserAction action;
    const int32_t col = FirstScrollableCol();
    const MousePoint press = PointAt(fromRow, col);
    const MousePoint release = PointAt(toRow, col);
    if (!TakeFocusForClick())
        return;
    PressCell(press, LeftButton);
    const int32_t step = toRow >= fromRow ? 1 : -1;
    for (int32_t row = fromRow; row != toRow;) {
        row += step;
        // A handler may have shrunk the grid under the mouse.
        if (row >= RowCount())
            break;
        MouseRow = row;
        if (row >= FixedRows && ColCount() > 0)
            ExtendByUser(row, ColSel);
    }
    MouseUp.Raise(LeftButton, 0, release.x, release.y);
    Click.Raise();
}

void Grid::UserDoubleClick(int32_t row, int32_t col)
{
    UserAction action;
    if (col < 0)
        col = FirstScrollableCol();
    const MousePoint point = PointAt(row, col);
    if (!TakeFocusForClick())
        return;
    PressCell(point, LeftButton);
    MouseUp.Raise(LeftButton, 0, point.x, point.y);
    Click.Raise();
    DblClick.Raise();
    MouseUp.Raise(LeftButton, 0, point.x, point.y);
}

void Grid::UserRightClick(int32_t row, int32_t col)
{
    UserAction action;
    if (col < 0)
        col = FirstScrollableCol();
    const MousePoint point = PointAt(row, col);
    if (!TakeFocusForClick())
        return;
    PressCell(point, RightButton);
    MouseUp.Raise(RightButton, 0, point.x, point.y);
}

void Grid::UserKeyDown(int16_t keyCode, int16_t shift)
{
    UserAction action;
    KeyDown.Raise(keyCode, shift);
    if (keyCode == 0)
        return;
    MoveWithKey(keyCode, shift);
    int16_t character = CharacterOf(keyCode, shift);
    if (character != 0)
        KeyPress.Raise(character);
}

void Grid::MoveWithKey(int16_t keyCode, int16_t shift)
{
    if (FixedRows >= RowCount() || FixedCols >= ColCount())
        return;
    const bool extend = (shift & ShiftMask) != 0;
    const bool ctrl = (shift & CtrlMask) != 0;
    int32_t row = extend ? RowSel : Row;
    int32_t col = extend ? ColSel : Col;
    switch (keyCode) {
    case KeyArrowUp:
        --row;
        break;
    case KeyArrowDown:
        ++row;
        break;
    case KeyPageUp:
        row -= PageRows();
        break;
    case KeyPageDown:
        row += PageRows();
        break;
    case KeyArrowLeft:
        --col;
        break;
    case KeyArrowRight:
        ++col;
        break;
    case KeyHome:
        if (ctrl)
            row = FixedRows;
        else
            col = FixedCols;
        break;
    case KeyEnd:
        if (ctrl)
            row = RowCount() - 1;
        else
            col = ColCount() - 1;
        break;
    default:
        return;
    }
    row = std::clamp<int32_t>(row, FixedRows, RowCount() - 1);
    col = std::clamp<int32_t>(col, FixedCols, ColCount() - 1);
    if (extend)
        ExtendByUser(row, col);
    else
        SelectByUser(row, col);
    ScrollIntoView(row);
}

int32_t Grid::LastVisibleRow() const
{
    int64_t available = Height;
    for (int32_t row = 0; row < std::min<int32_t>(FixedRows, RowCount()); ++row)
        available -= m_rows[static_cast<size_t>(row)].height;
    int32_t last = TopRow;
    int64_t used = 0;
    for (int32_t row = TopRow; row < RowCount(); ++row) {
        used += m_rows[static_cast<size_t>(row)].height;
        if (used > available)
            break;
        last = row;
    }
    return last;
}

int32_t Grid::PageRows() const
{
    return std::max(LastVisibleRow() - TopRow + 1, 1);
}

void Grid::ScrollIntoView(int32_t row)
{
    if (row < FixedRows)
        return;
    if (row < TopRow) {
        TopRow = row;
        return;
    }
    if (row <= LastVisibleRow())
        return;
    int64_t available = Height;
    for (int32_t fixed = 0; fixed < FixedRows; ++fixed)
        available -= m_rows[static_cast<size_t>(fixed)].height;
    // The highest top row that still shows `row` whole.
    int32_t top = row;
    int64_t used = m_rows[static_cast<size_t>(row)].height;
    while (top > FixedRows && used + m_rows[static_cast<size_t>(top - 1)].height <= available) {
        --top;
        used += m_rows[static_cast<size_t>(top)].height;
    }
    TopRow = top;
}

float Grid::CellCentreX(int32_t col) const
{
    int64_t x = 0;
    for (int32_t before = 0; before < col; ++before)
        x += m_columns[static_cast<size_t>(before)].width;
    return static_cast<float>(x + m_columns[static_cast<size_t>(col)].width / 2);
}

float Grid::CellCentreY(int32_t row) const
{
    int64_t y = 0;
    if (row < FixedRows) {
        for (int32_t before = 0; before < row; ++before)
            y += m_rows[static_cast<size_t>(before)].height;
    } else {
        for (int32_t fixed = 0; fixed < FixedRows; ++fixed)
            y += m_rows[static_cast<size_t>(fixed)].height;
        // Rows scrolled out above TopRow lie at negative offsets.
        for (int32_t before = TopRow; before < row; ++before)
            y += m_rows[static_cast<size_t>(before)].height;
        for (int32_t above = row; above < TopRow; ++above)
            y -= m_rows[static_cast<size_t>(above)].height;
    }
    return static_cast<float>(y + m_rows[static_cast<size_t>(row)].height / 2);
}

// --- Members by name -----------------------------------------------------------------------

Variant Grid::Get(std::string_view member, const std::vector<int32_t>& index) const
{
    const NamedMember* named = FindNamedMember(member);
    if (!named)
        return Control::Get(member, index);
    const bool indicesFit =
        index.size() == named->indices || (named->readsAnyCell && index.size() == 2);
    if (!named->get || !indicesFit)
        Raise(errInvalidProcedureCall);
    return named->get(*this, index);
}

void Grid::Set(std::string_view member, const Variant& value, const std::vector<int32_t>& index)
{
    const NamedMember* named = FindNamedMember(member);
    if (!named) {
        Control::Set(member, value, index);
        return;
    }
    if (index.size() != named->indices)
        Raise(errInvalidProcedureCall);
    named->set(*this, index, value);
}

} // namespace platform
