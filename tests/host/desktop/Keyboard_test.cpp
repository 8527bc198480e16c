// Real keys on the desktop reach the controls' own actions (so a script and the desktop take one
// path), and what shows where the keys go: the focus frame of a box, the grid's selected row.
#include "QtTestEnvironment.h"

#include "platform/Controls.h"
#include "platform/Grid.h"
#include "suite_controls/SuiteControls.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace desktop_test {
namespace {

class FormDeTeclas : public platform::Form {
public:
    FormDeTeclas() : Form("frmTeclas")
    {
        BorderStyle = 0;
        Move(0, 0, 9000, 6000);
        qvfNome.Move(150, 150, 4000, 405);
        qvfCodigo.Move(4500, 150, 2000, 405);
        qvfCodigo.Style = suite_controls::QVFind::StyleNumerico;
        qvnumQtde.Move(150, 900, 1500, 405);
        msfgGrade.Move(150, 1600, 6000, 2000);
        msfgGrade.Rows = 3;
        msfgGrade.Cols = 2;
        msfgGrade.FixedCols = 0;
        msfgGrade.SelectionMode = platform::flexSelectionByRow;
        msfgGrade.BackColorSel = platform::RGB(242, 242, 242);
        for (int32_t row = 1; row < 3; ++row) {
            msfgGrade.Row = row;
            for (int32_t col = 0; col < 2; ++col) {
                msfgGrade.Col = col;
                msfgGrade.SetCellBackColor(row == 1 ? platform::RGB(217, 217, 217)
                                                    : platform::RGB(242, 242, 242));
            }
        }
        msfgGrade.Row = 1;
    }

    suite_controls::QVFind qvfNome{this, "qvfNome"};
    suite_controls::QVFind qvfCodigo{this, "qvfCodigo"};
    suite_controls::QVNumberBox qvnumQtde{this, "qvnumQtde"};
    platform::Grid msfgGrade{this, "msfgGrade"};
};

class DesktopKeys : public ::testing::Test {
protected:
    DesktopKeys() { ShowAndActivate(host, form); }
    ~DesktopKeys() override { platform::Screen::ClearFocus(); }

    QWidget* Focus(const platform::Control& control)
    {
        QWidget* widget = WidgetOf(host, control, true);
        QTest::mouseClick(widget, Qt::LeftButton);
        Settle();
        return widget;
    }

    desktop::DesktopHost host{desktop::Scale(96)};
    FormDeTeclas form;
};

TEST_F(DesktopKeys, AFindBoxEditsAtTheCaretOneKeyDownPerKeyEnterSearchesEscResets)
{
    std::vector<int16_t> keys;
    std::vector<std::string> clicks;
    form.qvfNome.KeyDown.Connect([&](int16_t& code, int16_t) { keys.push_back(code); });
    form.qvfNome.Click.Connect(
        [&] { clicks.push_back(std::to_string(form.qvfNome.Modo()) + ":" + form.qvfNome.Text()); });
    QWidget* edit = Focus(form.qvfNome);
    QTest::keyClicks(edit, "Rex");
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(form.qvfNome.Text(), "x");
    EXPECT_EQ(qobject_cast<QLineEdit*>(edit)->text(), "x");
    EXPECT_EQ(keys, (std::vector<int16_t>{'R', 'E', 'X', platform::vbKeyLeft, platform::vbKeyBack,
                                          platform::vbKeyHome, platform::vbKeyDelete,
                                          platform::vbKeyReturn}));
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::mouseClick(WidgetOf(host, form.qvfNome)->findChild<QWidget*>("pesquisar"),
                      Qt::LeftButton);
    QTest::mouseClick(WidgetOf(host, form.qvfNome)->findChild<QWidget*>("limpar"), Qt::LeftButton);
    EXPECT_EQ(clicks, (std::vector<std::string>{"1:x", "2:x", "1:x", "2:x"}));
}

TEST_F(DesktopKeys, ACodeBoxTakesDigitsOnlyAndANumberBoxsDeleteErasesForward)
{
    QTest::keyClicks(Focus(form.qvfCodigo), "1a2-3");
    EXPECT_EQ(form.qvfCodigo.Text(), "123");

    std::vector<int16_t> pressed;
    form.qvnumQtde.KeyPress.Connect([&](int16_t& key) {
        pressed.push_back(key);
        if (key == 'x')
            key = 0; // the form discards it
    });
    QWidget* number = Focus(form.qvnumQtde);
    QTest::keyClicks(number, "1x2");
    QTest::keyClick(number, Qt::Key_Delete); // at the end: nothing after the caret
    QTest::keyClick(number, Qt::Key_Home);
    QTest::keyClick(number, Qt::Key_Delete);
    EXPECT_EQ(form.qvnumQtde.Text(), "2");
    EXPECT_EQ(pressed, (std::vector<int16_t>{'1', 'x', '2', platform::vbKeyBack}));
    EXPECT_EQ(qobject_cast<QLineEdit*>(number)->text(), "2");
}

TEST_F(DesktopKeys, TheBoxWithTheFocusShowsAFrameOfItsOwn)
{
    const auto border = [&](const platform::Control& box) {
        const QImage picture = WidgetOf(host, box)->grab().toImage();
        return picture.pixelColor(0, picture.height() / 2);
    };
    EXPECT_LT(border(form.qvnumQtde).blue(), border(form.qvnumQtde).red() + 60);
    Focus(form.qvnumQtde);
    EXPECT_GT(border(form.qvnumQtde).blue(), border(form.qvnumQtde).red() + 60);
    Focus(form.qvfNome);
    EXPECT_GT(border(form.qvfNome).blue(), border(form.qvfNome).red() + 60);
}

TEST_F(DesktopKeys, TheGridsSelectedRowStandsOutWhileItHasTheFocus)
{
    auto* table = qobject_cast<QTableWidget*>(WidgetOf(host, form.msfgGrade));
    const auto lightness = [&](int row) {
        return table->item(row, 0)->background().color().lightness();
    };
    // Without the focus, the colour the form asks for.
    EXPECT_EQ(lightness(0), QColor(242, 242, 242).lightness());
    Focus(form.msfgGrade);
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(form.msfgGrade.Row(), 2);
    EXPECT_GE(std::abs(lightness(1) - QColor(242, 242, 242).lightness()), 40);
    EXPECT_GE(std::abs(lightness(1) - lightness(0)), 40);
}

} // namespace
} // namespace desktop_test
