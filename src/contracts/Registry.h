// Components created by their registered class name ("KELO_N_ClientAnim.clsClientes"), one new
// instance per creation, as the operating system's registration serves in-process components.
// The hosts register the store and the presentation services once at start; tests register
// fakes. The registry is global and safe to use from several threads.
#pragma once

#include "platform/Errors.h"
#include "platform/Object.h"

#include <functional>
#include <memory>
#include <string_view>

namespace contracts {

using Factory = std::function<platform::ObjectRef()>;

// Class names compare without regard to case, as registered names do. Registering a name again
// replaces its factory; an empty factory raises 5.
void Register(std::string_view className, Factory factory);
// Registers Implementation under the class name of the contract it implements.
template <class Implementation>
void Register()
{
    Register(Implementation::ClassName, [] { return std::make_shared<Implementation>(); });
}
void Unregister(std::string_view className);
void Clear();

// A new instance of the class; an unregistered name (or a factory that makes nothing) raises 429.
platform::ObjectRef CreateObject(std::string_view className);

// A new instance of the contract T, by T::ClassName; an object that does not implement T
// raises 13.
template <class T>
std::shared_ptr<T> CreateObject()
{
    auto typed = std::dynamic_pointer_cast<T>(CreateObject(T::ClassName));
    if (!typed)
        platform::Raise(platform::errTypeMismatch);
    return typed;
}

} // namespace contracts
