// The store's tables, made from their descriptors (store/Layout.h). Money, percentages and
// quantities are INTEGER scaled by 10 000 (the runtime's Currency), never REAL. Every searchable
// text has a folded twin column (upper case, no accents) that searches compare with instr(), so
// typed % and _ need no escaping; the name indexes only narrow the rows instr() is asked about.
#include "store/Schema.h"

#include "store/Layout.h"
#include "store/Values.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>

namespace store {

namespace {

std::vector<std::string_view> FoldedColumns(const Table& table)
{
    std::vector<std::string_view> columns;
    for (const Column& column : table.columns) {
        if (!column.foldOf.empty()) {
            columns.push_back(column.name);
        }
    }
    return columns;
}

std::string Joined(const std::vector<std::string_view>& names, std::string_view prefix)
{
    std::string list;
    for (std::string_view name : names) {
        list += (list.empty() ? "" : ", ") + std::string(prefix) + std::string(name);
    }
    return list;
}

// The index, and the triggers that keep it in step with every write of its table.
std::string NameIndexSql(const Table& table)
{
    const std::string index(table.nameIndex);
    const std::string name(table.name);
    const std::string key(table.key);
    const std::vector<std::string_view> columns = FoldedColumns(table);
    const std::string plain = Joined(columns, "");
    const std::string insert = "INSERT INTO " + index + " (rowid, " + plain + ") VALUES (new." +
                               key + ", " + Joined(columns, "new.") + ");";
    const std::string remove = "INSERT INTO " + index + " (" + index + ", rowid, " + plain +
                               ") VALUES ('delete', old." + key + ", " + Joined(columns, "old.") +
                               ");";
    return "CREATE VIRTUAL TABLE " + index + " USING fts5(" + plain + ", content='" + name +
           "', content_rowid='" + key + "', tokenize='trigram case_sensitive 1');" +
           "CREATE TRIGGER " + index + "AoIncluir AFTER INSERT ON " + name + " BEGIN " + insert +
           " END;" + "CREATE TRIGGER " + index + "AoExcluir AFTER DELETE ON " + name + " BEGIN " +
           remove + " END;" + "CREATE TRIGGER " + index + "AoAlterar AFTER UPDATE OF " + key +
           ", " + plain + " ON " + name + " BEGIN " + remove + " " + insert + " END;";
}

std::string ReplaceWord(std::string sql, std::string_view word, std::string_view by)
{
    const auto isWord = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    };
    for (size_t at = sql.find(word); at != std::string::npos; at = sql.find(word, at)) {
        size_t end = at + word.size();
        if ((at > 0 && isWord(sql[at - 1])) || (end < sql.size() && isWord(sql[end]))) {
            at = end;
            continue;
        }
        sql.replace(at, word.size(), by);
        at += by.size();
    }
    return sql;
}

// A table as the server declares it: whole numbers in 64 bits as SQLite's INTEGER, texts
// compared byte by byte as SQLite compares them, user names ignoring case.
std::string ServerSql(std::string sql)
{
    sql = ReplaceWord(std::move(sql), "TEXT PRIMARY KEY COLLATE NOCASE", "\x01");
    sql = ReplaceWord(std::move(sql), "INTEGER", "BIGINT");
    sql = ReplaceWord(std::move(sql), "TEXT", "TEXT COLLATE \"C\"");
    return ReplaceWord(std::move(sql), "\x01", "TEXT COLLATE SemCaixa PRIMARY KEY");
}

constexpr const char* kTriggers[] = {"AoIncluir", "AoExcluir", "AoAlterar"};

// The server's name index over one folded column: a GIN trigram index that LIKE '%...%' uses.
std::string ServerIndexName(const Table& table, std::string_view column)
{
    return std::string(table.nameIndex) + "_" + std::string(column);
}

// In double quotes, an inner one doubled: how both SQL identifiers and FTS5 strings are written.
std::string DoubleQuoted(std::string_view name)
{
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

// The schema that holds pg_trgm's operator classes, creating the extension when it is missing.
std::string TrigramSchema(Connection& connection)
{
    const auto schema = [&]() -> std::optional<std::string> {
        Statement find = connection.Prepare(
            "SELECT n.nspname FROM pg_catalog.pg_extension e JOIN pg_catalog.pg_namespace n"
            " ON n.oid = e.extnamespace WHERE e.extname = 'pg_trgm'");
        return find.Step() ? std::optional(find.Text(0)) : std::nullopt;
    };
    if (std::optional<std::string> found = schema()) {
        return *found;
    }
    try {
        connection.Execute("CREATE EXTENSION IF NOT EXISTS pg_trgm");
    } catch (const StoreError& error) {
        throw StoreError(error.Number(),
                         "Armazenamento '" + connection.Path() +
                             "': a extensão pg_trgm do PostgreSQL, que indexa as buscas por nome,"
                             " não está instalada neste banco de dados e este usuário não pode"
                             " instalá-la; peça ao administrador do servidor que execute"
                             " CREATE EXTENSION pg_trgm; neste banco (" +
                             error.what() + ")");
    }
    return schema().value_or("public");
}

void CreateServerNameIndexes(Connection& connection)
{
    std::string operators;
    for (const Table* table : kTables) {
        if (table->nameIndex.empty()) {
            continue;
        }
        if (operators.empty()) {
            operators = DoubleQuoted(TrigramSchema(connection)) + ".gin_trgm_ops";
        }
        for (std::string_view column : FoldedColumns(*table)) {
            connection.Execute("CREATE INDEX IF NOT EXISTS " + ServerIndexName(*table, column) +
                               " ON " + std::string(table->name) + " USING gin (" +
                               std::string(column) + " " + operators + ")");
        }
    }
}

// Server stores made before their name searches were indexed get the trigram indexes; files
// have had theirs since version 2.
void IndexServerNames(Connection& connection)
{
    if (connection.Dialect() == Engine::Postgres) {
        CreateServerNameIndexes(connection);
    }
}

// One step per version after the first; a new version adds its step here.
struct UpgradeStep {
    int32_t to;
    void (*apply)(Connection& connection);
};
// A table made in one go with the others on a new file, and by this step on an older one.
void CreateDiscountAccounts(Connection& connection)
{
    std::string sql = CreateSql(kAutorizacoes);
    sql.replace(0, std::string_view("CREATE TABLE ").size(), "CREATE TABLE IF NOT EXISTS ");
    connection.Execute(connection.Dialect() == Engine::Postgres ? ServerSql(sql) : sql);
}

constexpr UpgradeStep kSteps[] = {
    {2, &RebuildNameIndexes}, {3, &CreateDiscountAccounts}, {4, &IndexServerNames}};
static_assert(std::size(kSteps) == kSchemaVersion - 1 &&
              kSteps[std::size(kSteps) - 1].to == kSchemaVersion);

} // namespace

void CreateSchema(Connection& connection)
{
    const bool server = connection.Dialect() == Engine::Postgres;
    if (server) {
        connection.Execute("CREATE COLLATION SemCaixa (provider = icu,"
                           " locale = 'und-u-ks-level2', deterministic = false)");
    }
    for (const Table* table : kTables) {
        if (!table->name.empty()) {
            connection.Execute(server ? ServerSql(CreateSql(*table)) : CreateSql(*table));
        }
    }
    UpgradeSchema(connection, 1);
}

void UpgradeSchema(Connection& connection, int32_t version)
{
    for (const UpgradeStep& step : kSteps) {
        if (step.to > version) {
            step.apply(connection);
        }
    }
}

void DropNameIndexes(Connection& connection)
{
    for (const Table* table : kTables) {
        if (table->nameIndex.empty()) {
            continue;
        }
        if (connection.Dialect() == Engine::Postgres) {
            for (std::string_view column : FoldedColumns(*table)) {
                connection.Execute("DROP INDEX IF EXISTS " + ServerIndexName(*table, column));
            }
            continue;
        }
        const std::string index(table->nameIndex);
        for (const char* trigger : kTriggers) {
            connection.Execute("DROP TRIGGER IF EXISTS " + index + trigger);
        }
        connection.Execute("DROP TABLE IF EXISTS " + index);
    }
}

void RebuildNameIndexes(Connection& connection)
{
    DropNameIndexes(connection);
    if (connection.Dialect() == Engine::Postgres) {
        CreateServerNameIndexes(connection);
        return;
    }
    for (const Table* table : kTables) {
        if (table->nameIndex.empty()) {
            continue;
        }
        const std::string index(table->nameIndex);
        connection.Execute(NameIndexSql(*table));
        connection.Execute("INSERT INTO " + index + " (" + index + ") VALUES ('rebuild')");
        // A large rebuild leaves a few dozen segments, and every searched trigram is looked up
        // in each of them: merged, each trigram is one lookup.
        connection.Execute("INSERT INTO " + index + " (" + index + ") VALUES ('optimize')");
        // How many names hold each trigram, for searches to ask the index for the rarest ones.
        connection.Execute(
            "CREATE TABLE IF NOT EXISTS FrequenciaDosTrigramas (Indice TEXT NOT NULL,"
            " Trigrama TEXT NOT NULL, Nomes INTEGER NOT NULL, PRIMARY KEY (Indice, Trigrama))"
            " WITHOUT ROWID;"
            "DELETE FROM FrequenciaDosTrigramas WHERE Indice = '" +
            index + "';CREATE VIRTUAL TABLE temp.Vocabulario USING fts5vocab(main, '" + index +
            "', 'row');INSERT INTO FrequenciaDosTrigramas SELECT '" + index +
            "', term, doc FROM temp.Vocabulario;DROP TABLE temp.Vocabulario");
    }
}

std::vector<std::string> CheckNameIndexes(Connection& connection)
{
    std::vector<std::string> problems;
    const std::string repair = " (kelo-store check --repair o refaz)";
    for (const Table* table : kTables) {
        if (table->nameIndex.empty()) {
            continue;
        }
        if (connection.Dialect() == Engine::Postgres) {
            for (std::string_view column : FoldedColumns(*table)) {
                // Unquoted names are kept in lower case by the server.
                Statement index = connection.Prepare(
                    "SELECT indisvalid FROM pg_catalog.pg_index i JOIN pg_catalog.pg_class c"
                    " ON c.oid = i.indexrelid WHERE c.relname = lower(?1)"
                    " AND c.relnamespace = current_schema()::regnamespace");
                index.Bind(1, ServerIndexName(*table, column));
                if (!index.Step() || index.Int(0) == 0) {
                    problems.push_back("índice de nomes " + ServerIndexName(*table, column) +
                                       " ausente ou inválido" + repair);
                }
            }
            continue;
        }
        const std::string index(table->nameIndex);
        Statement triggers = connection.Prepare(
            "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND tbl_name = ?1"
            " AND name IN (?2 || 'AoIncluir', ?2 || 'AoExcluir', ?2 || 'AoAlterar')");
        triggers.Bind(1, table->name).Bind(2, index);
        if (triggers.Step() && triggers.Int(0) != static_cast<int64_t>(std::size(kTriggers))) {
            problems.push_back("índice de nomes " + index + " sem os gatilhos que o mantêm" +
                               repair);
        }
        try {
            // Rank 1 compares the index with the rows of its table, not only with itself.
            connection.Execute("INSERT INTO " + index + " (" + index +
                               ", rank) VALUES ('integrity-check', 1)");
        } catch (const StoreError&) {
            problems.push_back("índice de nomes " + index + " não confere com a tabela " +
                               std::string(table->name) + repair);
        }
    }
    return problems;
}

std::string NameIndexQuery(Connection& connection, std::string_view index, std::string_view folded)
{
    if (connection.Dialect() == Engine::Postgres || folded.find('\0') != std::string_view::npos ||
        FirstInvalidUtf8(folded)) {
        return {};
    }
    std::vector<size_t> starts; // of each character
    for (size_t i = 0; i < folded.size(); ++i) {
        if ((static_cast<unsigned char>(folded[i]) & 0xC0) != 0x80) {
            starts.push_back(i);
        }
    }
    if (starts.size() < 3) {
        return {};
    }
    starts.push_back(folded.size());
    std::vector<std::string_view> trigrams;
    for (size_t k = 0; k + 3 < starts.size(); ++k) {
        trigrams.push_back(folded.substr(starts[k], starts[k + 3] - starts[k]));
    }
    // One statement for every trigram (SQLite's substr counts characters, as `starts` does): a
    // statement each would lock and unlock the file once per trigram.
    Statement counts = connection.Prepare(
        "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < ?3)"
        " SELECT (SELECT Nomes FROM FrequenciaDosTrigramas WHERE Indice = ?1"
        " AND Trigrama = substr(?2, i, 3)), EXISTS (SELECT 1 FROM FrequenciaDosTrigramas"
        " WHERE Indice = ?1) FROM k ORDER BY i");
    counts.Bind(1, index).Bind(2, folded).Bind(3, static_cast<int64_t>(trigrams.size()));
    std::vector<std::pair<int64_t, size_t>> rarest; // names holding it, position
    for (size_t k = 0; k < trigrams.size() && counts.Step(); ++k) {
        if (counts.Int(1) == 0) {
            rarest.clear();
            break;
        }
        rarest.emplace_back(counts.IsNull(0) ? 0 : counts.Int(0), k);
    }
    counts.Reset();
    // A name that contains the text contains each of its trigrams, so any of them narrow the
    // rows for instr(). Two rare trigrams of a large catalogue often overlap ("432", " 43") and
    // leave a thousand candidates to fetch; a third cuts them near the answer's size for little
    // more reading of posting lists. Without counts (a store never rebuilt since), side-by-side
    // trigrams cover the text.
    std::vector<size_t> chosen;
    if (!rarest.empty()) {
        std::sort(rarest.begin(), rarest.end());
        constexpr size_t kTerms = 3;
        for (size_t k = 0; k < rarest.size() && chosen.size() < kTerms; ++k) {
            const std::string_view trigram = trigrams[rarest[k].second];
            if (std::none_of(chosen.begin(), chosen.end(),
                             [&](size_t c) { return trigrams[c] == trigram; })) {
                chosen.push_back(rarest[k].second);
            }
        }
    } else {
        const size_t last = trigrams.size() - 1;
        for (size_t k = 0;; k = std::min(k + 3, last)) {
            chosen.push_back(k);
            if (k == last) {
                break;
            }
        }
    }
    std::string query;
    for (size_t k : chosen) {
        query += (query.empty() ? "" : " AND ") + DoubleQuoted(trigrams[k]);
    }
    return query;
}

} // namespace store
