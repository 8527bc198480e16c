// frmPreVendas, commissioned employees: PreencherComboboxComissionados lists in
// qvcmbComissionado the employees who may be credited with the item being entered, each with the
// commission percentage that applies to it. An entry's text is the nickname padded to 100
// characters, then the percentage padded to 50: the item's percentage is read back from the last
// 50.
#include "presale/frmPreVendas.h"

#include "contracts/KELO_N_Funcionarios.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "presale/CamposDoRegistro.h"

#include <algorithm>
#include <optional>

namespace KELO_A_PreVendas {

namespace {

constexpr int32_t LarguraDoApelido = 100;
constexpr int32_t LarguraDoPercentual = 50;

// A service type's number (the ItemData of qvcmbTiposDeServicos) and the employee's field with
// the percentage for it.
struct ComissaoPorTipoDeServico {
    int32_t Tipo;
    const char* Campo;
};
constexpr ComissaoPorTipoDeServico ComissoesPorTipoDeServico[] = {
    {1, "PercentualDeComissaoEmClinicos"},
    {2, "PercentualDeComissaoEmCirurgiaSimples"},
    {3, "PercentualDeComissaoEmCirurgiaMedia"},
    {4, "PercentualDeComissaoEmCirurgiaComplexa"},
    {5, "PercentualDeComissaoEmBanhosTosasEEsteticas"},
    {6, "PercentualDeComissaoEmHospedagens"},
    {7, "PercentualDeComissaoEmAdestramentos"},
    {99, "PercentualDeComissaoEmOutros"},
};

// The employee's percentage for a service of `tipo`: the single one when it has it, else the
// type's own; none for no type or a type without a field.
platform::Currency ComissaoDoServico(const platform::Recordset& funcionario,
                                     std::optional<int32_t> tipo)
{
    if (EhSim(funcionario["ComissaoUnica"].AsString()))
        return PercentualLido(funcionario["PercentualDeComissaoUnica"]);
    for (const ComissaoPorTipoDeServico& comissao : ComissoesPorTipoDeServico) {
        if (tipo && comissao.Tipo == *tipo)
            return PercentualLido(funcionario[comissao.Campo]);
    }
    return {};
}

// `texto` and the blanks that make it `largura` characters; a longer text is kept whole, so the
// percentage still ends the entry.
std::string Preenchido(const std::string& texto, int32_t largura)
{
    return texto + platform::Space(std::max(0, largura - platform::Len(texto)));
}

} // namespace

bool frmPreVendas::PreencherComboboxComissionados(int16_t tipo)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, PreencherComboboxComissionados, Ponto: ", [&](int16_t& ponto) -> bool {
            auto lobjFuncionarios = contracts::CreateObject<KELO_N_Funcionarios::clsFuncionarios>();
            double ldblCodigo = 0;
            if (lobjFuncionarios->Selecionar(2, 0, 1, "", "", ldblCodigo) != 0) {
                ExibirOcultarpicMensagem(false);
                ExibirMensagemDeErro(lobjFuncionarios->NumeroDoErro,
                                     lobjFuncionarios->DescricaoDoErro,
                                     lobjFuncionarios->LocalDoErro);
                return false;
            }
            ponto = 2;
            platform::RecordsetRef lrstFuncionarios =
                lobjFuncionarios->ResultadoDaSelecaoEmRecordSet;
            lobjFuncionarios.reset();
            if (!lrstFuncionarios || lrstFuncionarios->RecordCount() == 0) {
                // The list keeps what it held.
                platform::MsgBox("Nenhum funcionário encontrado com o código '" +
                                     platform::CStr(ldblCodigo) + "' informado.",
                                 platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
                platform::SendKeys("+{HOME}");
                return false;
            }
            ponto = 3;
            std::optional<int32_t> lintTipoDeServico;
            if (qvcmbTiposDeServicos.ListIndex != -1)
                lintTipoDeServico = qvcmbTiposDeServicos.ItemData(qvcmbTiposDeServicos.ListIndex);
            qvcmbComissionado.Clear();
            qvcmbComissionado.AddItem("");
            qvcmbComissionado.ItemData(qvcmbComissionado.NewIndex, 0);
            for (lrstFuncionarios->MoveFirst(); !lrstFuncionarios->Eof();
                 lrstFuncionarios->MoveNext()) {
                const platform::Recordset& funcionario = *lrstFuncionarios;
                if (!EhSim(funcionario["Comissionado"].AsString()))
                    continue;
                platform::Currency lcurPercentual = PercentualDeComissaoDoItem;
                if (tipo != ComissaoDeProduto) {
                    lcurPercentual = ComissaoDoServico(funcionario, lintTipoDeServico);
                    // Nobody is credited with nothing for a service.
                    if (lcurPercentual == platform::Currency{})
                        continue;
                }
                qvcmbComissionado.AddItem(
                    Preenchido(funcionario["Apelido"].AsString(), LarguraDoApelido) +
                    Preenchido(platform::Format(lcurPercentual, "#,##0.00"), LarguraDoPercentual));
                qvcmbComissionado.ItemData(qvcmbComissionado.NewIndex,
                                           platform::CLng(funcionario["Codigo"]));
            }
            return true;
        });
}

} // namespace KELO_A_PreVendas
