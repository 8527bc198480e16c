#include "store/Tables.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"
#include "store/Csv.h"
#include "store/Items.h"
#include "store/Layout.h"
#include "store/Passwords.h"
#include "store/Values.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <variant>

namespace store {

namespace {

using Cell = std::variant<std::monostate, int64_t, std::string>;
using Row = std::map<std::string, Cell, std::less<>>;

bool IsRequired(const Table& layout, const Column& column)
{
    return column.type == Type::Code || column.type == Type::Password || column.name == layout.key;
}

std::string NameOf(const Column& column)
{
    return std::string(CsvName(column));
}

Cell Convert(const Column& column, const std::string& text)
{
    platform::Variant value(text);
    const std::string name = NameOf(column);
    switch (column.type) {
    case Type::Code:
        if (text.empty()) {
            throw Refusal(name + " não informado");
        }
        return ToCode(value, name);
    case Type::OptionalCode: {
        if (text.empty()) {
            return std::monostate{};
        }
        int64_t code = ToCode(value, name);
        return code == 0 ? Cell{} : Cell{code};
    }
    case Type::NullableWhole:
        return text.empty() ? Cell{} : Cell{ToCode(value, name)};
    case Type::Whole:
    case Type::Small:
        return ToCode(text.empty() ? platform::Variant(std::string(column.csvDefault)) : value,
                      name);
    case Type::Money:
        return text.empty() ? int64_t{0} : ToMoney(value, name);
    case Type::Text:
        return text.empty() ? std::string(column.csvDefault) : text;
    case Type::Bool: {
        std::string folded = Fold(text);
        if (folded.empty() || folded == "FALSE") {
            return int64_t{0};
        }
        if (folded == "TRUE") {
            return int64_t{1};
        }
        throw Refusal(name + " deve ser true ou false, não '" + text + "'");
    }
    case Type::Password:
        if (text.empty()) {
            throw Refusal("Senha não informada");
        }
        return HashPassword(text);
    case Type::Internal:
        break;
    }
    return std::monostate{};
}

std::optional<int64_t> IntOf(const Row& row, std::string_view name)
{
    auto it = row.find(name);
    if (it == row.end() || !std::holds_alternative<int64_t>(it->second)) {
        return std::nullopt;
    }
    return std::get<int64_t>(it->second);
}

std::string TextOf(const Row& row, std::string_view name)
{
    auto it = row.find(name);
    return it != row.end() && std::holds_alternative<std::string>(it->second)
               ? std::get<std::string>(it->second)
               : std::string();
}

void BindCell(Statement& statement, int index, const Cell& cell)
{
    if (const auto* number = std::get_if<int64_t>(&cell)) {
        statement.Bind(index, *number);
    } else if (const auto* text = std::get_if<std::string>(&cell)) {
        statement.Bind(index, std::string_view(*text));
    } else {
        statement.BindNull(index);
    }
}

void CheckReference(Connection& connection, const char* sql, std::optional<int64_t> key,
                    const std::string& what)
{
    if (!key) {
        return;
    }
    Statement statement = connection.Prepare(sql);
    statement.Bind(1, *key);
    if (!statement.Step()) {
        throw Refusal(what + " " + std::to_string(*key) + " não está cadastrado");
    }
}

// The columns a row of `layout` is stored in, with their values.
std::vector<std::pair<std::string_view, Cell>> StoredValues(const Table& layout, const Row& row)
{
    std::vector<std::pair<std::string_view, Cell>> values;
    for (const Column& column : layout.columns) {
        if (!column.foldOf.empty()) {
            values.emplace_back(column.name, Fold(TextOf(row, column.foldOf)));
        } else if (InCsv(column)) {
            Cell cell = row.find(column.name)->second;
            // An empty barcode is no barcode: several weighed products may lack one.
            if (column.name == "CodigoDeBarras" && TextOf(row, column.name).empty()) {
                cell = std::monostate{};
            }
            values.emplace_back(column.name, cell);
        } else if (column.name == "Id") {
            values.emplace_back(column.name, int64_t{1}); // the company's single row
        }
    }
    return values;
}

void InsertPlain(Database& database, const Table& layout, const Row& row)
{
    Connection& connection = database.Conn();
    std::string_view table = layout.csvName;
    if (table == "animais") {
        CheckReference(connection, "SELECT 1 FROM Clientes WHERE CodigoDoCliente = ?",
                       IntOf(row, "CodigoDoCliente"), "o cliente");
    }
    if (table == "servicos") {
        CheckReference(connection, "SELECT 1 FROM TiposDeServicos WHERE Numero = ?",
                       IntOf(row, "NumeroDoTipoDeServico"), "o tipo de serviço");
    }
    if (table == "usuarios" && Fold(TextOf(row, "NomeDeUsuario")).empty()) {
        throw Refusal("NomeDeUsuario não informado");
    }
    if (!layout.key.empty()) {
        const Cell& key = row.find(layout.key)->second;
        Statement existing = connection.Prepare("SELECT 1 FROM " + std::string(layout.name) +
                                                " WHERE " + std::string(layout.key) + " = ?");
        BindCell(existing, 1, key);
        if (existing.Step()) {
            std::string shown = std::holds_alternative<int64_t>(key)
                                    ? std::to_string(std::get<int64_t>(key))
                                    : TextOf(row, layout.key);
            throw Refusal(std::string(layout.key) + " " + shown + " já está cadastrado");
        }
    }
    if (table == "produtos") {
        std::string barcode = TextOf(row, "CodigoDeBarras");
        if (!barcode.empty()) {
            Statement same = connection.Prepare("SELECT CodigoInterno FROM Produtos"
                                                " WHERE CodigoDeBarras = ?");
            same.Bind(1, barcode);
            if (same.Step()) {
                throw Refusal("o código de barras " + barcode + " já é do produto " +
                              std::to_string(same.Int(0)));
            }
        }
    }
    const std::vector<std::pair<std::string_view, Cell>> values = StoredValues(layout, row);
    std::string sql = "INSERT INTO " + std::string(layout.name) + " (";
    std::string marks;
    for (size_t k = 0; k < values.size(); ++k) {
        sql += (k > 0 ? ", " : "") + std::string(values[k].first);
        marks += k > 0 ? ", ?" : "?";
    }
    sql += ") VALUES (" + marks + ")";
    database.WritePoint();
    Statement insert = connection.Prepare(sql);
    for (size_t k = 0; k < values.size(); ++k) {
        BindCell(insert, static_cast<int>(k) + 1, values[k].second);
    }
    insert.Run();
}

// An item row goes through the rules of an item stored by the screen; the import alone may say
// that it is already sold or belongs to a clinical record.
void InsertItem(Database& database, const std::map<std::string, std::string, std::less<>>& texts,
                const Row& row)
{
    ItemRecord item = ReadItem([&](std::string_view field) {
        auto it = texts.find(field);
        return it == texts.end() || it->second.empty() ? platform::Variant()
                                                       : platform::Variant(it->second);
    });
    item.saleNumber = *IntOf(row, "NumeroDaVenda");
    item.clinicalRecord = IntOf(row, "NumeroDaFichaClinica");
    StoreItem(database, item);
}

std::string LineError(int line, const std::string& reason)
{
    return "linha " + std::to_string(line) + ": " + reason;
}

// Runs `write` for the row of CSV line `line`, naming the line in what refuses it: a Refusal, or
// a rule of the schema (a CHECK, a unique barcode), which refuses the row and not the file.
template <typename Write>
void AtLine(int line, const Write& write)
{
    try {
        write();
    } catch (const Refusal& refusal) {
        throw Refusal(LineError(line, refusal.what()));
    } catch (const StoreError& error) {
        if (error.Number() != kErrConstraint) {
            throw;
        }
        throw Refusal(LineError(line, error.what()));
    }
}

// A server gets an import's rows in batches: what they refer to and what they would repeat is
// looked up once per batch (one query each, the values bound as one array), the rows go in as
// one COPY, and only a batch the schema refuses is written again row by row, to name the line.
// The answers are those of InsertPlain row by row, in the same order.
class BatchImport {
public:
    static bool Fits(Database& database, const Table& layout)
    {
        const Column* key = layout.key.empty() ? nullptr : FindColumn(layout, layout.key);
        return database.Dialect() == Engine::Postgres && key != nullptr && key->type == Type::Code;
    }

    BatchImport(Database& database, const Table& layout) : m_database(database), m_layout(layout) {}

    void Add(int line, Row row) { m_rows.emplace_back(line, std::move(row)); }
    bool Full() const { return m_rows.size() >= kBatch; }

    void Flush()
    {
        if (m_rows.empty()) {
            return;
        }
        Connection& connection = m_database.Conn();
        const std::string_view table = m_layout.csvName;
        const char* reference = table == "animais"    ? "CodigoDoCliente"
                                : table == "servicos" ? "NumeroDoTipoDeServico"
                                                      : nullptr;
        std::vector<int64_t> keys;
        std::vector<int64_t> referenced;
        std::vector<std::string> barcodes;
        for (const auto& [line, row] : m_rows) {
            keys.push_back(*IntOf(row, m_layout.key));
            if (reference != nullptr && IntOf(row, reference)) {
                referenced.push_back(*IntOf(row, reference));
            }
            if (table == "produtos" && !TextOf(row, "CodigoDeBarras").empty()) {
                barcodes.push_back(TextOf(row, "CodigoDeBarras"));
            }
        }
        const std::set<int64_t> existing =
            Found(connection,
                  "SELECT " + std::string(m_layout.key) + " FROM " + std::string(m_layout.name) +
                      " WHERE " + std::string(m_layout.key) + " = ANY (?1::bigint[])",
                  keys);
        const std::set<int64_t> present =
            reference == nullptr ? std::set<int64_t>{}
            : table == "animais"
                ? Found(connection,
                        "SELECT CodigoDoCliente FROM Clientes WHERE CodigoDoCliente = ANY "
                        "(?1::bigint[])",
                        referenced)
                : Found(connection,
                        "SELECT Numero FROM TiposDeServicos WHERE Numero = ANY (?1::bigint[])",
                        referenced);
        if (!barcodes.empty()) {
            Statement same =
                connection.Prepare("SELECT CodigoDeBarras, CodigoInterno FROM"
                                   " Produtos WHERE CodigoDeBarras = ANY (?1::text[])");
            same.Bind(1, TextArray(barcodes));
            while (same.Step()) {
                m_barcodes.emplace(same.Text(0), same.Int(1));
            }
        }

        // The rows before the first one refused go in; then that one is refused.
        size_t good = 0;
        std::optional<Refusal> refused;
        for (; good < m_rows.size() && !refused; ++good) {
            const auto& [line, row] = m_rows[good];
            const int64_t key = *IntOf(row, m_layout.key);
            const std::optional<int64_t> to = reference ? IntOf(row, reference) : std::nullopt;
            const std::string barcode = table == "produtos" ? TextOf(row, "CodigoDeBarras") : "";
            const auto taken = m_barcodes.find(barcode);
            if (to && !present.contains(*to)) {
                refused.emplace(LineError(
                    line, std::string(table == "animais" ? "o cliente" : "o tipo de serviço") +
                              " " + std::to_string(*to) + " não está cadastrado"));
            } else if (existing.contains(key) || m_added.contains(key)) {
                refused.emplace(LineError(line, std::string(m_layout.key) + " " +
                                                    std::to_string(key) + " já está cadastrado"));
            } else if (!barcode.empty() && taken != m_barcodes.end()) {
                refused.emplace(LineError(line, "o código de barras " + barcode +
                                                    " já é do produto " +
                                                    std::to_string(taken->second)));
            } else {
                m_added.insert(key);
                if (!barcode.empty()) {
                    m_barcodes.emplace(barcode, key);
                }
                continue;
            }
            break;
        }
        Write(connection, good);
        m_rows.clear();
        if (refused) {
            throw *refused;
        }
    }

private:
    static constexpr size_t kBatch = 2000;

    static std::string TextArray(const std::vector<std::string>& values)
    {
        std::string array = "{";
        for (const std::string& value : values) {
            array += array.size() > 1 ? ",\"" : "\"";
            for (char c : value) {
                if (c == '"' || c == '\\') {
                    array += '\\';
                }
                array += c;
            }
            array += '"';
        }
        return array + "}";
    }

    static std::set<int64_t> Found(Connection& connection, const std::string& sql,
                                   const std::vector<int64_t>& values)
    {
        std::set<int64_t> found;
        if (values.empty()) {
            return found;
        }
        std::string array = "{";
        for (int64_t value : values) {
            array += (array.size() > 1 ? "," : "") + std::to_string(value);
        }
        Statement statement = connection.Prepare(sql);
        statement.Bind(1, array + "}");
        while (statement.Step()) {
            found.insert(statement.Int(0));
        }
        return found;
    }

    // The first `count` rows, in one stream; row by row again if the schema refuses one.
    void Write(Connection& connection, size_t count)
    {
        if (count == 0) {
            return;
        }
        m_database.WritePoint();
        std::vector<std::string_view> columns;
        for (const auto& [name, cell] : StoredValues(m_layout, m_rows.front().second)) {
            columns.push_back(name);
        }
        connection.Execute("SAVEPOINT importacao");
        try {
            BulkInsert insert(connection, m_layout.name, columns);
            for (size_t k = 0; k < count; ++k) {
                for (const auto& [name, cell] : StoredValues(m_layout, m_rows[k].second)) {
                    if (const auto* number = std::get_if<int64_t>(&cell)) {
                        insert.Add(*number);
                    } else if (const auto* text = std::get_if<std::string>(&cell)) {
                        insert.Add(*text);
                    } else {
                        insert.AddNull();
                    }
                }
                insert.EndRow();
            }
            insert.Finish();
        } catch (const StoreError& error) {
            if (error.Number() != kErrConstraint) {
                throw;
            }
            connection.Execute("ROLLBACK TO SAVEPOINT importacao");
            for (size_t k = 0; k < count; ++k) {
                AtLine(m_rows[k].first,
                       [&] { InsertPlain(m_database, m_layout, m_rows[k].second); });
            }
        }
        connection.Execute("RELEASE SAVEPOINT importacao");
    }

    Database& m_database;
    const Table& m_layout;
    std::vector<std::pair<int, Row>> m_rows;
    std::set<int64_t> m_added;
    std::map<std::string, int64_t, std::less<>> m_barcodes;
};

} // namespace

const std::vector<std::string>& TableNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const Table* layout : kTables) {
            if (!layout->csvName.empty()) {
                list.emplace_back(layout->csvName);
            }
        }
        return list;
    }();
    return names;
}

bool IsTableName(std::string_view table)
{
    const auto& names = TableNames();
    return std::find(names.begin(), names.end(), table) != names.end();
}

int LineOf(std::string_view text, size_t offset)
{
    return 1 +
           static_cast<int>(std::count(
               text.begin(),
               text.begin() + static_cast<std::ptrdiff_t>(std::min(offset, text.size())), '\n'));
}

int ImportCsv(Database& database, std::string_view table, std::string_view csv,
              const Progress& progress)
{
    const Table& layout = LayoutOf(table);
    if (std::optional<size_t> bad = FirstInvalidUtf8(csv)) {
        throw Refusal(LineError(LineOf(csv, *bad),
                                "o texto não está em UTF-8; um arquivo salvo em Windows-1252 (o "
                                "padrão das planilhas) se importa com --encoding windows-1252"));
    }
    if (size_t nul = csv.find('\0'); nul != std::string_view::npos) {
        throw Refusal(LineError(LineOf(csv, nul), "o texto contém um caractere nulo"));
    }
    const std::vector<const Column*> columns = CsvColumns(layout);
    std::vector<CsvRecord> records = ParseCsv(csv);
    if (records.empty()) {
        throw Refusal(LineError(1, "falta a linha de cabeçalho com os nomes das colunas"));
    }
    const CsvRecord& header = records.front();
    std::vector<const Column*> order;
    for (const std::string& name : header.fields) {
        auto it = std::find_if(columns.begin(), columns.end(),
                               [&](const Column* column) { return name == CsvName(*column); });
        if (it == columns.end()) {
            throw Refusal(LineError(header.line, "coluna desconhecida '" + name + "' na tabela " +
                                                     std::string(layout.csvName)));
        }
        if (std::find(order.begin(), order.end(), *it) != order.end()) {
            throw Refusal(LineError(header.line, "coluna '" + name + "' repetida"));
        }
        order.push_back(*it);
    }
    for (const Column* column : columns) {
        if (IsRequired(layout, *column) &&
            std::find(order.begin(), order.end(), column) == order.end()) {
            throw Refusal(
                LineError(header.line, "falta a coluna obrigatória '" + NameOf(*column) + "'"));
        }
    }
    if (table == "empresa" && records.size() > 2) {
        throw Refusal(LineError(records[2].line, "a empresa tem um único registro"));
    }

    Transaction transaction(database);
    // The new company row replaces the old one; a file without a row leaves it alone.
    if (table == "empresa" && records.size() > 1) {
        database.WritePoint();
        database.Conn().Execute("DELETE FROM Empresa");
    }
    int stored = 0;
    const auto rows = static_cast<int64_t>(records.size() - 1);
    std::optional<BatchImport> batch;
    if (BatchImport::Fits(database, layout)) {
        batch.emplace(database, layout);
    }
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        if (progress) {
            progress("importando", static_cast<int64_t>(r - 1), rows);
        }
        try {
            if (record.fields.size() != order.size()) {
                throw Refusal(std::to_string(record.fields.size()) +
                              " campos, mas o cabeçalho tem " + std::to_string(order.size()));
            }
            Row row;
            std::map<std::string, std::string, std::less<>> texts;
            for (size_t k = 0; k < order.size(); ++k) {
                row[std::string(order[k]->name)] = Convert(*order[k], record.fields[k]);
                texts[std::string(order[k]->name)] = record.fields[k];
            }
            for (const Column* column : columns) {
                if (!row.contains(column->name)) {
                    row[std::string(column->name)] = Convert(*column, "");
                }
            }
            if (batch) {
                batch->Add(record.line, std::move(row));
            } else if (layout.name.empty()) {
                InsertItem(database, texts, row);
            } else {
                InsertPlain(database, layout, row);
            }
            ++stored;
        } catch (const Refusal& refusal) {
            throw Refusal(LineError(record.line, refusal.what()));
        } catch (const StoreError& error) {
            // A rule of the schema (a CHECK, a unique barcode) refuses the row, not the file.
            if (error.Number() != kErrConstraint) {
                throw;
            }
            throw Refusal(LineError(record.line, error.what()));
        }
        // Outside the row's own handling: a batch's refusal names its own line.
        if (batch && batch->Full()) {
            batch->Flush();
        }
    }
    if (batch) {
        batch->Flush();
    }
    if (progress) {
        progress("importando", rows, rows);
    }
    transaction.commit();
    return stored;
}

} // namespace store
