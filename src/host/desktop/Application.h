// kelo-prevendas from the command line to the end of its event loop: the store (the user's own,
// created with demo data on first run, or --store), the login, the menu window and the pre-sale
// screen. Exit codes: 0 done, 1 the store could not be opened or three wrong logins.
#pragma once

#include "host/desktop/Options.h"

#include <iosfwd>
#include <memory>
#include <string>

namespace store {
class Database;
} // namespace store

namespace desktop {

struct OpenedStore {
    std::shared_ptr<store::Database> database; // null when it could not be opened
    std::string error;                         // names the file and the cause
};

// Opens the store at `path`. With `createDemo`, a missing file is first made with the demo
// shop, and `out` hears where it is and who may log in.
OpenedStore OpenStore(const std::string& path, bool createDemo, std::ostream& out);

int RunApplication(int& argc, char** argv, const Options& options, const Environment& environment);

} // namespace desktop
