#include "store/Items.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"
#include "store/Values.h"

namespace store {

namespace {

std::optional<int64_t> OptionalCode(const platform::Variant& value, std::string_view field)
{
    int64_t code = ToCode(value, field);
    return code == 0 ? std::nullopt : std::optional<int64_t>(code);
}

std::string MoneyText(int64_t raw)
{
    return platform::CStr(MoneyValue(raw));
}

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

ItemRecord ReadItem(const ItemFields& fields)
{
    const auto money = [&](std::string_view name) { return ToMoney(fields(name), name); };
    ItemRecord item;
    item.kind = ToCode(fields("TipoDeLancamento"), "TipoDeLancamento");
    item.client = ToCode(fields("CodigoDoCliente"), "CodigoDoCliente");
    item.date = ToText(fields("DataDeLancamento"));
    if (item.kind == kService) {
        item.serviceType = OptionalCode(fields("NumeroDoTipoDeServico"), "NumeroDoTipoDeServico");
        item.service = OptionalCode(fields("CodigoDoServico"), "CodigoDoServico");
        item.animal = OptionalCode(fields("CodigoDoAnimal"), "CodigoDoAnimal");
    } else if (item.kind == kProduct) {
        item.product = OptionalCode(fields("CodigoInternoDoProduto"), "CodigoInternoDoProduto");
    }
    item.employee = OptionalCode(fields("CodigoDoFuncionario"), "CodigoDoFuncionario");
    item.commissioned = item.employee.has_value();
    item.cost = money("Custo");
    item.quantity = money("Quantidade");
    item.unitValue = money("ValorUnitario");
    item.discountPercent = money("DescontoEmPercentual");
    item.discountValue = money("DescontoEmValor");
    item.commissionPercent = money("PercentualDeComissaoDoFuncionario");
    item.commissionValue = money("ValorDaComissaoDoFuncionario");
    std::string saleType = ToText(fields("TipoDeVenda"));
    item.saleType = saleType.empty() ? "2" : saleType;

    using platform::Currency;
    int64_t total = 0;
    int64_t net = 0;
    try {
        total = (Currency::FromRaw(item.quantity) * Currency::FromRaw(item.unitValue)).Raw();
        net = (Currency::FromRaw(total) - Currency::FromRaw(item.discountValue)).Raw();
    } catch (const platform::RuntimeError&) {
        throw Refusal("O valor total do item passa do limite dos valores.");
    }
    const platform::Variant givenTotal = fields("ValorTotal");
    const platform::Variant givenNet = fields("ValorLiquido");
    item.total = givenTotal.IsEmpty() ? total : ToMoney(givenTotal, "ValorTotal");
    item.net = givenNet.IsEmpty() ? net : ToMoney(givenNet, "ValorLiquido");
    if (item.total != total) {
        throw Refusal("O valor total do item (" + MoneyText(item.total) +
                      ") não confere com a quantidade vezes o valor unitário (" + MoneyText(total) +
                      ").");
    }
    if (item.net != net) {
        throw Refusal("O valor líquido do item (" + MoneyText(item.net) +
                      ") não confere com o valor total menos o desconto (" + MoneyText(net) + ").");
    }
    return item;
}

int32_t StoreItem(Database& database, const ItemRecord& item)
{
    Connection& connection = database.Conn();
    CheckItem(connection, item);
    int32_t number = database.NextLancamento();
    database.WritePoint();
    // Each kind has a table of its own; they differ only in the columns naming what was sold.
    const bool service = item.kind == kService;
    Statement insert = connection.Prepare(
        std::string("INSERT INTO ") + (service ? "ServicosEfetuados" : "ProdutosReservados") +
        " (NumeroDeLancamento, CodigoDoCliente, DataDeLancamento, " +
        (service ? "NumeroDoTipoDeServico, CodigoDoServico, CodigoDoAnimal"
                 : "CodigoInternoDoProduto") +
        ", CodigoDoFuncionario, Quantidade, ValorUnitario, ValorTotal, DescontoEmPercentual,"
        " DescontoEmValor, ValorLiquido, Custo, FuncionarioComissionado,"
        " PercentualDeComissaoDoFuncionario, ValorDaComissaoDoFuncionario, TipoDeVenda,"
        " NumeroDaVenda, NumeroDaFichaClinica) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?" +
        (service ? ",?,?)" : ")"));
    int column = 0;
    const auto bind = [&](const auto& value) { insert.Bind(++column, value); };
    bind(int64_t{number});
    bind(item.client);
    bind(item.date);
    if (service) {
        bind(item.serviceType);
        bind(item.service);
        bind(item.animal);
    } else {
        bind(item.product);
    }
    bind(item.employee);
    bind(item.quantity);
    bind(item.unitValue);
    bind(item.total);
    bind(item.discountPercent);
    bind(item.discountValue);
    bind(item.net);
    bind(item.cost);
    bind(int64_t{item.commissioned});
    bind(item.commissionPercent);
    bind(item.commissionValue);
    bind(item.saleType);
    bind(item.saleNumber);
    bind(item.clinicalRecord);
    insert.Run();
    if (service)
        return number;
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
