#include "platform/Errors.h"

namespace platform {

std::string StandardDescription(int32_t number)
{
    switch (number) {
    case errInvalidProcedureCall:
        return "Invalid procedure call or argument";
    case errOverflow:
        return "Overflow";
    case errOutOfMemory:
        return "Out of memory";
    case errSubscriptOutOfRange:
        return "Subscript out of range";
    case errDivisionByZero:
        return "Division by zero";
    case errTypeMismatch:
        return "Type mismatch";
    case errInternal:
        return "Internal error";
    case errObjectVariableNotSet:
        return "Object variable or With block variable not set";
    case errInvalidUseOfNull:
        return "Invalid use of Null";
    case errInvalidPropertyValue:
        return "Invalid property value";
    case errInvalidPropertyArrayIndex:
        return "Invalid property array index";
    case errPropertyIsReadOnly:
        return "Property is read-only";
    case errWrongNumberOfArguments:
        return "Wrong number of arguments or invalid property assignment";
    case errCannotCreateObject:
        return "ActiveX component can't create object";
    case errObjectDoesNotSupport:
        return "Object doesn't support this property or method";
    case errFormAlreadyDisplayed:
        return "Form already displayed; can't show modally";
    case errNoCurrentRecord:
        return "Either BOF or EOF is True, or the current record has been deleted. Requested "
               "operation requires a current record.";
    case errItemNotFound:
        return "Item cannot be found in the collection corresponding to the requested name or "
               "ordinal.";
    case errElementNotFound:
        return "Element not found";
    case errGridCannotRemoveLastRow:
        return "Cannot remove last non-fixed row";
    case errGridSubscriptOutOfRange:
        return "Subscript out of range";
    default:
        return "Application-defined or object-defined error";
    }
}

void Raise(int32_t number, const std::string& description)
{
    throw RuntimeError(number, description.empty() ? StandardDescription(number) : description);
}

} // namespace platform
