// The window system the component talks to by handle: parenting, window procedures and their
// chain, regions, client rectangles and placement. Every control has a handle; a host registers
// its own windows (its menu form, its work area) with CreateHostWindow. Lengths here are pixels,
// as the window system counts them (15 twips to the pixel at 96 dpi).
#pragma once

#include "platform/Event.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class Control;

using WNDPROC = int32_t (*)(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam);

constexpr int32_t GWL_WNDPROC = -4;
constexpr int32_t WM_MOUSEWHEEL = 0x020A;
constexpr int32_t TwipsPerPixel = 15;

struct RECT {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

struct Region {
    RECT Bounds;
    int32_t EllipseWidth = 0;
    int32_t EllipseHeight = 0;
};

// The address of a window procedure, as SetWindowLongA takes it.
int32_t AddressOf(WNDPROC procedure);

// Only GWL_WNDPROC is kept; answers the previous procedure, or 0 for an unknown window.
int32_t SetWindowLongA(int32_t hWnd, int32_t index, int32_t newValue);
int32_t CallWindowProcA(int32_t procedure, int32_t hWnd, int32_t uMsg, int32_t wParam,
                        int32_t lParam);
// Delivers a message to the window's current procedure.
int32_t SendMessageA(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam);

// Answers the previous parent, 0 on an unknown window.
int32_t SetParent(int32_t hWndChild, int32_t hWndNewParent);
int32_t GetParent(int32_t hWnd);
// Answers nonzero on success.
int32_t GetClientRect(int32_t hWnd, RECT& rect);
int32_t CreateRoundRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom,
                           int32_t ellipseWidth, int32_t ellipseHeight);
// The window owns the region from then on; answers nonzero on success.
int32_t SetWindowRgn(int32_t hWnd, int32_t hRgn, bool redraw);
int32_t SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t x, int32_t y, int32_t cx,
                     int32_t cy, int32_t flags);
constexpr int32_t HWND_TOPMOST = -1;
constexpr int32_t HWND_NOTOPMOST = -2;

// What the hosts and tests read back.
class WindowSystem {
public:
    // A new handle for a control (Control's constructor calls it).
    static int32_t Register(Control* control);
    static void Unregister(int32_t hWnd);
    // A handle for a host window that is not a platform control.
    static int32_t CreateHostWindow(const std::string& name, int32_t widthPixels,
                                    int32_t heightPixels);
    static void ResizeHostWindow(int32_t hWnd, int32_t widthPixels, int32_t heightPixels);
    static Control* ControlFromHandle(int32_t hWnd);
    static bool Exists(int32_t hWnd);
    static std::optional<Region> WindowRegion(int32_t hWnd);
    static int32_t WindowProcedure(int32_t hWnd);
    static bool IsTopmost(int32_t hWnd);
    // Raised with the handle whenever parent, region or placement change.
    static Event<int32_t>& Changed();
};

} // namespace platform
