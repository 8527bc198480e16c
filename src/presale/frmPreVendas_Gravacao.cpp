// frmPreVendas, stored items: the Alterar and Remover buttons and the grid's pop-up menu, whose
// entries run the buttons' procedures.
#include "presale/frmPreVendas.h"

#include "globals/modMensagemDeErro.h"

namespace KELO_A_PreVendas {

void frmPreVendas::qvcmdAlterar_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvcmdAlterar_Click, Ponto: ", [&](int16_t&) {});
}

void frmPreVendas::qvcmdRemover_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvcmdRemover_Click, Ponto: ", [&](int16_t&) {});
}

void frmPreVendas::mnuAlterar_Click()
{
    qvcmdAlterar_Click();
}

void frmPreVendas::mnuExcluir_Click()
{
    qvcmdRemover_Click();
}

} // namespace KELO_A_PreVendas
