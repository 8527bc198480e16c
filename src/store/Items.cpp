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
    // Everything the item refers to in one statement: on a server, each one is a round trip.
    Statement found =
        connection.Prepare("SELECT EXISTS (SELECT 1 FROM Clientes WHERE CodigoDoCliente = ?1),"
                           " EXISTS (SELECT 1 FROM TiposDeServicos WHERE Numero = ?2),"
                           " EXISTS (SELECT 1 FROM Servicos WHERE Codigo = ?3),"
                           " (SELECT NumeroDoTipoDeServico FROM Servicos WHERE Codigo = ?3),"
                           " EXISTS (SELECT 1 FROM Animais WHERE Codigo = ?4),"
                           " (SELECT CodigoDoCliente FROM Animais WHERE Codigo = ?4),"
                           " EXISTS (SELECT 1 FROM Produtos WHERE CodigoInterno = ?5),"
                           " EXISTS (SELECT 1 FROM Funcionarios WHERE Codigo = ?6)");
    found.Bind(1, item.client).Bind(2, item.serviceType.value_or(0));
    found.Bind(3, item.service.value_or(0)).Bind(4, item.animal.value_or(0));
    found.Bind(5, item.product.value_or(0)).Bind(6, item.employee.value_or(0));
    found.Step();
    const auto missing = [](const std::string& what, int64_t key) {
        return Refusal(what + " " + std::to_string(key) + " não está cadastrado.");
    };
    if (found.Int(0) == 0) {
        throw missing("O cliente", item.client);
    }
    if (item.kind == kService) {
        if (!item.serviceType || !item.service) {
            throw Refusal("Informe o tipo de serviço e o serviço do item.");
        }
        if (found.Int(1) == 0) {
            throw missing("O tipo de serviço", *item.serviceType);
        }
        if (found.Int(2) == 0) {
            throw missing("O serviço", *item.service);
        }
        // The printout and the commissions go by the item's type: it must be the service's own.
        if (found.Int(3) != *item.serviceType) {
            throw Refusal("O serviço " + std::to_string(*item.service) + " é do tipo " +
                          std::to_string(found.Int(3)) + ", não do tipo " +
                          std::to_string(*item.serviceType) + ".");
        }
        if (item.animal && found.Int(4) == 0) {
            throw missing("O animal", *item.animal);
        }
        if (item.animal && found.Int(5) != item.client) {
            throw Refusal("O animal " + std::to_string(*item.animal) + " não pertence ao cliente " +
                          std::to_string(item.client) + ".");
        }
    } else {
        if (!item.product) {
            throw Refusal("Informe o produto do item.");
        }
        if (found.Int(6) == 0) {
            throw missing("O produto", *item.product);
        }
    }
    if (item.employee && found.Int(7) == 0) {
        throw missing("O funcionário", *item.employee);
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
