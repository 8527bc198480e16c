// frmPreVendas, service types: the list of types sold on this screen.
#include "presale/frmPreVendas.h"

#include "contracts/KELO_N_TipoDeServ.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "screen_services/modFundoEscuro.h"

namespace KELO_A_PreVendas {

namespace {

// Types 1 to 4 (clinical care and surgery) are not sold at the counter.
constexpr int32_t UltimoTipoClinico = 4;

} // namespace

int16_t frmPreVendas::PreencherComboboxTiposDeServicos()
{
    return ComTratamentoDeErro(
        ", frmPreVendas, PreencherComboboxTiposDeServicos, Ponto: ",
        [&](int16_t& ponto) -> int16_t {
            auto lobjTiposDeServicos = contracts::CreateObject<KELO_N_TipoDeServ::clsTiposDeServ>();
            double ldblCodigo = 0;
            if (lobjTiposDeServicos->SelecionarParaComboBox(ldblCodigo) != 0) {
                ExibirMensagemDeErro(lobjTiposDeServicos->NumeroDoErro,
                                     lobjTiposDeServicos->DescricaoDoErro,
                                     lobjTiposDeServicos->LocalDoErro);
                lobjTiposDeServicos.reset();
                RemoverFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd);
                return 1;
            }
            ponto = 2;
            platform::RecordsetRef lrstTipos = lobjTiposDeServicos->ResultadoDaSelecaoEmRecordSet;
            lobjTiposDeServicos.reset();
            if (!lrstTipos || lrstTipos->RecordCount() == 0) {
                platform::MsgBox(
                    "Nenhum tipo de serviço cadastrado.\nÉ necessário ter no mínimo um "
                    "tipo de serviço cadastrado para incluir um agendamento.",
                    platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
                RemoverFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd);
                return 1;
            }
            ponto = 3;
            qvcmbTiposDeServicos.Clear();
            for (lrstTipos->MoveFirst(); !lrstTipos->Eof(); lrstTipos->MoveNext()) {
                const int32_t llngNumero = lrstTipos->Fields("Numero").Value.AsLong();
                if (llngNumero > UltimoTipoClinico) {
                    qvcmbTiposDeServicos.AddItem(lrstTipos->Fields("Nome").Value.AsString());
                    qvcmbTiposDeServicos.ItemData(qvcmbTiposDeServicos.NewIndex(), llngNumero);
                }
            }
            return 0;
        });
}

} // namespace KELO_A_PreVendas
