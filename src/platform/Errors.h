// Run-time errors of the platform: thrown by value, caught by const&, carrying the number and
// description the component's error reporter shows.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// The run-time error numbers the platform raises, all of them: each has its standard
// description in Errors.cpp.
enum ErrorNumber : int32_t {
    errInvalidProcedureCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscriptOutOfRange = 9,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errObjectVariableNotSet = 91,
    errInvalidUseOfNull = 94,
    errInvalidPropertyValue = 380,
    errInvalidPropertyArrayIndex = 381,
    errPropertyIsReadOnly = 383,
    errWrongNumberOfArguments = 450,
    errCannotCreateObject = 429,
    errObjectDoesNotSupport = 438,
    errInternal = 51,
    errFormAlreadyDisplayed = 400,
    // A recordset read past its last row, and a field name it does not have.
    errNoCurrentRecord = 3021,
    errItemNotFound = 3265,
    // An image list asked for a key it does not hold.
    errElementNotFound = 35601,
    // The grid refuses to remove its last non-fixed row.
    errGridCannotRemoveLastRow = 30015,
    errGridSubscriptOutOfRange = 30009,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, const std::string& description)
        : std::runtime_error(description), m_number(number)
    {
    }

    int32_t Number() const { return m_number; }
    std::string Description() const { return what(); }

private:
    int32_t m_number;
};

// Raises run-time error `number` with the platform's standard description for it, or with
// `description` when one is given.
[[noreturn]] void Raise(int32_t number, const std::string& description = {});

// The platform's standard description of a run-time error number ("Overflow", "Type mismatch").
std::string StandardDescription(int32_t number);

} // namespace platform
