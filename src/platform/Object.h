// The base of every object that travels inside a Variant: business components, the host's user
// object, forms handed to the screen services.
#pragma once

#include <memory>

namespace platform {

class Variant;

class Object {
public:
    virtual ~Object() = default;
    // The object's default member, as in obj("Key"); objects without one raise error 438.
    virtual Variant DefaultMember(const Variant& index);
};

using ObjectRef = std::shared_ptr<Object>;

} // namespace platform
