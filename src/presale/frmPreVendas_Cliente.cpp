// frmPreVendas, clients: the three client find boxes (one group of GrupoDeCaixasDePesquisa),
// PesquisarCliente, the client's label, discount profile and animals.
#include "presale/frmPreVendas.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "presale/CamposDoRegistro.h"
#include "search/frmPesquisaDeClientes.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <optional>

namespace KELO_A_PreVendas {

using Perfil = frmPreVendas::PerfilDeDesconto;

struct frmPreVendas::ClienteEncontrado {
    std::string ApelidoOuNomeFantasia;
    std::string NomeOuRazaoSocial;
    std::string CodigoDoCliente;
    std::string VIP;
    std::string CategoriaDaCurvaABC;
    Perfil Desconto;
};

namespace {

constexpr const char* RotuloSemCliente = "Cliente*";

// The profile's percentages and the client fields they are read from.
struct PercentualDoPerfil {
    const char* Campo;
    platform::Currency Perfil::*Membro;
};
constexpr PercentualDoPerfil PercentuaisDoPerfil[] = {
    {"PercentualUnicoDeDescontos", &Perfil::PercentualUnicoDeDescontos},
    {"PercentualDeDescontoEmClinicos", &Perfil::PercentualDeDescontoEmClinicos},
    {"PercentualDeDescontoEmCirurgiaSimples", &Perfil::PercentualDeDescontoEmCirurgiaSimples},
    {"PercentualDeDescontoEmCirurgiaMedia", &Perfil::PercentualDeDescontoEmCirurgiaMedia},
    {"PercentualDeDescontoEmCirurgiaComplexa", &Perfil::PercentualDeDescontoEmCirurgiaComplexa},
    {"PercentualDeDescontoEmBanhosTosasEEsteticas",
     &Perfil::PercentualDeDescontoEmBanhosTosasEEsteticas},
    {"PercentualDeDescontoEmHospedagens", &Perfil::PercentualDeDescontoEmHospedagens},
    {"PercentualDeDescontoEmAdestramentos", &Perfil::PercentualDeDescontoEmAdestramentos},
    {"PercentualDeDescontoEmOutros", &Perfil::PercentualDeDescontoEmOutros},
};

// The search grid's column of each profile percentage, found by the field's name.
constexpr auto ColunasDosPercentuais = []() consteval
{
    std::array<int32_t, std::size(PercentuaisDoPerfil)> colunas{};
    for (std::size_t i = 0; i < colunas.size(); ++i)
        colunas[i] = ColunaDoCampo(PesquisaDeClientes::Colunas, PercentuaisDoPerfil[i].Campo);
    return colunas;
}
();

// A service type's number (the ItemData of qvcmbTiposDeServicos) and its percentage.
struct DescontoPorTipoDeServico {
    int32_t Tipo;
    platform::Currency Perfil::*Membro;
};
constexpr DescontoPorTipoDeServico DescontosPorTipoDeServico[] = {
    {1, &Perfil::PercentualDeDescontoEmClinicos},
    {2, &Perfil::PercentualDeDescontoEmCirurgiaSimples},
    {3, &Perfil::PercentualDeDescontoEmCirurgiaMedia},
    {4, &Perfil::PercentualDeDescontoEmCirurgiaComplexa},
    {5, &Perfil::PercentualDeDescontoEmBanhosTosasEEsteticas},
    {6, &Perfil::PercentualDeDescontoEmHospedagens},
    {7, &Perfil::PercentualDeDescontoEmAdestramentos},
    {99, &Perfil::PercentualDeDescontoEmOutros},
};

std::string RotuloDoCliente(const std::string& vip, const std::string& categoria)
{
    return std::string(RotuloSemCliente) + " [ " + (EhSim(vip) ? "VIP - " : "") + categoria + " ]";
}

} // namespace

// ---- The three client boxes

void frmPreVendas::qvfCodigoDoCliente_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvfCodigoDoCliente_Click, Ponto: ", [&](int16_t& ponto) {
        mgrpCaixasDoCliente.Click(qvfCodigoDoCliente, ponto);
    });
}

void frmPreVendas::qvfApelidoOuNomeFantasiaDoCliente_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvfApelidoOuNomeFantasiaDoCliente_Click, Ponto: ",
                        [&](int16_t& ponto) {
                            mgrpCaixasDoCliente.Click(qvfApelidoOuNomeFantasiaDoCliente, ponto);
                        });
}

void frmPreVendas::qvfNomeOuRazaoSocialDoCliente_Click()
{
    ComTratamentoDeErro(
        ", frmPreVendas, qvfNomeOuRazaoSocialDoCliente_Click, Ponto: ",
        [&](int16_t& ponto) { mgrpCaixasDoCliente.Click(qvfNomeOuRazaoSocialDoCliente, ponto); });
}

void frmPreVendas::qvfCodigoDoCliente_KeyDown(int16_t&, int16_t)
{
    ComTratamentoDeErro(", frmPreVendas, qvfCodigoDoCliente_KeyDown, Ponto: ",
                        [&](int16_t&) { mgrpCaixasDoCliente.KeyDown(qvfCodigoDoCliente); });
}

void frmPreVendas::qvfApelidoOuNomeFantasiaDoCliente_KeyDown(int16_t&, int16_t)
{
    ComTratamentoDeErro(
        ", frmPreVendas, qvfApelidoOuNomeFantasiaDoCliente_KeyDown, Ponto: ",
        [&](int16_t&) { mgrpCaixasDoCliente.KeyDown(qvfApelidoOuNomeFantasiaDoCliente); });
}

void frmPreVendas::qvfNomeOuRazaoSocialDoCliente_KeyDown(int16_t&, int16_t)
{
    ComTratamentoDeErro(
        ", frmPreVendas, qvfNomeOuRazaoSocialDoCliente_KeyDown, Ponto: ",
        [&](int16_t&) { mgrpCaixasDoCliente.KeyDown(qvfNomeOuRazaoSocialDoCliente); });
}

GrupoDeCaixasDePesquisa::Regras frmPreVendas::RegrasDoCliente()
{
    GrupoDeCaixasDePesquisa::Regras regras;
    // An item taken back goes to its own client before another client is looked up.
    regras.PodePesquisar = [this](suite_controls::QVFind&) { return DevolverItemRetomado(); };
    regras.Pesquisar = [this](suite_controls::QVFind&) { return PesquisarClienteDaCaixa(); };
    regras.AoEncontrar = [this](suite_controls::QVFind& propria) {
        SeguirComOClienteEncontrado(propria);
    };
    regras.Limpar = [this] {
        // A lookup that broke off with an error leaves the busy state up.
        ExibirOcultarpicMensagem(false);
        LimparCampos();
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
        HabilitarDesabilitarCampos(false);
    };
    regras.AoNaoEncontrar = [this](suite_controls::QVFind& propria) {
        propria.Modo = 0;
        lblCliente.Caption = RotuloSemCliente;
    };
    regras.AoDescartar = [this](suite_controls::QVFind& propria) {
        // Resetting the name leaves the nickname box ready for a new search.
        if (&propria == &qvfNomeOuRazaoSocialDoCliente)
            qvfApelidoOuNomeFantasiaDoCliente.Modo = 0;
        lblCliente.Caption = RotuloSemCliente;
    };
    return regras;
}

GrupoDeCaixasDePesquisa::Resultado frmPreVendas::PesquisarClienteDaCaixa()
{
    const bool lbooEncontrado = PesquisarCliente(
        platform::Trim(qvfApelidoOuNomeFantasiaDoCliente.Text()),
        platform::Trim(qvfNomeOuRazaoSocialDoCliente.Text()), CodigoDaCaixa(qvfCodigoDoCliente));
    return lbooEncontrado ? GrupoDeCaixasDePesquisa::Resultado::Encontrado
                          : GrupoDeCaixasDePesquisa::Resultado::NaoEncontrado;
}

// The client's open items and animals; with an animal the attendant goes on to a service,
// without one to a product.
void frmPreVendas::SeguirComOClienteEncontrado(suite_controls::QVFind& propria)
{
    propria.Enabled = true;
    qvcmbAnimal.Enabled = true;
    qvcmbTiposDeServicos.Enabled = true;
    const double ldblCodigoDoCliente = platform::Val(qvfCodigoDoCliente.Text());
    // An earlier client's rows must not stay under this client when it has none of its own.
    IniciarGradeVazia();
    PreencherGradeComServicosEfetuadosEProdutosReservados(ldblCodigoDoCliente);
    if (PreencherComboboxAnimal(ldblCodigoDoCliente) == 0) {
        optServico.Enabled = true;
        optServico.Value = true;
        optProduto.Enabled = true;
        if (qvcmbAnimal.ListCount == 1)
            qvcmbAnimal.ListIndex = 0;
    } else {
        // Services are done to an animal: without one only products can be sold.
        optServico.Enabled = false;
        optServico.Value = false;
        optProduto.Enabled = true;
        optProduto.Value = true;
        optProduto.SetFocus();
    }
    // Nor may a load of items or animals that broke off.
    ExibirOcultarpicMensagem(false);
    if (optServico.Enabled)
        optServico.SetFocus();
    else
        optProduto_Click();
}

void frmPreVendas::IniciarGradeVazia()
{
    msfgGrade.Clear();
    Grade_Configurar();
    mbooGradePreenchida = false;
    CalcularValoresDosItensDaGrade();
}

// ---- The lookup

bool frmPreVendas::PesquisarCliente(const std::string& apelidoOuNomeFantasia,
                                    const std::string& nomeOuRazaoSocial, double codigoDoCliente)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, PesquisarCliente, Ponto: ", [&](int16_t& ponto) -> bool {
            ExibirOcultarpicMensagem(true);
            auto lobjClientes = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
            lobjClientes->DadosDoUsuario = modPrincipal::gobjDadosDoUsuario;
            std::string lstrTextoDePesquisa;
            if (!platform::Trim(apelidoOuNomeFantasia).empty())
                lstrTextoDePesquisa = apelidoOuNomeFantasia;
            else if (!platform::Trim(nomeOuRazaoSocial).empty())
                lstrTextoDePesquisa = nomeOuRazaoSocial;
            double ldblCodigoDoCliente = codigoDoCliente;
            const int32_t llngResultado = lobjClientes->Selecionar(
                2, 0, 0, "", lstrTextoDePesquisa, ldblCodigoDoCliente, "", "", "", 0.0, "");
            ExibirOcultarpicMensagem(false);
            if (llngResultado != 0) {
                ExibirMensagemDeErro(lobjClientes->NumeroDoErro, lobjClientes->DescricaoDoErro,
                                     lobjClientes->LocalDoErro);
                return false;
            }
            ponto = 2;
            platform::RecordsetRef lrstClientes = lobjClientes->ResultadoDaSelecaoEmRecordSet;
            lobjClientes.reset();
            const auto lbooResposta = SeguirComOsEncontrados(
                lrstClientes, ponto,
                [&] {
                    if (!platform::Trim(apelidoOuNomeFantasia).empty())
                        return "Nenhum cliente encontrado com o apelido ou nome fantasia '" +
                               apelidoOuNomeFantasia + "'.";
                    if (!platform::Trim(nomeOuRazaoSocial).empty())
                        return "Nenhum cliente encontrado com o nome ou razão social '" +
                               nomeOuRazaoSocial + "'.";
                    return "Nenhum cliente encontrado com o código '" +
                           platform::CStr(codigoDoCliente) + "' informado.";
                },
                &frmPreVendas::EscolherClienteNaPesquisa);
            if (lbooResposta)
                return *lbooResposta;
            const std::string lstrRecusa =
                MensagemDaSituacaoDoCliente(lrstClientes->Fields("Situacao").Value.AsInteger());
            if (!lstrRecusa.empty()) {
                platform::MsgBox(lstrRecusa, platform::vbInformation,
                                 modPrincipal::gstrNomeDaAplicacao);
                return false;
            }
            const auto campo = [&](const char* nome) { return lrstClientes->Fields(nome).Value; };
            ClienteEncontrado lcliCliente;
            lcliCliente.ApelidoOuNomeFantasia = campo("ApelidoOuNomeFantasia").AsString();
            lcliCliente.NomeOuRazaoSocial = campo("NomeOuRazaoSocial").AsString();
            lcliCliente.CodigoDoCliente = campo("CodigoDoCliente").AsString();
            lcliCliente.VIP = campo("VIP").AsString();
            lcliCliente.CategoriaDaCurvaABC = campo("CategoriaDaCurvaABC").AsString();
            lcliCliente.Desconto.DescontoUnico = campo("DescontoUnico").AsString();
            for (const PercentualDoPerfil& percentual : PercentuaisDoPerfil)
                lcliCliente.Desconto.*percentual.Membro = PercentualLido(campo(percentual.Campo));
            MostrarClienteEncontrado(lcliCliente);
            return true;
        });
}

// Several clients matched: the attendant picks one in the search dialog, over the darkened
// screen. The dialog itself refuses clients who may not be served.
bool frmPreVendas::EscolherClienteNaPesquisa(const platform::RecordsetRef& clientes)
{
    auto lfrmPesquisa = std::make_unique<frmPesquisaDeClientes>();
    lfrmPesquisa->ConfigurarGrade();
    lfrmPesquisa->PreencherGrade(clientes);
    if (!MostrarPesquisa(*lfrmPesquisa))
        return false;
    const auto celula = [&](int32_t coluna) { return lfrmPesquisa->CelulaEscolhida(coluna); };
    namespace col = PesquisaDeClientes;
    ClienteEncontrado lcliCliente;
    lcliCliente.ApelidoOuNomeFantasia = celula(col::colApelidoOuNomeFantasia);
    lcliCliente.NomeOuRazaoSocial = celula(col::colNomeOuRazaoSocial);
    lcliCliente.CodigoDoCliente = platform::CStr(platform::Val(celula(col::colCodigoDoCliente)));
    lcliCliente.VIP = celula(col::colVIP);
    lcliCliente.CategoriaDaCurvaABC = celula(col::colCategoriaDaCurvaABC);
    lcliCliente.Desconto.DescontoUnico = celula(col::colDescontoUnico);
    for (std::size_t i = 0; i < std::size(PercentuaisDoPerfil); ++i)
        lcliCliente.Desconto.*PercentuaisDoPerfil[i].Membro =
            PercentualLido(celula(ColunasDosPercentuais[i]));
    MostrarClienteEncontrado(lcliCliente);
    lfrmPesquisa->Unload();
    return true;
}

void frmPreVendas::MostrarClienteEncontrado(const ClienteEncontrado& cliente)
{
    for (suite_controls::QVFind* caixa :
         {&qvfApelidoOuNomeFantasiaDoCliente, &qvfNomeOuRazaoSocialDoCliente, &qvfCodigoDoCliente})
        caixa->Modo = 0;
    EscreverNaCaixa(qvfApelidoOuNomeFantasiaDoCliente, cliente.ApelidoOuNomeFantasia);
    EscreverNaCaixa(qvfNomeOuRazaoSocialDoCliente, cliente.NomeOuRazaoSocial);
    EscreverNaCaixa(qvfCodigoDoCliente, cliente.CodigoDoCliente);
    lblCliente.Caption = RotuloDoCliente(cliente.VIP, cliente.CategoriaDaCurvaABC);
    DescontoDoCliente = cliente.Desconto;
    qvnumPercentualDeDescontoPorItem.Text = "0,00";
}

// ---- Animals and discounts

int16_t frmPreVendas::PreencherComboboxAnimal(double codigoDoCliente)
{
    return ComTratamentoDeErro(
        ", frmPreVendas, PreencherComboboxAnimal, Ponto: ", [&](int16_t& ponto) -> int16_t {
            ExibirOcultarpicMensagem(true);
            auto lobjAnimais = contracts::CreateObject<KELO_N_ClientAnim::clsAnimais>();
            double ldblCodigoDoCliente = codigoDoCliente;
            if (lobjAnimais->SelecionarParaComboBoxFiltradoPorCliente(ldblCodigoDoCliente, 3) !=
                0) {
                ExibirOcultarpicMensagem(false);
                const platform::Variant numero = lobjAnimais->NumeroDoErro;
                const platform::Variant descricao = lobjAnimais->DescricaoDoErro;
                const platform::Variant local = lobjAnimais->LocalDoErro;
                lobjAnimais.reset();
                ExibirMensagemDeErro(numero, descricao, local);
                return 1;
            }
            ponto = 2;
            platform::RecordsetRef lrstAnimais = lobjAnimais->ResultadoDaSelecaoEmRecordSet;
            lobjAnimais.reset();
            if (lrstAnimais && lrstAnimais->RecordCount() > 0) {
                qvcmbAnimal.Clear();
                for (lrstAnimais->MoveFirst(); !lrstAnimais->Eof(); lrstAnimais->MoveNext()) {
                    qvcmbAnimal.AddItem(lrstAnimais->Fields("Nome").Value.AsString());
                    qvcmbAnimal.ItemData(qvcmbAnimal.NewIndex,
                                         lrstAnimais->Fields("Codigo").Value.AsLong());
                }
                lrstAnimais.reset();
                ExibirOcultarpicMensagem(false);
                return 0;
            }
            ponto = 3;
            qvcmbAnimal.Clear();
            ExibirOcultarpicMensagem(false);
            platform::MsgBox("Nenhum animal cadastrado.\nÉ necessário ter ao menos um animal "
                             "cadastrado com as especificações informadas para incluir ou "
                             "alterar uma ficha clínica.",
                             platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
            return 1;
        });
}

int16_t frmPreVendas::RecuperaDescontoDoCliente()
{
    return ComTratamentoDeErro(
        ", frmPreVendas, RecuperaDescontoDoCliente, Ponto: ", [&](int16_t&) -> int16_t {
            std::optional<platform::Currency> percentual;
            if (EhSim(DescontoDoCliente.DescontoUnico)) {
                percentual = DescontoDoCliente.PercentualUnicoDeDescontos;
            } else if (qvcmbTiposDeServicos.ListIndex != -1) {
                const int32_t tipo = qvcmbTiposDeServicos.ItemData(qvcmbTiposDeServicos.ListIndex);
                for (const DescontoPorTipoDeServico& desconto : DescontosPorTipoDeServico) {
                    if (desconto.Tipo == tipo)
                        percentual = DescontoDoCliente.*desconto.Membro;
                }
            }
            // A type without a percentage of its own leaves the box as it was.
            if (percentual)
                qvnumPercentualDeDescontoPorItem.Text = platform::Format(*percentual, "#,##0.00");
            AplicarPromocaoERecalcularValoresDoItem();
            return 0;
        });
}

} // namespace KELO_A_PreVendas
