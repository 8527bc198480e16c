#include "contracts/Registry.h"

#include <cctype>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace contracts {

namespace {

struct CaseInsensitiveLess {
    using is_transparent = void;

    bool operator()(std::string_view a, std::string_view b) const
    {
        const auto lower = [](char c) {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        };
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
            if (lower(a[i]) != lower(b[i]))
                return lower(a[i]) < lower(b[i]);
        }
        return a.size() < b.size();
    }
};

struct Registry {
    std::mutex mutex;
    std::map<std::string, Factory, CaseInsensitiveLess> factories;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

} // namespace

void Register(std::string_view className, Factory factory)
{
    if (!factory)
        platform::Raise(platform::errInvalidProcedureCall);
    auto& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    registry.factories.insert_or_assign(std::string(className), std::move(factory));
}

void Unregister(std::string_view className)
{
    auto& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    if (const auto found = registry.factories.find(className); found != registry.factories.end())
        registry.factories.erase(found);
}

void Clear()
{
    auto& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    registry.factories.clear();
}

platform::ObjectRef CreateObject(std::string_view className)
{
    Factory factory;
    {
        auto& registry = TheRegistry();
        const std::lock_guard lock(registry.mutex);
        const auto found = registry.factories.find(className);
        if (found == registry.factories.end())
            platform::Raise(platform::errCannotCreateObject);
        factory = found->second;
    }
    // Outside the lock: a component may create others while it is built.
    auto object = factory();
    if (!object)
        platform::Raise(platform::errCannotCreateObject);
    return object;
}

} // namespace contracts
