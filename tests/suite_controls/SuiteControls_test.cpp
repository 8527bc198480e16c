#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "suite_controls/SuiteControls.h"

#include "support/ErrorRaisedBy.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace platform;
using namespace suite_controls;

namespace {

using support::ErrorRaisedBy;

// A shown form holding one control of every kind.
class SuiteControls : public testing::Test {
protected:
    SuiteControls() { form.Visible = true; }
    ~SuiteControls() override { Screen::ClearFocus(); }

    Form form{"frmTeste"};
    QVFind qvfNome{&form, "qvfNome"};
    QVFind qvfCodigo{&form, "qvfCodigo"};
    QVComboBox qvcmbAnimal{&form, "qvcmbAnimal"};
    QVNumberBox qvnumQuantidade{&form, "qvnumQuantidade"};
    QVTextBox qvtxtUsuario{&form, "qvtxtUsuario"};
    QVCommandButton qvcmdAdicionar{&form, "qvcmdAdicionar"};

    void Fill(QVComboBox& combo, std::vector<std::string> entries)
    {
        for (const auto& entry : entries) {
            combo.AddItem(entry);
            combo.ItemData(combo.NewIndex, 100 + combo.NewIndex);
        }
    }
};

// ---- Combo box: the list's bounds; AddItem, NewIndex and Clear

TEST_F(SuiteControls, ComboRefusesAnEntryOutsideTheList)
{
    Fill(qvcmbAnimal, {"Rex", "Mia"});
    qvcmbAnimal.ListIndex = 0;
    for (const int16_t index : {int16_t{2}, int16_t{-2}, int16_t{500}}) {
        EXPECT_EQ(ErrorRaisedBy([&] { qvcmbAnimal.ListIndex = index; }), errInvalidPropertyValue);
        EXPECT_EQ(ErrorRaisedBy([&] { qvcmbAnimal.Set("ListIndex", Variant(index)); }),
                  errInvalidPropertyValue)
            << index;
    }
    EXPECT_EQ(ErrorRaisedBy([&] { qvcmbAnimal.UserSelectText("Bob"); }), errInvalidPropertyValue);
    EXPECT_EQ(qvcmbAnimal.Text(), "Rex");
}

TEST_F(SuiteControls, ComboAddItemAppendsAndClearEmptiesWithoutClick)
{
    // ListCount, NewIndex, ListIndex and Text.
    const auto state = [this] {
        return std::to_string(qvcmbAnimal.ListCount()) + " " +
               std::to_string(qvcmbAnimal.NewIndex()) + " " +
               std::to_string(qvcmbAnimal.ListIndex()) + " " + qvcmbAnimal.Text();
    };
    Fill(qvcmbAnimal, {"Rex", "Mia", "Rex"});
    qvcmbAnimal.ListIndex = 2;
    EXPECT_EQ(state() + " " + std::to_string(qvcmbAnimal.ItemData(2)), "3 2 2 Rex 102");
    int clicks = 0;
    qvcmbAnimal.Click.Connect([&] { ++clicks; });
    qvcmbAnimal.Clear();
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(state(), "0 -1 -1 ");
    EXPECT_EQ(ErrorRaisedBy([&] { qvcmbAnimal.ItemData(0); }), errInvalidPropertyArrayIndex);
    qvcmbAnimal.AddItem("Bob");
    EXPECT_EQ(state() + " " + std::to_string(qvcmbAnimal.ItemData(0)), "1 0 -1  0");
}

// ---- Reflection by name reaches the indexed members

TEST_F(SuiteControls, ComboIndexedMembersByName)
{
    Fill(qvcmbAnimal, {"Rex", "Mia"});

    EXPECT_EQ(qvcmbAnimal.Get("List", {1}), Variant("Mia"));
    EXPECT_EQ(qvcmbAnimal.Get("List", {7}), Variant(""));
    EXPECT_EQ(qvcmbAnimal.Get("ItemData", {1}), Variant(101));
    qvcmbAnimal.Set("ItemData", Variant("42"), {0});
    EXPECT_EQ(qvcmbAnimal.ItemData(0), 42);
    EXPECT_EQ(qvcmbAnimal.Get("ListCount"), Variant(int16_t{2}));

    struct Refused {
        std::function<void()> action;
        int32_t number;
    };
    const Refused refused[] = {
        {[&] { qvcmbAnimal.Get("ItemData", {2}); }, errInvalidPropertyArrayIndex},
        {[&] { qvcmbAnimal.Get("List"); }, errWrongNumberOfArguments},
        {[&] {
             qvcmbAnimal.Set("ItemData", Variant(1), {0, 1});
         },
         errWrongNumberOfArguments},
        {[&] { qvcmbAnimal.Set("List", Variant("Bob"), {0}); }, errPropertyIsReadOnly},
        {[&] { qvcmbAnimal.Get("Text", {0}); }, errObjectDoesNotSupport},
    };
    for (std::size_t i = 0; i < std::size(refused); ++i)
        EXPECT_EQ(ErrorRaisedBy(refused[i].action), refused[i].number) << i;
    for (const char* member : {"Text", "ListCount", "NewIndex"})
        EXPECT_EQ(ErrorRaisedBy([&] { qvcmbAnimal.Set(member, Variant(5)); }),
                  errPropertyIsReadOnly)
            << member;
    EXPECT_EQ(qvcmbAnimal.ListCount(), 2);
    EXPECT_EQ(qvcmbAnimal.List(0), "Rex");
}

// ---- Find box: KeyDown on writes and typing; Modo stays until the user acts

TEST_F(SuiteControls, AFindBoxRaisesKeyDownOncePerChangingWriteAndPerTypedCharacter)
{
    std::vector<std::string> textAtKeyDown;
    std::vector<int16_t> keys;
    qvfNome.KeyDown.Connect([&](int16_t& key, int16_t) {
        keys.push_back(key);
        textAtKeyDown.push_back(qvfNome.Text);
    });
    qvfNome.Text = "REX";
    qvfNome.Text = "REX";
    qvfNome.Set("Text", Variant("antigo"));
    EXPECT_EQ(textAtKeyDown, (std::vector<std::string>{"REX", "antigo"}));
    textAtKeyDown.clear();
    keys.clear();
    EXPECT_TRUE(qvfNome.UserType("Só1"));
    EXPECT_EQ(qvfNome.Text(), "Só1");
    EXPECT_EQ(textAtKeyDown, (std::vector<std::string>{"antigo", "S", "Só"}));
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys.front(), 'S');
    EXPECT_EQ(keys.back(), '1');
    EXPECT_TRUE(qvfNome.HasFocus());
}

TEST_F(SuiteControls, FindBoxModoWrittenByTheFormStaysUntilTheUserActs)
{
    std::vector<int16_t> modoAtClick;
    qvfNome.Click.Connect([&] {
        modoAtClick.push_back(qvfNome.Modo);
        qvfNome.Modo = 0; // the form answers a successful lookup
    });
    qvfNome.Modo = 2;

    qvfNome.Text = "REX";
    qvfNome.UserType("MIA");
    qvfNome.ReiniciarPesquisa();
    qvfCodigo.UserType("1");
    EXPECT_EQ(qvfNome.Modo(), 2);

    qvfNome.UserConfirm();
    EXPECT_EQ(qvfNome.Modo(), 0);
    qvfNome.UserReset();
    EXPECT_EQ(qvfNome.Modo(), 0);
    qvfNome.Modo = 1;
    qvfCodigo.UserConfirm(); // another box's action leaves this one alone
    EXPECT_EQ(qvfNome.Modo(), 1);

    EXPECT_EQ(modoAtClick, (std::vector<int16_t>{1, 2}));
}

// The form's writes inside a user's action raise their events inside that same action.
TEST_F(SuiteControls, EventsOfTheFormsWritesHappenInsideTheUsersAction)
{
    std::vector<std::string> order;
    const int32_t hook = AddEndOfDispatchHook([&] { order.push_back("end"); });
    qvfCodigo.KeyDown.Connect([&](int16_t&, int16_t) { order.push_back("KeyDown"); });
    qvcmbAnimal.Click.Connect([&] { order.push_back("combo Click"); });
    qvcmbAnimal.AddItem("Rex");
    qvfNome.UserType("R"); // gives the find box the focus first
    order.clear();
    qvfNome.Click.Connect([&] {
        qvfCodigo.Text = "12";
        qvcmbAnimal.ListIndex = 0;
        order.push_back("Click done");
    });

    qvfNome.UserConfirm();
    RemoveEndOfDispatchHook(hook);

    EXPECT_EQ(order, (std::vector<std::string>{"KeyDown", "combo Click", "Click done", "end"}));
}

// ---- Number box: KeyPress may change or discard the key

TEST_F(SuiteControls, NumberBoxKeyPressChangesOrDiscardsKeys)
{
    // As the value boxes filter: digits and comma pass, a period becomes a comma, the rest goes.
    qvnumQuantidade.KeyPress.Connect([&](int16_t& key) {
        if (key == '.')
            key = ',';
        else if (!(key >= '0' && key <= '9') && key != ',' && key != vbKeyBack)
            key = 0;
    });
    struct Row {
        const char* before;
        const char* typed;
        bool locked;
        const char* after;
    };
    const Row rows[] = {
        {"0,00", "12.5", false, "12,5"}, {"0,00", "a1b", false, "1"}, {"0,00", "x", false, "0,00"},
        {"0,00", "", false, ""},         {"7,00", "1", true, "7,00"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        qvnumQuantidade.Locked = row.locked;
        qvnumQuantidade.Text = row.before;
        EXPECT_TRUE(qvnumQuantidade.UserType(row.typed));
        EXPECT_EQ(qvnumQuantidade.Text(), row.after);
    }
    // Keys go in at the caret; backspace deletes before it, or the selection.
    qvnumQuantidade.Locked = false;
    qvnumQuantidade.Text = "1234";
    Screen::ClearFocus();
    qvnumQuantidade.UserKeyPress('9'); // the focus arrives; the caret is at the start
    EXPECT_EQ(qvnumQuantidade.Text(), "91234");
    qvnumQuantidade.SelStart = 3;
    qvnumQuantidade.UserKeyPress(vbKeyBack);
    EXPECT_EQ(qvnumQuantidade.Text(), "9134");
    qvnumQuantidade.SelStart = 1;
    qvnumQuantidade.SelLength = 10;
    EXPECT_EQ(qvnumQuantidade.SelLength(), 3);
    qvnumQuantidade.UserKeyPress(vbKeyBack);
    EXPECT_EQ(qvnumQuantidade.Text(), "9");
    EXPECT_EQ(ErrorRaisedBy([&] { qvnumQuantidade.SelStart = -1; }), errInvalidPropertyValue);
}

// ---- Validate with cancel keeps the focus; user actions need the focus

TEST_F(SuiteControls, ValidateWithCancelKeepsTheFocusAndStopsTheUsersAction)
{
    bool keep = true;
    qvnumQuantidade.Validate.Connect([&](bool& cancel) { cancel = keep; });
    int clicks = 0;
    qvcmdAdicionar.Click.Connect([&] { ++clicks; });
    qvfNome.Click.Connect([&] { ++clicks; });
    qvnumQuantidade.UserType("0");

    EXPECT_FALSE(qvcmdAdicionar.UserClick());
    EXPECT_FALSE(qvfNome.UserConfirm());
    EXPECT_FALSE(qvfNome.UserType("REX"));
    EXPECT_FALSE(qvtxtUsuario.UserType("ana"));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(qvfNome.Text(), "");
    EXPECT_TRUE(qvnumQuantidade.HasFocus());

    int lostFocus = 0;
    qvnumQuantidade.LostFocus.Connect([&] { ++lostFocus; });
    EXPECT_FALSE(UserLeave(qvnumQuantidade));
    EXPECT_TRUE(qvnumQuantidade.HasFocus());
    EXPECT_EQ(lostFocus, 0);

    keep = false;
    EXPECT_TRUE(UserLeave(qvnumQuantidade));
    EXPECT_EQ(lostFocus, 1);
    EXPECT_EQ(Screen::ActiveControl(), nullptr);
    EXPECT_TRUE(qvcmdAdicionar.UserClick());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(qvcmdAdicionar.HasFocus());
}

TEST_F(SuiteControls, ADisabledControlTakesNoUserAction)
{
    int events = 0;
    qvcmdAdicionar.Click.Connect([&] { ++events; });
    qvfNome.Click.Connect([&] { ++events; });
    qvfNome.KeyDown.Connect([&](int16_t&, int16_t) { ++events; });
    qvcmbAnimal.Click.Connect([&] { ++events; });
    qvnumQuantidade.KeyPress.Connect([&](int16_t&) { ++events; });
    qvcmbAnimal.AddItem("Rex");
    const std::vector<std::pair<Control*, std::function<void()>>> actions = {
        {&qvcmdAdicionar, [&] { qvcmdAdicionar.UserClick(); }},
        {&qvfNome, [&] { qvfNome.UserConfirm(); }},
        {&qvfNome, [&] { qvfNome.UserType("A"); }},
        {&qvcmbAnimal, [&] { qvcmbAnimal.UserSelect(0); }},
        {&qvnumQuantidade, [&] { qvnumQuantidade.UserType("1"); }},
        {&qvtxtUsuario, [&] { qvtxtUsuario.UserType("ana"); }},
    };
    for (const auto& [control, action] : actions) {
        SCOPED_TRACE(control->Name());
        control->Enabled = false;
        EXPECT_EQ(ErrorRaisedBy(action), errInvalidProcedureCall);
        control->Enabled = true;
    }
    EXPECT_EQ(events, 0);
    EXPECT_EQ(qvtxtUsuario.Text(), "");
}

// ---- Text box and keystrokes

TEST_F(SuiteControls, TextBoxMaxLengthLimitsOnlyWhatTheUserTypes)
{
    qvtxtUsuario.MaxLength = 5;
    qvtxtUsuario.UserType("anabela");
    EXPECT_EQ(qvtxtUsuario.Text(), "anabe");
    qvtxtUsuario.UserType("joão!");
    EXPECT_EQ(qvtxtUsuario.Text(), "joão!");
    qvtxtUsuario.Text = "administrador";
    EXPECT_EQ(qvtxtUsuario.Text(), "administrador");
}

// Every box counts characters as Len does, malformed bytes included, keeps every byte typed,
// and Shift+Home, however written, selects the whole text of the focused box.
TEST_F(SuiteControls, BoxesCountCharactersAsLenDoesMalformedBytesIncluded)
{
    const struct {
        const char* text;
        int32_t characters;
    } rows[] = {
        {"joão", 4},
        {"\xF0\x9F\x98\x80!", 2}, // four bytes, one character
        {"a\xC3", 2},             // a lead byte cut off by the end
        {"\xC3(", 2},             // a lead byte without its continuation
        {"\xE2\x82", 2},          // three announced, two there: each byte its own
        {"a\x80"
         "b",
         3},             // a stray continuation byte
        {"\xFF\xFE", 2}, // bytes no character begins with
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.text));
        EXPECT_EQ(Len(row.text), row.characters);

        qvfNome.UserType(row.text);
        EXPECT_EQ(qvfNome.Text(), row.text);
        SendKeys("+{HOME}");
        EXPECT_EQ(qvfNome.Selection().Start, 0);
        EXPECT_EQ(qvfNome.Selection().Length, row.characters);

        qvtxtUsuario.UserType(row.text);
        EXPECT_EQ(qvtxtUsuario.Text(), row.text);
        EXPECT_EQ(qvtxtUsuario.Selection().Start, row.characters);

        qvnumQuantidade.Text = row.text;
        qvnumQuantidade.SetFocus();
        SendKeys("+({HOME})");
        EXPECT_EQ(qvnumQuantidade.SelStart(), 0);
        EXPECT_EQ(qvnumQuantidade.SelLength(), row.characters);
    }
    qvfNome.UserType("rex");
    SendKeys("{HOME}");
    EXPECT_EQ(qvfNome.Selection().Length, 0) << "Home alone selects nothing";
}

} // namespace
