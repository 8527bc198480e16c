// The pre-sale store component: the grid's open items, Incluir and Excluir of one item, and the
// printout's selection. Incluir and Excluir are one transaction each; a value that does not
// convert, or an item that does not add up, is refused before anything is written.
#include "contracts/KELO_N_PreVendas.h"
#include "store/Component.h"
#include "store/Components.h"
#include "store/Items.h"
#include "store/PrintFilter.h"

#include <ctime>
#include <string>

namespace store {

namespace {

using FK = FieldKind;

constexpr auto kGradeFields = std::to_array<JoinedField>({
    {"NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto", FK::Tagged, "'i' || i.NumeroDoTipoDeServico",
     "'t' || COALESCE(p.CodigoDeBarras, '')"},
    {"CodigoDoServicoOuCodigoInternoDoProduto", FK::Long, "i.CodigoDoServico",
     "i.CodigoInternoDoProduto"},
    {"NomeDoServicoOuNomeDoProduto", FK::Text, "COALESCE(s.Nome, '')", "COALESCE(p.Nome, '')"},
    {"CodigoDoAnimal", FK::Tagged, "COALESCE('i' || i.CodigoDoAnimal, 't')", "'t'"},
    {"NomeDoAnimal", FK::Text, "COALESCE(a.Nome, '')", "''"},
    {"CodigoDoFuncionario", FK::Long, "COALESCE(i.CodigoDoFuncionario, 0)"},
    {"NomeDoFuncionario", FK::Text, "COALESCE(f.Apelido, '')"},
    {"Quantidade", FK::Money, "i.Quantidade"},
    {"ValorUnitario", FK::Money, "i.ValorUnitario"},
    {"DescontoEmPercentual", FK::Money, "-i.DescontoEmPercentual"},
    {"DescontoEmValor", FK::Money, "-i.DescontoEmValor"},
    {"ValorLiquido", FK::Money, "i.ValorLiquido"},
    {"Custo", FK::Money, "i.Custo"},
    {"PercentualDeComissaoDoFuncionario", FK::Money, "i.PercentualDeComissaoDoFuncionario"},
    {"ValorDaComissaoDoFuncionario", FK::Money, "i.ValorDaComissaoDoFuncionario"},
    {"NumeroDeLancamento", FK::Long, "i.NumeroDeLancamento"},
    {"UnidadeDeVendaDoProduto", FK::Text, "''", "COALESCE(p.UnidadeDeVenda, '')"},
    {"TipoDeVenda", FK::Text, "i.TipoDeVenda"},
    {"TipoDeLancamento", FK::Integer, "1", "2"},
});
static_assert(kGradeFields.size() == KELO_N_PreVendas::CamposDaGrade.size() &&
              Leads(KELO_N_PreVendas::CamposDaGrade, kGradeFields));

// The printed line's fields, then what orders and tells the lines apart.
constexpr auto kImpressaoFields = std::to_array<JoinedField>({
    {"NomeDoAnimal", FK::Text, "COALESCE(a.Nome, '')", "''"},
    {"NomeDoServicoOuProduto", FK::Text, "COALESCE(s.Nome, '')", "COALESCE(p.Nome, '')"},
    {"Quantidade", FK::Money, "i.Quantidade"},
    {"ValorUnitario", FK::Money, "i.ValorUnitario"},
    {"ValorTotal", FK::Money, "i.ValorTotal"},
    {"DescontoEmValor", FK::Money, "i.DescontoEmValor"},
    {"ValorLiquido", FK::Money, "i.ValorLiquido"},
    {"NumeroDeLancamento", FK::Long, "i.NumeroDeLancamento"},
    {"TipoDeLancamento", FK::Integer, "1", "2"},
});
static_assert(Leads(KELO_N_PreVendas::CamposDaImpressao, kImpressaoFields));

// "DD/MM/YYYY HH:MM:SS" of now on this computer's clock, whichever engine keeps the store.
std::string AgoraNoRelogioLocal()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", &local);
    return text;
}

class PreVendas final : public Component<KELO_N_PreVendas::clsPreVendas> {
public:
    using Component::Component;

    int32_t SelecionarServicosEfetuadosEProdutosReservados(double& codigoDoCliente) override
    {
        return Answer("SelecionarServicosEfetuadosEProdutosReservados", [&] {
            int64_t client = CodeOrZero(codigoDoCliente);
            static const std::string sql =
                "SELECT " + SelectList(kGradeFields, false) +
                " FROM ServicosEfetuados i"
                " LEFT JOIN Servicos s ON s.Codigo = i.CodigoDoServico"
                " LEFT JOIN Animais a ON a.Codigo = i.CodigoDoAnimal"
                " LEFT JOIN Funcionarios f ON f.Codigo = i.CodigoDoFuncionario"
                " WHERE i.CodigoDoCliente = ?1 AND i.NumeroDaVenda = 0"
                " UNION ALL SELECT " +
                SelectList(kGradeFields, true) +
                " FROM ProdutosReservados i"
                " LEFT JOIN Produtos p ON p.CodigoInterno = i.CodigoInternoDoProduto"
                " LEFT JOIN Funcionarios f ON f.Codigo = i.CodigoDoFuncionario"
                " WHERE i.CodigoDoCliente = ?1 AND i.NumeroDaVenda = 0"
                " ORDER BY 16";
            Statement statement = Db().Conn().Prepare(sql);
            statement.Bind(1, client);
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, NamesOf(kGradeFields), KindsOf(kGradeFields));
        });
    }

    int32_t Incluir() override
    {
        NumeroDeLancamentoGerado = 0;
        return Answer("Incluir", [&] {
            ItemRecord item = ReadItem([this](std::string_view field) { return Campo(field); });
            Transaction transaction(Db());
            int32_t number = StoreItem(Db(), item);
            transaction.commit();
            NumeroDeLancamentoGerado = number;
        });
    }

    int32_t Excluir() override
    {
        return Answer("Excluir", [&] {
            int64_t number = ToCode(NumeroDeLancamento, "NumeroDeLancamento");
            int64_t kind = ToCode(TipoDeLancamento, "TipoDeLancamento");
            int64_t code = ToCode(CodigoInternoDoProduto, "CodigoInternoDoProduto");
            int64_t quantity = ToMoney(Quantidade, "Quantidade");

            Transaction transaction(Db());
            std::optional<StoredItem> stored = FindItem(Db(), number);
            if (!stored) {
                throw Refusal(
                    "O lançamento " + std::to_string(number) +
                    " não está armazenado; ele pode ter sido excluído em outro terminal.");
            }
            // The number alone decides what is deleted; a row that disagrees with the stored
            // item (another terminal changed it) must not move the product's reservation.
            bool sameProduct =
                kind != kProduct || (stored->product == code && stored->quantity == quantity);
            if (stored->kind != kind || !sameProduct) {
                throw SeriousRefusal("O lançamento " + std::to_string(number) +
                                     " não confere com o item armazenado; recarregue o cliente.");
            }
            if (stored->saleNumber != 0) {
                throw SeriousRefusal("O lançamento " + std::to_string(number) +
                                     " já pertence à venda " + std::to_string(stored->saleNumber) +
                                     " e não pode ser excluído.");
            }
            DeleteItem(Db(), number, *stored);
            transaction.commit();
        });
    }

    int32_t RegistrarAutorizacaoDeDesconto(int32_t numeroDoLancamento,
                                           platform::Currency percentual, platform::Currency limite,
                                           const std::string& autorizador) override
    {
        return Answer("RegistrarAutorizacaoDeDesconto", [&] {
            Transaction transaction(Db());
            // The client is the stored item's, whatever the screen shows by now.
            Statement client = Db().Conn().Prepare(
                "SELECT CodigoDoCliente FROM ServicosEfetuados WHERE NumeroDeLancamento = ?1"
                " UNION ALL SELECT CodigoDoCliente FROM ProdutosReservados"
                " WHERE NumeroDeLancamento = ?1");
            client.Bind(1, int64_t{numeroDoLancamento});
            if (!client.Step()) {
                throw Refusal(
                    "O lançamento " + std::to_string(numeroDoLancamento) +
                    " não está armazenado; a autorização do desconto não foi registrada.");
            }
            Statement insert = Db().Conn().Prepare(
                "INSERT INTO AutorizacoesDeDesconto (NumeroDeLancamento, CodigoDoCliente,"
                " PercentualDeDesconto, LimiteDeDesconto, Autorizador, DataEHora)"
                " VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
            insert.Bind(1, int64_t{numeroDoLancamento})
                .Bind(2, client.Int(0))
                .Bind(3, percentual.Raw())
                .Bind(4, limite.Raw())
                .Bind(5, autorizador)
                .Bind(6, AgoraNoRelogioLocal());
            insert.Run();
            transaction.commit();
        });
    }

    int32_t SelecionarServicosEfetuadosEProdutosReservadosParaImpressao(
        int16_t seletor, std::string& filtroDeServicos, std::string& filtroDeProdutos) override
    {
        ResultadoDaSelecaoParaImpressaoEmRecordset.reset();
        return Answer("SelecionarServicosEfetuadosEProdutosReservadosParaImpressao", [&] {
            std::optional<int32_t> client =
                RecognisePrintFilters(filtroDeServicos, filtroDeProdutos);
            if (seletor != 2 || !client) {
                throw SeriousRefusal("Filtro de impressão não reconhecido.");
            }
            static const std::string sql =
                "SELECT " + SelectList(kImpressaoFields, false) +
                " FROM ServicosEfetuados i"
                " LEFT JOIN Servicos s ON s.Codigo = i.CodigoDoServico"
                " LEFT JOIN Animais a ON a.Codigo = i.CodigoDoAnimal"
                " WHERE i.NumeroDaVenda = 0"
                "   AND (i.NumeroDaFichaClinica = 0 OR i.NumeroDaFichaClinica IS NULL)"
                "   AND i.CodigoDoCliente = ?1 AND i.NumeroDoTipoDeServico > 4"
                " UNION ALL SELECT " +
                SelectList(kImpressaoFields, true) +
                " FROM ProdutosReservados i"
                " LEFT JOIN Produtos p ON p.CodigoInterno = i.CodigoInternoDoProduto"
                " WHERE i.NumeroDaVenda = 0 AND i.CodigoDoCliente = ?1"
                "   AND i.NumeroDaFichaClinica IS NULL"
                " ORDER BY 8";
            Statement statement = Db().Conn().Prepare(sql);
            statement.Bind(1, int64_t{*client});
            ResultadoDaSelecaoParaImpressaoEmRecordset =
                Collect(statement, NamesOf(kImpressaoFields), KindsOf(kImpressaoFields));
        });
    }
};

} // namespace

void RegisterPreVendas(const std::shared_ptr<Database>& database)
{
    RegisterOver<PreVendas>(database);
}

} // namespace store
