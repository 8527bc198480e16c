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
#include <deque>
#include <iterator>
#include <utility>

namespace support {

using platform::Variant;

// ---- FakeAnswer

FakeAnswer FakeAnswer::WithRows(platform::RecordsetRef rows)
{
    FakeAnswer answer;
    answer.Rows = std::move(rows);
    return answer;
}

FakeAnswer FakeAnswer::Error(int32_t numero, std::string descricao, std::string local)
{
    FakeAnswer answer;
    answer.Result = contracts::resErro;
    answer.NumeroDoErro = numero;
    answer.DescricaoDoErro = std::move(descricao);
    answer.LocalDoErro = std::move(local);
    return answer;
}

FakeAnswer FakeAnswer::Refusal(int32_t result, std::string descricao)
{
    FakeAnswer answer;
    answer.Result = result;
    answer.DescricaoDaFalha = std::move(descricao);
    return answer;
}

FakeAnswer FakeAnswer::Raising(int32_t number, std::string description)
{
    FakeAnswer answer;
    answer.RaiseNumber = number;
    answer.RaiseDescription = std::move(description);
    return answer;
}

// ---- The business layer's shared state

struct FakeBusinessState {
    std::map<std::string, std::deque<FakeAnswer>, std::less<>> answers;
    std::vector<RecordedCall> calls;
    std::vector<std::pair<std::string, std::weak_ptr<platform::Object>>> instances;
    int32_t nextLancamento = 1;
    std::string operatingSystem = "Windows 10";

    static std::string Key(std::string_view className, std::string_view member)
    {
        return std::string(className) + "." + std::string(member);
    }

    FakeAnswer NextAnswer(std::string_view className, std::string_view member)
    {
        const auto found = answers.find(Key(className, member));
        if (found == answers.end() || found->second.empty())
            return {};
        auto& queue = found->second;
        FakeAnswer answer = queue.front();
        if (queue.size() > 1)
            queue.pop_front();
        return answer;
    }

    template <class Fake>
    platform::ObjectRef Create(const std::shared_ptr<FakeBusinessState>& self)
    {
        auto object = std::make_shared<Fake>(self, static_cast<int32_t>(instances.size()) + 1);
        instances.emplace_back(Fake::ClassName, object);
        return object;
    }
};

namespace {

using Properties = std::map<std::string, Variant, std::less<>>;

void ApplyWriteBack(const FakeAnswer& answer, std::size_t position, double& argument)
{
    if (const auto found = answer.WriteBack.find(position); found != answer.WriteBack.end())
        argument = found->second.AsDouble();
}

void ApplyWriteBack(const FakeAnswer& answer, std::size_t position, int16_t& argument)
{
    if (const auto found = answer.WriteBack.find(position); found != answer.WriteBack.end())
        argument = found->second.AsInteger();
}

void ApplyWriteBack(const FakeAnswer& answer, std::size_t position, std::string& argument)
{
    if (const auto found = answer.WriteBack.find(position); found != answer.WriteBack.end())
        argument = found->second.AsString();
}

// The common part of every fake business component: records each call, then answers it.
template <class Contract>
class FakeComponent : public Contract {
public:
    FakeComponent(std::shared_ptr<FakeBusinessState> state, int32_t instance)
        : m_state(std::move(state)), m_instance(instance)
    {
    }

protected:
    // Records the call and hands back its answer; an answer that raises raises here.
    FakeAnswer Take(std::string_view member, std::vector<Variant> arguments,
                    Properties properties = {})
    {
        RecordedCall call;
        call.ClassName = Contract::ClassName;
        call.Member = std::string(member);
        call.Instance = m_instance;
        call.Arguments = std::move(arguments);
        call.Properties = std::move(properties);
        call.DadosDoUsuario = this->DadosDoUsuario;
        m_state->calls.push_back(std::move(call));

        auto answer = m_state->NextAnswer(Contract::ClassName, member);
        if (answer.RaiseNumber != 0)
            platform::Raise(answer.RaiseNumber, answer.RaiseDescription);
        return answer;
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

    std::shared_ptr<FakeBusinessState> m_state;

private:
    int32_t m_instance;
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
        const auto answer = Take("Selecionar", {seletor1, seletor2, seletor3, textoDePesquisa,
                                                apelidoOuNomeFantasia, codigoDoCliente, filtro1,
                                                filtro2, filtro3, filtro4, filtro5});
        ApplyWriteBack(answer, 4, apelidoOuNomeFantasia);
        ApplyWriteBack(answer, 5, codigoDoCliente);
        return Respond(answer, KELO_N_ClientAnim::CamposDoCliente);
    }
};

class FakeAnimais : public FakeComponent<KELO_N_ClientAnim::clsAnimais> {
public:
    using FakeComponent::FakeComponent;

    int32_t SelecionarParaComboBoxFiltradoPorCliente(double& codigoDoCliente,
                                                     int16_t seletor) override
    {
        const auto answer =
            Take("SelecionarParaComboBoxFiltradoPorCliente", {codigoDoCliente, seletor});
        ApplyWriteBack(answer, 0, codigoDoCliente);
        return Respond(answer, KELO_N_ClientAnim::CamposDoAnimal);
    }
};

class FakeTiposDeServ : public FakeComponent<KELO_N_TipoDeServ::clsTiposDeServ> {
public:
    using FakeComponent::FakeComponent;

    int32_t SelecionarParaComboBox(double& numero) override
    {
        const auto answer = Take("SelecionarParaComboBox", {numero});
        ApplyWriteBack(answer, 0, numero);
        return Respond(answer, KELO_N_TipoDeServ::CamposDoTipoDeServico);
    }
};

class FakeServicos : public FakeComponent<KELO_N_Servicos::clsServicos> {
public:
    using FakeComponent::FakeComponent;

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, int16_t& numeroDoTipoDeServico,
                       std::string& nome, double& codigo) override
    {
        const auto answer = Take("Selecionar", {seletor1, seletor2, seletor3, textoDePesquisa,
                                                numeroDoTipoDeServico, nome, codigo});
        ApplyWriteBack(answer, 4, numeroDoTipoDeServico);
        ApplyWriteBack(answer, 5, nome);
        ApplyWriteBack(answer, 6, codigo);
        return Respond(answer, KELO_N_Servicos::CamposDoServico);
    }

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, int32_t numeroDoTipoDeServico) override
    {
        const auto answer = Take(
            "Selecionar", {seletor1, seletor2, seletor3, textoDePesquisa, numeroDoTipoDeServico});
        return Respond(answer, KELO_N_Servicos::CamposDoServicoNaPesquisa);
    }
};

class FakeProdutos : public FakeComponent<KELO_N_Produtos::clsProdutos> {
public:
    using FakeComponent::FakeComponent;

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, std::string& nome,
                       std::string& codigoDeBarras, double& codigoInterno) override
    {
        const auto answer = Take("Selecionar", {seletor1, seletor2, seletor3, textoDePesquisa, nome,
                                                codigoDeBarras, codigoInterno});
        ApplyWriteBack(answer, 4, nome);
        ApplyWriteBack(answer, 5, codigoDeBarras);
        ApplyWriteBack(answer, 6, codigoInterno);
        return Respond(answer, KELO_N_Produtos::CamposDoProduto);
    }

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, const std::string& filtro) override
    {
        const auto answer =
            Take("Selecionar", {seletor1, seletor2, seletor3, textoDePesquisa, filtro});
        return Respond(answer, KELO_N_Produtos::CamposDoProdutoNaPesquisa);
    }
};

class FakeFuncionarios : public FakeComponent<KELO_N_Funcionarios::clsFuncionarios> {
public:
    using FakeComponent::FakeComponent;

    int32_t Selecionar(int32_t seletor1, int16_t seletor2, int32_t seletor3,
                       const std::string& textoDePesquisa, const std::string& filtro,
                       double& codigo) override
    {
        const auto answer =
            Take("Selecionar", {seletor1, seletor2, seletor3, textoDePesquisa, filtro, codigo});
        ApplyWriteBack(answer, 5, codigo);
        return Respond(answer, KELO_N_Funcionarios::CamposDoFuncionario);
    }
};

class FakeEmpresa : public FakeComponent<KELO_N_Empresa::clsEmpresa> {
public:
    using FakeComponent::FakeComponent;

    int32_t Selecionar(int16_t seletor1, int16_t seletor2) override
    {
        const auto answer = Take("Selecionar", {seletor1, seletor2});
        return Respond(answer, KELO_N_Empresa::CamposDaEmpresa);
    }
};

class FakePreVendas : public FakeComponent<KELO_N_PreVendas::clsPreVendas> {
public:
    using FakeComponent::FakeComponent;

    int32_t SelecionarServicosEfetuadosEProdutosReservados(double& codigoDoCliente) override
    {
        const auto answer =
            Take("SelecionarServicosEfetuadosEProdutosReservados", {codigoDoCliente});
        ApplyWriteBack(answer, 0, codigoDoCliente);
        return Respond(answer, KELO_N_PreVendas::CamposDaGrade);
    }

    int32_t Incluir() override
    {
        const auto answer = Take("Incluir", {}, Record());
        if (answer.Result == contracts::resSucesso)
            NumeroDeLancamentoGerado =
                answer.NumeroDeLancamentoGerado.value_or(m_state->nextLancamento++);
        return RespondWithoutRows(answer);
    }

    int32_t Excluir() override { return RespondWithoutRows(Take("Excluir", {}, Record())); }

    int32_t RegistrarAutorizacaoDeDesconto(int32_t numeroDoLancamento,
                                           platform::Currency percentual, platform::Currency limite,
                                           const std::string& autorizador) override
    {
        return RespondWithoutRows(Take("RegistrarAutorizacaoDeDesconto",
                                       {numeroDoLancamento, percentual, limite, autorizador}));
    }

    int32_t SelecionarServicosEfetuadosEProdutosReservadosParaImpressao(
        int16_t seletor, std::string& filtroDeServicos, std::string& filtroDeProdutos) override
    {
        const auto answer = Take("SelecionarServicosEfetuadosEProdutosReservadosParaImpressao",
                                 {seletor, filtroDeServicos, filtroDeProdutos});
        ApplyWriteBack(answer, 1, filtroDeServicos);
        ApplyWriteBack(answer, 2, filtroDeProdutos);
        return Respond(answer, KELO_N_PreVendas::CamposDaImpressao,
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
        const auto answer =
            Take("Autenticar", {},
                 {{"NomeDeUsuario", NomeDeUsuario}, {"SenhaDoUsuario", SenhaDoUsuario}});
        return Respond(answer, KELO_N_Login::CamposDoUsuario);
    }
};

class FakeObterVersaoDoSO : public KELO_N_SO::clsObterVersaoDoSO {
public:
    FakeObterVersaoDoSO(std::shared_ptr<FakeBusinessState> state, int32_t instance)
        : m_state(std::move(state)), m_instance(instance)
    {
    }

    std::string ObterversaoDoSO() override
    {
        RecordedCall call;
        call.ClassName = ClassName;
        call.Member = "ObterversaoDoSO";
        call.Instance = m_instance;
        m_state->calls.push_back(std::move(call));
        const auto answer = m_state->NextAnswer(ClassName, "ObterversaoDoSO");
        if (answer.RaiseNumber != 0)
            platform::Raise(answer.RaiseNumber, answer.RaiseDescription);
        return m_state->operatingSystem;
    }

private:
    std::shared_ptr<FakeBusinessState> m_state;
    int32_t m_instance;
};

template <class Fake>
void RegisterFake(const std::shared_ptr<FakeBusinessState>& state)
{
    contracts::Register(Fake::ClassName, [state] { return state->Create<Fake>(state); });
}

constexpr std::array BusinessClassNames{
    KELO_N_ClientAnim::clsClientes::ClassName,
    KELO_N_ClientAnim::clsAnimais::ClassName,
    KELO_N_TipoDeServ::clsTiposDeServ::ClassName,
    KELO_N_Servicos::clsServicos::ClassName,
    KELO_N_Produtos::clsProdutos::ClassName,
    KELO_N_Funcionarios::clsFuncionarios::ClassName,
    KELO_N_Empresa::clsEmpresa::ClassName,
    KELO_N_PreVendas::clsPreVendas::ClassName,
    KELO_N_Login::clsLogin::ClassName,
    KELO_N_SO::clsObterVersaoDoSO::ClassName,
};

} // namespace

// ---- FakeBusinessLayer

FakeBusinessLayer::FakeBusinessLayer() : m_state(std::make_shared<FakeBusinessState>()) {}

void FakeBusinessLayer::Answer(std::string_view className, std::string_view member,
                               FakeAnswer answer)
{
    AnswerInTurn(className, member, {std::move(answer)});
}

void FakeBusinessLayer::AnswerInTurn(std::string_view className, std::string_view member,
                                     std::vector<FakeAnswer> answers)
{
    m_state->answers[FakeBusinessState::Key(className, member)] = std::deque<FakeAnswer>(
        std::make_move_iterator(answers.begin()), std::make_move_iterator(answers.end()));
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

int32_t FakeBusinessLayer::InstancesCreated(std::string_view className) const
{
    return static_cast<int32_t>(
        std::count_if(m_state->instances.begin(), m_state->instances.end(),
                      [&](const auto& instance) { return instance.first == className; }));
}

int32_t FakeBusinessLayer::InstancesAlive(std::string_view className) const
{
    return static_cast<int32_t>(std::count_if(
        m_state->instances.begin(), m_state->instances.end(), [&](const auto& instance) {
            return instance.first == className && !instance.second.expired();
        }));
}

void FakeBusinessLayer::Register() const
{
    RegisterFake<FakeClientes>(m_state);
    RegisterFake<FakeAnimais>(m_state);
    RegisterFake<FakeTiposDeServ>(m_state);
    RegisterFake<FakeServicos>(m_state);
    RegisterFake<FakeProdutos>(m_state);
    RegisterFake<FakeFuncionarios>(m_state);
    RegisterFake<FakeEmpresa>(m_state);
    RegisterFake<FakePreVendas>(m_state);
    RegisterFake<FakeLogin>(m_state);
    RegisterFake<FakeObterVersaoDoSO>(m_state);
}

void FakeBusinessLayer::Unregister()
{
    for (const auto* className : BusinessClassNames)
        contracts::Unregister(className);
}

// ---- FakeErrorMessages

struct FakeErrorMessagesState {
    std::vector<ErrorReport> reports;
    int32_t raiseNumber = 0;
};

namespace {

class FakeMensagem : public KELO_A_MsgErro::clsMensagem {
public:
    explicit FakeMensagem(std::shared_ptr<FakeErrorMessagesState> state) : m_state(std::move(state))
    {
    }

    void Exibir(const Variant& numero, const Variant& descricao, const Variant& local,
                std::string& nomeDaAplicacao) override
    {
        m_state->reports.push_back({numero, descricao, local, nomeDaAplicacao});
        if (m_state->raiseNumber != 0)
            platform::Raise(m_state->raiseNumber);
    }

private:
    std::shared_ptr<FakeErrorMessagesState> m_state;
};

} // namespace

FakeErrorMessages::FakeErrorMessages() : m_state(std::make_shared<FakeErrorMessagesState>()) {}

std::vector<ErrorReport> FakeErrorMessages::Reports() const
{
    return m_state->reports;
}

void FakeErrorMessages::ForgetReports()
{
    m_state->reports.clear();
}

void FakeErrorMessages::RaiseOnExibir(int32_t number)
{
    m_state->raiseNumber = number;
}

void FakeErrorMessages::Register() const
{
    contracts::Register(FakeMensagem::ClassName,
                        [state = m_state] { return std::make_shared<FakeMensagem>(state); });
}

void FakeErrorMessages::Unregister()
{
    contracts::Unregister(KELO_A_MsgErro::clsMensagem::ClassName);
}

// ---- FakeDarkOverlay

struct FakeDarkOverlayState {
    std::vector<OverlayCall> calls;
};

namespace {

class FakeFundoEscuro : public KELO_A_EfeitosDeTela::clsFundoEscuro {
public:
    explicit FakeFundoEscuro(std::shared_ptr<FakeDarkOverlayState> state)
        : m_state(std::move(state))
    {
    }

    void Aplicar(int32_t hWnd, int16_t& valor) override
    {
        m_state->calls.push_back({"Aplicar", hWnd, valor});
    }

    void Remover(int32_t hWnd) override { m_state->calls.push_back({"Remover", hWnd, 0}); }

private:
    std::shared_ptr<FakeDarkOverlayState> m_state;
};

} // namespace

FakeDarkOverlay::FakeDarkOverlay() : m_state(std::make_shared<FakeDarkOverlayState>()) {}

std::vector<OverlayCall> FakeDarkOverlay::Calls() const
{
    return m_state->calls;
}

int32_t FakeDarkOverlay::Applied(int32_t hWnd) const
{
    return static_cast<int32_t>(
        std::count_if(m_state->calls.begin(), m_state->calls.end(), [&](const OverlayCall& call) {
            return call.Member == "Aplicar" && call.hWnd == hWnd;
        }));
}

int32_t FakeDarkOverlay::Removed(int32_t hWnd) const
{
    return static_cast<int32_t>(
        std::count_if(m_state->calls.begin(), m_state->calls.end(), [&](const OverlayCall& call) {
            return call.Member == "Remover" && call.hWnd == hWnd;
        }));
}

bool FakeDarkOverlay::IsDark(int32_t hWnd) const
{
    const auto last = std::find_if(m_state->calls.rbegin(), m_state->calls.rend(),
                                   [&](const OverlayCall& call) { return call.hWnd == hWnd; });
    return last != m_state->calls.rend() && last->Member == "Aplicar";
}

void FakeDarkOverlay::Register() const
{
    contracts::Register(FakeFundoEscuro::ClassName,
                        [state = m_state] { return std::make_shared<FakeFundoEscuro>(state); });
}

void FakeDarkOverlay::Unregister()
{
    contracts::Unregister(KELO_A_EfeitosDeTela::clsFundoEscuro::ClassName);
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
