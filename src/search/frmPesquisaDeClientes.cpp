// frmPesquisaDeClientes: the client columns, the client query and the status rule.
#include "search/frmPesquisaDeClientes.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"

#include <array>

namespace KELO_A_PreVendas {

namespace {

constexpr auto Esquerda = platform::flexAlignLeftCenter;

constexpr std::array<ColunaDaPesquisa, 20> ColunasDeClientes{{
    {"Coluna em branco", 0, Esquerda, nullptr},
    {"Código", 1100, Esquerda, "CodigoDoCliente"},
    {"Apelido/Nome fantasia", 2000, Esquerda, "ApelidoOuNomeFantasia"},
    {"Nome/Razão Social", 4020, Esquerda, "NomeOuRazaoSocial"},
    {"Situação", 0, Esquerda, "Situacao"},
    {"Endereço", 6300, Esquerda, "EnderecoCompleto"},
    {"Canal de Comunicacao", 0, Esquerda, "TiposECanaisDeComunicacao"},
    {"Crédito", 0, Esquerda, "Credito"},
    {"Desconto único", 0, Esquerda, "DescontoUnico"},
    {"Percentual de desconto único", 0, Esquerda, "PercentualUnicoDeDescontos"},
    {"Percentual de desconto em serviços clínicos", 0, Esquerda, "PercentualDeDescontoEmClinicos"},
    {"Percentual de desconto em serviços em cirurgia simples", 0, Esquerda,
     "PercentualDeDescontoEmCirurgiaSimples"},
    {"Percentual de desconto em serviços em cirurgia média", 0, Esquerda,
     "PercentualDeDescontoEmCirurgiaMedia"},
    {"Percentual de desconto em serviços em cirurgia complexa", 0, Esquerda,
     "PercentualDeDescontoEmCirurgiaComplexa"},
    {"Percentual de desconto banhos, tosas e estéticas", 0, Esquerda,
     "PercentualDeDescontoEmBanhosTosasEEsteticas"},
    {"Percentual de desconto em hospedagens", 0, Esquerda, "PercentualDeDescontoEmHospedagens"},
    {"Percentual de desconto em adestramentos", 0, Esquerda, "PercentualDeDescontoEmAdestramentos"},
    {"Percentual de desconto em outros", 0, Esquerda, "PercentualDeDescontoEmOutros"},
    {"ClienteVIP", 0, Esquerda, "VIP"},
    {"CategoriaDaCurvaABC", 0, Esquerda, "CategoriaDaCurvaABC"},
}};

constexpr DefinicaoDaPesquisa PesquisaDeClientes{
    "Pesquisa de clientes",
    "PesquisarCliente",
    ColunasDeClientes,
    true,
};

constexpr const char* LegendaDaPesquisa = "Apelido, nome fantasia, nome, razão social ou código*";

} // namespace

std::string MensagemDaSituacaoDoCliente(double situacao)
{
    const char* const lstrMotivo = situacao == 2   ? "Cliente inativo."
                                   : situacao == 3 ? "Cliente bloqueado."
                                   : situacao == 4 ? "Cliente excluído."
                                                   : nullptr;
    if (!lstrMotivo)
        return {};
    return std::string(lstrMotivo) +
           " Para mais informações, entre em contato com o departamento financeiro.";
}

frmPesquisaDeClientes::frmPesquisaDeClientes()
    : MolduraDePesquisa("frmPesquisaDeClientes", PesquisaDeClientes)
{
    MontarMoldura(qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo,
                  lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo, LegendaDaPesquisa);
    qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo.Click.Connect(
        [this] { qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click(); });
}

void frmPesquisaDeClientes::qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click()
{
    PesquisarNaCaixa("qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click");
}

std::shared_ptr<contracts::ComponenteDeNegocio> frmPesquisaDeClientes::CriarComponenteDeNegocio()
{
    auto lobjClientes = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
    lobjClientes->DadosDoUsuario = modPrincipal::gobjDadosDoUsuario;
    return lobjClientes;
}

int32_t frmPesquisaDeClientes::Selecionar(contracts::ComponenteDeNegocio& componente,
                                          const std::string& texto)
{
    auto& lobjClientes = dynamic_cast<KELO_N_ClientAnim::clsClientes&>(componente);
    std::string lstrApelidoOuNomeFantasia;
    double ldblCodigoDoCliente = platform::Val("");
    return lobjClientes.Selecionar(2, 0, 0, texto, lstrApelidoOuNomeFantasia, ldblCodigoDoCliente,
                                   "", "", "", platform::Val(""), "");
}

std::string frmPesquisaDeClientes::MensagemSemResultado(const std::string& texto) const
{
    return "Nenhum cliente encontrado  como o valor '" + texto + "' informado.";
}

int16_t frmPesquisaDeClientes::ValidarCampos()
{
    return ComTratamentoDeErro(Local("ValidarCampos"), [&](int16_t& ponto) -> int16_t {
        const std::string lstrSituacao = msfgGrade.TextMatrix(msfgGrade.RowSel, colSituacao);
        std::string lstrMensagem;
        // A status nobody can read could be any of the refused ones: refuse the row too.
        if (platform::Trim(lstrSituacao).empty() || !platform::IsNumeric(lstrSituacao)) {
            lstrMensagem = "Situação do cliente não reconhecida. Para mais informações, entre em "
                           "contato com o departamento financeiro.";
        } else {
            lstrMensagem = MensagemDaSituacaoDoCliente(platform::CDbl(lstrSituacao));
        }
        if (lstrMensagem.empty())
            return 0;
        ponto = 2;
        platform::MsgBox(lstrMensagem, platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
        msfgGrade.SetFocus();
        return 1;
    });
}

} // namespace KELO_A_PreVendas
