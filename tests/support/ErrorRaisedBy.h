// The number of the run-time error an action raises, 0 when it raises none:
//   EXPECT_EQ(support::ErrorRaisedBy([] { platform::CCur("abc"); }), 13);
#pragma once

#include "platform/Errors.h"

#include <cstdint>

namespace support {

template <class Action>
int32_t ErrorRaisedBy(Action action)
{
    try {
        action();
    } catch (const platform::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

} // namespace support
