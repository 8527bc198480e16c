#include "authorisation/frmPreVendasAutorizarDesconto.h"

#include "contracts/KELO_N_Login.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "screen_services/modBordaDoWindows8.h"

namespace KELO_A_PreVendas {

namespace {

constexpr int32_t CinzaEscuro = platform::RGB(73, 73, 73);
constexpr int32_t Vermelho = platform::RGB(255, 0, 0);

} // namespace

frmPreVendasAutorizarDesconto::frmPreVendasAutorizarDesconto()
    : platform::Form("frmPreVendasAutorizarDesconto")
{
    DesenharControles();
    Load.Connect([this] { Form_Load(); });
    Unload_.Connect([this] { Form_Unload(); });
    qvcmdEfetuarDesconto.Click.Connect([this] { qvcmdEfetuarDesconto_Click(); });
    qvcmdCancelar.Click.Connect([this] { qvcmdCancelar_Click(); });
}

frmPreVendasAutorizarDesconto::~frmPreVendasAutorizarDesconto() = default;

void frmPreVendasAutorizarDesconto::DesenharControles()
{
    Caption = "Autorização para efetuar desconto";
    Move(0, 0, 5520, 3660);
    QVTheme.Caption = "Autorização para efetuar desconto";
    QVTheme.Move(0, 0, 5400, 480);
    for (platform::Label* rotulo : {&lblUsuario, &lblSenha}) {
        rotulo->ForeColor = CinzaEscuro;
        rotulo->FontName = "Arial";
    }
    lblUsuario.Move(300, 690, 4800, 240);
    qvtxtUsuario.Move(300, 930, 4800, 405);
    lblSenha.Move(300, 1455, 4800, 240);
    qvtxtSenha.Move(300, 1695, 4800, 405);
    for (suite_controls::QVTextBox* caixa : {&qvtxtUsuario, &qvtxtSenha}) {
        caixa->MaxLength = 50;
        caixa->FontName = "Arial";
    }
    qvtxtSenha.PasswordChar = "*";
    lblObservacaoDeCamposObrigatorios.ForeColor = platform::RGB(128, 128, 128);
    lblObservacaoDeCamposObrigatorios.Move(300, 2250, 2400, 240);
    qvcmdEfetuarDesconto.Caption = "Efetuar desconto";
    qvcmdEfetuarDesconto.Move(1530, 2595, 1890, 420);
    qvcmdCancelar.Caption = "Cancelar";
    qvcmdCancelar.Move(3510, 2595, 1590, 420);
}

std::string frmPreVendasAutorizarDesconto::Local(std::string_view procedimento) const
{
    return ", " + Name() + ", " + std::string(procedimento) + ", Ponto: ";
}

int16_t frmPreVendasAutorizarDesconto::MontarExibirFormulario()
{
    // An error here answers "refused", never the 0 the caller takes for an authorisation.
    const std::optional<int16_t> resposta = ComTratamentoDeErro(
        Local("MontarExibirFormulario"), [&](int16_t& ponto) -> std::optional<int16_t> {
            qvcmdEfetuarDesconto.ToolTipText = "Desfazer efetuar";
            qvcmdCancelar.ToolTipText = "Fechar formulário";
            ponto = 2;
            Show(platform::vbModal);
            return mbooCancelado ? DescontoRecusado : DescontoAutorizado;
        });
    return resposta.value_or(DescontoRecusado);
}

void frmPreVendasAutorizarDesconto::Form_Load()
{
    ComTratamentoDeErro(Local("Form_Load"),
                        [&](int16_t&) { DesenharBordaDoWindows8(*this, m_lshpObj); });
}

void frmPreVendasAutorizarDesconto::Form_Unload()
{
    ComTratamentoDeErro(Local("Form_Unload"), [&](int16_t&) { mbooCancelado = !mbooAutorizado; });
}

void frmPreVendasAutorizarDesconto::qvcmdCancelar_Click()
{
    ComTratamentoDeErro(Local("qvcmdCancelar_Click"), [&](int16_t&) {
        mbooCancelado = true;
        Unload();
    });
}

int16_t frmPreVendasAutorizarDesconto::ValidarCampos()
{
    return ComTratamentoDeErro(Local("ValidarCampos"), [&](int16_t& ponto) -> int16_t {
        lblUsuario.ForeColor = CinzaEscuro;
        lblSenha.ForeColor = CinzaEscuro;
        ponto = 2;
        // The lengths of the texts as typed: a name of blanks passes, and goes as empty text.
        struct Campo {
            platform::Label& rotulo;
            suite_controls::QVTextBox& caixa;
            const char* mensagem;
        };
        for (const Campo& campo : {Campo{lblUsuario, qvtxtUsuario, "Informe o nome do usuário."},
                                   Campo{lblSenha, qvtxtSenha, "Informe o senha do usuário."}}) {
            if (!campo.caixa.Text().empty())
                continue;
            campo.rotulo.ForeColor = Vermelho;
            platform::MsgBox(campo.mensagem, platform::vbInformation,
                             modPrincipal::gstrNomeDaAplicacao);
            campo.caixa.SetFocus();
            return 1;
        }
        return 0;
    });
}

void frmPreVendasAutorizarDesconto::qvcmdEfetuarDesconto_Click()
{
    ComTratamentoDeErro(Local("qvcmdEfetuarDesconto_Click"), [&](int16_t& ponto) {
        if (ValidarCampos() == 1)
            return;
        ponto = 2;
        MousePointer = platform::vbArrowHourglass;
        auto lobjLogin = contracts::CreateObject<KELO_N_Login::clsLogin>();
        lobjLogin->NomeDeUsuario = platform::Trim(qvtxtUsuario.Text());
        lobjLogin->SenhaDoUsuario = platform::Trim(qvtxtSenha.Text());
        ponto = 3;
        const int32_t resultado = lobjLogin->Autenticar();
        ponto = 4;
        switch (resultado) {
        case contracts::resSucesso: {
            platform::RecordsetRef lrstUsuario = lobjLogin->ResultadoDaSelecaoEmRecordSet;
            if (!lrstUsuario->Fields("Administrador").Value.AsBoolean()) {
                platform::MsgBox("Usuário não autorizado para efetuar desconto.",
                                 platform::vbInformation, modPrincipal::gstrNomeDaAplicacao);
                Unload();
            } else {
                mstrUsuarioQueAutorizou = platform::Trim(qvtxtUsuario.Text());
            }
            break;
        }
        case contracts::resErro:
            ExibirMensagemDeErro(lobjLogin->NumeroDoErro, lobjLogin->DescricaoDoErro,
                                 lobjLogin->LocalDoErro);
            Unload();
            break;
        case contracts::resFalhaInformativa:
        case contracts::resFalhaCritica:
            platform::MsgBox(lobjLogin->DescricaoDaFalha,
                             resultado == contracts::resFalhaCritica ? platform::vbCritical
                                                                     : platform::vbInformation,
                             modPrincipal::gstrNomeDaAplicacao);
            Unload();
            break;
        default:
            // A status the login component should never give authorises nothing.
            ReportarErroDoProcedimento(platform::errInternal,
                                       DescricaoDaSituacaoDesconhecida("A autenticação", resultado),
                                       Local("qvcmdEfetuarDesconto_Click"), ponto);
            Unload();
            break;
        }
        ponto = 5;
        lobjLogin.reset();
        if (!mbooCancelado)
            mbooAutorizado = true;
        Unload();
    });
}

} // namespace KELO_A_PreVendas
