#include "support/FakeComponents.h"

#include "contracts/KELO_A_EfeitosDeTela.h"
#include "contracts/KELO_A_MsgErro.h"
#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Funcionarios.h"
#include "contracts/KELO_N_Login.h"
#include "contracts/KELO_N_PreVendas.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/KELO_N_SO.h"
#include "contracts/KELO_N_Servicos.h"
#include "contracts/KELO_N_TipoDeServ.h"
#include "contracts/Registry.h"
#include "platform/Errors.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace support {

using platform::Variant;

// ---- The business layer's shared state

struct FakeBusinessState {
    std::map<std::string, FakeAnswer, std::less<>> answers;
    std::vector<RecordedCall> calls;
    int32_t nextLancamento = 1;
    std::string operatingSystem = "Windows 10";

    static std::string Key(std::string_view className, std::string_view member)
    {
        return std::string(className) + "." + std::string(member);
    }

    // Records the call and hands back its answer; an answer that raises raises here.
    FakeAnswer Take(RecordedCall call)
    {
        const auto found = answers.find(Key(call.ClassName, call.Member));
        FakeAnswer answer = found == answers.end() ? FakeAnswer{} : found->second;
        calls.push_back(std::move(call));
        if (answer.RaiseNumber != 0)
            platform::Raise(answer.RaiseNumber);
        return answer;
    }
};

namespace {

using Properties = std::map<std::string, Variant, std::less<>>;

// The common part of every fake: the state all its instances share. A business component
// records each call there, then answers it.
template <class Contract, class State = FakeBusinessState>
class FakeComponent : public Contract {
public:
    explicit FakeComponent(std::shared_ptr<State> state) : m_state(std::move(state)) {}

protected:
    // Records the call with its arguments as handed over.
    template <class... Arguments>
    FakeAnswer Take(std::string_view member, Properties properties, const Arguments&... arguments)
    {
        return m_state->Take({Contract::ClassName,
                              std::string(member),
                              {Variant(arguments)...},
                              std::move(properties)});
    }

    // Fills the answer members; `fields` names the rows of an empty successful selection.
    template <std::size_t N>
    int32_t
    Respond(const FakeAnswer& answer, const std::array<std::string_view, N>& fields,
            platform::RecordsetRef Contract::*rows = &Contract::ResultadoDaSelecaoEmRecordSet)
    {
        RespondWithoutRows(answer);
        if (answer.Rows)
            this->*rows = answer.Rows;
        else if (answer.Result == contracts::resSucesso)
            this->*rows = std::make_shared<platform::Recordset>(contracts::FieldNames(fields));
        return answer.Result;
    }

    int32_t RespondWithoutRows(const FakeAnswer& answer)
    {
        this->NumeroDoErro = answer.NumeroDoErro;
        this->DescricaoDoErro = answer.DescricaoDoErro;
        this->LocalDoErro = answer.LocalDoErro;
        this->DescricaoDaFalha = answer.DescricaoDaFalha;
        return answer.Result;
    }

    std::shared_ptr<State> m_state;
};

class FakeClientes : public FakeComponent<KELO_N_ClientAnim::clsClientes> {
public:
    using FakeComponent::FakeComponent;

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, std::string& apelidoOuNomeFantasia,
                       double& codigoDoCliente, const std::string& filtro1,
                       const std::string& filtro2, const std::string& filtro3, double filtro4,
                       const std::string& filtro5) override
    {
        return Respond(Take("Selecionar", {}, seletor1, seletor2, seletor3, textoDePesquisa,
                            apelidoOuNomeFantasia, codigoDoCliente, filtro1, filtro2, filtro3,
                            filtro4, filtro5),
                       KELO_N_ClientAnim::CamposDoCliente);
    }
};

class FakeAnimais : public FakeComponent<KELO_N_ClientAnim::clsAnimais> {
public:
    using FakeComponent::FakeComponent;

    int32_t SelecionarParaComboBoxFiltradoPorCliente(double& codigoDoCliente,
                                                     int16_t seletor) override
    {
        return Respond(
            Take("SelecionarParaComboBoxFiltradoPorCliente", {}, codigoDoCliente, seletor),
            KELO_N_ClientAnim::CamposDoAnimal);
    }
};

class FakeTiposDeServ : public FakeComponent<KELO_N_TipoDeServ::clsTiposDeServ> {
public:
    using FakeComponent::FakeComponent;

    int32_t SelecionarParaComboBox(double& numero) override
    {
        return Respond(Take("SelecionarParaComboBox", {}, numero),
                       KELO_N_TipoDeServ::CamposDoTipoDeServico);
    }
};

class FakeServicos : public FakeComponent<KELO_N_Servicos::clsServicos> {
public:
    using FakeComponent::FakeComponent;

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, int16_t& numeroDoTipoDeServico,
                       std::string& nome, double& codigo) override
    {
        return Respond(Take("Selecionar", {}, seletor1, seletor2, seletor3, textoDePesquisa,
                            numeroDoTipoDeServico, nome, codigo),
                       KELO_N_Servicos::CamposDoServico);
    }

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, int32_t numeroDoTipoDeServico) override
    {
        return Respond(Take("Selecionar", {}, seletor1, seletor2, seletor3, textoDePesquisa,
                            numeroDoTipoDeServico),
                       KELO_N_Servicos::CamposDoServicoNaPesquisa);
    }
};

class FakeProdutos : public FakeComponent<KELO_N_Produtos::clsProdutos> {
public:
    using FakeComponent::FakeComponent;

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, std::string& nome,
                       std::string& codigoDeBarras, double& codigoInterno) override
    {
        return Respond(Take("Selecionar", {}, seletor1, seletor2, seletor3, textoDePesquisa, nome,
                            codigoDeBarras, codigoInterno),
                       KELO_N_Produtos::CamposDoProduto);
    }

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, const std::string& filtro) override
    {
        return Respond(
            Take("Selecionar", {}, seletor1, seletor2, seletor3, textoDePesquisa, filtro),
            KELO_N_Produtos::CamposDoProdutoNaPesquisa);
    }
};

class FakeFuncionarios : public FakeComponent<KELO_N_Funcionarios::clsFuncionarios> {
public:
    using FakeComponent::FakeComponent;

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, const std::string& filtro,
                       double& codigo) override
    {
        return Respond(
            Take("Selecionar", {}, seletor1, seletor2, seletor3, textoDePesquisa, filtro, codigo),
            KELO_N_Funcionarios::CamposDoFuncionario);
    }
};

class FakeEmpresa : public FakeComponent<KELO_N_Empresa::clsEmpresa> {
public:
    using FakeComponent::FakeComponent;

    int32_t Selecionar(int16_t seletor1, int16_t seletor2) override
    {
        return Respond(Take("Selecionar", {}, seletor1, seletor2), KELO_N_Empresa::CamposDaEmpresa);
    }
};

class FakePreVendas : public FakeComponent<KELO_N_PreVendas::clsPreVendas> {
public:
    using FakeComponent::FakeComponent;

    int32_t SelecionarServicosEfetuadosEProdutosReservados(double& codigoDoCliente) override
    {
        return Respond(Take("SelecionarServicosEfetuadosEProdutosReservados", {}, codigoDoCliente),
                       KELO_N_PreVendas::CamposDaGrade);
    }

    int32_t Incluir() override
    {
        const auto answer = Take("Incluir", Record());
        if (answer.Result == contracts::resSucesso)
            NumeroDeLancamentoGerado = m_state->nextLancamento++;
        return RespondWithoutRows(answer);
    }

    int32_t Excluir() override { return RespondWithoutRows(Take("Excluir", Record())); }

    int32_t RegistrarAutorizacaoDeDesconto(int32_t numeroDoLancamento,
                                           platform::Currency percentual, platform::Currency limite,
                                           const std::string& autorizador) override
    {
        return RespondWithoutRows(Take("RegistrarAutorizacaoDeDesconto", {}, numeroDoLancamento,
                                       percentual, limite, autorizador));
    }

    int32_t SelecionarServicosEfetuadosEProdutosReservadosParaImpressao(
        int16_t seletor, std::string& filtroDeServicos, std::string& filtroDeProdutos) override
    {
        return Respond(Take("SelecionarServicosEfetuadosEProdutosReservadosParaImpressao", {},
                            seletor, filtroDeServicos, filtroDeProdutos),
                       KELO_N_PreVendas::CamposDaImpressao,
                       &clsPreVendas::ResultadoDaSelecaoParaImpressaoEmRecordset);
    }

private:
    Properties Record() const
    {
        Properties record;
        for (const auto campo : KELO_N_PreVendas::CamposDoLancamento)
            record.emplace(campo, Campo(campo));
        return record;
    }
};

class FakeLogin : public FakeComponent<KELO_N_Login::clsLogin> {
public:
    using FakeComponent::FakeComponent;

    int32_t Autenticar() override
    {
        return Respond(Take("Autenticar",
                            {{"NomeDeUsuario", NomeDeUsuario}, {"SenhaDoUsuario", SenhaDoUsuario}}),
                       KELO_N_Login::CamposDoUsuario);
    }
};

// Without error fields or a user: only the call is recorded.
class FakeObterVersaoDoSO : public FakeComponent<KELO_N_SO::clsObterVersaoDoSO> {
public:
    using FakeComponent::FakeComponent;

    std::string ObterversaoDoSO() override
    {
        m_state->Take({ClassName, "ObterversaoDoSO", {}, {}});
        return m_state->operatingSystem;
    }
};

class FakeMensagem : public FakeComponent<KELO_A_MsgErro::clsMensagem, std::vector<ErrorReport>> {
public:
    using FakeComponent::FakeComponent;

    void Exibir(const Variant& numero, const Variant& descricao, const Variant& local,
                std::string& nomeDaAplicacao) override
    {
        m_state->push_back({numero, descricao, local, nomeDaAplicacao});
    }
};

class FakeFundoEscuro
    : public FakeComponent<KELO_A_EfeitosDeTela::clsFundoEscuro, std::vector<OverlayCall>> {
public:
    using FakeComponent::FakeComponent;

    void Aplicar(int32_t hWnd, int16_t& valor) override
    {
        m_state->push_back({"Aplicar", hWnd, valor});
    }
    void Remover(int32_t hWnd) override { m_state->push_back({"Remover", hWnd, 0}); }
};

// Registers each fake to one state, or takes them all away.
template <class... Fakes>
struct FakeList {
    template <class State>
    static void Register(const std::shared_ptr<State>& state)
    {
        (contracts::Register(Fakes::ClassName, [state] { return std::make_shared<Fakes>(state); }),
         ...);
    }
    static void Unregister() { (contracts::Unregister(Fakes::ClassName), ...); }
};

using BusinessFakes =
    FakeList<FakeClientes, FakeAnimais, FakeTiposDeServ, FakeServicos, FakeProdutos,
             FakeFuncionarios, FakeEmpresa, FakePreVendas, FakeLogin, FakeObterVersaoDoSO>;

} // namespace

// ---- FakeBusinessLayer

FakeBusinessLayer::FakeBusinessLayer() : m_state(std::make_shared<FakeBusinessState>()) {}

void FakeBusinessLayer::Answer(std::string_view className, std::string_view member,
                               FakeAnswer answer)
{
    m_state->answers[FakeBusinessState::Key(className, member)] = std::move(answer);
}

void FakeBusinessLayer::SetOperatingSystemName(std::string name)
{
    m_state->operatingSystem = std::move(name);
}

std::vector<RecordedCall> FakeBusinessLayer::Calls() const
{
    return m_state->calls;
}

std::vector<RecordedCall> FakeBusinessLayer::CallsTo(std::string_view className,
                                                     std::string_view member) const
{
    std::vector<RecordedCall> calls;
    std::copy_if(m_state->calls.begin(), m_state->calls.end(), std::back_inserter(calls),
                 [&](const RecordedCall& call) {
                     return call.ClassName == className && call.Member == member;
                 });
    return calls;
}

void FakeBusinessLayer::ForgetCalls()
{
    m_state->calls.clear();
}

void FakeBusinessLayer::Register() const
{
    BusinessFakes::Register(m_state);
}

void FakeBusinessLayer::Unregister()
{
    BusinessFakes::Unregister();
}

// ---- FakeErrorMessages and FakeDarkOverlay

void FakeErrorMessages::Register() const
{
    FakeList<FakeMensagem>::Register(m_reports);
}

void FakeErrorMessages::Unregister()
{
    FakeList<FakeMensagem>::Unregister();
}

bool FakeDarkOverlay::IsDark(int32_t hWnd) const
{
    const auto last = std::find_if(m_calls->rbegin(), m_calls->rend(),
                                   [&](const OverlayCall& call) { return call.hWnd == hWnd; });
    return last != m_calls->rend() && last->Member == "Aplicar";
}

void FakeDarkOverlay::Register() const
{
    FakeList<FakeFundoEscuro>::Register(m_calls);
}

void FakeDarkOverlay::Unregister()
{
    FakeList<FakeFundoEscuro>::Unregister();
}

// ---- FakeComponents

FakeComponents::FakeComponents()
{
    BusinessLayer.Register();
    ErrorMessages.Register();
    DarkOverlay.Register();
}

FakeComponents::~FakeComponents()
{
    FakeBusinessLayer::Unregister();
    FakeErrorMessages::Unregister();
    FakeDarkOverlay::Unregister();
}

} // namespace support
