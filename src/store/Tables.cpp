#include "store/Tables.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"
#include "store/Csv.h"
#include "store/Items.h"
#include "store/Passwords.h"
#include "store/Values.h"

#include <algorithm>
#include <map>
#include <optional>
#include <variant>

namespace store {

namespace {

enum class Kind {
    Code,          // a whole number that must be given
    OptionalCode,  // empty or 0 means none (stored as null)
    NullableWhole, // empty means none; 0 is kept
    Whole,
    Money,
    Text,
    Bool,     // "true" / "false"
    Password, // plain in the file, stored as a hash, never written out
};

struct Column {
    const char* name;
    Kind kind;
    const char* defaultText = "";
};

struct TableLayout {
    const char* name;
    const char* dbTable; // nullptr for the item table, which spans two
    const char* key;     // the column whose value must be new; nullptr for none
    std::vector<Column> columns;
};

using Cell = std::variant<std::monostate, int64_t, std::string>;
using Row = std::map<std::string, Cell, std::less<>>;

const std::vector<TableLayout>& Layouts()
{
    static const std::vector<TableLayout> layouts = {
        {"clientes",
         "Clientes",
         "CodigoDoCliente",
         {{"CodigoDoCliente", Kind::Code},
          {"ApelidoOuNomeFantasia", Kind::Text},
          {"NomeOuRazaoSocial", Kind::Text},
          {"Situacao", Kind::Whole, "1"},
          {"EnderecoCompleto", Kind::Text},
          {"TiposECanaisDeComunicacao", Kind::Text},
          {"Credito", Kind::Money},
          {"VIP", Kind::Text},
          {"DescontoUnico", Kind::Text},
          {"CategoriaDaCurvaABC", Kind::Text},
          {"PercentualUnicoDeDescontos", Kind::Money},
          {"PercentualDeDescontoEmClinicos", Kind::Money},
          {"PercentualDeDescontoEmCirurgiaSimples", Kind::Money},
          {"PercentualDeDescontoEmCirurgiaMedia", Kind::Money},
          {"PercentualDeDescontoEmCirurgiaComplexa", Kind::Money},
          {"PercentualDeDescontoEmBanhosTosasEEsteticas", Kind::Money},
          {"PercentualDeDescontoEmHospedagens", Kind::Money},
          {"PercentualDeDescontoEmAdestramentos", Kind::Money},
          {"PercentualDeDescontoEmOutros", Kind::Money}}},
        {"animais",
         "Animais",
         "Codigo",
         {{"Codigo", Kind::Code}, {"CodigoDoCliente", Kind::Code}, {"Nome", Kind::Text}}},
        {"tipos-de-servico",
         "TiposDeServicos",
         "Numero",
         {{"Numero", Kind::Code}, {"Nome", Kind::Text}}},
        {"servicos",
         "Servicos",
         "Codigo",
         {{"Codigo", Kind::Code},
          {"Nome", Kind::Text},
          {"Descricao", Kind::Text},
          {"Custo", Kind::Money},
          {"ValorDeVenda", Kind::Money},
          {"NumeroDoTipoDeServico", Kind::Code}}},
        {"produtos",
         "Produtos",
         "CodigoInterno",
         {{"CodigoInterno", Kind::Code},
          {"CodigoDeBarras", Kind::Text},
          {"Nome", Kind::Text},
          {"NomeDoGrupo", Kind::Text},
          {"NomeDoSubgrupo", Kind::Text},
          {"UnidadeDeVenda", Kind::Text},
          {"ValorDeCusto", Kind::Money},
          {"ValorDeVenda", Kind::Money},
          {"PercentualDeComissao", Kind::Money}}},
        {"funcionarios",
         "Funcionarios",
         "Codigo",
         {{"Codigo", Kind::Code},
          {"Apelido", Kind::Text},
          {"Comissionado", Kind::Text},
          {"ComissaoUnica", Kind::Text},
          {"PercentualDeComissaoUnica", Kind::Money},
          {"PercentualDeComissaoEmClinicos", Kind::Money},
          {"PercentualDeComissaoEmCirurgiaSimples", Kind::Money},
          {"PercentualDeComissaoEmCirurgiaMedia", Kind::Money},
          {"PercentualDeComissaoEmCirurgiaComplexa", Kind::Money},
          {"PercentualDeComissaoEmBanhosTosasEEsteticas", Kind::Money},
          {"PercentualDeComissaoEmHospedagens", Kind::Money},
          {"PercentualDeComissaoEmAdestramentos", Kind::Money},
          {"PercentualDeComissaoEmOutros", Kind::Money}}},
        {"empresa",
         "Empresa",
         nullptr,
         {{"NomeFantasia", Kind::Text},
          {"FormatoDeCodigoDeBarrasParaBalanca", Kind::Whole, "0"},
          {"DataInicialDaPromocao", Kind::Text},
          {"DataFinalDaPromocao", Kind::Text},
          {"PercPromocaoDeDescontoNaVendaDeServico", Kind::Money},
          {"PercPromocaoDeDescontoNaVendaDeProduto", Kind::Money},
          {"DataInicialDoDesctoMaxAutomatico", Kind::Text},
          {"DataFinalDoDesctoMaxAutomatico", Kind::Text},
          {"PercDeDescMaxAutNaVendaDeServico", Kind::Money},
          {"PercDeDescMaxAutNaVendaDeProduto", Kind::Money}}},
        {"usuarios",
         "Usuarios",
         "NomeDeUsuario",
         {{"NomeDeUsuario", Kind::Text},
          {"Senha", Kind::Password},
          {"Administrador", Kind::Bool},
          {"PermissaoDoModuloCaixaAlterarDescontosDeVendas", Kind::Bool}}},
        {"itens",
         nullptr,
         nullptr,
         {{"TipoDeLancamento", Kind::Code},
          {"CodigoDoCliente", Kind::Code},
          {"DataDeLancamento", Kind::Text},
          {"NumeroDoTipoDeServico", Kind::OptionalCode},
          {"CodigoDoServico", Kind::OptionalCode},
          {"CodigoDoAnimal", Kind::OptionalCode},
          {"CodigoInternoDoProduto", Kind::OptionalCode},
          {"CodigoDoFuncionario", Kind::OptionalCode},
          {"Quantidade", Kind::Money},
          {"ValorUnitario", Kind::Money},
          {"DescontoEmPercentual", Kind::Money},
          {"DescontoEmValor", Kind::Money},
          {"Custo", Kind::Money},
          {"PercentualDeComissaoDoFuncionario", Kind::Money},
          {"ValorDaComissaoDoFuncionario", Kind::Money},
          {"TipoDeVenda", Kind::Text, "2"},
          {"NumeroDaVenda", Kind::Whole, "0"},
          {"NumeroDaFichaClinica", Kind::NullableWhole}}},
    };
    return layouts;
}

const TableLayout& LayoutOf(std::string_view table)
{
    for (const TableLayout& layout : Layouts()) {
        if (table == layout.name) {
            return layout;
        }
    }
    throw Refusal("tabela desconhecida '" + std::string(table) + "'");
}

bool IsRequired(const Column& column)
{
    return column.kind == Kind::Code || column.kind == Kind::Password ||
           std::string_view(column.name) == "NomeDeUsuario";
}

Cell Convert(const Column& column, const std::string& text)
{
    platform::Variant value(text);
    switch (column.kind) {
    case Kind::Code:
        if (text.empty()) {
            throw Refusal(std::string(column.name) + " não informado");
        }
        return ToCode(value, column.name);
    case Kind::OptionalCode: {
        if (text.empty()) {
            return std::monostate{};
        }
        int64_t code = ToCode(value, column.name);
        return code == 0 ? Cell{} : Cell{code};
    }
    case Kind::NullableWhole:
        return text.empty() ? Cell{} : Cell{ToCode(value, column.name)};
    case Kind::Whole:
        return ToCode(text.empty() ? platform::Variant(column.defaultText) : value, column.name);
    case Kind::Money:
        return text.empty() ? int64_t{0} : ToMoney(value, column.name);
    case Kind::Text:
        return text;
    case Kind::Bool: {
        std::string folded = Fold(text);
        if (folded.empty() || folded == "FALSE") {
            return int64_t{0};
        }
        if (folded == "TRUE") {
            return int64_t{1};
        }
        throw Refusal(std::string(column.name) + " deve ser true ou false, não '" + text + "'");
    }
    case Kind::Password:
        if (text.empty()) {
            throw Refusal("Senha não informada");
        }
        return HashPassword(text);
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

// The folded twins of the searchable names, stored beside them.
std::vector<std::pair<std::string, std::string>> SearchColumns(const TableLayout& layout,
                                                               const Row& row)
{
    std::string_view table = layout.name;
    if (table == "clientes") {
        return {{"ApelidoBusca", Fold(TextOf(row, "ApelidoOuNomeFantasia"))},
                {"NomeBusca", Fold(TextOf(row, "NomeOuRazaoSocial"))}};
    }
    if (table == "servicos" || table == "produtos") {
        return {{"NomeBusca", Fold(TextOf(row, "Nome"))}};
    }
    if (table == "funcionarios") {
        return {{"ApelidoBusca", Fold(TextOf(row, "Apelido"))}};
    }
    return {};
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

void InsertPlain(Database& database, const TableLayout& layout, const Row& row)
{
    Connection& connection = database.Conn();
    std::string_view table = layout.name;
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
    if (layout.key != nullptr) {
        Statement existing = connection.Prepare(std::string("SELECT 1 FROM ") + layout.dbTable +
                                                " WHERE " + layout.key + " = ?");
        BindCell(existing, 1, row.at(layout.key));
        if (existing.Step()) {
            std::string shown = std::holds_alternative<int64_t>(row.at(layout.key))
                                    ? std::to_string(std::get<int64_t>(row.at(layout.key)))
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
    std::vector<std::pair<std::string, Cell>> values;
    for (const Column& column : layout.columns) {
        std::string name = column.kind == Kind::Password ? "HashDaSenha" : column.name;
        Cell cell = row.at(column.name);
        // An empty barcode is no barcode: several weighed products may lack one.
        if (table == "produtos" && name == "CodigoDeBarras" && TextOf(row, name).empty()) {
            cell = std::monostate{};
        }
        values.emplace_back(name, cell);
    }
    for (auto& [name, folded] : SearchColumns(layout, row)) {
        values.emplace_back(name, folded);
    }
    if (table == "empresa") {
        values.emplace_back("Id", int64_t{1});
    }
    std::string sql = std::string("INSERT INTO ") + layout.dbTable + " (";
    std::string marks;
    for (size_t k = 0; k < values.size(); ++k) {
        sql += (k > 0 ? ", " : "") + values[k].first;
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

std::string CellText(Kind kind, const Statement& statement, int column)
{
    if (statement.IsNull(column)) {
        return {};
    }
    switch (kind) {
    case Kind::Money:
        return platform::CStr(MoneyValue(statement.Int(column)));
    case Kind::Bool:
        return statement.Int(column) != 0 ? "true" : "false";
    case Kind::Code:
    case Kind::OptionalCode:
    case Kind::NullableWhole:
    case Kind::Whole:
        return std::to_string(statement.Int(column));
    case Kind::Text:
    case Kind::Password:
        return statement.Text(column);
    }
    return {};
}

} // namespace

const std::vector<std::string>& TableNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const TableLayout& layout : Layouts()) {
            list.emplace_back(layout.name);
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

int ImportCsv(Database& database, std::string_view table, std::string_view csv)
{
    const TableLayout& layout = LayoutOf(table);
    std::vector<CsvRecord> records = ParseCsv(csv);
    if (records.empty()) {
        throw Refusal(LineError(1, "falta a linha de cabeçalho com os nomes das colunas"));
    }
    const CsvRecord& header = records.front();
    std::vector<const Column*> order;
    for (const std::string& name : header.fields) {
        auto it = std::find_if(layout.columns.begin(), layout.columns.end(),
                               [&](const Column& column) { return name == column.name; });
        if (it == layout.columns.end()) {
            throw Refusal(LineError(header.line,
                                    "coluna desconhecida '" + name + "' na tabela " + layout.name));
        }
        if (std::find(order.begin(), order.end(), &*it) != order.end()) {
            throw Refusal(LineError(header.line, "coluna '" + name + "' repetida"));
        }
        order.push_back(&*it);
    }
    for (const Column& column : layout.columns) {
        if (IsRequired(column) && std::find(order.begin(), order.end(), &column) == order.end()) {
            throw Refusal(LineError(header.line, "falta a coluna obrigatória '" +
                                                     std::string(column.name) + "'"));
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
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        try {
            if (record.fields.size() != order.size()) {
                throw Refusal(std::to_string(record.fields.size()) +
                              " campos, mas o cabeçalho tem " + std::to_string(order.size()));
            }
            Row row;
            std::map<std::string, std::string, std::less<>> texts;
            for (size_t k = 0; k < order.size(); ++k) {
                row[order[k]->name] = Convert(*order[k], record.fields[k]);
                texts[order[k]->name] = record.fields[k];
            }
            for (const Column& column : layout.columns) {
                if (!row.contains(column.name)) {
                    row[column.name] = Convert(column, column.defaultText);
                }
            }
            if (layout.dbTable == nullptr) {
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
    }
    transaction.commit();
    return stored;
}

void ExportCsv(Database& database, std::string_view table, std::ostream& out)
{
    const TableLayout& layout = LayoutOf(table);
    std::vector<const Column*> columns;
    for (const Column& column : layout.columns) {
        if (column.kind != Kind::Password) {
            columns.push_back(&column);
        }
    }
    std::string sql = "SELECT ";
    for (size_t k = 0; k < columns.size(); ++k) {
        sql += (k > 0 ? ", " : "") + std::string(columns[k]->name);
    }
    if (layout.dbTable != nullptr) {
        sql += std::string(" FROM ") + layout.dbTable;
        sql += layout.key != nullptr ? std::string(" ORDER BY ") + layout.key : std::string();
    } else {
        sql = "SELECT * FROM (SELECT NumeroDeLancamento, 1 AS TipoDeLancamento, CodigoDoCliente,"
              " DataDeLancamento, NumeroDoTipoDeServico, CodigoDoServico, CodigoDoAnimal,"
              " NULL AS CodigoInternoDoProduto, CodigoDoFuncionario, Quantidade, ValorUnitario,"
              " DescontoEmPercentual, DescontoEmValor, Custo, PercentualDeComissaoDoFuncionario,"
              " ValorDaComissaoDoFuncionario, TipoDeVenda, NumeroDaVenda, NumeroDaFichaClinica"
              " FROM ServicosEfetuados UNION ALL SELECT NumeroDeLancamento, 2, CodigoDoCliente,"
              " DataDeLancamento, NULL, NULL, NULL, CodigoInternoDoProduto, CodigoDoFuncionario,"
              " Quantidade, ValorUnitario, DescontoEmPercentual, DescontoEmValor, Custo,"
              " PercentualDeComissaoDoFuncionario, ValorDaComissaoDoFuncionario, TipoDeVenda,"
              " NumeroDaVenda, NumeroDaFichaClinica FROM ProdutosReservados)"
              " ORDER BY NumeroDeLancamento";
    }
    Statement statement = database.Conn().Prepare(sql);
    std::vector<std::string> fields;
    for (const Column* column : columns) {
        fields.emplace_back(column->name);
    }
    out << CsvLine(fields);
    // The item query leads with the number, which the import format leaves to the store.
    int offset = layout.dbTable == nullptr ? 1 : 0;
    while (statement.Step()) {
        for (size_t k = 0; k < columns.size(); ++k) {
            fields[k] = CellText(columns[k]->kind, statement, static_cast<int>(k) + offset);
        }
        out << CsvLine(fields);
    }
}

} // namespace store
