// The store's tables, created in one go on a new file, and the steps that bring a store of an
// older schema version up to this program's.
//
// Version 1: the tables of store/Layout.h. Version 2: a full-text index per searched table
// (FTS5, trigram tokenizer, case-sensitive) over the folded twins of the names, kept in step by
// triggers, so that "contains" searches of three characters or more look names up instead of
// reading every row; FrequenciaDosTrigramas counts, at each rebuild, the names holding each
// trigram (only the speed of a search depends on it). Version 3: AutorizacoesDeDesconto, who let
// each item through above the discount ceiling. Version 4: on a server database, its name
// indexes (GIN trigram indexes of the pg_trgm extension over the same folded columns, which its
// LIKE searches use; nothing on a file). A server's version 2 step makes them too; the server
// keeps them in step by itself, and needs no frequencies.
#pragma once

#include "store/Sqlite.h"

#include <cstdint>
#include <string>
#include <vector>

namespace store {

inline constexpr int32_t kSchemaVersion = 4;

// The current schema on an empty file, inside the caller's transaction.
void CreateSchema(Connection& connection);

// Runs every step from `version` up to kSchemaVersion inside the caller's transaction; the
// caller then sets user_version.
void UpgradeSchema(Connection& connection, int32_t version);

// Makes every name index and its triggers anew, filled from its table.
void RebuildNameIndexes(Connection& connection);
// Drops them, for a bulk load that rebuilds them once at its end (inside one transaction).
void DropNameIndexes(Connection& connection);
// What is wrong with the name indexes (empty when each agrees with its table).
std::vector<std::string> CheckNameIndexes(Connection& connection);

// The text for the MATCH of name index `index` that finds (at least) the rows whose folded name
// contains `folded`, for instr() to decide among them: its three rarest trigrams, as counted when
// the index was last rebuilt. Empty when the index cannot answer it (fewer than three
// characters, a NUL byte, bytes that are not UTF-8): the caller then reads every row, as before.
std::string NameIndexQuery(Connection& connection, std::string_view index, std::string_view folded);

} // namespace store
