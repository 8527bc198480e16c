// A control's event: handlers run in the order they were connected, synchronously, inside the
// action that raised it. Arguments passed by reference (a key code, a cancel flag) come back.
// Whoever connects to an object that outlives it (a peer, a test) disconnects with the token.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace platform {

template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;
    using Token = std::size_t;

    Token Connect(Handler handler)
    {
        m_handlers.emplace_back(++m_lastToken, std::move(handler));
        return m_lastToken;
    }
    void Disconnect(Token token)
    {
        std::erase_if(m_handlers, [token](const auto& entry) { return entry.first == token; });
    }
    bool IsConnected() const { return !m_handlers.empty(); }

    void Raise(Args... args) const
    {
        // A handler may connect or disconnect; iterate over a copy so that never invalidates us.
        const auto handlers = m_handlers;
        for (const auto& entry : handlers)
            entry.second(args...);
    }

private:
    std::vector<std::pair<Token, Handler>> m_handlers;
    Token m_lastToken = 0;
};

} // namespace platform
