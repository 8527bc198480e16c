// Every service a host provides to the component (message boxes, modal loops, the event pump,
// the clock and today's date, pop-up menus, the print preview) is this one interface, set once at
// start. A host delivers each user action inside a UserAction; when the outermost ends, the
// end-of-dispatch hooks run (the component lowers its one-shot flags there).
#pragma once

#include "platform/Date.h"

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

class Control;
class Form;
class Report;

enum MsgBoxStyle : int32_t {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum MsgBoxResult : int32_t {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

struct MessageBoxRequest {
    std::string Prompt;
    int32_t Buttons = vbOKOnly; // buttons + icon + default button
    std::string Title;

    int32_t ButtonSet() const { return Buttons & 0x0F; }
    int32_t Icon() const { return Buttons & 0xF0; }
    int32_t DefaultButton() const { return Buttons & 0xF00; }
};

class Host {
public:
    virtual ~Host() = default;

    // Shows a message box and answers the button chosen.
    virtual int32_t ShowMessageBox(const MessageBoxRequest& request) = 0;
    // Runs a modal loop for `form` (already visible, Modal true) until it is hidden or unloaded.
    virtual void RunModal(Form& form) = 0;
    // Processes pending window events.
    virtual void DoEvents() = 0;
    // Seconds since midnight of the local clock, as the runtime's Timer.
    virtual double SecondsSinceMidnight() = 0;
    virtual Date Today() = 0;
    // Shows `menu`'s items as a pop-up menu of `form`; a chosen item raises its Click.
    virtual void ShowPopupMenu(Form& form, Control& menu) = 0;
    // The print preview of `report`'s laid-out pages (Pages()), from which the user prints; runs
    // until the user closes it. Maximised when the report's WindowState asks for it.
    virtual void ShowPreview(Report& report) = 0;
};

// The host every service goes to. Using a service before SetHost raises error 91.
void SetHost(Host* host);
Host& CurrentHost();
bool HasHost();

int32_t MsgBox(const std::string& prompt, int32_t buttons = vbOKOnly,
               const std::string& title = {});
void DoEvents();
double Timer();
Date Today();
// Sends keystrokes to the control that has the focus ("+{HOME}": select what was typed).
void SendKeys(const std::string& keys);

// One user action delivered by a host. Handlers run inside it; when the outermost one ends the
// end-of-dispatch hooks run.
class UserAction {
public:
    UserAction();
    ~UserAction();
    UserAction(const UserAction&) = delete;
    UserAction& operator=(const UserAction&) = delete;
    static bool InProgress();
};

// Registers a hook run at the end of every outermost user action; answers an id for removal.
int32_t AddEndOfDispatchHook(std::function<void()> hook);
void RemoveEndOfDispatchHook(int32_t id);

} // namespace platform
