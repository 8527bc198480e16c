// The run-time error an action raises:
//   EXPECT_EQ(support::ErrorRaisedBy([] { platform::CCur("abc"); }), 13);   // its number, or 0
//   EXPECT_EQ(support::RuntimeErrorRaisedBy(action).Description(), "...");  // number 0 if none
#pragma once

#include "platform/Errors.h"

#include <cstdint>

namespace support {

template <class Action>
platform::RuntimeError RuntimeErrorRaisedBy(Action action)
{
    try {
        action();
    } catch (const platform::RuntimeError& error) {
        return error;
    }
    return platform::RuntimeError(0, "");
}

template <class Action>
int32_t ErrorRaisedBy(Action action)
{
    return RuntimeErrorRaisedBy(action).Number();
}

} // namespace support
