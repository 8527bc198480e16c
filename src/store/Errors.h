// The store's one list of error numbers, and its two kinds of failure. NumeroDoErro is always one
// of these: an engine failure is kErrEngineBase plus SQLite's primary result code (so 40005 is a
// store locked too long, whatever the backend), which never collides with the runtime's own
// numbers; the store's own refusals of a store come after them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace store {

enum StoreErrorNumber : int32_t {
    kErrEngineBase = 40000,
    kErrEngine = kErrEngineBase + 1, // any other failure of the engine
    kErrBusy = kErrEngineBase + 5,   // locked by another process for too long
    kErrNoMemory = kErrEngineBase + 7,
    kErrReadOnly = kErrEngineBase + 8,
    kErrCannotOpen = kErrEngineBase + 14,   // missing folder, no permission, no server
    kErrConstraint = kErrEngineBase + 19,   // a row breaks a rule of the schema
    kErrNotADatabase = kErrEngineBase + 26, // the file is not a database at all
    kErrNewerVersion = 40900,
    kErrNotAStore = 40901,
    kErrMissingFile = 40902,
    kErrIncompleteWrite = 40903,
    kErrFileExists = 40904,
    kErrInjectedFault = 40999,
};

// A failing store or engine: the component answers it as an error (status 1).
class StoreError : public std::runtime_error {
public:
    StoreError(int32_t number, const std::string& description)
        : std::runtime_error(description), m_number(number)
    {
    }
    int32_t Number() const { return m_number; }

private:
    int32_t m_number;
};

// A refused value or row: the caller answers it as a refusal (status 2), never as an error.
class Refusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace store
