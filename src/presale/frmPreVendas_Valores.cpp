// frmPreVendas, values: the totals of the grid and the user's rights over unit values and
// discounts. Money is summed as Currency (four places, exact); only the display rounds to two.
#include "presale/frmPreVendas.h"

#include "globals/modMensagemDeErro.h"
#include "platform/Runtime.h"
#include "presale/ColunasDaGrade.h"

namespace KELO_A_PreVendas {

namespace {

constexpr const char* FormatoDeValor = "#,##0.00";

} // namespace

void frmPreVendas::CalcularValoresDosItensDaGrade()
{
    ComTratamentoDeErro(
        ", frmPreVendas, CalcularValoresDosItensDaGrade, Ponto: ", [&](int16_t& ponto) {
            platform::Currency lcurTotal;
            platform::Currency lcurDesconto;
            for (int32_t linha = 1; linha < msfgGrade.Rows; ++linha) {
                const auto valor = [&](int32_t coluna) {
                    const std::string& texto = msfgGrade.TextMatrix(linha, coluna);
                    return platform::CCur(texto.empty() ? "0" : texto);
                };
                lcurTotal +=
                    valor(GradeDeItens::colQuantidade) * valor(GradeDeItens::colValorUnitario);
                lcurDesconto += valor(GradeDeItens::colDescontoEmValor);
            }
            ponto = 2;
            qvnumTotal.Text = platform::Format(lcurTotal, FormatoDeValor);
            qvnumDesconto.Text = platform::Format(lcurDesconto, FormatoDeValor);
            qvnumLiquidoAPagar.Text = platform::Format(lcurTotal + lcurDesconto, FormatoDeValor);
        });
}

// Still to come here: VerificaDescontoPromocionalDeVenda (an answer of 1 puts the percentage back
// to "0,00") and qvnumPercentualDeDescontoPorItem_LostFocus, which works the item's values out
// again. Until then the percentage placed stays as it is.
void frmPreVendas::AplicarPromocaoERecalcularValoresDoItem()
{
    ComTratamentoDeErro(", frmPreVendas, AplicarPromocaoERecalcularValoresDoItem, Ponto: ",
                        [&](int16_t&) {});
}

void frmPreVendas::PermissãoDoUsuario()
{
    ComTratamentoDeErro(", frmPreVendas, PermissãoDoUsuario, Ponto: ", [&](int16_t&) {});
}

} // namespace KELO_A_PreVendas
