// Import and export of the store's tables in the CSV format of the kelo-store tool: one header
// naming the columns (any order, optional ones may be left out), Brazilian numbers, dates kept as
// given. An import is all or nothing: the first row that does not fit refuses the whole file with
// "linha N: <reason>" and the store is left as it was.
#pragma once

#include "store/Database.h"
#include "store/Progress.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// "clientes", "animais", "tipos-de-servico", "servicos", "produtos", "funcionarios", "empresa",
// "usuarios", "itens", in the order in which one table may refer to the ones before it.
const std::vector<std::string>& TableNames();
bool IsTableName(std::string_view table);

// The line of `text` on which the byte at `offset` stands, counted from 1.
int LineOf(std::string_view text, size_t offset);

// Adds the rows of `csv` to `table` in one transaction (joined when one is open); returns how many
// rows were stored. Throws Refusal for input that does not fit, StoreError for a failing file.
// Text that is not UTF-8, or holds a NUL byte, is refused before anything is read.
int ImportCsv(Database& database, std::string_view table, std::string_view csv,
              const Progress& progress = {});

// Writes `table` in the import format. Passwords are never written: `usuarios` leaves out Senha.
void ExportCsv(Database& database, std::string_view table, std::ostream& out);

} // namespace store
