#include "platform/Grid.h"

#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/Runtime.h"

#include "support/ErrorRaisedBy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace platform {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

int32_t ErrorOf(const std::function<void()>& action)
{
    return support::ErrorRaisedBy(action);
}

class GridTest : public ::testing::Test {
protected:
    GridTest() { form.Visible = true; }

    // A header row and one data row per entry, the entry's fields tab-separated.
    void Fill(int32_t cols, const std::vector<std::string>& items)
    {
        grid.Cols = cols;
        grid.Rows = 1;
        grid.FixedCols = 0;
        for (const std::string& item : items)
            grid.AddItem(item);
    }

    std::vector<std::string> Column(int32_t col) const
    {
        std::vector<std::string> texts;
        for (int32_t row = grid.FixedRows; row < grid.Rows; ++row)
            texts.push_back(grid.TextMatrix(row, col));
        return texts;
    }

    Form form{"frmTeste"};
    Grid grid{&form, "msfgGrade"};
};

// --- Shape and bounds ---------------------------------------------------------------------------

TEST_F(GridTest, Grid_Shape_ShrinkingPullsFixedRowsAndSelectionInside)
{
    grid.Rows = 5;
    grid.FixedRows = 2;
    grid.Row = 4;
    grid.Rows = 1;
    EXPECT_EQ(grid.FixedRows, 1);
    EXPECT_EQ(grid.Row, 0);
    EXPECT_EQ(grid.RowSel, 0);
    // A grid that is all header, as the search dialogs set it up.
    EXPECT_EQ(grid.TextMatrix(0, 1), "");
}

// Every refused call raises its error and leaves the grid's shape, selection and cells alone.
TEST_F(GridTest, Grid_Refusals_RaiseAndChangeNothing)
{
    Fill(2, {"only\titem"});
    const auto state = [this] {
        std::string text;
        for (const char* member : {"Rows", "Cols", "FixedRows", "FixedCols", "Row", "Col", "RowSel",
                                   "ColSel", "SelectionMode", "FillStyle"})
            text += grid.Get(member).AsString() + ";";
        return text + grid.TextMatrix(1, 0) + grid.TextMatrix(1, 1);
    };
    const auto set = [this](const char* member, int32_t value) {
        return [this, member, value] { grid.Set(member, value); };
    };
    const std::tuple<const char*, std::function<void()>, int32_t> cases[] = {
        {"Rows -1", set("Rows", -1), errInvalidPropertyValue},
        {"Cols -1", set("Cols", -1), errInvalidPropertyValue},
        {"FixedRows 3", set("FixedRows", 3), errInvalidPropertyValue},
        {"FixedCols -1", set("FixedCols", -1), errInvalidPropertyValue},
        {"Row 2", set("Row", 2), errGridSubscriptOutOfRange},
        {"Col -1", set("Col", -1), errGridSubscriptOutOfRange},
        {"RowSel 2", set("RowSel", 2), errGridSubscriptOutOfRange},
        {"ColSel 2", set("ColSel", 2), errGridSubscriptOutOfRange},
        {"SelectionMode 3", set("SelectionMode", 3), errInvalidPropertyValue},
        {"FillStyle -1", set("FillStyle", -1), errInvalidPropertyValue},
        {"Rows 2^30", set("Rows", 1 << 30), errOutOfMemory},
        {"TextMatrix 2,0", [&] { (void)grid.TextMatrix(2, 0); }, errGridSubscriptOutOfRange},
        {"SetTextMatrix 0,2", [&] { grid.SetTextMatrix(0, 2, "x"); }, errGridSubscriptOutOfRange},
        {"CellBackColorAt -1,0", [&] { (void)grid.CellBackColorAt(-1, 0); },
         errGridSubscriptOutOfRange},
        {"TextMatrix 0,-1", [&] { (void)grid.TextMatrix(0, -1); }, errGridSubscriptOutOfRange},
        {"SetColWidth 2", [&] { grid.SetColWidth(2, 100); }, errGridSubscriptOutOfRange},
        {"SetRowHeight -1", [&] { grid.SetRowHeight(-1, 100); }, errGridSubscriptOutOfRange},
        {"SetColWidth -2", [&] { grid.SetColWidth(0, -2); }, errInvalidPropertyValue},
        {"SetColAlignment 10", [&] { grid.SetColAlignment(0, 10); }, errInvalidPropertyValue},
        {"SetCellAlignment 12", [&] { grid.SetCellAlignment(12); }, errInvalidPropertyValue},
        {"AddItem past the end", [&] { grid.AddItem("x", 3); }, errGridSubscriptOutOfRange},
        {"AddItem -1", [&] { grid.AddItem("x", -1); }, errGridSubscriptOutOfRange},
        {"RemoveItem of the last row", [&] { grid.RemoveItem(1); }, errGridCannotRemoveLastRow},
        {"RemoveItem of a fixed row", [&] { grid.RemoveItem(0); }, errGridSubscriptOutOfRange},
        {"RemoveItem past the end", [&] { grid.RemoveItem(2); }, errGridSubscriptOutOfRange},
        {"Sort 10", [&] { grid.Sort(10); }, errInvalidPropertyValue},
        {"Sort -1", [&] { grid.Sort(-1); }, errInvalidPropertyValue},
        {"TextMatrix by name with one index", [&] { grid.Get("TextMatrix", {1}); },
         errInvalidProcedureCall},
        {"Sort read", [&] { grid.Get("Sort"); }, errInvalidProcedureCall},
        {"an unknown member", [&] { grid.Get("NoSuchMember"); }, errObjectDoesNotSupport},
    };
    const std::string before = state();
    for (const auto& [what, action, error] : cases) {
        EXPECT_EQ(ErrorOf(action), error) << what;
        EXPECT_EQ(state(), before) << what;
    }
}

TEST_F(GridTest, Grid_Shape_ClearEmptiesCellsButKeepsShapeAndColumns)
{
    Fill(3, {"a\tb\tc"});
    grid.SetColWidth(1, 4175);
    grid.Row = 0;
    grid.Col = 2;
    grid.SetCellPicture("Classificacao_Crescente");
    grid.Clear();
    EXPECT_EQ(grid.Rows, 2);
    EXPECT_EQ(grid.Cols, 3);
    EXPECT_THAT(Column(0), ElementsAre(""));
    EXPECT_EQ(grid.CellPictureAt(0, 2), "");
    EXPECT_EQ(grid.ColWidth(1), 4175);
}

// --- AddItem ------------------------------------------------------------------------------------

TEST_F(GridTest, Grid_AddItem_TabSeparatedFieldsFillTheColumnsOfANewLastRow)
{
    struct Case {
        const char* item;
        std::vector<std::string> cells;
    };
    const Case cases[] = {
        {"a\tb\tc", {"a", "b", "c"}},   {"a", {"a", "", ""}},
        {"a\t\tc", {"a", "", "c"}},     {"a\tb\tc\td\te", {"a", "b", "c"}},
        {"a\tb\tc\t", {"a", "b", "c"}}, {"", {"", "", ""}},
        {"\t\tç", {"", "", "ç"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Fill(3, {"old\trow\there"});
        grid.AddItem(c.item);
        ASSERT_EQ(grid.Rows, 3);
        EXPECT_EQ(grid.TextMatrix(1, 0), "old");
        EXPECT_THAT((std::vector<std::string>{grid.TextMatrix(2, 0), grid.TextMatrix(2, 1),
                                              grid.TextMatrix(2, 2)}),
                    ElementsAreArray(c.cells));
    }
}

// --- Sort ---------------------------------------------------------------------------------------

TEST_F(GridTest, Grid_Sort_OrdersTheDataRowsAsEachModeDoes)
{
    struct Case {
        int32_t mode;
        std::vector<std::string> in;
        std::vector<std::string> out;
    };
    const Case cases[] = {
        {flexSortNumericAscending,
         {"10", "9", "1.234,56", "999,99", "abc", "-1"},
         {"-1", "abc", "9", "10", "999,99", "1.234,56"}},
        {flexSortNumericDescending,
         {"9", "10", "1.234,56", "999,99"},
         {"1.234,56", "999,99", "10", "9"}},
        {flexSortStringAscending, {"b", "B", "a", "A"}, {"A", "B", "a", "b"}},
        {flexSortStringDescending, {"b", "B", "a", "A"}, {"b", "a", "B", "A"}},
        {flexSortStringAscending, {"9", "10"}, {"10", "9"}},
        // Equal ignoring case: the earlier row stays first.
        {flexSortStringNoCaseAscending, {"b", "B", "a", "A"}, {"a", "A", "b", "B"}},
        {flexSortStringNoCaseDescending, {"b", "B", "a", "A"}, {"b", "B", "a", "A"}},
        {flexSortGenericAscending, {"b", "10", "A", "9"}, {"9", "10", "A", "b"}},
        {flexSortGenericDescending, {"b", "10", "A", "9"}, {"b", "A", "10", "9"}},
        {flexSortNone, {"b", "a"}, {"b", "a"}},
        {flexSortCustom, {"b", "a"}, {"b", "a"}}, // nobody answers Compare
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Fill(1, c.in);
        grid.Row = 1;
        grid.Sort(c.mode);
        EXPECT_THAT(Column(0), ElementsAreArray(c.out));
    }
}

TEST_F(GridTest, Grid_Sort_UsesColToColSelAsKeysAndMovesWholeRows)
{
    Fill(3, {"x\t1\tb", "y\t1\ta", "z\t0\tc"});
    grid.SetTextMatrix(0, 0, "header");
    grid.Row = 3;
    grid.Col = 2;
    grid.SetCellBackColor(RGB(1, 2, 3));
    grid.Row = 1;
    grid.Col = 2;
    grid.ColSel = 1;
    grid.Sort(flexSortStringAscending);
    // Column 1 first, column 2 breaks its ties.
    EXPECT_THAT(Column(0), ElementsAre("z", "y", "x"));
    EXPECT_EQ(grid.TextMatrix(0, 0), "header");
    EXPECT_EQ(grid.CellBackColorAt(1, 2), RGB(1, 2, 3));
    EXPECT_EQ(grid.CellBackColorAt(3, 2), grid.BackColor);
}

TEST_F(GridTest, Grid_Sort_ASelectedRangeSortsOnlyItsRows)
{
    Fill(1, {"d", "c", "b", "a"});
    grid.Row = 2;
    grid.RowSel = 3;
    grid.Sort(flexSortStringAscending);
    EXPECT_THAT(Column(0), ElementsAre("d", "b", "c", "a"));
    // A range reaching into the header sorts only its data rows.
    grid.Row = 0;
    grid.RowSel = 2;
    grid.Sort(flexSortStringAscending);
    EXPECT_THAT(Column(0), ElementsAre("b", "d", "c", "a"));
}

// --- Redraw and Revision ------------------------------------------------------------------------

TEST_F(GridTest, Grid_Redraw_RevisionChangesOnlyWhenRedrawing)
{
    int revisions = 0;
    grid.PropertyChanged.Connect([&](const PropertyBase& property) {
        if (&property == &grid.Revision)
            ++revisions;
    });
    grid.SetTextMatrix(1, 1, "x");
    EXPECT_EQ(revisions, 1);
    grid.SetTextMatrix(1, 1, "x");
    EXPECT_EQ(revisions, 1);

    grid.Redraw = false;
    grid.Rows = 10;
    grid.AddItem("a\tb");
    grid.SetColWidth(0, 0);
    grid.Row = 3;
    grid.SetCellForeColor(RGB(110, 110, 110));
    grid.Sort(flexSortStringDescending);
    EXPECT_EQ(revisions, 1);
    grid.Redraw = true;
    EXPECT_EQ(revisions, 2);

    grid.Redraw = false;
    grid.Redraw = true;
    EXPECT_EQ(revisions, 2);
}

// --- Selection and user actions -----------------------------------------------------------------

class GridUserTest : public GridTest {
protected:
    GridUserTest()
    {
        Fill(4, {"a", "b", "c", "d", "e"});
        grid.Row = 1;
        grid.Col = 1;
        grid.Click.Connect([this] { events.push_back("Click"); });
        grid.DblClick.Connect([this] { events.push_back("DblClick"); });
        grid.SelChange.Connect([this] { events.push_back("SelChange"); });
        grid.RowColChange.Connect([this] { events.push_back("RowColChange"); });
        grid.MouseDown.Connect([this](int16_t button, int16_t, float, float) {
            events.push_back("MouseDown" + std::to_string(button));
        });
        grid.MouseUp.Connect([this](int16_t button, int16_t, float, float) {
            events.push_back("MouseUp" + std::to_string(button));
        });
    }

    void ExpectSelection(int32_t row, int32_t col, int32_t rowSel, int32_t colSel)
    {
        EXPECT_EQ(grid.Row, row);
        EXPECT_EQ(grid.Col, col);
        EXPECT_EQ(grid.RowSel, rowSel);
        EXPECT_EQ(grid.ColSel, colSel);
    }

    std::vector<std::string> events;
};

TEST_F(GridUserTest, Grid_Selection_WritesFromCodeCollapseTheSelectionSilently)
{
    grid.Row = 2;
    grid.RowSel = 4;
    grid.ColSel = 3;
    grid.Row = 2;
    ExpectSelection(2, 1, 2, 3);
    grid.Col = 0;
    grid.ColSel = 3;
    ExpectSelection(2, 0, 2, 3);
    EXPECT_TRUE(events.empty());
}

TEST_F(GridUserTest, Grid_Selection_ClickByRowSelectsTheWholeRowAndADoubleClickFollowsIt)
{
    grid.SelectionMode = flexSelectionByRow;
    grid.UserClickCell(3, 2);
    ExpectSelection(3, 0, 3, 3);
    EXPECT_EQ(grid.MouseRow, 3);
    EXPECT_EQ(grid.MouseCol, 2);
    EXPECT_TRUE(grid.HasFocus());
    EXPECT_TRUE(grid.IsCellSelected(3, 1));
    EXPECT_FALSE(grid.IsCellSelected(2, 1));

    events.clear();
    grid.UserClickCell(3, 1);
    EXPECT_THAT(events, ElementsAre("MouseDown1", "MouseUp1", "Click"));
    events.clear();
    grid.UserDoubleClick(2);
    EXPECT_EQ(grid.Row, 2);
    EXPECT_THAT(events, ElementsAre("RowColChange", "SelChange", "MouseDown1", "MouseUp1", "Click",
                                    "DblClick", "MouseUp1"));
}

TEST_F(GridUserTest, Grid_Selection_HeaderRightAndDisabledClicksMoveNothing)
{
    grid.Row = 2;
    grid.UserClickCell(0, 1);
    grid.UserRightClick(4);
    ExpectSelection(2, 1, 2, 1);
    EXPECT_EQ(grid.MouseRow, 4);
    EXPECT_THAT(events, ElementsAre("MouseDown1", "MouseUp1", "Click", "MouseDown2", "MouseUp2"));
    events.clear();
    form.Enabled = false;
    grid.UserClickCell(3, 1);
    ExpectSelection(2, 1, 2, 1);
    EXPECT_TRUE(events.empty()) << "a disabled grid sees no mouse";
}

TEST_F(GridUserTest, Grid_Selection_KeysMoveUnlessKeyDownSwallowsThem)
{
    std::vector<int16_t> pressed;
    grid.KeyPress.Connect([&](int16_t& character) { pressed.push_back(character); });
    grid.UserKeyDown(40);
    ExpectSelection(2, 1, 2, 1);
    grid.UserKeyDown(40, 1);
    ExpectSelection(2, 1, 3, 1);
    grid.UserKeyDown(vbKeyReturn);
    EXPECT_THAT(pressed, ElementsAre(vbKeyReturn));

    grid.KeyDown.Connect([](int16_t& keyCode, int16_t) { keyCode = 0; });
    grid.UserKeyDown(40);
    ExpectSelection(2, 1, 3, 1);
}

// --- TopRow -------------------------------------------------------------------------------------

TEST_F(GridTest, Grid_TopRow_IsClampedToTheScrollableRows)
{
    grid.Rows = 10;
    int scrolls = 0;
    grid.Scroll.Connect([&] { ++scrolls; });
    const std::pair<int32_t, int32_t> cases[] = {{5, 5}, {0, 1}, {9, 9}, {20, 9}, {-3, 1}};
    for (const auto& [value, expected] : cases) {
        grid.TopRow = value;
        EXPECT_EQ(grid.TopRow, expected) << value;
    }
    EXPECT_EQ(scrolls, 4);
    grid.TopRow = 9;
    grid.Rows = 4;
    EXPECT_EQ(grid.TopRow, 3);
}

// --- Cell formats -------------------------------------------------------------------------------

TEST_F(GridTest, Grid_CellFormat_AppliesToTheCurrentCellOrTheSelectedRange)
{
    Fill(3, {"a", "b"});
    grid.Row = 0;
    grid.Col = 2;
    grid.SetCellPicture("Classificacao_Crescente");
    grid.SetCellPictureAlignment(flexAlignRightCenter);
    EXPECT_EQ(grid.CellPictureAt(0, 2), "Classificacao_Crescente");
    EXPECT_EQ(grid.CellPictureAlignmentAt(0, 2), flexAlignRightCenter);
    EXPECT_EQ(grid.CellPictureAt(0, 1), "");

    grid.Row = 1;
    grid.Col = 0;
    grid.RowSel = 2;
    grid.ColSel = 1;
    grid.FillStyle = flexFillRepeat;
    grid.SetCellBackColor(RGB(217, 217, 217));
    EXPECT_EQ(grid.CellBackColorAt(2, 1), RGB(217, 217, 217));
    EXPECT_EQ(grid.CellBackColorAt(2, 2), grid.BackColor);
    EXPECT_EQ(grid.CellBackColorAt(0, 1), grid.BackColorFixed);
}

// --- Members by name ----------------------------------------------------------------------------

TEST_F(GridTest, Grid_ByName_ReachesIndexedMembersAndTheSort)
{
    Fill(2, {"b\t2", "a\t1"});
    grid.Set("TextMatrix", Variant("c"), {1, 1});
    grid.Set("ColWidth", Variant(int32_t{4175}), {1});
    grid.Set("Row", Variant(int32_t{1}));
    grid.Set("Sort", Variant(int32_t{flexSortStringAscending}));
    EXPECT_EQ(grid.Get("TextMatrix", {1, 0}).AsString(), "a");
    EXPECT_EQ(grid.Get("TextMatrix", {2, 1}).AsString(), "c");
    EXPECT_EQ(grid.Get("ColWidth", {1}).AsLong(), 4175);
    EXPECT_EQ(grid.Get("Rows").AsLong(), 3);
    EXPECT_EQ(grid.Get("CellBackColor", {0, 0}).AsLong(), grid.BackColorFixed);
}

} // namespace
} // namespace platform
