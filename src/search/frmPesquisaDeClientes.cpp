// frmPesquisaDeClientes: the client columns, the client query and the status rule.
#include "search/frmPesquisaDeClientes.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"

namespace KELO_A_PreVendas {

namespace {

constexpr DefinicaoDaPesquisa DefinicaoDeClientes{
    "Pesquisa de clientes",
    "PesquisarCliente",
    PesquisaDeClientes::Colunas,
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
    : MolduraDePesquisa("frmPesquisaDeClientes", DefinicaoDeClientes)
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
        const std::string lstrSituacao =
            msfgGrade.TextMatrix(msfgGrade.RowSel, PesquisaDeClientes::colSituacao);
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
