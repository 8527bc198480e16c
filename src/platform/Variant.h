// A dynamically typed value: empty, null, 16/32-bit whole number, double, currency, text,
// true/false (kept as -1/0), date or object. The As... readers convert with the runtime's rules
// (Runtime.h): a text that is not a number raises 13, a value out of range raises 6.
#pragma once

#include "platform/Currency.h"
#include "platform/Date.h"
#include "platform/Object.h"

#include <cstdint>
#include <string>
#include <variant>

namespace platform {

enum class VarType { Empty, Null, Integer, Long, Double, Currency, String, Boolean, Date, Object };

class Variant {
public:
    Variant() = default;
    Variant(int16_t v) : m_value(v) {}
    Variant(int32_t v) : m_value(v) {}
    Variant(double v) : m_value(v) {}
    Variant(Currency v) : m_value(v) {}
    Variant(std::string v) : m_value(std::move(v)) {}
    Variant(const char* v) : m_value(std::string(v)) {}
    Variant(bool v) : m_value(BooleanValue{v}) {}
    Variant(Date v) : m_value(v) {}
    Variant(ObjectRef v) : m_value(std::move(v)) {}

    static Variant Null();

    VarType Type() const;
    bool IsEmpty() const { return Type() == VarType::Empty; }
    bool IsNull() const { return Type() == VarType::Null; }
    bool IsObject() const { return Type() == VarType::Object; }
    // Whole numbers, double and currency (not a numeric text, not true/false).
    bool IsNumber() const;

    int16_t AsInteger() const;   // CInt
    int32_t AsLong() const;      // CLng
    double AsDouble() const;     // CDbl
    Currency AsCurrency() const; // CCur
    bool AsBoolean() const;      // CBool
    // CStr, except that null reads as "" here where CStr raises 94 (Invalid use of Null): a
    // null field shown in a box is blank, a null used in arithmetic is an error.
    std::string AsString() const;
    Date AsDate() const;        // CDate
    ObjectRef AsObject() const; // an object or nothing; anything else raises 13

    // Same type and same value (texts compared exactly).
    bool operator==(const Variant& other) const;

private:
    struct NullValue {
        bool operator==(const NullValue&) const = default;
    };
    struct BooleanValue {
        bool value;
        bool operator==(const BooleanValue&) const = default;
    };
    friend class VariantAccess;
    std::variant<std::monostate, NullValue, int16_t, int32_t, double, Currency, std::string,
                 BooleanValue, Date, ObjectRef>
        m_value;
};

} // namespace platform
