#include "platform/WindowSystem.h"

#include "platform/Control.h"

#include <map>
#include <vector>

namespace platform {

namespace {

struct WindowRecord {
    Control* control = nullptr;
    std::string name;
    int32_t parent = 0;
    int32_t procedure = 0;
    std::optional<Region> region;
    int32_t widthPixels = 0;
    int32_t heightPixels = 0;
    bool topmost = false;
};

// The default procedure of every window: what DefWindowProc answers for the messages we route.
int32_t DefaultWindowProcedure(int32_t, int32_t, int32_t, int32_t)
{
    return 0;
}

struct State {
    std::map<int32_t, WindowRecord> windows;
    std::vector<WNDPROC> procedures{nullptr};
    std::map<int32_t, Region> regions;
    int32_t nextHandle = 0x10000;
    int32_t nextRegion = 0x40000;
    Event<int32_t> changed;
};

State& TheState()
{
    static State state;
    return state;
}

WindowRecord* Find(int32_t hWnd)
{
    auto& windows = TheState().windows;
    auto it = windows.find(hWnd);
    return it == windows.end() ? nullptr : &it->second;
}

void NotifyChanged(int32_t hWnd)
{
    TheState().changed.Raise(hWnd);
}

} // namespace

int32_t AddressOf(WNDPROC procedure)
{
    auto& procedures = TheState().procedures;
    for (size_t i = 1; i < procedures.size(); ++i) {
        if (procedures[i] == procedure)
            return static_cast<int32_t>(i);
    }
    procedures.push_back(procedure);
    return static_cast<int32_t>(procedures.size() - 1);
}

int32_t SetWindowLongA(int32_t hWnd, int32_t index, int32_t newValue)
{
    WindowRecord* window = Find(hWnd);
    if (!window || index != GWL_WNDPROC)
        return 0;
    if (newValue <= 0 || static_cast<size_t>(newValue) >= TheState().procedures.size())
        return 0;
    const int32_t previous = window->procedure;
    window->procedure = newValue;
    return previous;
}

int32_t CallWindowProcA(int32_t procedure, int32_t hWnd, int32_t uMsg, int32_t wParam,
                        int32_t lParam)
{
    const auto& procedures = TheState().procedures;
    if (procedure <= 0 || static_cast<size_t>(procedure) >= procedures.size())
        return 0;
    return procedures[static_cast<size_t>(procedure)](hWnd, uMsg, wParam, lParam);
}

int32_t SendMessageA(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam)
{
    WindowRecord* window = Find(hWnd);
    if (!window)
        return 0;
    return CallWindowProcA(window->procedure, hWnd, uMsg, wParam, lParam);
}

int32_t SetParent(int32_t hWndChild, int32_t hWndNewParent)
{
    WindowRecord* child = Find(hWndChild);
    if (!child || (hWndNewParent != 0 && !Find(hWndNewParent)))
        return 0;
    const int32_t previous = child->parent;
    child->parent = hWndNewParent;
    NotifyChanged(hWndChild);
    // The desktop answers as a parent too; report it as nonzero like the real call does.
    return previous == 0 ? 1 : previous;
}

int32_t GetParent(int32_t hWnd)
{
    WindowRecord* window = Find(hWnd);
    return window ? window->parent : 0;
}

int32_t GetClientRect(int32_t hWnd, RECT& rect)
{
    WindowRecord* window = Find(hWnd);
    if (!window)
        return 0;
    rect = RECT{};
    if (window->control) {
        rect.Right = window->control->Width / TwipsPerPixel;
        rect.Bottom = window->control->Height / TwipsPerPixel;
    } else {
        rect.Right = window->widthPixels;
        rect.Bottom = window->heightPixels;
    }
    return 1;
}

int32_t CreateRoundRectRgn(int32_t left, int32_t top, int32_t right, int32_t bottom,
                           int32_t ellipseWidth, int32_t ellipseHeight)
{
    State& state = TheState();
    const int32_t handle = state.nextRegion++;
    state.regions[handle] = Region{RECT{left, top, right, bottom}, ellipseWidth, ellipseHeight};
    return handle;
}

int32_t SetWindowRgn(int32_t hWnd, int32_t hRgn, bool)
{
    WindowRecord* window = Find(hWnd);
    if (!window)
        return 0;
    auto& regions = TheState().regions;
    if (hRgn == 0) {
        window->region.reset();
    } else {
        auto it = regions.find(hRgn);
        if (it == regions.end())
            return 0;
        window->region = it->second;
        regions.erase(it); // the window owns it now
    }
    NotifyChanged(hWnd);
    return 1;
}

int32_t SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t, int32_t, int32_t, int32_t,
                     int32_t)
{
    WindowRecord* window = Find(hWnd);
    if (!window)
        return 0;
    if (hWndInsertAfter == HWND_TOPMOST)
        window->topmost = true;
    else if (hWndInsertAfter == HWND_NOTOPMOST)
        window->topmost = false;
    NotifyChanged(hWnd);
    return 1;
}

int32_t WindowSystem::Register(Control* control)
{
    State& state = TheState();
    const int32_t handle = state.nextHandle++;
    WindowRecord record;
    record.control = control;
    record.procedure = AddressOf(&DefaultWindowProcedure);
    state.windows.emplace(handle, std::move(record));
    return handle;
}

void WindowSystem::Unregister(int32_t hWnd)
{
    TheState().windows.erase(hWnd);
}

int32_t WindowSystem::CreateHostWindow(const std::string& name, int32_t widthPixels,
                                       int32_t heightPixels)
{
    const int32_t handle = Register(nullptr);
    WindowRecord* window = Find(handle);
    window->name = name;
    window->widthPixels = widthPixels;
    window->heightPixels = heightPixels;
    return handle;
}

void WindowSystem::ResizeHostWindow(int32_t hWnd, int32_t widthPixels, int32_t heightPixels)
{
    if (WindowRecord* window = Find(hWnd)) {
        window->widthPixels = widthPixels;
        window->heightPixels = heightPixels;
        NotifyChanged(hWnd);
    }
}

Control* WindowSystem::ControlFromHandle(int32_t hWnd)
{
    WindowRecord* window = Find(hWnd);
    return window ? window->control : nullptr;
}

bool WindowSystem::Exists(int32_t hWnd)
{
    return Find(hWnd) != nullptr;
}

std::optional<Region> WindowSystem::WindowRegion(int32_t hWnd)
{
    WindowRecord* window = Find(hWnd);
    return window ? window->region : std::nullopt;
}

int32_t WindowSystem::WindowProcedure(int32_t hWnd)
{
    WindowRecord* window = Find(hWnd);
    return window ? window->procedure : 0;
}

bool WindowSystem::IsTopmost(int32_t hWnd)
{
    WindowRecord* window = Find(hWnd);
    return window && window->topmost;
}

Event<int32_t>& WindowSystem::Changed()
{
    return TheState().changed;
}

} // namespace platform
