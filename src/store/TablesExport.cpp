// kelo-store's export: a table in the import format, rows in key order (items by number).
#include "store/Tables.h"

#include "platform/Runtime.h"
#include "store/Csv.h"
#include "store/Layout.h"
#include "store/Values.h"

namespace store {

namespace {

std::string CellText(Type type, const Statement& statement, int column)
{
    if (statement.IsNull(column)) {
        return {};
    }
    switch (type) {
    case Type::Money:
        return platform::CStr(MoneyValue(statement.Int(column)));
    case Type::Bool:
        return statement.Int(column) != 0 ? "true" : "false";
    case Type::Text:
    case Type::Password:
    case Type::Internal:
        return statement.Text(column);
    default:
        return std::to_string(statement.Int(column));
    }
}

} // namespace

void ExportCsv(Database& database, std::string_view table, std::ostream& out)
{
    const Table& layout = LayoutOf(table);
    std::vector<const Column*> columns;
    for (const Column* column : CsvColumns(layout)) {
        if (column->type != Type::Password) {
            columns.push_back(column);
        }
    }
    std::string sql = "SELECT ";
    for (size_t k = 0; k < columns.size(); ++k) {
        sql += (k > 0 ? ", " : "") + std::string(columns[k]->name);
    }
    if (!layout.name.empty()) {
        sql += " FROM " + std::string(layout.name);
        sql += layout.key.empty() ? std::string() : " ORDER BY " + std::string(layout.key);
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
              " NumeroDaVenda, NumeroDaFichaClinica FROM ProdutosReservados) AS i"
              " ORDER BY NumeroDeLancamento";
    }
    Statement statement = database.Conn().Prepare(sql);
    std::vector<std::string> fields;
    for (const Column* column : columns) {
        fields.emplace_back(CsvName(*column));
    }
    out << CsvLine(fields);
    // The item query leads with the number, which the import format leaves to the store.
    int offset = layout.name.empty() ? 1 : 0;
    while (statement.Step()) {
        for (size_t k = 0; k < columns.size(); ++k) {
            fields[k] = CellText(columns[k]->type, statement, static_cast<int>(k) + offset);
        }
        out << CsvLine(fields);
    }
}

} // namespace store
