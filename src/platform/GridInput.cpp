// What a user does to a grid (clicks, drags, double and right clicks, keys) and the geometry it
// needs (which rows are visible, where a cell's centre is). Each User... method raises the events
// in the order the real control does; the grid takes the focus first, and a disabled grid, or one
// in a disabled container, sees no mouse at all.
#include "platform/Grid.h"

#include "platform/Host.h"
#include "platform/Runtime.h"
#include "platform/Screen.h"

#include <algorithm>

namespace platform {

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

std::pair<int32_t, int32_t> Grid::FarCorner(int32_t row, int32_t col) const
{
    switch (SelectionMode) {
    case flexSelectionByRow:
        return {row, ColCount() - 1};
    case flexSelectionByColumn:
        return {RowCount() - 1, col};
    default:
        return {row, col};
    }
}

void Grid::SelectByUser(int32_t row, int32_t col)
{
    if (IsFixedCell(row, col))
        return;
    const int32_t fromRow = SelectionMode == flexSelectionByColumn ? FixedRows() : row;
    const int32_t fromCol = SelectionMode == flexSelectionByRow ? FixedCols() : col;
    const auto [toRow, toCol] = FarCorner(row, col);
    MoveByUser(fromRow, fromCol, toRow, toCol);
}

void Grid::ExtendByUser(int32_t row, int32_t col)
{
    const auto [toRow, toCol] = FarCorner(row, col);
    MoveByUser(Row, Col, toRow, toCol);
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
    if (button == vbLeftButton)
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
    PressCell(point, vbLeftButton);
    MouseUp.Raise(vbLeftButton, 0, point.x, point.y);
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
    PressCell(press, vbLeftButton);
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
    MouseUp.Raise(vbLeftButton, 0, release.x, release.y);
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
    PressCell(point, vbLeftButton);
    MouseUp.Raise(vbLeftButton, 0, point.x, point.y);
    Click.Raise();
    FinishDoubleClick(point);
}

void Grid::FinishDoubleClick(const MousePoint& point)
{
    DblClick.Raise();
    MouseUp.Raise(vbLeftButton, 0, point.x, point.y);
}

void Grid::UserSecondPress(int32_t row, int32_t col)
{
    UserAction action;
    const MousePoint point = row < 0 ? MousePoint{MouseRow, MouseCol, 0, 0}
                                     : PointAt(row, col < 0 ? FirstScrollableCol() : col);
    if (!IsReachable() || !HasFocus())
        return;
    FinishDoubleClick(point);
}

void Grid::UserClickOutsideCells()
{
    UserAction action;
    TakeFocusForClick();
}

void Grid::UserRightClick(int32_t row, int32_t col)
{
    UserAction action;
    if (col < 0)
        col = FirstScrollableCol();
    const MousePoint point = PointAt(row, col);
    if (!TakeFocusForClick())
        return;
    PressCell(point, vbRightButton);
    MouseUp.Raise(vbRightButton, 0, point.x, point.y);
}

void Grid::UserKeyDown(int16_t keyCode, int16_t shift)
{
    UserAction action;
    KeyDown.Raise(keyCode, shift);
    if (keyCode == 0)
        return;
    MoveWithKey(keyCode, shift);
    int16_t character = CharacterOfKey(keyCode, shift);
    if (character != 0)
        KeyPress.Raise(character);
}

bool Grid::UserKey(int16_t keyCode, int16_t shift, std::string_view)
{
    {
        UserAction action;
        if (!TakeFocusForClick())
            return false;
    }
    UserKeyDown(keyCode, shift);
    return true;
}

bool Grid::TakesKey(int16_t keyCode, int16_t) const
{
    return (keyCode >= vbKeyPageUp && keyCode <= vbKeyDown);
}

void Grid::MoveWithKey(int16_t keyCode, int16_t shift)
{
    if (FixedRows >= RowCount() || FixedCols >= ColCount())
        return;
    const bool extend = (shift & vbShiftMask) != 0;
    const bool ctrl = (shift & vbCtrlMask) != 0;
    int32_t row = extend ? RowSel : Row;
    int32_t col = extend ? ColSel : Col;
    switch (keyCode) {
    case vbKeyUp:
        --row;
        break;
    case vbKeyDown:
        ++row;
        break;
    case vbKeyPageUp:
        row -= PageRows();
        break;
    case vbKeyPageDown:
        row += PageRows();
        break;
    case vbKeyLeft:
        --col;
        break;
    case vbKeyRight:
        ++col;
        break;
    case vbKeyHome:
        if (ctrl)
            row = FixedRows;
        else
            col = FixedCols;
        break;
    case vbKeyEnd:
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

} // namespace platform
