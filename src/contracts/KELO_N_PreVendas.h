// The pre-sale store: the open items (lançamentos) of a client, storing and deleting one item,
// and the selection for the printout.
#pragma once

#include "contracts/ComponenteDeNegocio.h"
#include "platform/Variant.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace KELO_N_PreVendas {

// The 19 fields of an open item, in the order of the items grid's columns 0 to 18.
// DescontoEmPercentual and DescontoEmValor come negated (stored positive), as the screen writes
// the rows it adds, so that totals and alterations read loaded and added rows alike.
// TipoDeLancamento: 1 service, 2 product. CodigoDoFuncionario 0: no commissioned employee.
// NumeroDeLancamento: the item's number in the store. TipoDeVenda: "2" on this screen.
inline constexpr auto CamposDaGrade = std::to_array<std::string_view>({
    "NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto",
    "CodigoDoServicoOuCodigoInternoDoProduto",
    "NomeDoServicoOuNomeDoProduto",
    "CodigoDoAnimal",
    "NomeDoAnimal",
    "CodigoDoFuncionario",
    "NomeDoFuncionario",
    "Quantidade",
    "ValorUnitario",
    "DescontoEmPercentual",
    "DescontoEmValor",
    "ValorLiquido",
    "Custo",
    "PercentualDeComissaoDoFuncionario",
    "ValorDaComissaoDoFuncionario",
    "NumeroDeLancamento",
    "UnidadeDeVendaDoProduto",
    "TipoDeVenda",
    "TipoDeLancamento",
});

// A printed line: the fields the report binds. Discounts as stored (positive).
inline constexpr auto CamposDaImpressao = std::to_array<std::string_view>({
    "NomeDoAnimal",
    "NomeDoServicoOuProduto",
    "Quantidade",
    "ValorUnitario",
    "ValorTotal",
    "DescontoEmValor",
    "ValorLiquido",
});

// The item record's fields, in the order the form sets them before Incluir, then
// NumeroDeLancamento, which only Excluir uses.
inline constexpr auto CamposDoLancamento = std::to_array<std::string_view>({
    "DataDeLancamento",
    "CodigoDoFuncionario",
    "CodigoDoCliente",
    "TipoDeLancamento",
    "CodigoDoAnimal",
    "NumeroDoTipoDeServico",
    "CodigoDoServico",
    "CodigoInternoDoProduto",
    "Custo",
    "Quantidade",
    "ValorUnitario",
    "ValorTotal",
    "DescontoEmPercentual",
    "DescontoEmValor",
    "ValorLiquido",
    "FuncionarioComissionado",
    "PercentualDeComissaoDoFuncionario",
    "ValorDaComissaoDoFuncionario",
    "TipoDeVenda",
    "NumeroDeLancamento",
});

class clsPreVendas : public contracts::ComponenteDeNegocio {
public:
    static constexpr const char* ClassName = "KELO_N_PreVendas.clsPreVendas";

    // The item record. Each field keeps the type it was handed (Empty when the caller did not
    // set it): texts are formatted Brazilian numbers or "DD/MM/YYYY", some are 16-bit 0 or a
    // text, money is fixed-point; the implementation converts. Only the fields of the item's
    // kind are set; discounts are positive here.
    platform::Variant DataDeLancamento;
    platform::Variant CodigoDoFuncionario;
    platform::Variant CodigoDoCliente;
    platform::Variant TipoDeLancamento;
    platform::Variant CodigoDoAnimal;
    platform::Variant NumeroDoTipoDeServico;
    platform::Variant CodigoDoServico;
    platform::Variant CodigoInternoDoProduto;
    platform::Variant Custo;
    platform::Variant Quantidade;
    platform::Variant ValorUnitario;
    platform::Variant ValorTotal;
    platform::Variant DescontoEmPercentual;
    platform::Variant DescontoEmValor;
    platform::Variant ValorLiquido;
    platform::Variant FuncionarioComissionado;
    platform::Variant PercentualDeComissaoDoFuncionario;
    platform::Variant ValorDaComissaoDoFuncionario;
    platform::Variant TipoDeVenda;
    platform::Variant NumeroDeLancamento;

    // The number under which Incluir stored the item (read on status 0 only).
    int32_t NumeroDeLancamentoGerado = 0;

    // The print selection's rows, fields of CamposDaImpressao.
    platform::RecordsetRef ResultadoDaSelecaoParaImpressaoEmRecordset;

    // Failure flag; the client's open items as rows of CamposDaGrade.
    virtual int32_t SelecionarServicosEfetuadosEProdutosReservados(double& codigoDoCliente) = 0;

    // Status (0 to 3): stores the record (all fields above but NumeroDeLancamento, and
    // DadosDoUsuario) as a new item; on 0 NumeroDeLancamentoGerado holds its number.
    virtual int32_t Incluir() = 0;

    // Status (0 to 3; the screen takes 2 as deleted): deletes the item named by
    // NumeroDeLancamento, given with Quantidade, CodigoInternoDoProduto and TipoDeLancamento
    // as the grid's texts, and DadosDoUsuario.
    virtual int32_t Excluir() = 0;

    // Status (0 to 3); on 0 the rows in ResultadoDaSelecaoParaImpressaoEmRecordset. The screen
    // passes seletor 2 and the two filter texts it builds around the client's code.
    virtual int32_t SelecionarServicosEfetuadosEProdutosReservadosParaImpressao(
        int16_t seletor, std::string& filtroDeServicos, std::string& filtroDeProdutos) = 0;

    // Status (0 to 3): keeps who let through the item numbered `numeroDoLancamento`, just
    // stored with a discount above the shop's ceiling (the administrator whose name and password
    // the authorisation accepted, or the one logged in), with its percentage and the ceiling. Not
    // part of the item record, so a business layer that keeps no such account answers 0.
    virtual int32_t RegistrarAutorizacaoDeDesconto(int32_t numeroDoLancamento,
                                                   platform::Currency percentual,
                                                   platform::Currency limite,
                                                   const std::string& autorizador)
    {
        static_cast<void>(numeroDoLancamento);
        static_cast<void>(percentual);
        static_cast<void>(limite);
        static_cast<void>(autorizador);
        return contracts::resSucesso;
    }

    // The record field named `nome` (one of CamposDoLancamento), for code that goes by name;
    // any other name raises 438.
    platform::Variant& Campo(std::string_view nome);
    const platform::Variant& Campo(std::string_view nome) const;
};

} // namespace KELO_N_PreVendas
