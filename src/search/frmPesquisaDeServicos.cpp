// frmPesquisaDeServicos: the service columns, the service query within the chosen type, and the
// type list with its one-shot flag.
#include "search/frmPesquisaDeServicos.h"

#include "contracts/KELO_N_Servicos.h"
#include "contracts/KELO_N_TipoDeServ.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "screen_services/modFundoEscuro.h"

#include <limits>

namespace KELO_A_PreVendas {

namespace {

constexpr DefinicaoDaPesquisa DefinicaoDeServicos{
    "Pesquisa de serviços",
    "PesquisarServico",
    PesquisaDeServicos::Colunas,
    false,
};

constexpr const char* LegendaDaPesquisa = "Código ou nome*";

} // namespace

int16_t PreencherListaDeTiposDeServicos(suite_controls::QVComboBox& lista, int32_t numeroMinimo)
{
    auto lobjTiposDeServicos = contracts::CreateObject<KELO_N_TipoDeServ::clsTiposDeServ>();
    double ldblNumero = 0;
    if (lobjTiposDeServicos->SelecionarParaComboBox(ldblNumero) != 0) {
        ExibirMensagemDeErro(lobjTiposDeServicos->NumeroDoErro,
                             lobjTiposDeServicos->DescricaoDoErro,
                             lobjTiposDeServicos->LocalDoErro);
        lobjTiposDeServicos.reset();
        RemoverFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd);
        return 1;
    }
    platform::RecordsetRef lrstTipos = lobjTiposDeServicos->ResultadoDaSelecaoEmRecordSet;
    lobjTiposDeServicos.reset();
    if (!lrstTipos || lrstTipos->RecordCount() == 0) {
        platform::MsgBox("Nenhum tipo de serviço cadastrado.\nÉ necessário ter no mínimo um "
                         "tipo de serviço cadastrado para incluir um agendamento.",
                         platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
        RemoverFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd);
        return 1;
    }
    lista.Clear();
    for (lrstTipos->MoveFirst(); !lrstTipos->Eof(); lrstTipos->MoveNext()) {
        const int32_t llngNumero = lrstTipos->Fields("Numero").Value.AsLong();
        if (llngNumero >= numeroMinimo) {
            lista.AddItem(lrstTipos->Fields("Nome").Value.AsString());
            lista.ItemData(lista.NewIndex(), llngNumero);
        }
    }
    return 0;
}

frmPesquisaDeServicos::frmPesquisaDeServicos()
    : MolduraDePesquisa("frmPesquisaDeServicos", DefinicaoDeServicos)
{
    MontarMoldura(qvfndCodigoOuNome, lblCodigoOuNome, LegendaDaPesquisa);
    // The type list comes first in the row, the find control beside it.
    lblTipoDeServico.Caption = "Tipo de serviço*";
    lblTipoDeServico.ForeColor = lblCodigoOuNome.ForeColor;
    lblTipoDeServico.Move(lblCodigoOuNome.Left, lblCodigoOuNome.Top, 4215, lblCodigoOuNome.Height);
    qvcmbTiposDeServicos.Move(qvfndCodigoOuNome.Left, qvfndCodigoOuNome.Top, 4215,
                              qvfndCodigoOuNome.Height);
    lblCodigoOuNome.Left = qvcmbTiposDeServicos.Left + qvcmbTiposDeServicos.Width + 135;
    qvfndCodigoOuNome.Left = lblCodigoOuNome.Left;
    qvfndCodigoOuNome.Enabled = false;

    qvcmbTiposDeServicos.Click.Connect([this] { qvcmbTiposDeServicos_Click(); });
    qvfndCodigoOuNome.Click.Connect([this] { qvfndCodigoOuNome_Click(); });
}

void frmPesquisaDeServicos::EfetuarOPreenchimentoDaComboboxTiposDeServicos(
    bool lbooEfetuarOPreenchimentoDaComboboxTiposDeServicos)
{
    mbooEfetuarOPreenchimentoDaComboboxTiposDeServicos =
        lbooEfetuarOPreenchimentoDaComboboxTiposDeServicos;
}

void frmPesquisaDeServicos::FormularioDeConsultaDePreco(bool lbooFormularioDeConsultaDePreco)
{
    mbooFormularioDeConsultaDePreco = lbooFormularioDeConsultaDePreco;
}

int16_t frmPesquisaDeServicos::PreencherComboboxTiposDeServicos()
{
    return ComTratamentoDeErro(Local("PreencherComboboxTiposDeServicos"), [&](int16_t&) -> int16_t {
        // Every type is offered here, the clinical ones too.
        return PreencherListaDeTiposDeServicos(qvcmbTiposDeServicos,
                                               std::numeric_limits<int32_t>::min());
    });
}

// Without a type to search in, the loading ends here: every search then stops at the pre-check.
bool frmPesquisaDeServicos::CarregarControlesProprios()
{
    if (!mbooEfetuarOPreenchimentoDaComboboxTiposDeServicos)
        return true;
    if (PreencherComboboxTiposDeServicos() != 0)
        return false;
    modPrincipal::gbooIgnorarProximoClickDoTipoDeServico = true;
    qvcmbTiposDeServicos.ListIndex = 0;
    return true;
}

// The first showing enables the find control without emptying a grid the caller filled.
void frmPesquisaDeServicos::AoRedimensionar()
{
    modPrincipal::gbooIgnorarProximoClickDoTipoDeServico = true;
    qvcmbTiposDeServicos_Click();
}

void frmPesquisaDeServicos::qvcmbTiposDeServicos_Click()
{
    ComTratamentoDeErro(Local("qvcmbTiposDeServicos_Click"), [&](int16_t&) {
        qvfndCodigoOuNome.Enabled = true;
        if (modPrincipal::gbooIgnorarProximoClickDoTipoDeServico) {
            modPrincipal::gbooIgnorarProximoClickDoTipoDeServico = false;
            return;
        }
        ConfigurarGrade();
        EsquecerPesquisaEfetuada();
        qvfndCodigoOuNome.Modo = suite_controls::QVFind::ModoDescartar;
        qvfndCodigoOuNome.Text = "";
        qvfndCodigoOuNome.SetFocus();
    });
}

void frmPesquisaDeServicos::qvfndCodigoOuNome_Click()
{
    PesquisarNaCaixa("qvfndCodigoOuNome_Click");
}

bool TipoDeServicoEscolhido(suite_controls::QVComboBox& tipos)
{
    if (tipos.ListIndex != -1)
        return true;
    platform::MsgBox("Selecione o tipo de serviço.", platform::vbInformation,
                     modPrincipal::gstrNomeDaAplicacao);
    tipos.SetFocus();
    return false;
}

bool frmPesquisaDeServicos::PodePesquisar()
{
    return TipoDeServicoEscolhido(qvcmbTiposDeServicos);
}

std::shared_ptr<contracts::ComponenteDeNegocio> frmPesquisaDeServicos::CriarComponenteDeNegocio()
{
    return contracts::CreateObject<KELO_N_Servicos::clsServicos>();
}

int32_t frmPesquisaDeServicos::Selecionar(contracts::ComponenteDeNegocio& componente,
                                          const std::string& texto)
{
    auto& lobjServicos = dynamic_cast<KELO_N_Servicos::clsServicos&>(componente);
    return lobjServicos.Selecionar(2, 0, 1, texto,
                                   qvcmbTiposDeServicos.ItemData(qvcmbTiposDeServicos.ListIndex));
}

std::string frmPesquisaDeServicos::MensagemSemResultado(const std::string& texto) const
{
    return "Nenhum serviço encontrado  como o valor '" + texto +
           "' informado e com o tipo de serviço '" + qvcmbTiposDeServicos.Text() + "'.";
}

} // namespace KELO_A_PreVendas
