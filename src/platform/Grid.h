// The grid control: a table of text cells with fixed (header) rows and columns, per-column width,
// alignment and data number, per-row height, a current cell and a selected range, a scroll
// position (TopRow), sorting, cell pictures and colours, and the events the screens handle.
//
// Decisions a user of this class relies on:
// - Rows, Cols, Row, Col, RowSel, ColSel, TopRow and the enumerated settings are checked before
//   they change: a row or column outside the grid raises 30009, any other bad value 380, and the
//   member keeps its value. TopRow is the exception: any value is clamped to the scrollable rows
//   (FixedRows .. Rows - 1) instead of refused.
// - Writing Row sets RowSel to it and writing Col sets ColSel, also when the value does not
//   change; set RowSel and ColSel afterwards to select a range.
// - Writes from code raise no grid event except Scroll (raised whenever TopRow changes), so a
//   SelChange handler that moves the selection never re-enters itself. The User... methods are
//   the host's: they perform one user action as the real control does and raise its events.
// - Peers follow the Property members through PropertyChanged, and everything else (cell texts
//   and formats, column and row settings, rows added, removed or sorted) through Revision: it
//   changes after such a change while Redraw is true, and once when Redraw turns true again after
//   changes made while it was false. On a Revision change a peer re-reads the whole grid.
// - The selected range is Row .. RowSel by Col .. ColSel, for Sort and FillStyle alike;
//   SelectionMode only decides how a user's click sets it and how it is drawn (IsCellSelected).
// - Sort sorts the non-fixed rows between Row and RowSel (all of them when Row = RowSel) by the
//   columns Col .. ColSel, left to right, stably. Numeric modes read a cell as the runtime reads a
//   number (comma decimal, period thousands); a cell that is no number counts as 0.
//   Case-insensitive modes compare the upper-cased texts, case-sensitive ones the UTF-8 bytes.
#pragma once

#include "platform/Control.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

enum GridAlignment : int32_t {
    flexAlignLeftTop = 0,
    flexAlignLeftCenter = 1,
    flexAlignLeftBottom = 2,
    flexAlignCenterTop = 3,
    flexAlignCenterCenter = 4,
    flexAlignCenterBottom = 5,
    flexAlignRightTop = 6,
    flexAlignRightCenter = 7,
    flexAlignRightBottom = 8,
    flexAlignGeneral = 9,
};

enum GridSelectionMode : int32_t {
    flexSelectionFree = 0,
    flexSelectionByRow = 1,
    flexSelectionByColumn = 2,
};

enum GridSort : int32_t {
    flexSortNone = 0,
    flexSortGenericAscending = 1,
    flexSortGenericDescending = 2,
    flexSortNumericAscending = 3,
    flexSortNumericDescending = 4,
    flexSortStringNoCaseAscending = 5,
    flexSortStringNoCaseDescending = 6,
    flexSortStringAscending = 7,
    flexSortStringDescending = 8,
    flexSortCustom = 9,
};

enum GridFillStyle : int32_t { flexFillSingle = 0, flexFillRepeat = 1 };
enum GridAppearance : int32_t { flexFlat = 0, flex3D = 1 };
enum GridBorderStyle : int32_t { flexBorderNone = 0, flexBorderSingle = 1 };
enum GridFocusRect : int32_t { flexFocusNone = 0, flexFocusLight = 1, flexFocusHeavy = 2 };
enum GridHighLight : int32_t {
    flexHighlightNever = 0,
    flexHighlightAlways = 1,
    flexHighlightWithFocus = 2,
};
enum GridLineStyle : int32_t {
    flexGridNone = 0,
    flexGridFlat = 1,
    flexGridInset = 2,
    flexGridRaised = 3
};
enum GridScrollBars : int32_t {
    flexScrollBarNone = 0,
    flexScrollBarHorizontal = 1,
    flexScrollBarVertical = 2,
    flexScrollBarBoth = 3,
};
enum GridAllowUserResizing : int32_t {
    flexResizeNone = 0,
    flexResizeColumns = 1,
    flexResizeRows = 2,
    flexResizeBoth = 3,
};

class Grid;

// A whole-number member of the grid whose writes the grid checks first: a refused value raises
// and leaves the member as it was; an accepted one may be adjusted (TopRow is clamped).
class GridInteger : public Property<int32_t> {
public:
    // Answers the value to store, or raises.
    using Check = int32_t (Grid::*)(int32_t value) const;

    GridInteger(Grid* grid, const char* name, int32_t initial, Check check);
    // An enumerated setting: values outside minimum .. maximum raise 380.
    GridInteger(Grid* grid, const char* name, int32_t initial, int32_t minimum, int32_t maximum);

    GridInteger& operator=(int32_t value);
    // One member from another copies the value through the same check (grid.Row = grid.RowSel).
    GridInteger& operator=(const GridInteger& other) { return *this = other(); }
    void FromVariant(const Variant& value) override;

private:
    friend class Grid;
    // The grid's own writes, already consistent: no check.
    void Store(int32_t value) { Property<int32_t>::operator=(value); }

    Grid* m_grid;
    Check m_check = nullptr;
    int32_t m_minimum = 0;
    int32_t m_maximum = 0;
};

class Grid : public Control {
public:
    static constexpr int32_t DefaultRowHeight = 240;
    static constexpr int32_t DefaultColWidth = 960;

    Grid(Control* container, std::string name);

    // Shape. Growing adds empty cells; shrinking drops the last rows or columns, and lowers
    // FixedRows/FixedCols, the current cell, the selection and TopRow to stay inside.
    GridInteger Rows{this, "Rows", 2, &Grid::CheckRows};
    GridInteger Cols{this, "Cols", 2, &Grid::CheckCols};
    // 0 .. Rows (0 .. Cols); a grid may be all header.
    GridInteger FixedRows{this, "FixedRows", 1, &Grid::CheckFixedRows};
    GridInteger FixedCols{this, "FixedCols", 1, &Grid::CheckFixedCols};

    // Current cell and the other corner of the selected range.
    GridInteger Row{this, "Row", 1, &Grid::CheckRow};
    GridInteger Col{this, "Col", 1, &Grid::CheckCol};
    GridInteger RowSel{this, "RowSel", 1, &Grid::CheckRow};
    GridInteger ColSel{this, "ColSel", 1, &Grid::CheckCol};
    // The first scrollable row shown under the fixed rows.
    GridInteger TopRow{this, "TopRow", 1, &Grid::ClampTopRow};
    GridInteger SelectionMode{this, "SelectionMode", flexSelectionFree, flexSelectionFree,
                              flexSelectionByColumn};
    // Whether the Cell... members and Text format the current cell only or the whole selection.
    GridInteger FillStyle{this, "FillStyle", flexFillSingle, flexFillSingle, flexFillRepeat};
    // The cell under the mouse, as the host last reported it.
    Property<int32_t> MouseRow{this, "MouseRow", 0};
    Property<int32_t> MouseCol{this, "MouseCol", 0};

    Property<bool> Redraw{this, "Redraw", true};
    // Changes when cells, columns or rows changed (see the file comment); read by the peers.
    Property<int32_t> Revision{this, "Revision", 0};

    // Appearance: carried for the peers, no behaviour here.
    GridInteger Appearance{this, "Appearance", flex3D, flexFlat, flex3D};
    GridInteger BorderStyle{this, "BorderStyle", flexBorderSingle, flexBorderNone,
                            flexBorderSingle};
    GridInteger FocusRect{this, "FocusRect", flexFocusLight, flexFocusNone, flexFocusHeavy};
    GridInteger HighLight{this, "HighLight", flexHighlightAlways, flexHighlightNever,
                          flexHighlightWithFocus};
    GridInteger GridLines{this, "GridLines", flexGridFlat, flexGridNone, flexGridRaised};
    GridInteger GridLinesFixed{this, "GridLinesFixed", flexGridInset, flexGridNone, flexGridRaised};
    GridInteger ScrollBars{this, "ScrollBars", flexScrollBarBoth, flexScrollBarNone,
                           flexScrollBarBoth};
    GridInteger AllowUserResizing{this, "AllowUserResizing", flexResizeNone, flexResizeNone,
                                  flexResizeBoth};
    // Defaults are the window system's colours (system colour numbers, high bit set).
    Property<int32_t> BackColorFixed{this, "BackColorFixed", SystemColor(15)};
    Property<int32_t> ForeColorFixed{this, "ForeColorFixed", SystemColor(18)};
    Property<int32_t> BackColorSel{this, "BackColorSel", SystemColor(13)};
    Property<int32_t> ForeColorSel{this, "ForeColorSel", SystemColor(14)};
    Property<int32_t> BackColorBkg{this, "BackColorBkg", SystemColor(12)};
    Property<int32_t> GridColor{this, "GridColor", RGB(192, 192, 192)};
    Property<int32_t> GridColorFixed{this, "GridColorFixed", RGB(0, 0, 0)};

    // Cells. A row or column outside the grid raises 30009.
    const std::string& TextMatrix(int32_t row, int32_t col) const;
    void SetTextMatrix(int32_t row, int32_t col, std::string_view text);
    // The current cell's text; writing it fills the selection when FillStyle is repeat.
    const std::string& Text() const;
    void SetText(std::string_view text);
    // Empties every cell and drops every cell format; shape and column/row settings stay.
    void Clear();
    // A new row whose columns take the tab-separated fields of `item` from column 0; missing
    // fields leave cells empty, fields beyond the last column are ignored. Without an index the
    // row is appended; otherwise it is inserted before row `index` (0 .. Rows).
    void AddItem(std::string_view item);
    void AddItem(std::string_view item, int32_t index);
    // Removes a non-fixed row. The last non-fixed row is refused with 30015, a fixed row or a row
    // outside the grid with 30009; either way the grid is unchanged.
    void RemoveItem(int32_t row);

    // Columns and rows. A width of -1 restores the default; ColData is the screens' own number
    // per column (they keep the sort type there).
    int32_t ColWidth(int32_t col) const;
    void SetColWidth(int32_t col, int32_t width);
    int32_t ColAlignment(int32_t col) const;
    void SetColAlignment(int32_t col, int32_t alignment);
    int32_t ColData(int32_t col) const;
    void SetColData(int32_t col, int32_t data);
    int32_t RowHeight(int32_t row) const;
    void SetRowHeight(int32_t row, int32_t height);

    // Format of the current cell (of the selection when FillStyle is repeat). Reading answers
    // the current cell's format as drawn: its own, else the grid's or the column's.
    std::string CellPicture() const { return CellPictureAt(Row, Col); }
    void SetCellPicture(const std::string& picture);
    int32_t CellPictureAlignment() const { return CellPictureAlignmentAt(Row, Col); }
    void SetCellPictureAlignment(int32_t alignment);
    int32_t CellBackColor() const { return CellBackColorAt(Row, Col); }
    void SetCellBackColor(int32_t color);
    int32_t CellForeColor() const { return CellForeColorAt(Row, Col); }
    void SetCellForeColor(int32_t color);
    int32_t CellAlignment() const { return CellAlignmentAt(Row, Col); }
    void SetCellAlignment(int32_t alignment);
    bool CellFontBold() const { return CellFontBoldAt(Row, Col); }
    void SetCellFontBold(bool bold);

    // Any cell's format as drawn, for the peers and tests.
    std::string CellPictureAt(int32_t row, int32_t col) const;
    int32_t CellPictureAlignmentAt(int32_t row, int32_t col) const;
    // Fixed cells without a colour of their own take BackColorFixed/ForeColorFixed.
    int32_t CellBackColorAt(int32_t row, int32_t col) const;
    int32_t CellForeColorAt(int32_t row, int32_t col) const;
    // Without an alignment of its own a cell takes its column's.
    int32_t CellAlignmentAt(int32_t row, int32_t col) const;
    bool CellFontBoldAt(int32_t row, int32_t col) const;
    bool IsFixedCell(int32_t row, int32_t col) const;
    // Inside the selected range, whole rows (columns) when SelectionMode says so.
    bool IsCellSelected(int32_t row, int32_t col) const;

    // Sorts with a GridSort mode (see the file comment); flexSortCustom asks Compare and does
    // nothing while no handler is connected. Another number raises 380.
    void Sort(int32_t mode);

    // Host side: one user action each, raising the events in the real control's order. A click
    // first takes the focus (a disabled or hidden grid ignores the action; a focus change that
    // Validate refuses ends it). On the press the current cell moves to the clicked cell (the
    // whole row with SelectionMode by row, the whole column by column; a fixed cell moves
    // nothing), raising RowColChange if Row or Col changed and SelChange if the selection
    // changed; then MouseDown, MouseUp and Click. Cells outside the grid raise 30009.
    void UserClickCell(int32_t row, int32_t col);
    // Press on `fromRow`, move to `toRow` (SelChange for every row entered), release.
    void UserDragSelect(int32_t fromRow, int32_t toRow);
    // A click on the cell, then DblClick and a second MouseUp. Without a column: the first
    // non-fixed one (likewise below).
    void UserDoubleClick(int32_t row, int32_t col = -1);
    // The second press of a double-click whose first press was already UserClickCell (a
    // window system reports them apart): only DblClick and the second MouseUp are left. Without
    // a cell (below the last row) MouseUp reports the corner. A grid that did not get the focus
    // from the first press sees nothing.
    void UserSecondPress(int32_t row = -1, int32_t col = -1);
    // A click where there is no cell (below the last row): the grid takes the focus, no more.
    void UserClickOutsideCells();
    // MouseDown and MouseUp with the right button; the selection does not move.
    void UserRightClick(int32_t row, int32_t col = -1);
    // KeyDown; unless a handler cleared the code, arrows, Home/End and Page Up/Down move the
    // current cell (Shift extends the selection) and keep it in view; Enter, Escape, Backspace,
    // Space, letters and digits then raise KeyPress with their character.
    void UserKeyDown(int16_t keyCode, int16_t shift = 0);
    // The keys that move the current row and column.
    bool TakesKey(int16_t keyCode, int16_t shift) const override;
    bool TakesInput(UserInput input) const override { return input == UserInput::Key; }
    // The focus first, then UserKeyDown.
    bool UserKey(int16_t keyCode, int16_t shift, std::string_view character) override;

    Event<> Click;
    Event<> DblClick;
    Event<int16_t&, int16_t> KeyDown; // key code, shift state
    Event<int16_t&> KeyPress;         // character code
    Event<> SelChange;
    Event<> RowColChange;
    Event<int16_t, int16_t, float, float> MouseDown; // button, shift, x, y (twips)
    Event<int16_t, int16_t, float, float> MouseUp;
    Event<> Scroll;
    // For flexSortCustom: first row, second row, and the answer (-1, 0, 1) to set.
    Event<int32_t, int32_t, int16_t&> Compare;

    // By name: TextMatrix[r][c], ColWidth[c], ColAlignment[c], ColData[c], RowHeight[r], Text,
    // the Cell... members (with [r][c] to read any cell), Sort (write only), and every Property.
    Variant Get(std::string_view member, const std::vector<int32_t>& index = {}) const override;
    void Set(std::string_view member, const Variant& value,
             const std::vector<int32_t>& index = {}) override;

protected:
    void OnPropertyChanged(const PropertyBase& property) override;

private:
    friend class GridInteger;

    // The two corners of a range, lower first.
    static std::pair<int32_t, int32_t> Ordered(int32_t a, int32_t b);

    // What a cell was given beyond its text; absent members fall back to the grid's defaults.
    struct CellFormat {
        std::optional<int32_t> backColor;
        std::optional<int32_t> foreColor;
        std::optional<int32_t> alignment;
        std::optional<bool> fontBold;
        std::string picture;
        int32_t pictureAlignment = flexAlignLeftCenter;
    };
    struct Cell {
        std::string text;
        std::unique_ptr<CellFormat> format; // null until the cell is formatted
    };
    struct RowData {
        std::vector<Cell> cells; // always Cols of them
        int32_t height = DefaultRowHeight;
    };
    struct ColumnData {
        int32_t width = DefaultColWidth;
        int32_t alignment = flexAlignGeneral;
        int32_t data = 0;
    };

    int32_t CheckRows(int32_t value) const;
    int32_t CheckCols(int32_t value) const;
    int32_t CheckFixedRows(int32_t value) const;
    int32_t CheckFixedCols(int32_t value) const;
    int32_t CheckRow(int32_t value) const;
    int32_t CheckCol(int32_t value) const;
    int32_t ClampTopRow(int32_t value) const;
    // After every write from code, changed or not: writing Row or Col collapses the selection.
    void AfterCodeWrite(const GridInteger& property);

    int32_t RowCount() const { return static_cast<int32_t>(m_rows.size()); }
    int32_t ColCount() const { return static_cast<int32_t>(m_columns.size()); }
    void CheckCell(int32_t row, int32_t col) const;
    void CheckColumnIndex(int32_t col) const;
    void CheckRowIndex(int32_t row) const;
    void ResizeRows();
    void ResizeCols();
    void ClampToShape();
    RowData NewRow() const;
    CellFormat& FormatOf(int32_t row, int32_t col);
    const CellFormat* FindFormat(int32_t row, int32_t col) const;
    // The cells the Cell... members and Text write: the current cell, or the selection.
    void ForEachTargetCell(const std::function<void(int32_t row, int32_t col)>& apply);
    void ContentChanged();

    void SortRows(int32_t mode, int32_t firstRow, int32_t lastRow);

    // A cell under the mouse and its centre in twips from the grid's top left corner.
    struct MousePoint {
        int32_t row;
        int32_t col;
        float x;
        float y;
    };
    MousePoint PointAt(int32_t row, int32_t col) const;
    bool TakeFocusForClick();
    void PressCell(const MousePoint& point, int16_t button);
    void FinishDoubleClick(const MousePoint& point);
    // Moves the current cell and the selection as a user action, raising RowColChange and
    // SelChange for what changed.
    void MoveByUser(int32_t row, int32_t col, int32_t rowSel, int32_t colSel);
    // The far corner of what a click or drag at (row, col) selects: whole rows or columns as
    // SelectionMode says.
    std::pair<int32_t, int32_t> FarCorner(int32_t row, int32_t col) const;
    void SelectByUser(int32_t row, int32_t col);
    void ExtendByUser(int32_t row, int32_t col);
    int32_t FirstScrollableCol() const;
    void ScrollIntoView(int32_t row);
    int32_t LastVisibleRow() const;
    int32_t PageRows() const;
    void MoveWithKey(int16_t keyCode, int16_t shift);
    float CellCentreX(int32_t col) const;
    float CellCentreY(int32_t row) const;

    std::vector<RowData> m_rows;       // Rows of them; the truth behind Rows
    std::vector<ColumnData> m_columns; // Cols of them; the truth behind Cols
    bool m_revisionPending = false;    // changes made while Redraw was false
};

} // namespace platform
