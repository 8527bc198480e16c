// The store's tables, created in one go on a new file.
#pragma once

#include "store/Sqlite.h"

namespace store {

void CreateSchema(Connection& connection);

} // namespace store
