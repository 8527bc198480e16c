// One QApplication for the whole test program, on the offscreen platform, and the pieces the
// desktop tests share: a host with the 96 dpi scale, a form's widgets by control, and what every
// one of them includes.
#pragma once

#include "host/desktop/ControlPeer.h"
#include "host/desktop/DesktopHost.h"
#include "platform/Controls.h"
#include "platform/WindowSystem.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace desktop_test {

// Runs the event loop until nothing is pending (timers at 0 included).
void Settle();

// The widget of a control's peer (its focus widget when `focus`).
QWidget* WidgetOf(desktop::DesktopHost& host, const platform::Control& control, bool focus = false);

// Shows the form's window and waits until it is the active one (the focus needs that).
void ShowAndActivate(desktop::DesktopHost& host, platform::Form& form);

} // namespace desktop_test
