// A control's event: handlers run in the order they were connected, synchronously, inside the
// action that raised it. Arguments passed by reference (a key code, a cancel flag) come back.
#pragma once

#include <functional>
#include <vector>

namespace platform {

template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    void Connect(Handler handler) { m_handlers.push_back(std::move(handler)); }
    bool IsConnected() const { return !m_handlers.empty(); }

    void Raise(Args... args) const
    {
        // A handler may connect another; iterate over a copy so that never invalidates us.
        const auto handlers = m_handlers;
        for (const auto& handler : handlers)
            handler(args...);
    }

private:
    std::vector<Handler> m_handlers;
};

} // namespace platform
