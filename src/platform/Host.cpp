#include "platform/Host.h"

#include "platform/Errors.h"
#include "platform/Control.h"
#include "platform/Screen.h"

#include <map>

namespace platform {

namespace {

Host* s_host = nullptr;
int s_dispatchDepth = 0;
int32_t s_nextHookId = 1;
std::map<int32_t, std::function<void()>>& Hooks()
{
    static std::map<int32_t, std::function<void()>> hooks;
    return hooks;
}

} // namespace

void SetHost(Host* host)
{
    s_host = host;
}

Host& CurrentHost()
{
    if (!s_host)
        Raise(errObjectVariableNotSet, "No host is set");
    return *s_host;
}

bool HasHost()
{
    return s_host != nullptr;
}

int32_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title)
{
    return CurrentHost().ShowMessageBox({prompt, buttons, title});
}

void DoEvents()
{
    CurrentHost().DoEvents();
}

double Timer()
{
    return CurrentHost().SecondsSinceMidnight();
}

Date Today()
{
    return CurrentHost().Today();
}

void SendKeys(const std::string& keys)
{
    if (Control* control = Screen::ActiveControl())
        control->ReceiveKeys(keys);
}

UserAction::UserAction()
{
    ++s_dispatchDepth;
}

UserAction::~UserAction()
{
    if (--s_dispatchDepth > 0)
        return;
    // Copy first: a hook may remove itself.
    const auto hooks = Hooks();
    for (const auto& [id, hook] : hooks)
        hook();
}

bool UserAction::InProgress()
{
    return s_dispatchDepth > 0;
}

int32_t AddEndOfDispatchHook(std::function<void()> hook)
{
    const int32_t id = s_nextHookId++;
    Hooks().emplace(id, std::move(hook));
    return id;
}

void RemoveEndOfDispatchHook(int32_t id)
{
    Hooks().erase(id);
}

} // namespace platform
