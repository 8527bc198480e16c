#include "store/Items.h"

namespace store {

namespace {

bool Exists(Connection& connection, const char* sql, int64_t key)
{
    Statement statement = connection.Prepare(sql);
    statement.Bind(1, key);
    return statement.Step();
}

void RequireReference(Connection& connection, const char* sql, int64_t key, const std::string& what)
{
    if (!Exists(connection, sql, key)) {
        throw Refusal(what + " " + std::to_string(key) + " não está cadastrado.");
    }
}

void CheckItem(Connection& connection, const ItemRecord& item)
{
    if (item.kind != kService && item.kind != kProduct) {
        throw Refusal("Tipo de lançamento " + std::to_string(item.kind) +
                      " inválido: use 1 para serviço ou 2 para produto.");
    }
    if (item.discountPercent < 0 || item.discountValue < 0) {
        throw Refusal("Os descontos do item devem ser informados como valores positivos.");
    }
    if (item.discountPercent > 100 * 10000) {
        throw Refusal("Percentual de desconto do item não pode ser maior que 100%.");
    }
    RequireReference(connection, "SELECT 1 FROM Clientes WHERE CodigoDoCliente = ?", item.client,
                     "O cliente");
    if (item.kind == kService) {
        if (!item.serviceType || !item.service) {
            throw Refusal("Informe o tipo de serviço e o serviço do item.");
        }
        RequireReference(connection, "SELECT 1 FROM TiposDeServicos WHERE Numero = ?",
                         *item.serviceType, "O tipo de serviço");
        Statement service =
            connection.Prepare("SELECT NumeroDoTipoDeServico FROM Servicos WHERE Codigo = ?");
        service.Bind(1, *item.service);
        if (!service.Step()) {
            throw Refusal("O serviço " + std::to_string(*item.service) + " não está cadastrado.");
        }
        // The printout and the commissions go by the item's type: it must be the service's own.
        if (service.Int(0) != *item.serviceType) {
            throw Refusal("O serviço " + std::to_string(*item.service) + " é do tipo " +
                          std::to_string(service.Int(0)) + ", não do tipo " +
                          std::to_string(*item.serviceType) + ".");
        }
        if (item.animal) {
            Statement owner =
                connection.Prepare("SELECT CodigoDoCliente FROM Animais WHERE Codigo = ?");
            owner.Bind(1, *item.animal);
            if (!owner.Step()) {
                throw Refusal("O animal " + std::to_string(*item.animal) + " não está cadastrado.");
            }
            if (owner.Int(0) != item.client) {
                throw Refusal("O animal " + std::to_string(*item.animal) +
                              " não pertence ao cliente " + std::to_string(item.client) + ".");
            }
        }
    } else {
        if (!item.product) {
            throw Refusal("Informe o produto do item.");
        }
        RequireReference(connection, "SELECT 1 FROM Produtos WHERE CodigoInterno = ?",
                         *item.product, "O produto");
    }
    if (item.employee) {
        RequireReference(connection, "SELECT 1 FROM Funcionarios WHERE Codigo = ?", *item.employee,
                         "O funcionário");
    }
}

void AdjustReservation(Database& database, int64_t product, int64_t delta)
{
    database.WritePoint();
    Statement statement =
        database.Conn().Prepare("UPDATE Produtos SET QuantidadeReservada = QuantidadeReservada + ? "
                                "WHERE CodigoInterno = ?");
    statement.Bind(1, delta).Bind(2, product).Run();
}

} // namespace

int32_t StoreItem(Database& database, const ItemRecord& item)
{
    Connection& connection = database.Conn();
    CheckItem(connection, item);
    int32_t number = database.NextLancamento();
    database.WritePoint();
    if (item.kind == kService) {
        Statement insert = connection.Prepare(
            "INSERT INTO ServicosEfetuados (NumeroDeLancamento, CodigoDoCliente, DataDeLancamento,"
            " NumeroDoTipoDeServico, CodigoDoServico, CodigoDoAnimal, CodigoDoFuncionario,"
            " Quantidade, ValorUnitario, ValorTotal, DescontoEmPercentual, DescontoEmValor,"
            " ValorLiquido, Custo, FuncionarioComissionado, PercentualDeComissaoDoFuncionario,"
            " ValorDaComissaoDoFuncionario, TipoDeVenda, NumeroDaVenda, NumeroDaFichaClinica)"
            " VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        insert.Bind(1, int64_t{number}).Bind(2, item.client).Bind(3, item.date);
        insert.Bind(4, item.serviceType).Bind(5, item.service).Bind(6, item.animal);
        insert.Bind(7, item.employee).Bind(8, item.quantity).Bind(9, item.unitValue);
        insert.Bind(10, item.total).Bind(11, item.discountPercent).Bind(12, item.discountValue);
        insert.Bind(13, item.net).Bind(14, item.cost).Bind(15, int64_t{item.commissioned});
        insert.Bind(16, item.commissionPercent).Bind(17, item.commissionValue);
        insert.Bind(18, item.saleType).Bind(19, item.saleNumber).Bind(20, item.clinicalRecord);
        insert.Run();
        return number;
    }
    Statement insert = connection.Prepare(
        "INSERT INTO ProdutosReservados (NumeroDeLancamento, CodigoDoCliente, DataDeLancamento,"
        " CodigoInternoDoProduto, CodigoDoFuncionario, Quantidade, ValorUnitario, ValorTotal,"
        " DescontoEmPercentual, DescontoEmValor, ValorLiquido, Custo, FuncionarioComissionado,"
        " PercentualDeComissaoDoFuncionario, ValorDaComissaoDoFuncionario, TipoDeVenda,"
        " NumeroDaVenda, NumeroDaFichaClinica) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    insert.Bind(1, int64_t{number}).Bind(2, item.client).Bind(3, item.date);
    insert.Bind(4, item.product).Bind(5, item.employee).Bind(6, item.quantity);
    insert.Bind(7, item.unitValue).Bind(8, item.total).Bind(9, item.discountPercent);
    insert.Bind(10, item.discountValue).Bind(11, item.net).Bind(12, item.cost);
    insert.Bind(13, int64_t{item.commissioned}).Bind(14, item.commissionPercent);
    insert.Bind(15, item.commissionValue).Bind(16, item.saleType).Bind(17, item.saleNumber);
    insert.Bind(18, item.clinicalRecord);
    insert.Run();
    // Only open items hold stock back; an item imported as already sold reserves nothing.
    if (item.saleNumber == 0) {
        AdjustReservation(database, *item.product, item.quantity);
    }
    return number;
}

std::optional<StoredItem> FindItem(Database& database, int64_t number)
{
    Statement statement = database.Conn().Prepare(
        "SELECT 1, NULL, Quantidade, NumeroDaVenda FROM ServicosEfetuados"
        " WHERE NumeroDeLancamento = ?1"
        " UNION ALL SELECT 2, CodigoInternoDoProduto, Quantidade, NumeroDaVenda"
        " FROM ProdutosReservados WHERE NumeroDeLancamento = ?1");
    statement.Bind(1, number);
    if (!statement.Step()) {
        return std::nullopt;
    }
    StoredItem item;
    item.kind = statement.Int(0);
    if (!statement.IsNull(1)) {
        item.product = statement.Int(1);
    }
    item.quantity = statement.Int(2);
    item.saleNumber = statement.Int(3);
    return item;
}

void DeleteItem(Database& database, int64_t number, const StoredItem& item)
{
    database.WritePoint();
    Statement statement = database.Conn().Prepare(
        item.kind == kService ? "DELETE FROM ServicosEfetuados WHERE NumeroDeLancamento = ?"
                              : "DELETE FROM ProdutosReservados WHERE NumeroDeLancamento = ?");
    statement.Bind(1, number).Run();
    if (item.kind == kProduct && item.product && item.saleNumber == 0) {
        AdjustReservation(database, *item.product, -item.quantity);
    }
}

} // namespace store
