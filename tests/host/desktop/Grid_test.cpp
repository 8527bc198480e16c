// The grid's peer: what it shows, and clicks, double-clicks, right-clicks with the pop-up menu,
// and the wheel, which must travel as the wheel message through the form's window procedure.
#include "QtTestEnvironment.h"

#include "platform/Grid.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QWheelEvent>

#include <array>

namespace desktop_test {
namespace {

std::vector<std::array<int32_t, 4>> s_messages; // hWnd, uMsg, wParam, lParam

int32_t RecordMessage(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam)
{
    s_messages.push_back({hWnd, uMsg, wParam, lParam});
    return 0;
}

class FormComGrade : public platform::Form {
public:
    FormComGrade() : Form("frmGrade")
    {
        BorderStyle = 0;
        Move(0, 0, 9000, 6000);
        msfgGrade.Move(150, 150, 6000, 3000);
        msfgGrade.FixedCols = 0;
        msfgGrade.Cols = 2;
        msfgGrade.Rows = 4;
        msfgGrade.SelectionMode = platform::flexSelectionByRow;
        msfgGrade.SetTextMatrix(0, 0, "Serviço");
        msfgGrade.SetTextMatrix(0, 1, "Valor");
        msfgGrade.SetColWidth(0, 3000);
        msfgGrade.SetColWidth(1, 1500);
        for (int32_t row = 1; row < 4; ++row)
            msfgGrade.SetTextMatrix(row, 0, "Banho " + std::to_string(row));
        ilSetas.Add("Crescente", "Classificacao_Crescente");
        msfgGrade.Row = 0;
        msfgGrade.Col = 1;
        msfgGrade.SetCellPicture(ilSetas.ListImages("Crescente"));
        msfgGrade.Row = 1;
        mnuMenu.Visible = false;
    }

    platform::Grid msfgGrade{this, "msfgGrade"};
    platform::ImageList ilSetas{this, "ilSetas"};
    platform::Menu mnuMenu{this, "mnuMenu", "Menu"};
    platform::Menu mnuAlterar{&mnuMenu, "mnuAlterar", "Alterar"};
    platform::Menu mnuExcluir{&mnuMenu, "mnuExcluir", "Excluir"};
};

class DesktopGrid : public ::testing::Test {
protected:
    DesktopGrid()
    {
        s_messages.clear();
        ShowAndActivate(host, form);
        table = qobject_cast<QTableWidget*>(WidgetOf(host, form.msfgGrade));
    }
    ~DesktopGrid() override { platform::Screen::ClearFocus(); }

    QPoint CellCentre(int tableRow, int col)
    {
        return table->visualRect(table->model()->index(tableRow, col)).center();
    }

    desktop::DesktopHost host{desktop::Scale(96)};
    FormComGrade form;
    QTableWidget* table = nullptr;
};

// The table as text, a line a row from the header's (a * for a picture).
std::string Shown(const QTableWidget& table)
{
    std::string text;
    for (int row = -1; row < table.rowCount(); ++row) {
        for (int col = 0; col < table.columnCount(); ++col) {
            const QTableWidgetItem* item =
                row < 0 ? table.horizontalHeaderItem(col) : table.item(row, col);
            text += item ? item->text().toStdString() + (item->icon().isNull() ? "|" : "*|") : "|";
        }
        text += "\n";
    }
    return text;
}

// Tab leaves the grid without walking its cells; Qt's frame is on the grid's current cell, not on
// the header row nor in a grid without a focus rectangle.
TEST_F(DesktopGrid, ShowsHeaderCellsTheSortPictureAndOneFocusFrame)
{
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->columnWidth(0), 200);
    form.msfgGrade.SetTextMatrix(1, 1, "10,00");
    table->setFocus(Qt::TabFocusReason);
    table->setCurrentCell(0, 0);
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_EQ(Shown(*table), "Serviço|Valor*|\nBanho 1|10,00|\nBanho 2||\nBanho 3||\n");
    EXPECT_EQ(table->currentIndex(), table->model()->index(0, 0));
    form.msfgGrade.Row = 3;
    form.msfgGrade.Col = 1;
    EXPECT_EQ(table->currentIndex(), table->model()->index(2, 1));
    form.msfgGrade.Row = 0;
    EXPECT_FALSE(table->currentIndex().isValid()) << "the header row";
    form.msfgGrade.Row = 2;
    form.msfgGrade.FocusRect = platform::flexFocusNone;
    EXPECT_FALSE(table->currentIndex().isValid()) << "no focus rectangle";
    form.msfgGrade.Rows = 40;
    form.msfgGrade.TopRow = 20;
    EXPECT_EQ(table->verticalScrollBar()->value(), 19);
}

// The click selects the row through the grid, which takes the focus.
TEST_F(DesktopGrid, ADoubleClickIsOneClickThenDblClick)
{
    std::vector<std::string> events;
    form.msfgGrade.Click.Connect([&] { events.push_back("Click"); });
    form.msfgGrade.DblClick.Connect([&] { events.push_back("DblClick"); });
    form.msfgGrade.MouseUp.Connect(
        [&](int16_t, int16_t, float, float) { events.push_back("MouseUp"); });
    // What Qt delivers for a double-click: press, release, press, double-click, release.
    const QPointF at = CellCentre(2, 0);
    const std::pair<QEvent::Type, quint64> sequence[] = {{QEvent::MouseButtonPress, 1000},
                                                         {QEvent::MouseButtonRelease, 1010},
                                                         {QEvent::MouseButtonPress, 1100},
                                                         {QEvent::MouseButtonDblClick, 1100},
                                                         {QEvent::MouseButtonRelease, 1110}};
    for (const auto& [type, time] : sequence) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent mouse(type, at, table->viewport()->mapToGlobal(at), Qt::LeftButton,
                          down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        mouse.setTimestamp(time);
        QApplication::sendEvent(table->viewport(), &mouse);
    }
    // The real control: one click, then DblClick and a second MouseUp.
    EXPECT_EQ(events, (std::vector<std::string>{"MouseUp", "Click", "DblClick", "MouseUp"}));
    EXPECT_EQ(form.msfgGrade.MouseRow(), 3);
    EXPECT_EQ(form.msfgGrade.Row(), 3);
    EXPECT_TRUE(form.msfgGrade.HasFocus());
    EXPECT_EQ(table->item(2, 1)->background().color(),
              desktop::ToQColor(form.msfgGrade.BackColorSel).value());
}

TEST_F(DesktopGrid, ARightClickOpensTheFormsPopupAndTheChoiceIsClicked)
{
    form.msfgGrade.MouseDown.Connect([&](int16_t button, int16_t, float, float) {
        if (button == platform::vbRightButton)
            form.PopupMenu(form.mnuMenu);
    });
    QStringList offered;
    host.InterceptPopupMenus([&](QMenu& menu) -> QAction* {
        for (QAction* action : menu.actions())
            offered << action->text();
        return menu.actions().value(1);
    });
    int excluir = 0;
    form.mnuExcluir.Click.Connect([&] { ++excluir; });
    QTest::mouseClick(table->viewport(), Qt::RightButton, {}, CellCentre(0, 0));
    EXPECT_EQ(offered, (QStringList{"Alterar", "Excluir"}));
    EXPECT_EQ(excluir, 1);
}

TEST_F(DesktopGrid, AWheelNotchIsTheWheelMessageToTheFormsWindow)
{
    platform::SetWindowLongA(form.hWnd(), platform::GWL_WNDPROC,
                             platform::AddressOf(&RecordMessage));
    struct Row {
        int angle;
        Qt::KeyboardModifiers modifiers;
        int messages;
        int16_t delta;
        int32_t keys;
    };
    const std::vector<Row> rows{
        {120, Qt::NoModifier, 1, 120, 0},
        {-120, Qt::ShiftModifier, 1, -120, 0x04},
        {-240, Qt::ControlModifier, 1, -240, 0x08},
        {60, Qt::NoModifier, 0, 0, 0}, // half a notch waits for the other half
        {60, Qt::NoModifier, 1, 120, 0},
    };
    for (const Row& row : rows) {
        s_messages.clear();
        const QPointF position(20, 20);
        const QPointF global = table->viewport()->mapToGlobal(position);
        QWheelEvent wheel(position, global, QPoint(), QPoint(0, row.angle), Qt::NoButton,
                          row.modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(table->viewport(), &wheel);
        ASSERT_EQ(static_cast<int>(s_messages.size()), row.messages) << row.angle;
        if (row.messages == 0)
            continue;
        const auto [hWnd, uMsg, wParam, lParam] = s_messages.front();
        EXPECT_EQ(hWnd, form.hWnd());
        EXPECT_EQ(uMsg, platform::WM_MOUSEWHEEL);
        EXPECT_EQ(static_cast<int16_t>(static_cast<uint32_t>(wParam) >> 16), row.delta);
        EXPECT_EQ(wParam & 0xFFFF, row.keys);
        EXPECT_EQ(lParam & 0xFFFF, static_cast<int32_t>(global.x()) & 0xFFFF);
        EXPECT_EQ(static_cast<uint32_t>(lParam) >> 16, static_cast<uint32_t>(global.y()));
    }
}

} // namespace
} // namespace desktop_test
