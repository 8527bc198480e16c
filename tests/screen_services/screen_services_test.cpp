#include "globals/modPrincipal.h"
#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/Grid.h"
#include "platform/HeadlessHost.h"
#include "platform/WindowSystem.h"
#include "screen_services/modArredondarCantosDoObjeto.h"
#include "screen_services/modPausar.h"
#include "screen_services/modRolagemComMouse.h"
#include "support/DialogTest.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace KELO_A_PreVendas;

namespace {

class ScreenServices : public support::DialogTest {
protected:
    ~ScreenServices() override
    {
        DesativarRolagemComMouse();
        modPrincipal::gstrNomeDaAplicacao.clear();
    }
};

// A grid of `rows` rows, `height` twips high, rows of `rowHeight` twips, scrolled to `topRow`.
struct Scroll {
    int32_t height;
    int32_t rowHeight;
    int32_t rows;
    int32_t topRow;
    int32_t rotation;
    int32_t expectedTopRow;
};

TEST_F(ScreenServices, RolarGradePagesByAGridsHeightOfRowsAndNeverFewerThanTen)
{
    const Scroll rows[] = {
        {2655, 240, 100, 1, -1, 12}, // 2655 / 240 = 11 rows
        {2655, 300, 100, 1, -1, 11}, // 8 rows, raised to 10
        {2655, 240, 100, 1, 0, 12},  // no rotation counts as towards the user
        {2655, 300, 100, 5, 1, 1},   // away from the user, never above row 1
        {2655, 300, 100, 40, 1, 30}, // ten rows up
        {2655, 240, 20, 15, -1, 19}, // never below the last row
    };
    platform::Form form("frmTeste");
    platform::Grid grid(&form, "msfgTeste");
    for (const Scroll& row : rows) {
        grid.Height = row.height;
        grid.SetRowHeight(0, row.rowHeight);
        grid.Rows = row.rows;
        grid.TopRow = row.topRow;
        RolarGrade(0, row.rotation, 0, 0, grid);
        EXPECT_EQ(grid.TopRow(), row.expectedTopRow)
            << row.height << "/" << row.rowHeight << " from " << row.topRow;
    }
}

int32_t gPreviousProcedureCalls = 0;
int32_t CountingProcedure(int32_t, int32_t, int32_t, int32_t)
{
    ++gPreviousProcedureCalls;
    return 77;
}

TEST_F(ScreenServices, WheelMessagesScrollAndAlwaysReachThePreviousProcedureOnce)
{
    platform::Form form("frmTeste");
    platform::Grid grid(&form, "msfgTeste");
    grid.Height = 2655;
    grid.Rows = 100;
    const int32_t counting = platform::AddressOf(&CountingProcedure);
    platform::SetWindowLongA(form.hWnd(), platform::GWL_WNDPROC, counting);

    // Two activations without an end in between (two focus events): the kept procedure must
    // stay the original one, or messages would go round in a chain.
    DesativarRolagemComMouse();
    AtivarRolagemComMouse(form, grid);
    DesativarRolagemComMouse();
    AtivarRolagemComMouse(form, grid);
    EXPECT_EQ(ProcedimentoAnterior(), counting);

    gPreviousProcedureCalls = 0;
    const int32_t answer =
        platform::SendMessageA(form.hWnd(), platform::WM_MOUSEWHEEL, -120 * 65536, 0);
    EXPECT_EQ(answer, 77);
    EXPECT_EQ(gPreviousProcedureCalls, 1);
    EXPECT_EQ(grid.TopRow(), 12);
    platform::SendMessageA(form.hWnd(), 0x0200, 0, 0); // any other message goes through too
    EXPECT_EQ(gPreviousProcedureCalls, 2);
    EXPECT_EQ(grid.TopRow(), 12);

    // Away from the user: a positive delta in the high word, with a key state in the low word.
    grid.TopRow = 30;
    platform::SendMessageA(form.hWnd(), platform::WM_MOUSEWHEEL, 120 * 65536 + 8, 0);
    EXPECT_EQ(grid.TopRow(), 19);

    DesativarRolagemComMouse();
    EXPECT_EQ(platform::WindowSystem::WindowProcedure(form.hWnd()), counting);
    DesativarRolagemComMouse(); // harmless when nothing is active
}

TEST_F(ScreenServices, RoundedCornersExceptOnWindows8InAnyCaseAndAFailureReported)
{
    struct Row {
        const char* systemName;
        bool rounded;
    };
    const Row rows[] = {
        {"Windows 10", true}, {"Windows 8", false}, {"windows 8", false}, {"Windows 8.1", true}};
    for (const Row& row : rows) {
        platform::Form form("frmTeste");
        platform::PictureBox panel(&form, "picPainel");
        panel.Width = 5010;
        panel.Height = 570;
        fakes.BusinessLayer.SetOperatingSystemName(row.systemName);
        int32_t hWnd = panel.hWnd();
        uint8_t radius = 30;
        ArredondarCantosDoObjeto(hWnd, radius);
        const auto region = platform::WindowSystem::WindowRegion(hWnd);
        EXPECT_EQ(region.has_value(), row.rounded) << row.systemName;
        if (region) {
            EXPECT_EQ(support::Join(region->Bounds.Right, region->Bounds.Bottom,
                                    region->EllipseWidth, region->EllipseHeight),
                      "334 | 38 | 30 | 30");
        }
    }
    EXPECT_EQ(Reports(), "");

    // Without the component that names the system, the failure is reported, the window square.
    modPrincipal::gstrNomeDaAplicacao = "Kelo Pet Shop";
    support::FakeBusinessLayer::Unregister();
    platform::Form form("frmTeste");
    int32_t hWnd = form.hWnd();
    uint8_t radius = 30;
    ArredondarCantosDoObjeto(hWnd, radius);
    EXPECT_FALSE(platform::WindowSystem::WindowRegion(hWnd).has_value());
    EXPECT_EQ(Reports(), "429 @ KELO_A_PreVendas, modArredondarCantosDoObjeto, "
                         "ArredondarCantosDoObjeto, Ponto: 1\n");
}

struct Pause {
    double start;
    double tick;
    double seconds;
    int32_t expectedSteps;
};

TEST_F(ScreenServices, PausarWaitsTheGivenTimeAlsoAcrossMidnight)
{
    const Pause rows[] = {
        {100.0, 0.25, 1, 4},
        {86399.8, 0.25, 1, 4}, // the time of day wraps to 0 during the pause
        {86399.9, 0.5, 2, 4},
        {500.0, 0.25, 0, 0},
    };
    for (const Pause& row : rows) {
        const int32_t before = host.DoEventsCount();
        host.SetTime(row.start);
        host.SetTick(row.tick);
        host.OnDoEvents([&] {
            if (host.DoEventsCount() - before > 1000)
                throw std::runtime_error("the pause never ends");
        });
        Pausar(row.seconds);
        EXPECT_EQ(host.DoEventsCount() - before, row.expectedSteps) << "from " << row.start;
    }
}

} // namespace
