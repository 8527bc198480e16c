// A form's controls as widgets: where they are, what they say, how changes show, and how real
// input reaches the controls as their events; real keys take the controls' own actions (so a
// script and the desktop take one path), and the focus shows: a box's frame, the grid's row.
#include "QtTestEnvironment.h"

#include "platform/Grid.h"
#include "platform/Host.h"
#include "suite_controls/SuiteControls.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

namespace desktop_test {
namespace {

using desktop::DesktopHost;
using desktop::Scale;

// A control of a kind no peer knows: it must still show up, where it is.
class Selo : public platform::Control {
public:
    explicit Selo(platform::Control* container) : Control(container, "selo", "Selo") {}
};

class FormDeTeste : public platform::Form {
public:
    FormDeTeste() : Form("frmTeste")
    {
        BorderStyle = 0;
        Move(0, 0, 9000, 6000);
        lblNome.Move(150, 300, 1500, 240);
        qvfNome.Move(375, 690, 4215, 405);
        qvcmdOk.Move(1500, 1500, 1590, 420);
        qvcmdOk.Caption = "Adicionar";
        optServico.Move(390, 2100, 1275, 375);
        qvcmbTipo.Move(375, 2700, 3000, 405);
        qvnumA.Move(4500, 2700, 1170, 405);
        qvnumB.Move(6000, 2700, 1170, 405);
        selo.Move(7500, 300, 600, 600);
        qvfCodigo.Move(4500, 150, 2000, 405);
        qvfCodigo.Style = suite_controls::QVFind::StyleNumerico;
        msfgGrade.Move(150, 3300, 6000, 2000);
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

    platform::Label lblNome{this, "lblNome", "Nome"};
    suite_controls::QVFind qvfNome{this, "qvfNome"};
    suite_controls::QVCommandButton qvcmdOk{this, "qvcmdOk"};
    platform::OptionButton optServico{this, "optServico", "Serviço"};
    suite_controls::QVComboBox qvcmbTipo{this, "qvcmbTipo"};
    suite_controls::QVNumberBox qvnumA{this, "qvnumA"};
    suite_controls::QVNumberBox qvnumB{this, "qvnumB"};
    Selo selo{this};
    suite_controls::QVFind qvfCodigo{this, "qvfCodigo"};
    platform::Grid msfgGrade{this, "msfgGrade"};
};

class DesktopPeers : public ::testing::Test {
protected:
    DesktopPeers()
    {
        host.Sync();
        ShowAndActivate(host, form);
    }
    ~DesktopPeers() override { platform::Screen::ClearFocus(); }

    QWidget* W(const platform::Control& control, bool focus = false)
    {
        return WidgetOf(host, control, focus);
    }

    void FocusAsUser(platform::Control& control)
    {
        platform::UserAction action;
        control.SetFocus();
        Settle();
    }

    // As the user does: a click on the control.
    QWidget* Focus(const platform::Control& control)
    {
        QWidget* widget = W(control, true);
        QTest::mouseClick(widget, Qt::LeftButton);
        Settle();
        return widget;
    }

    DesktopHost host{Scale(96)};
    FormDeTeste form;
};

TEST_F(DesktopPeers, ControlsSitAtTheirPixelPositionsWithTheirCaptions)
{
    struct Row {
        const platform::Control& control;
        QRect pixels;
        QString text;
    };
    const std::vector<Row> rows{
        {form.lblNome, QRect(10, 20, 100, 16), "Nome"},
        {form.qvfNome, QRect(25, 46, 281, 27), ""},
        {form.qvcmdOk, QRect(100, 100, 106, 28), "Adicionar"},
        {form.optServico, QRect(26, 140, 85, 25), "Serviço"},
        {form.selo, QRect(500, 20, 40, 40), ""},
    };
    for (const Row& row : rows) {
        QWidget* widget = W(row.control);
        ASSERT_NE(widget, nullptr) << row.control.Name();
        EXPECT_EQ(widget->geometry(), row.pixels) << row.control.Name();
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        EXPECT_EQ(text, row.text) << row.control.Name();
    }
    // Other screens, other pixels.
    EXPECT_EQ(Scale(120).Pixels(1440), 120);
    EXPECT_EQ(Scale(144).Pixels(15), 2); // 1.5 px rounds away from zero
}

TEST_F(DesktopPeers, ChangesFromTheComponentShowAtOnce)
{
    auto* label = qobject_cast<QLabel*>(W(form.lblNome));
    form.lblNome.Caption = "Apelido";
    form.lblNome.Left = 300;
    form.lblNome.ForeColor = platform::RGB(255, 0, 0);
    form.qvcmdOk.Enabled = false;
    form.qvnumA.Text = "1,50";
    form.qvnumA.Locked = true;
    EXPECT_EQ(label->text(), "Apelido");
    EXPECT_EQ(label->x(), 20);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_FALSE(W(form.qvcmdOk)->isEnabled());
    auto* number = qobject_cast<QLineEdit*>(W(form.qvnumA));
    EXPECT_EQ(number->text(), "1,50");
    EXPECT_TRUE(number->isReadOnly());
    form.lblNome.Visible = false;
    EXPECT_TRUE(label->isHidden());
}

TEST_F(DesktopPeers, AValidateThatRefusesKeepsTheFocus)
{
    bool refuse = true;
    std::string events;
    form.qvnumA.Validate.Connect([&](bool& cancel) {
        events += "validate ";
        cancel = refuse;
    });
    form.qvnumA.LostFocus.Connect([&] { events += "lostA "; });
    form.qvnumB.GotFocus.Connect([&] { events += "gotB "; });
    form.qvcmdOk.Click.Connect([&] { events += "click "; });
    FocusAsUser(form.qvnumA);
    ASSERT_EQ(QApplication::focusWidget(), W(form.qvnumA));
    // What the user's click did, and where both focuses are after it.
    const auto click = [&](const platform::Control& control) {
        events.clear();
        QTest::mouseClick(W(control), Qt::LeftButton);
        Settle();
        const platform::Control* active = platform::Screen::ActiveControl();
        return events + "| " + active->Name() +
               (QApplication::focusWidget() == W(*active) ? "" : " (not Qt's)");
    };
    EXPECT_EQ(click(form.qvnumB), "validate | qvnumA");
    EXPECT_EQ(click(form.qvcmdOk), "validate | qvnumA") << "a refused click does not click";
    refuse = false;
    EXPECT_EQ(click(form.qvnumB), "validate lostA gotB | qvnumB");
    EXPECT_EQ(click(form.qvcmdOk), "click | qvcmdOk");
}

// Without a window manager the click that activates the window brings its focus as the
// activation's; it is the user's all the same, and the platform's focus follows it.
TEST_F(DesktopPeers, TheClickThatActivatesTheWindowMovesTheFocus)
{
    FocusAsUser(form.qvnumA);
    QWidget* b = W(form.qvnumB);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), b->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &press);
    QFocusEvent activated(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(b, &activated);
    Settle();
    EXPECT_EQ(platform::Screen::ActiveControl(), &form.qvnumB);

    // Without a press, an activation only restores the platform's focus.
    QFocusEvent restored(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(W(form.qvnumA), &restored);
    Settle();
    EXPECT_EQ(platform::Screen::ActiveControl(), &form.qvnumB);
}

TEST_F(DesktopPeers, ComboSelectionAndOptionClicks)
{
    form.qvcmbTipo.AddItem("Banho");
    form.qvcmbTipo.AddItem("Tosa");
    auto* combo = qobject_cast<QComboBox*>(W(form.qvcmbTipo));
    ASSERT_EQ(combo->count(), 2);
    std::vector<int16_t> selected;
    form.qvcmbTipo.Click.Connect([&] { selected.push_back(form.qvcmbTipo.ListIndex); });
    emit combo->activated(1);
    EXPECT_EQ(selected, (std::vector<int16_t>{1}));
    EXPECT_EQ(combo->currentIndex(), 1);
    form.qvcmbTipo.Clear();
    EXPECT_EQ(combo->count(), 0);

    int optionClicks = 0;
    form.optServico.Click.Connect([&] { ++optionClicks; });
    QTest::mouseClick(W(form.optServico), Qt::LeftButton, {}, QPoint(8, 12));
    EXPECT_TRUE(form.optServico.Value());
    EXPECT_EQ(optionClicks, 1);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(W(form.optServico))->isChecked());
}

TEST_F(DesktopPeers, AModalFormBlocksUntilHiddenAndClosingAWindowAsksTheForm)
{
    platform::Form dialog("frmDialogo");
    dialog.Move(0, 0, 4500, 3000);
    bool shownModally = false;
    QTimer::singleShot(50, [&] {
        QWidget* window = WidgetOf(host, dialog);
        shownModally = window && window->isVisible() && window->isModal() && dialog.Modal;
        dialog.Hide();
    });
    dialog.Show(platform::vbModal);
    EXPECT_TRUE(shownModally);
    EXPECT_FALSE(dialog.Modal);
    EXPECT_FALSE(WidgetOf(host, dialog)->isVisible());

    bool refuse = true;
    dialog.QueryUnload.Connect([&](int16_t& cancel, int16_t mode) {
        EXPECT_EQ(mode, platform::vbFormControlMenu);
        cancel = refuse ? 1 : 0;
    });
    dialog.Show();
    WidgetOf(host, dialog)->close();
    EXPECT_TRUE(dialog.Visible());
    refuse = false;
    WidgetOf(host, dialog)->close();
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(WidgetOf(host, dialog)->isVisible());
}

TEST_F(DesktopPeers, AFormParentedToAHostWindowIsEmbeddedAndCoversIt)
{
    // A form of its own, designed 600 x 400 px, with a grid: the area goes first, and the
    // grid's table must not be read as one while Qt takes it down.
    platform::Form embedded("frmEmbutido");
    platform::Grid grade{&embedded, "msfgGrade"};
    embedded.BorderStyle = 0;
    embedded.Move(0, 0, 9000, 6000);
    QWidget area;
    area.resize(700, 500);
    area.show();
    const int32_t areaHandle = host.RegisterHostWindow("area", area);
    platform::SetParent(embedded.hWnd(), areaHandle);
    EXPECT_EQ(W(embedded)->parentWidget(), &area);
    // The area is larger than the form, so the form grows to it.
    EXPECT_EQ(embedded.Width(), 700 * 15);
    EXPECT_EQ(embedded.Height(), 500 * 15);
    area.resize(800, 300);
    Settle();
    EXPECT_EQ(embedded.Width(), 800 * 15);
    EXPECT_EQ(embedded.Height(), 6000);
}

TEST_F(DesktopPeers, WindowRegionsBecomeMasks)
{
    const int32_t region = platform::CreateRoundRectRgn(0, 0, 100, 16, 12, 12);
    platform::SetWindowRgn(form.lblNome.hWnd(), region, true);
    const QRegion mask = W(form.lblNome)->mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_TRUE(mask.contains(QPoint(50, 8)));
    platform::SetWindowRgn(form.lblNome.hWnd(), 0, true);
    EXPECT_TRUE(W(form.lblNome)->mask().isEmpty());
}

TEST_F(DesktopPeers, PeersOfAGoneFormAreDropped)
{
    auto dialog = std::make_unique<platform::Form>("frmDialogo");
    host.Sync();
    const int32_t handle = dialog->hWnd();
    ASSERT_NE(host.PeerOf(handle), nullptr);
    dialog.reset();
    host.Sync();
    EXPECT_EQ(host.PeerOf(handle), nullptr);
    Settle();
}

TEST_F(DesktopPeers, AFindBoxEditsAtTheCaretOneKeyDownPerKeyEnterSearchesEscResets)
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
    QTest::mouseClick(W(form.qvfNome)->findChild<QWidget*>("pesquisar"), Qt::LeftButton);
    QTest::mouseClick(W(form.qvfNome)->findChild<QWidget*>("limpar"), Qt::LeftButton);
    EXPECT_EQ(clicks, (std::vector<std::string>{"1:x", "2:x", "1:x", "2:x"}));
}

TEST_F(DesktopPeers, ACodeBoxTakesDigitsOnlyAndANumberBoxsDeleteErasesForward)
{
    QTest::keyClicks(Focus(form.qvfCodigo), "1a2-3");
    EXPECT_EQ(form.qvfCodigo.Text(), "123");

    std::vector<int16_t> pressed;
    form.qvnumA.KeyPress.Connect([&](int16_t& key) {
        pressed.push_back(key);
        if (key == 'x')
            key = 0; // the form discards it
    });
    QWidget* number = Focus(form.qvnumA);
    QTest::keyClicks(number, "1x2");
    QTest::keyClick(number, Qt::Key_Delete); // at the end: nothing after the caret
    QTest::keyClick(number, Qt::Key_Home);
    QTest::keyClick(number, Qt::Key_Delete);
    EXPECT_EQ(form.qvnumA.Text(), "2");
    EXPECT_EQ(pressed, (std::vector<int16_t>{'1', 'x', '2', platform::vbKeyBack}));
    EXPECT_EQ(qobject_cast<QLineEdit*>(number)->text(), "2");
}

TEST_F(DesktopPeers, TheBoxWithTheFocusShowsAFrameOfItsOwn)
{
    const auto border = [&](const platform::Control& box) {
        const QImage picture = W(box)->grab().toImage();
        return picture.pixelColor(0, picture.height() / 2);
    };
    EXPECT_LT(border(form.qvnumA).blue(), border(form.qvnumA).red() + 60);
    Focus(form.qvnumA);
    EXPECT_GT(border(form.qvnumA).blue(), border(form.qvnumA).red() + 60);
    Focus(form.qvfNome);
    EXPECT_GT(border(form.qvfNome).blue(), border(form.qvfNome).red() + 60);
}

TEST_F(DesktopPeers, TheGridsSelectedRowStandsOutWhileItHasTheFocus)
{
    auto* table = qobject_cast<QTableWidget*>(W(form.msfgGrade));
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
