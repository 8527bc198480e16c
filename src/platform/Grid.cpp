// The grid's core: its shape and the checks on it, cell texts, rows added and removed, column and
// row settings, and cell formats.
//
// Decisions:
// - A shape change is refused (380) before it allocates when it would pass MaxCells cells.
// - A cell's format is kept only once a cell is given one; cells without keep the grid's colours.
// The grid's other jobs stand in files of their own: GridSort.cpp (Sort), GridInput.cpp (user
// actions and geometry), GridMembers.cpp (members read and written by name).
#include "platform/Grid.h"

#include "platform/Errors.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// Enough for any screen; beyond it a shape change is refused before it allocates.
constexpr int64_t MaxCells = int64_t{1} << 24;

void CheckAlignment(int32_t alignment)
{
    if (alignment < flexAlignLeftTop || alignment > flexAlignGeneral)
        Raise(errInvalidPropertyValue);
}

} // namespace

// The two corners of a range, lower first.
std::pair<int32_t, int32_t> Grid::Ordered(int32_t a, int32_t b)
{
    return a <= b ? std::pair{a, b} : std::pair{b, a};
}

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

} // namespace platform
