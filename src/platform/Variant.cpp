#include "platform/Variant.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"

namespace platform {

Variant Object::DefaultMember(const Variant&)
{
    Raise(errObjectDoesNotSupport);
}

Variant Variant::Null()
{
    Variant value;
    value.m_value = NullValue{};
    return value;
}

VarType Variant::Type() const
{
    // The alternatives are declared in the order of VarType.
    static_assert(std::variant_size_v<decltype(m_value)> == 10);
    static_assert(static_cast<size_t>(VarType::Object) == 9);
    return static_cast<VarType>(m_value.index());
}

bool Variant::IsNumber() const
{
    switch (Type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
        return true;
    default:
        return false;
    }
}

int16_t Variant::AsInteger() const
{
    return CInt(*this);
}

int32_t Variant::AsLong() const
{
    return CLng(*this);
}

double Variant::AsDouble() const
{
    return CDbl(*this);
}

Currency Variant::AsCurrency() const
{
    return CCur(*this);
}

bool Variant::AsBoolean() const
{
    return CBool(*this);
}

std::string Variant::AsString() const
{
    return IsNull() ? std::string() : CStr(*this);
}

Date Variant::AsDate() const
{
    return CDate(*this);
}

ObjectRef Variant::AsObject() const
{
    if (const auto* object = std::get_if<ObjectRef>(&m_value))
        return *object;
    Raise(errTypeMismatch);
}

bool Variant::operator==(const Variant& other) const
{
    return m_value == other.m_value;
}

} // namespace platform
