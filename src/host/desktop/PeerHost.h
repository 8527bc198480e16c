// What a widget peer needs of the host that keeps it: the twips scale, the other peers and the
// host's own windows, the moments to meet new forms and to put the Qt focus where the platform
// says it is, and a way to show an error nobody trapped. DesktopHost is the one that answers.
#pragma once

#include "host/desktop/Convert.h"

#include <cstdint>
#include <memory>
#include <string>

class QWidget;

namespace platform {
class Control;
} // namespace platform

namespace desktop {

class ControlPeer;

class PeerHost {
public:
    virtual ~PeerHost() = default;

    virtual const Scale& Scaling() const = 0;
    // Keeps a peer (ControlPeer registers itself while it attaches).
    virtual void Adopt(std::shared_ptr<ControlPeer> peer) = 0;
    virtual ControlPeer* PeerOf(const platform::Control& control) const = 0;
    // The widget behind a handle: a host window or a control's peer; nullptr for none.
    virtual QWidget* WidgetOf(int32_t hWnd) const = 0;
    virtual bool IsHostWindow(int32_t hWnd) const = 0;
    // The window dialogs open over, nullptr before there is one.
    virtual QWidget* MainWindow() const = 0;
    // Peers for the forms that have none yet, after an action may have made some.
    virtual void Sync() = 0;
    // Gives the Qt focus to the control the platform says has it, once the event loop turns.
    virtual void ScheduleFocusSync() = 0;
    // An error no handler of the component trapped, as the runtime would have shown it.
    virtual void ReportUnhandled(const std::string& text) = 0;
};

} // namespace desktop
