#include "platform/Controls.h"
#include "platform/HeadlessHost.h"
#include "support/ErrorRaisedBy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;
using support::ErrorRaisedBy;

namespace {

class Controls : public ::testing::Test {
protected:
    Controls()
    {
        SetHost(&host);
        form.Show();
    }
    ~Controls() override
    {
        Screen::ClearFocus();
        SetHost(nullptr);
    }

    HeadlessHost host;
    Form form{"frmTeste"};
    PictureBox area{&form, "picArea"};
    PictureBox first{&area, "picPrimeiro"};
    PictureBox second{&area, "picSegundo"};
};

TEST_F(Controls, OnlyShownEnabledControlsTakeTheFocus)
{
    Label label(&area, "lblRotulo", "Nome");
    const auto focusError = [](Control& control) {
        return ErrorRaisedBy([&] { control.SetFocus(); });
    };
    EXPECT_EQ(focusError(label), errInvalidProcedureCall);
    first.Enabled = false;
    EXPECT_EQ(focusError(first), errInvalidProcedureCall);
    first.Enabled = true;
    area.Visible = false;
    EXPECT_EQ(focusError(first), errInvalidProcedureCall) << "its container is hidden";
    area.Visible = true;
    area.Enabled = false;
    EXPECT_EQ(focusError(second), errInvalidProcedureCall) << "its container is disabled";
    area.Enabled = true;
    EXPECT_EQ(focusError(second), 0);
}

TEST_F(Controls, AControlThatGoesAwayTakesTheFocusWithIt)
{
    {
        PictureBox temporary(&area, "picTemporario");
        temporary.SetFocus();
    }
    EXPECT_EQ(Screen::ActiveControl(), nullptr);
    EXPECT_EQ(form.FindControl("picTemporario"), nullptr);
}

TEST_F(Controls, OptionButtonsOfOneContainerAreOneGroup)
{
    OptionButton a(&area, "optA"), b(&area, "optB");
    OptionButton elsewhere(&form, "optOutro");
    int clicksA = 0, clicksB = 0;
    a.Click.Connect([&] { ++clicksA; });
    b.Click.Connect([&] { ++clicksB; });
    elsewhere.Value = true;
    a.Value = true;
    b.Value = true;
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(b.Value());
    EXPECT_TRUE(elsewhere.Value()) << "another container is another group";
    b.Value = true;
    EXPECT_EQ(clicksA, 1);
    EXPECT_EQ(clicksB, 1) << "turning on what is on raises nothing";
}

TEST_F(Controls, MembersAreReachableByName)
{
    Label label(&area, "lblRotulo", "Nome");
    label.Set("Caption", "Código");
    label.Set("Left", "120");
    EXPECT_EQ(label.Get("Caption").AsString(), "Código");
    EXPECT_EQ(label.Left(), 120);
    EXPECT_EQ(ErrorRaisedBy([&] { label.Get("Texto"); }), errObjectDoesNotSupport);
    EXPECT_EQ(ErrorRaisedBy([&] { label.Set("Width", "largo"); }), errTypeMismatch);
    EXPECT_EQ(label.Width(), 0) << "a refused value changes nothing";
}

TEST_F(Controls, FormLoadsAndResizesOnceRunsModalLoopsThroughTheHostAndTellsAnUnloadFromCode)
{
    Form dialog("frmDialogo");
    std::vector<std::string> order;
    dialog.Load.Connect([&] { order.push_back("Load"); });
    dialog.Resize.Connect([&] { order.push_back("Resize"); });
    dialog.QueryUnload.Connect([&](int16_t&, int16_t mode) {
        order.push_back(mode == vbFormCode ? "unload from code" : "unload by the user");
    });
    host.OnModal("frmDialogo", [&](Form& shown) {
        order.push_back(shown.Modal() ? "modal" : "not modal");
        EXPECT_EQ(ErrorRaisedBy([&] { shown.Show(vbModal); }), 400);
        shown.Hide();
    });
    dialog.Show(vbModal);
    EXPECT_FALSE(dialog.Modal());
    EXPECT_TRUE(host.StuckModals().empty());
    EXPECT_EQ(Form::FindForm("frmDialogo"), &dialog);
    dialog.Show();
    dialog.Unload();
    EXPECT_EQ(order, (std::vector<std::string>{"Load", "Resize", "modal", "unload from code"}));
    EXPECT_FALSE(dialog.IsLoaded());
}

TEST_F(Controls, MessageBoxesTakeQueuedAnswersOrTheirDefaultButton)
{
    host.QueueAnswer(vbYes);
    EXPECT_EQ(MsgBox("Salvo.", vbInformation, "Kelo"), vbOK) << "a box that only informs";
    EXPECT_EQ(MsgBox("Duplicar?", vbYesNo + vbQuestion + vbDefaultButton2, "Kelo"), vbYes);
    EXPECT_EQ(MsgBox("Duplicar?", vbYesNo + vbQuestion + vbDefaultButton2, "Kelo"), vbNo);
    ASSERT_EQ(host.MessageBoxes().size(), 3u);
    EXPECT_EQ(host.MessageBoxes()[0].Icon(), vbInformation);
    EXPECT_EQ(host.MessageBoxes()[0].Title, "Kelo");
    EXPECT_EQ(host.UnansweredQuestions().size(), 1u) << "only the question nobody answered";
}

TEST_F(Controls, EndOfDispatchHooksRunWhenTheActionEndsUntilRemoved)
{
    int runs = 0;
    const int32_t id = AddEndOfDispatchHook([&] { ++runs; });
    {
        UserAction outer;
        EXPECT_TRUE(UserAction::InProgress());
    }
    EXPECT_EQ(runs, 1);
    RemoveEndOfDispatchHook(id);
    {
        UserAction another;
    }
    EXPECT_EQ(runs, 1);
}

TEST_F(Controls, ZOrderBringsAControlInFrontOfItsSiblings)
{
    second.ZOrder(0);
    first.ZOrder(0);
    EXPECT_GT(first.ZIndex(), second.ZIndex());
    first.ZOrder(1);
    EXPECT_LT(first.ZIndex(), second.ZIndex());
}

TEST_F(Controls, TimerAndDoEventsComeFromTheHost)
{
    host.SetTime(86399.98);
    host.SetTick(0.05);
    DoEvents();
    EXPECT_NEAR(Timer(), 0.03, 1e-9) << "the time of day wraps at midnight";
    host.SetToday({2028, 2, 29});
    EXPECT_EQ(Today(), (Date{2028, 2, 29}));
    SetHost(nullptr);
    EXPECT_EQ(ErrorRaisedBy([] { Timer(); }), errObjectVariableNotSet);
    SetHost(&host);
}

} // namespace
