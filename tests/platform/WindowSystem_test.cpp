#include "platform/Controls.h"
#include "platform/WindowSystem.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

// Replacing a procedure and chaining through the previous one: the mouse-wheel service's tests.
int32_t First(int32_t, int32_t msg, int32_t, int32_t)
{
    return msg + 1;
}

TEST(WindowSystem_Procedures, UnknownWindowsAndProceduresFailQuietly)
{
    EXPECT_EQ(SetWindowLongA(0, GWL_WNDPROC, AddressOf(&First)), 0);
    EXPECT_EQ(CallWindowProcA(0, 0, WM_MOUSEWHEEL, 0, 0), 0);
    EXPECT_EQ(CallWindowProcA(1 << 20, 0, WM_MOUSEWHEEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(12345, WM_MOUSEWHEEL, 0, 0), 0);
    Form form("frmTeste");
    EXPECT_EQ(SetWindowLongA(form.hWnd(), -16, 1), 0) << "only the procedure is kept";
}

TEST(WindowSystem_Windows, ParentsClientRectanglesAndHandlesOfControls)
{
    const int32_t workArea = WindowSystem::CreateHostWindow("area", 1024, 700);
    int32_t formHandle = 0;
    std::vector<int32_t> changed;
    const auto token =
        WindowSystem::Changed().Connect([&](int32_t hWnd) { changed.push_back(hWnd); });
    {
        Form form("frmTeste");
        form.Width = 15240;
        form.Height = 10230;
        formHandle = form.hWnd();
        EXPECT_NE(SetParent(formHandle, workArea), 0);
        EXPECT_EQ(GetParent(formHandle), workArea);
        EXPECT_EQ(SetParent(formHandle, 987654), 0) << "an unknown parent is refused";
        EXPECT_EQ(GetParent(formHandle), workArea);

        RECT rect;
        ASSERT_NE(GetClientRect(formHandle, rect), 0);
        EXPECT_EQ(rect.Right, 1016);
        EXPECT_EQ(rect.Bottom, 682);
        ASSERT_NE(GetClientRect(workArea, rect), 0);
        EXPECT_EQ(rect.Right, 1024);
        EXPECT_EQ(WindowSystem::ControlFromHandle(formHandle), &form);
    }
    EXPECT_FALSE(WindowSystem::Exists(formHandle)) << "a control's handle goes with it";
    EXPECT_EQ(WindowSystem::ControlFromHandle(formHandle), nullptr);
    EXPECT_EQ(changed, std::vector<int32_t>{formHandle});
    WindowSystem::Changed().Disconnect(token);
    WindowSystem::Unregister(workArea);
}

TEST(WindowSystem_Regions, AWindowOwnsTheRegionItIsGiven)
{
    Form form("frmTeste");
    const int32_t region = CreateRoundRectRgn(0, 0, 334, 38, 30, 30);
    EXPECT_NE(SetWindowRgn(form.hWnd(), region, true), 0);
    const auto kept = WindowSystem::WindowRegion(form.hWnd());
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->Bounds.Right, 334);
    EXPECT_EQ(kept->EllipseHeight, 30);

    Form other("frmOutro");
    EXPECT_EQ(SetWindowRgn(other.hWnd(), region, true), 0) << "a region given away is gone";
}

TEST(WindowSystem_Placement, TopmostIsKeptPerWindow)
{
    Form form("frmTeste");
    EXPECT_NE(SetWindowPos(form.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, 3), 0);
    EXPECT_TRUE(WindowSystem::IsTopmost(form.hWnd()));
    SetWindowPos(form.hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, 3);
    EXPECT_FALSE(WindowSystem::IsTopmost(form.hWnd()));
}

} // namespace
