// The items grid's 19 columns, one table: what each shows and which field of an open item it
// holds, in the store's order (KELO_N_PreVendas::CamposDaGrade; the check below keeps the two in
// step). Every procedure that reads or writes a cell names its column through GradeDeItens, so a
// column is never a number kept in step by hand. Columns of width 0 are hidden but carry what
// the totals, the alterations and the printout read.
#pragma once

#include "contracts/KELO_N_PreVendas.h"
#include "platform/Grid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace KELO_A_PreVendas::GradeDeItens {

struct Coluna {
    std::string_view Campo;
    const char* Cabecalho;
    int32_t Largura;
    int32_t Alinhamento;
    int32_t TipoDeClassificacao; // 0 numeric, 1 text
};

inline constexpr int32_t ClassificacaoNumerica = 0;

inline constexpr std::array<Coluna, 19> Colunas{{
    {"NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto",
     "Tipo de serviço ou código de barras do produto", 0, platform::flexAlignLeftCenter, 1},
    {"CodigoDoServicoOuCodigoInternoDoProduto", "Código do serviço ou produto", 0,
     platform::flexAlignLeftTop, 0},
    {"NomeDoServicoOuNomeDoProduto", "Serviço ou Produto", 4175, platform::flexAlignLeftTop, 1},
    {"CodigoDoAnimal", "Código do animal", 0, platform::flexAlignLeftTop, 0},
    {"NomeDoAnimal", "Animal", 3300, platform::flexAlignLeftTop, 1},
    {"CodigoDoFuncionario", "Código do funcionário", 0, platform::flexAlignLeftTop, 0},
    {"NomeDoFuncionario", "Nome do funcionário", 0, platform::flexAlignLeftTop, 1},
    {"Quantidade", "Qtde.", 1300, platform::flexAlignRightCenter, 0},
    {"ValorUnitario", "Val.Unit.", 1300, platform::flexAlignRightTop, 0},
    {"DescontoEmPercentual", "(%) Desc.", 1300, platform::flexAlignRightTop, 0},
    {"DescontoEmValor", "Val. desc.", 1300, platform::flexAlignRightTop, 0},
    {"ValorLiquido", "Val. total ", 1680, platform::flexAlignRightTop, 0},
    {"Custo", "Custo", 0, platform::flexAlignRightTop, 0},
    {"PercentualDeComissaoDoFuncionario", "Percentual de comissao", 0, platform::flexAlignRightTop,
     0},
    {"ValorDaComissaoDoFuncionario", "Valor da comissao", 0, platform::flexAlignRightTop, 0},
    {"NumeroDeLancamento", "Nº lançamento", 0, platform::flexAlignRightTop, 0},
    {"UnidadeDeVendaDoProduto", "Unidade", 0, platform::flexAlignLeftTop, 0},
    {"TipoDeVenda", "Tipo de Venda", 0, platform::flexAlignLeftTop, 0},
    {"TipoDeLancamento", "Tipo de lançamento", 0, platform::flexAlignLeftTop, 0},
}};

consteval bool ColunasSeguemOsCampos()
{
    if (Colunas.size() != KELO_N_PreVendas::CamposDaGrade.size())
        return false;
    for (std::size_t i = 0; i < Colunas.size(); ++i) {
        if (Colunas[i].Campo != KELO_N_PreVendas::CamposDaGrade[i])
            return false;
    }
    return true;
}
static_assert(ColunasSeguemOsCampos());

// The column that holds `campo`; a field the grid does not hold does not compile.
consteval int32_t ColunaDoCampo(std::string_view campo)
{
    for (std::size_t i = 0; i < Colunas.size(); ++i) {
        if (Colunas[i].Campo == campo)
            return static_cast<int32_t>(i);
    }
    throw "the items grid has no such field";
}

// The columns the form's code reads and writes by name. Several hold two fields' columns side by
// side: the code and, one to the right, what the attendant reads (the animal's, the employee's
// name; the net after the discount; the sale kind before the item kind).
namespace col {
inline constexpr int32_t Tipo = ColunaDoCampo("NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto");
inline constexpr int32_t Codigo = ColunaDoCampo("CodigoDoServicoOuCodigoInternoDoProduto");
inline constexpr int32_t Nome = ColunaDoCampo("NomeDoServicoOuNomeDoProduto");
inline constexpr int32_t CodigoDoAnimal = ColunaDoCampo("CodigoDoAnimal");
inline constexpr int32_t CodigoDoFuncionario = ColunaDoCampo("CodigoDoFuncionario");
inline constexpr int32_t Quantidade = ColunaDoCampo("Quantidade");
inline constexpr int32_t ValorUnitario = ColunaDoCampo("ValorUnitario");
// The percentage and the discount are held negative, as the store answers them.
inline constexpr int32_t Percentual = ColunaDoCampo("DescontoEmPercentual");
inline constexpr int32_t Desconto = ColunaDoCampo("DescontoEmValor");
inline constexpr int32_t Custo = ColunaDoCampo("Custo");
inline constexpr int32_t PercentualDeComissao = ColunaDoCampo("PercentualDeComissaoDoFuncionario");
inline constexpr int32_t ValorDaComissao = ColunaDoCampo("ValorDaComissaoDoFuncionario");
inline constexpr int32_t Lancamento = ColunaDoCampo("NumeroDeLancamento");
inline constexpr int32_t Unidade = ColunaDoCampo("UnidadeDeVendaDoProduto");
inline constexpr int32_t TipoDeLancamento = ColunaDoCampo("TipoDeLancamento");
} // namespace col

// What column TipoDeLancamento (and the record's field of that name) holds.
inline constexpr int16_t LancamentoDeServico = 1;
inline constexpr int16_t LancamentoDeProduto = 2;

} // namespace KELO_A_PreVendas::GradeDeItens
