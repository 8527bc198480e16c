// frmPreVendas, values: the item's quantity, unit value and discount following each other, the
// totals of the grid, the discount-total field, the company's promotion and discount ceiling, and
// the user's rights over unit values and discounts.
//
// Money is read and shown as presale/ValoresDaTela.h says; the steps worked in double are marked.
#include "presale/frmPreVendas.h"

#include "authorisation/frmPreVendasAutorizarDesconto.h"
#include "contracts/KELO_N_Empresa.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Date.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "presale/ColunasDaGrade.h"
#include "presale/ValoresDaTela.h"
#include "screen_services/modFundoEscuro.h"

#include <optional>
#include <string>

namespace KELO_A_PreVendas {

std::string TextoDoValor(double valor)
{
    return platform::Format(platform::Currency::FromDouble(valor), FormatoDeValor);
}

std::string TextoDoValor(platform::Currency valor)
{
    return platform::Format(valor, FormatoDeValor);
}

platform::Currency Valor(const suite_controls::QVNumberBox& caixa)
{
    return platform::CCur(caixa.Text());
}

namespace {

void ZeroSeVazio(suite_controls::QVNumberBox& caixa)
{
    if (caixa.Text().empty())
        caixa.Text = "0,00";
}

// A right of the logged-in user, by its field name.
bool DireitoDoUsuario(const char* direito)
{
    if (!modPrincipal::gobjDadosDoUsuario)
        platform::Raise(platform::errObjectVariableNotSet);
    return modPrincipal::gobjDadosDoUsuario->DefaultMember(direito).AsBoolean();
}

// The logged-in user's name, for the discount account; a user object that does not give it
// leaves the name empty.
std::string NomeDoUsuario()
{
    try {
        const platform::Variant nome =
            modPrincipal::gobjDadosDoUsuario->DefaultMember("NomeDeUsuario");
        return nome.Type() == platform::VarType::String ? nome.AsString() : std::string();
    } catch (const platform::RuntimeError&) {
        return {};
    }
}

// Today lies within [inicio, fim], both ends included.
bool HojeNaJanela(const platform::Date& inicio, const platform::Date& fim)
{
    const platform::Date hoje = platform::Today();
    return inicio <= hoje && fim >= hoje;
}

constexpr const char* MensagemSemEmpresaNaPromocao =
    "Não foi possível encontrar dados promocionais da venda de serviço e/ou produtos porque não "
    "há empresa cadastrada.\n"
    "Selecione a guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. Efetue o "
    "cadastro e solicite a inclusão da pré-venda novamente";
constexpr const char* MensagemSemEmpresaNoLimite =
    "Não foi possível encontrar dados promocionais da venda de serviço de atendimento clínico "
    "porque não há empresa cadastrada.\n"
    "Selecione a guia (aba) 'Cadastros' e em seguida, clique na opções 'Empresa'. Efetue o "
    "cadastro e solicite a inclusão do procedimento novamente";

} // namespace

void frmPreVendas::ConectarEventosDeValores()
{
    qvnumQuantidade.LostFocus.Connect([this] { qvnumQuantidade_LostFocus(); });
    qvnumValorUnitario.LostFocus.Connect([this] { qvnumValorUnitario_LostFocus(); });
    qvnumPercentualDeDescontoPorItem.LostFocus.Connect(
        [this] { qvnumPercentualDeDescontoPorItem_LostFocus(); });
    qvnumValorDeDescontoPorItem.LostFocus.Connect(
        [this] { qvnumValorDeDescontoPorItem_LostFocus(); });
    qvnumDesconto.GotFocus.Connect([this] { qvnumDesconto_GotFocus(); });
    qvnumDesconto.KeyPress.Connect([this](int16_t& tecla) { qvnumDesconto_KeyPress(tecla); });
    qvnumDesconto.Validate.Connect([this](bool& cancelar) { qvnumDesconto_Validate(cancelar); });
    qvnumDesconto.LostFocus.Connect([this] { qvnumDesconto_LostFocus(); });
}

// ---- The item's values

void frmPreVendas::CalcularDescontoDoItemPeloPercentual(suite_controls::QVNumberBox& propria)
{
    ZeroSeVazio(propria);
    // The gross value in fixed point, the rate in double, their product in double.
    const double bruto = (Valor(qvnumQuantidade) * Valor(qvnumValorUnitario)).ToDouble();
    const double taxa = Valor(qvnumPercentualDeDescontoPorItem).ToDouble() / 100.0;
    qvnumValorDeDescontoPorItem.Text = TextoDoValor(bruto * taxa);
}

void frmPreVendas::qvnumQuantidade_LostFocus()
{
    ComTratamentoDeErro(", frmPreVendas, qvnumQuantidade_LostFocus, Ponto: ",
                        [&](int16_t&) { CalcularDescontoDoItemPeloPercentual(qvnumQuantidade); });
}

void frmPreVendas::qvnumValorUnitario_LostFocus()
{
    ComTratamentoDeErro(", frmPreVendas, qvnumValorUnitario_LostFocus, Ponto: ", [&](int16_t&) {
        CalcularDescontoDoItemPeloPercentual(qvnumValorUnitario);
    });
}

void frmPreVendas::qvnumPercentualDeDescontoPorItem_LostFocus()
{
    ComTratamentoDeErro(
        ", frmPreVendas, qvnumPercentualDeDescontoPorItem_LostFocus, Ponto: ",
        [&](int16_t&) { CalcularDescontoDoItemPeloPercentual(qvnumPercentualDeDescontoPorItem); });
}

void frmPreVendas::qvnumValorDeDescontoPorItem_LostFocus()
{
    ComTratamentoDeErro(
        ", frmPreVendas, qvnumValorDeDescontoPorItem_LostFocus, Ponto: ", [&](int16_t& ponto) {
            ZeroSeVazio(qvnumValorDeDescontoPorItem);
            const platform::Currency quantidade = Valor(qvnumQuantidade);
            const platform::Currency unitario = Valor(qvnumValorUnitario);
            const platform::Currency desconto = Valor(qvnumValorDeDescontoPorItem);
            const platform::Currency zero;
            if (quantidade == zero || unitario == zero || desconto == zero)
                return;
            ponto = 2;
            const double percentual = (desconto * platform::Currency::FromInteger(100)).ToDouble() /
                                      quantidade.ToDouble() / unitario.ToDouble();
            qvnumPercentualDeDescontoPorItem.Text = TextoDoValor(percentual);
        });
}

int16_t frmPreVendas::VerificarLimitesDoDescontoDoItem()
{
    ZeroSeVazio(qvnumValorDeDescontoPorItem);
    if (Valor(qvnumValorDeDescontoPorItem) > Valor(qvnumQuantidade) * Valor(qvnumValorUnitario)) {
        lblValorDeDescontoPorItem.ForeColor = platform::RGB(255, 0, 0);
        platform::MsgBox("Valor de desconto não pode ser maior que o valor total do item.",
                         platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
        if (qvnumValorDeDescontoPorItem.Enabled)
            qvnumValorDeDescontoPorItem.SetFocus();
        return 1;
    }
    ZeroSeVazio(qvnumPercentualDeDescontoPorItem);
    if (platform::CDbl(qvnumPercentualDeDescontoPorItem.Text()) > 100.0) {
        lblPercentualDeDescontoPorItem.ForeColor = platform::RGB(255, 0, 0);
        platform::MsgBox("Percentual de desconto do item não pode ser maior que 100%.",
                         platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
        if (qvnumPercentualDeDescontoPorItem.Enabled)
            qvnumPercentualDeDescontoPorItem.SetFocus();
        return 1;
    }
    return 0;
}

// ---- The totals

void frmPreVendas::CalcularValoresDosItensDaGrade()
{
    ComTratamentoDeErro(", frmPreVendas, CalcularValoresDosItensDaGrade, Ponto: ",
                        [&](int16_t& ponto) {
                            platform::Currency lcurTotal;
                            platform::Currency lcurDesconto;
                            for (int32_t linha = 1; linha < msfgGrade.Rows; ++linha) {
                                const auto valor = [&](int32_t coluna) {
                                    const std::string& texto = msfgGrade.TextMatrix(linha, coluna);
                                    return platform::CCur(texto.empty() ? "0" : texto);
                                };
                                lcurTotal += valor(GradeDeItens::col::Quantidade) *
                                             valor(GradeDeItens::col::ValorUnitario);
                                lcurDesconto += valor(GradeDeItens::col::Desconto);
                            }
                            ponto = 2;
                            qvnumTotal.Text = TextoDoValor(lcurTotal);
                            qvnumDesconto.Text = TextoDoValor(lcurDesconto);
                            qvnumLiquidoAPagar.Text = TextoDoValor(lcurTotal + lcurDesconto);
                        });
}

void frmPreVendas::qvnumDesconto_GotFocus()
{
    ComTratamentoDeErro(", frmPreVendas, qvnumDesconto_GotFocus, Ponto: ", [&](int16_t&) {
        qvnumDesconto.SelStart = 0;
        qvnumDesconto.SelLength = platform::Len(qvnumDesconto.Text());
    });
}

void frmPreVendas::qvnumDesconto_KeyPress(int16_t& KeyAscii)
{
    ComTratamentoDeErro(", frmPreVendas, qvnumDesconto_KeyPress, Ponto: ", [&](int16_t&) {
        if (KeyAscii == '.')
            KeyAscii = ',';
        const bool permitida =
            (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == 8 || KeyAscii == ',';
        if (!permitida)
            KeyAscii = 0;
        if (KeyAscii == ',' && qvnumDesconto.Text().find(',') != std::string::npos)
            KeyAscii = 0;
    });
}

void frmPreVendas::qvnumDesconto_Validate(bool& Cancel)
{
    ComTratamentoDeErro(", frmPreVendas, qvnumDesconto_Validate, Ponto: ", [&](int16_t& ponto) {
        const auto recusar = [&](const char* mensagem, bool zerar) {
            platform::MsgBox(mensagem, platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
            if (zerar)
                qvnumDesconto.Text = "0,00";
            Cancel = true;
        };
        if (!platform::IsNumeric(qvnumDesconto.Text())) {
            recusar("Informe um valor numérico para o desconto.", true);
            return;
        }
        ponto = 2;
        const platform::Currency desconto = Valor(qvnumDesconto);
        const platform::Currency total = Valor(qvnumTotal);
        if (desconto != platform::Currency() && total == platform::Currency()) {
            recusar("Adicione um item antes do desconto.", true);
            return;
        }
        if (desconto > total)
            recusar("Valor de desconto não pode ser maior que o valor total.", false);
    });
}

void frmPreVendas::qvnumDesconto_LostFocus()
{
    ComTratamentoDeErro(", frmPreVendas, qvnumDesconto_LostFocus, Ponto: ", [&](int16_t& ponto) {
        if (!platform::IsNumeric(qvnumDesconto.Text()))
            qvnumDesconto.Text = "0,00";
        const std::string texto = platform::Trim(qvnumDesconto.Text());
        if (texto.empty() || texto == ",")
            qvnumDesconto.Text = "0,00";
        else
            qvnumDesconto.Text = platform::Format(qvnumDesconto.Text(), FormatoDeValor);
        ponto = 2;
        // The totals write the discount negative and a typed one is positive: either way the net
        // is the total reduced by it (80,00 and -5,00 give 75,00, never 85,00).
        platform::Currency desconto = Valor(qvnumDesconto);
        if (desconto < platform::Currency())
            desconto = -desconto;
        qvnumLiquidoAPagar.Text = TextoDoValor(Valor(qvnumTotal) - desconto);
    });
}

// ---- The company's promotion and discount ceiling

int16_t frmPreVendas::VerificaDescontoPromocionalDeVenda()
{
    return ComTratamentoDeErro(
        ", frmPreVendas, VerificaDescontoPromocionalDeVenda, Ponto: ",
        [&](int16_t& ponto) -> int16_t {
            auto lobjEmpresa = contracts::CreateObject<KELO_N_Empresa::clsEmpresa>();
            const int32_t resultado = lobjEmpresa->Selecionar(1, 2);
            if (const std::optional<int16_t> recusa =
                    RecusaDaEmpresa(*lobjEmpresa, resultado, MensagemSemEmpresaNaPromocao)) {
                return *recusa;
            }
            if (resultado != contracts::resSucesso)
                return 0;
            ponto = 2;
            platform::Recordset& empresa = *lobjEmpresa->ResultadoDaSelecaoEmRecordSet;
            const std::string inicio = empresa.Fields("DataInicialDaPromocao").Value.AsString();
            if (inicio.empty())
                return 0;
            const auto dataInicial = platform::Date::Parse(inicio);
            const auto dataFinal =
                platform::Date::Parse(empresa.Fields("DataFinalDaPromocao").Value.AsString());
            if (!dataInicial || !dataFinal)
                return 1;
            ponto = 3;
            if (!HojeNaJanela(*dataInicial, *dataFinal))
                return 0;
            const char* campo = optServico.Value()   ? "PercPromocaoDeDescontoNaVendaDeServico"
                                : optProduto.Value() ? "PercPromocaoDeDescontoNaVendaDeProduto"
                                                     : nullptr;
            if (!campo)
                return 0;
            const platform::Variant promocao = empresa.Fields(campo).Value;
            if (Valor(qvnumPercentualDeDescontoPorItem) < platform::CCur(promocao))
                qvnumPercentualDeDescontoPorItem.Text = promocao.AsString();
            return 0;
        });
}

int16_t frmPreVendas::VerificaDescMaximoAutomaticoDeVenda()
{
    // Anything unexpected refuses the item: a ceiling that could not be checked lets nothing
    // above it through.
    const std::optional<int16_t> resultado = ComTratamentoDeErro(
        ", frmPreVendas, VerificaDescMaximoAutomaticoDeVenda, Ponto: ",
        [&](int16_t& ponto) -> std::optional<int16_t> {
            mAutorizacaoDoDesconto.reset();
            auto lobjEmpresa = contracts::CreateObject<KELO_N_Empresa::clsEmpresa>();
            const int32_t situacao = lobjEmpresa->Selecionar(1, 2);
            if (const std::optional<int16_t> recusa =
                    RecusaDaEmpresa(*lobjEmpresa, situacao, MensagemSemEmpresaNoLimite)) {
                return *recusa;
            }
            if (situacao != contracts::resSucesso) {
                platform::Raise(platform::errInternal,
                                DescricaoDaSituacaoDesconhecida("A empresa", situacao));
            }
            ponto = 2;
            platform::Recordset& empresa = *lobjEmpresa->ResultadoDaSelecaoEmRecordSet;
            const std::string inicio =
                empresa.Fields("DataInicialDoDesctoMaxAutomatico").Value.AsString();
            if (inicio.empty())
                return 0;
            const auto dataInicial = platform::Date::Parse(inicio);
            const auto dataFinal = platform::Date::Parse(
                empresa.Fields("DataFinalDoDesctoMaxAutomatico").Value.AsString());
            if (!dataInicial || !dataFinal || !HojeNaJanela(*dataInicial, *dataFinal))
                return 0;
            ponto = 3;
            const char* campo = optServico.Value()   ? "PercDeDescMaxAutNaVendaDeServico"
                                : optProduto.Value() ? "PercDeDescMaxAutNaVendaDeProduto"
                                                     : nullptr;
            if (!campo)
                return 0;
            const platform::Variant limite = empresa.Fields(campo).Value;
            const platform::Currency percentual = Valor(qvnumPercentualDeDescontoPorItem);
            if (!(percentual > platform::CCur(limite)))
                return 0;
            ponto = 4;
            if (DireitoDoUsuario("Administrador")) {
                mAutorizacaoDoDesconto = {percentual, platform::CCur(limite), NomeDoUsuario()};
                return 0;
            }
            ponto = 5;
            int16_t lintValor = 1;
            AplicarFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd, lintValor);
            auto dialogo = std::make_unique<frmPreVendasAutorizarDesconto>();
            const int16_t autorizacao = dialogo->MontarExibirFormulario();
            const std::string autorizador = dialogo->UsuarioQueAutorizou();
            dialogo.reset();
            RemoverFundoEscuro(modPrincipal::glngFomularioDoMenu_hWnd);
            if (autorizacao == DescontoAutorizado) {
                mAutorizacaoDoDesconto = {percentual, platform::CCur(limite), autorizador};
                return 0;
            }
            ponto = 6;
            platform::MsgBox("Informe um desconto válido com o limite de até " + limite.AsString() +
                                 "%",
                             platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
            if (qvnumPercentualDeDescontoPorItem.Enabled())
                qvnumPercentualDeDescontoPorItem.SetFocus();
            else
                qvnumQuantidade.SetFocus();
            return 1;
        });
    return resultado.value_or(1);
}

std::optional<int16_t> frmPreVendas::RecusaDaEmpresa(const contracts::ComponenteDeNegocio& empresa,
                                                     int32_t resultado,
                                                     const char* mensagemSemEmpresa)
{
    switch (resultado) {
    case contracts::resErro:
        ExibirMensagemDeErro(empresa.NumeroDoErro, empresa.DescricaoDoErro, empresa.LocalDoErro);
        return 1;
    case contracts::resFalhaInformativa:
    case contracts::resFalhaCritica:
        platform::MsgBox(empresa.DescricaoDaFalha,
                         resultado == contracts::resFalhaCritica ? platform::vbCritical
                                                                 : platform::vbInformation,
                         modPrincipal::gstrNomeDaAplicacao);
        return 1;
    case contracts::resSucesso:
        if (!empresa.ResultadoDaSelecaoEmRecordSet ||
            empresa.ResultadoDaSelecaoEmRecordSet->RecordCount() == 0) {
            platform::MsgBox(mensagemSemEmpresa, platform::vbInformation,
                             modPrincipal::gstrNomeDaAplicacao);
            return 1;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// Steps 4 and 5 of the client's discount for the chosen service type: the promotion may raise the
// percentage placed (a problem puts it back to "0,00"), then the amount follows it.
void frmPreVendas::AplicarPromocaoERecalcularValoresDoItem()
{
    if (VerificaDescontoPromocionalDeVenda() == 1)
        qvnumPercentualDeDescontoPorItem.Text = "0,00";
    qvnumPercentualDeDescontoPorItem_LostFocus();
}

// ---- The user's rights

void frmPreVendas::PermissãoDoUsuario()
{
    ComTratamentoDeErro(", frmPreVendas, PermissãoDoUsuario, Ponto: ", [&](int16_t& ponto) {
        if (DireitoDoUsuario("Administrador")) {
            qvnumValorUnitario.Enabled = true;
            return;
        }
        qvnumValorUnitario.Enabled = false;
        ponto = 2;
        const bool descontos = DireitoDoUsuario("PermissaoDoModuloCaixaAlterarDescontosDeVendas");
        qvnumPercentualDeDescontoPorItem.Enabled = descontos;
        qvnumValorDeDescontoPorItem.Enabled = descontos;
    });
}

} // namespace KELO_A_PreVendas
