// What the server's engine says in the server's own terms: statements written in SQLite's dialect
// turned into PostgreSQL's (?N and ? become $N; a search's instr(COLUMN, ?N) > 0 becomes a LIKE
// with the text's own % _ \ escaped, which the trigram indexes answer; any other instr() becomes
// strpos(), which takes its arguments in the same order), and the server's failures numbered as
// the SQLite result they correspond to, so that a component answers the same NumeroDoErro.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace store::postgres {

// The statement in the server's dialect; `used` gets the parameter numbers it refers to, and
// `searches` whether it matches a text inside a column.
std::string Translate(std::string_view sql, std::set<int>& used, bool& searches);

// The SQLite primary result code a server failure (its SQLSTATE; null: no connection) stands for.
int CodeOf(const char* state);
// The cause a user reads for that code.
std::string CauseOf(int code);

// Why a connection could not be made, from libpq's message, without the user's name it may hold.
std::string ConnectFailure(const char* message);

} // namespace store::postgres
