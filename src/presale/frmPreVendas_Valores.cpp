// frmPreVendas, values: the totals of the grid and the user's rights over unit values and
// discounts. The money rules arrive with the values work; until then both leave the screen as
// it is.
#include "presale/frmPreVendas.h"

#include "entry/modMensagemDeErro.h"

namespace KELO_A_PreVendas {

void frmPreVendas::CalcularValoresDosItensDaGrade()
{
    ComTratamentoDeErro(", frmPreVendas, CalcularValoresDosItensDaGrade, Ponto: ",
                        [&](int16_t&) {});
}

void frmPreVendas::PermissãoDoUsuario()
{
    ComTratamentoDeErro(", frmPreVendas, PermissãoDoUsuario, Ponto: ", [&](int16_t&) {});
}

} // namespace KELO_A_PreVendas
