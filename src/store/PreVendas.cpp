// The pre-sale store component: the grid's open items, Incluir and Excluir of one item, and the
// printout's selection. Incluir and Excluir are one transaction each; a value that does not
// convert, or an item that does not add up, is refused before anything is written.
#include "contracts/KELO_N_PreVendas.h"
#include "store/Component.h"
#include "store/Components.h"
#include "store/Items.h"
#include "store/PrintFilter.h"

namespace store {

namespace {

using FK = FieldKind;

class PreVendas final : public Component<KELO_N_PreVendas::clsPreVendas> {
public:
    using Component::Component;

    int32_t SelecionarServicosEfetuadosEProdutosReservados(double& codigoDoCliente) override
    {
        return Answer("SelecionarServicosEfetuadosEProdutosReservados", [&] {
            int64_t client = CodeOrZero(codigoDoCliente);
            Statement statement = Db().Conn().Prepare(
                "SELECT e.NumeroDoTipoDeServico, e.CodigoDoServico, COALESCE(s.Nome, ''),"
                "  COALESCE(e.CodigoDoAnimal, ''), COALESCE(a.Nome, ''),"
                "  COALESCE(e.CodigoDoFuncionario, 0), COALESCE(f.Apelido, ''),"
                "  e.Quantidade, e.ValorUnitario, -e.DescontoEmPercentual, -e.DescontoEmValor,"
                "  e.ValorLiquido, e.Custo, e.PercentualDeComissaoDoFuncionario,"
                "  e.ValorDaComissaoDoFuncionario, e.NumeroDeLancamento, '', e.TipoDeVenda, 1"
                " FROM ServicosEfetuados e"
                " LEFT JOIN Servicos s ON s.Codigo = e.CodigoDoServico"
                " LEFT JOIN Animais a ON a.Codigo = e.CodigoDoAnimal"
                " LEFT JOIN Funcionarios f ON f.Codigo = e.CodigoDoFuncionario"
                " WHERE e.CodigoDoCliente = ?1 AND e.NumeroDaVenda = 0"
                " UNION ALL "
                "SELECT COALESCE(p.CodigoDeBarras, ''), r.CodigoInternoDoProduto,"
                "  COALESCE(p.Nome, ''), '', '',"
                "  COALESCE(r.CodigoDoFuncionario, 0), COALESCE(f.Apelido, ''),"
                "  r.Quantidade, r.ValorUnitario, -r.DescontoEmPercentual, -r.DescontoEmValor,"
                "  r.ValorLiquido, r.Custo, r.PercentualDeComissaoDoFuncionario,"
                "  r.ValorDaComissaoDoFuncionario, r.NumeroDeLancamento,"
                "  COALESCE(p.UnidadeDeVenda, ''), r.TipoDeVenda, 2"
                " FROM ProdutosReservados r"
                " LEFT JOIN Produtos p ON p.CodigoInterno = r.CodigoInternoDoProduto"
                " LEFT JOIN Funcionarios f ON f.Codigo = r.CodigoDoFuncionario"
                " WHERE r.CodigoDoCliente = ?1 AND r.NumeroDaVenda = 0"
                " ORDER BY 16");
            statement.Bind(1, client);
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, contracts::FieldNames(KELO_N_PreVendas::CamposDaGrade),
                        {FK::Any, FK::Long, FK::Text, FK::Any, FK::Text, FK::Long, FK::Text,
                         FK::Money, FK::Money, FK::Money, FK::Money, FK::Money, FK::Money,
                         FK::Money, FK::Money, FK::Long, FK::Text, FK::Text, FK::Integer});
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
            Statement statement = Db().Conn().Prepare(
                "SELECT COALESCE(a.Nome, ''), COALESCE(s.Nome, ''), e.Quantidade,"
                "  e.ValorUnitario, e.ValorTotal, e.DescontoEmValor, e.ValorLiquido,"
                "  e.NumeroDeLancamento, 1"
                " FROM ServicosEfetuados e"
                " LEFT JOIN Servicos s ON s.Codigo = e.CodigoDoServico"
                " LEFT JOIN Animais a ON a.Codigo = e.CodigoDoAnimal"
                " WHERE e.NumeroDaVenda = 0"
                "   AND (e.NumeroDaFichaClinica = 0 OR e.NumeroDaFichaClinica IS NULL)"
                "   AND e.CodigoDoCliente = ?1 AND e.NumeroDoTipoDeServico > 4"
                " UNION ALL "
                "SELECT '', COALESCE(p.Nome, ''), r.Quantidade, r.ValorUnitario, r.ValorTotal,"
                "  r.DescontoEmValor, r.ValorLiquido, r.NumeroDeLancamento, 2"
                " FROM ProdutosReservados r"
                " LEFT JOIN Produtos p ON p.CodigoInterno = r.CodigoInternoDoProduto"
                " WHERE r.NumeroDaVenda = 0 AND r.CodigoDoCliente = ?1"
                "   AND r.NumeroDaFichaClinica IS NULL"
                " ORDER BY 8");
            statement.Bind(1, int64_t{*client});
            auto names = contracts::FieldNames(KELO_N_PreVendas::CamposDaImpressao);
            names.emplace_back("NumeroDeLancamento");
            names.emplace_back("TipoDeLancamento");
            ResultadoDaSelecaoParaImpressaoEmRecordset =
                Collect(statement, names,
                        {FK::Text, FK::Text, FK::Money, FK::Money, FK::Money, FK::Money, FK::Money,
                         FK::Long, FK::Integer});
        });
    }
};

} // namespace

void RegisterPreVendas(const std::shared_ptr<Database>& database)
{
    RegisterOver<PreVendas>(database);
}

} // namespace store
