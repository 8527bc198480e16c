#include "store/Admin.h"

#include "store/Schema.h"

#include <string>

namespace store {

namespace {

constexpr int kMostShown = 20;

void CollectTexts(Connection& connection, const char* sql, const std::string& prefix,
                  std::vector<std::string>& problems)
{
    Statement statement = connection.Prepare(sql);
    int shown = 0;
    while (statement.Step() && shown++ < kMostShown) {
        problems.push_back(prefix + statement.Text(0));
    }
}

} // namespace

std::vector<std::string> Check(Database& database, const Progress& progress)
{
    Connection& connection = database.Conn();
    std::vector<std::string> problems;
    // Told by checks done: SQLite's integrity check is one statement that says nothing until it
    // ends (on a large store, most of the time goes there).
    constexpr int64_t kSteps = 6;
    const auto told = [&](int64_t step) {
        if (progress) {
            progress("verificando", step, kSteps);
        }
    };
    told(0);

    // A server keeps its pages and references sound by itself; a file is asked to check both.
    if (connection.Dialect() == Engine::Sqlite) {
        Statement integrity = connection.Prepare("PRAGMA integrity_check");
        while (integrity.Step()) {
            if (std::string result = integrity.Text(0); result != "ok") {
                problems.push_back("integridade: " + result);
            }
        }
        Statement references = connection.Prepare("PRAGMA foreign_key_check");
        for (int shown = 0; references.Step() && shown < kMostShown; ++shown) {
            problems.push_back("referência inválida: " + references.Text(0) + " registro " +
                               std::to_string(references.Int(1)) + " aponta para " +
                               references.Text(2) + " inexistente");
        }
    }
    told(2);

    Statement sequence = connection.Prepare(
        "SELECT (SELECT Ultimo FROM Sequencias WHERE Nome = 'Lancamento'),"
        " (SELECT max(n) FROM (SELECT max(NumeroDeLancamento) AS n FROM ServicosEfetuados"
        "  UNION ALL SELECT max(NumeroDeLancamento) FROM ProdutosReservados) AS m)");
    sequence.Step();
    if (sequence.IsNull(0)) {
        problems.push_back("sequência de lançamentos ausente");
    } else if (!sequence.IsNull(1) && sequence.Int(1) > sequence.Int(0)) {
        problems.push_back("sequência de lançamentos em " + std::to_string(sequence.Int(0)) +
                           ", abaixo do maior lançamento armazenado " +
                           std::to_string(sequence.Int(1)));
    }

    CollectTexts(connection,
                 "SELECT NumeroDeLancamento FROM ServicosEfetuados"
                 " INTERSECT SELECT NumeroDeLancamento FROM ProdutosReservados",
                 "lançamento usado por um serviço e por um produto: ", problems);
    told(3);

    CollectTexts(connection,
                 "SELECT p.CodigoInterno || ' reserva ' || p.QuantidadeReservada"
                 "  || ' (x10000), mas os itens abertos somam ' || COALESCE(r.Total, 0)"
                 " FROM Produtos p LEFT JOIN (SELECT CodigoInternoDoProduto AS Codigo,"
                 "  sum(Quantidade) AS Total FROM ProdutosReservados WHERE NumeroDaVenda = 0"
                 "  GROUP BY CodigoInternoDoProduto) r ON r.Codigo = p.CodigoInterno"
                 " WHERE p.QuantidadeReservada <> COALESCE(r.Total, 0)",
                 "quantidade reservada do produto ", problems);
    told(4);

    CollectTexts(connection,
                 "SELECT NumeroDeLancamento FROM ServicosEfetuados"
                 " WHERE ValorLiquido <> ValorTotal - DescontoEmValor"
                 " UNION ALL SELECT NumeroDeLancamento FROM ProdutosReservados"
                 " WHERE ValorLiquido <> ValorTotal - DescontoEmValor",
                 "valor líquido diferente do total menos o desconto no lançamento ", problems);
    told(5);
    for (std::string& problem : CheckNameIndexes(connection)) {
        problems.push_back(std::move(problem));
    }
    told(kSteps);
    return problems;
}

void Repair(Database& database)
{
    Transaction transaction(database);
    database.WritePoint();
    RebuildNameIndexes(database.Conn());
    transaction.commit();
}

} // namespace store
