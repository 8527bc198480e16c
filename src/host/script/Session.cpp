#include "host/script/Session.h"

#include "contracts/KELO_A_EfeitosDeTela.h"
#include "contracts/KELO_A_MsgErro.h"
#include "contracts/KELO_N_SO.h"
#include "contracts/Registry.h"
#include "entry/Componente.h"
#include "host/script/Script.h"
#include "platform/Controls.h"
#include "platform/Runtime.h"
#include "platform/Screen.h"
#include "platform/WindowSystem.h"
#include "store/Admin.h"
#include "store/Store.h"
#include "suite_controls/SuiteControls.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <system_error>

namespace script {

std::string IconName(int32_t icon)
{
    switch (icon) {
    case platform::vbCritical:
        return "critical";
    case platform::vbQuestion:
        return "question";
    case platform::vbExclamation:
        return "exclamation";
    case platform::vbInformation:
        return "info";
    default:
        return "no icon";
    }
}

namespace {

std::string AnswerName(int32_t answer)
{
    switch (answer) {
    case platform::vbOK:
        return "ok";
    case platform::vbCancel:
        return "cancel";
    case platform::vbAbort:
        return "abort";
    case platform::vbRetry:
        return "retry";
    case platform::vbIgnore:
        return "ignore";
    case platform::vbYes:
        return "yes";
    case platform::vbNo:
        return "no";
    default:
        return std::to_string(answer);
    }
}

platform::Date RealToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::filesystem::path NewTemporaryFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kelo-prevendas-script-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "temporary folder " + pattern);
    return pattern;
}

class ErrorMessages final : public KELO_A_MsgErro::clsMensagem {
public:
    explicit ErrorMessages(Session& session) : m_session(session) {}

    void Exibir(const platform::Variant& numero, const platform::Variant& descricao,
                const platform::Variant& local, std::string& nomeDaAplicacao) override
    {
        platform::HeadlessHost::ErrorReport report{numero.AsLong(), descricao.AsString(),
                                                   local.AsString(), nomeDaAplicacao};
        m_session.Tracer().Print("error report " + std::to_string(report.Number) + " " +
                                 Quote(report.Description) + " at " + Quote(report.Location));
        m_session.Host.RecordErrorReport(std::move(report));
    }

private:
    Session& m_session;
};

class DarkOverlay final : public KELO_A_EfeitosDeTela::clsFundoEscuro {
public:
    explicit DarkOverlay(Session& session) : m_session(session) {}

    void Aplicar(int32_t hWnd, int16_t& valor) override
    {
        m_session.Darkened[hWnd] = true;
        m_session.Tracer().Print("overlay over window " + std::to_string(hWnd) + " (" +
                                 std::to_string(valor) + ")");
    }
    void Remover(int32_t hWnd) override
    {
        m_session.Darkened.erase(hWnd);
        m_session.Tracer().Print("overlay removed from window " + std::to_string(hWnd));
    }

private:
    Session& m_session;
};

class SystemName final : public KELO_N_SO::clsObterVersaoDoSO {
public:
    explicit SystemName(Session& session) : m_session(session) {}
    std::string ObterversaoDoSO() override { return m_session.OperatingSystem; }

private:
    Session& m_session;
};

} // namespace

void Trace::Print(const std::string& what) const
{
    if (m_enabled)
        m_out << m_scriptName << ':' << m_line << ": " << Mask(what) << '\n' << std::flush;
}

void Trace::KeepSecret(const std::string& secret)
{
    if (!secret.empty() && std::find(m_secrets.begin(), m_secrets.end(), secret) == m_secrets.end())
        m_secrets.push_back(secret);
}

void Trace::KeepPasswordsInBoxes()
{
    for (const std::string& secret : suite_controls::PasswordsInBoxes())
        KeepSecret(secret);
}

std::string Trace::Mask(const std::string& text) const
{
    return suite_controls::MaskPasswords(text, m_secrets);
}

StoreFile::StoreFile(const std::optional<std::string>& path)
{
    if (path) {
        m_database = std::make_shared<store::Database>(*path);
        // Opened now, so a broken file is told before the script starts.
        m_database->Conn();
        return;
    }
    m_folder = NewTemporaryFolder();
    try {
        m_database = store::Database::Create((m_folder / "loja.kelo").string());
        store::LoadDemo(*m_database);
    } catch (...) {
        m_database.reset();
        std::filesystem::remove_all(m_folder);
        throw;
    }
}

StoreFile::~StoreFile()
{
    m_database.reset();
    if (!m_folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
}

int32_t ScriptHost::ShowMessageBox(const platform::MessageBoxRequest& request)
{
    if (request.ButtonSet() != platform::vbOKOnly && !m_queued.empty()) {
        QueueAnswer(m_queued.front().first);
        m_queued.pop_front();
    }
    const int32_t answer = HeadlessHost::ShowMessageBox(request);
    m_trace.Print("message " + Quote(request.Prompt) + " (" + IconName(request.Icon()) +
                  ", title " + Quote(request.Title) + ") -> " + AnswerName(answer));
    return answer;
}

void ScriptHost::RunModal(platform::Form& form)
{
    m_trace.Print("modal " + form.Name() + " shown");
    HeadlessHost::RunModal(form);
    m_trace.Print("modal " + form.Name() + " closed");
}

void ScriptHost::ShowPreview(platform::Report& report)
{
    m_trace.Print("preview " + Quote(report.Caption()) + " of " + report.Name() + ", " +
                  std::to_string(report.Pages().Pages.size()) + " page(s)");
    HeadlessHost::ShowPreview(report);
}

ScriptUser::ScriptUser(const std::vector<std::pair<std::string, bool>>& rights)
{
    for (const auto& [key, value] : rights)
        m_rights[platform::UCase(platform::Trim(key))] = value;
}

platform::Variant ScriptUser::DefaultMember(const platform::Variant& index)
{
    const auto found = m_rights.find(platform::UCase(platform::Trim(index.AsString())));
    return found != m_rights.end() && found->second;
}

Session::Session(std::shared_ptr<store::Database> database, Trace& trace)
    : Host(trace), m_database(std::move(database)), m_trace(trace)
{
    Host.SetToday(RealToday());
    platform::SetHost(&Host);
    contracts::Clear();
    store::RegisterComponents(m_database);
    if (m_trace.Enabled()) {
        m_database->ObserveCalls(
            [this](std::string_view className, std::string_view member, int32_t result) {
                m_trace.Print("store " + std::string(className) + "." + std::string(member) +
                              " -> " + std::to_string(result));
            });
    }
    // After the store: where it registers the same name (the system's name), the host's wins.
    RegisterServices();
}

Session::~Session()
{
    // Unloading the component: its form and what the host handed over go with it.
    KELO_A_PreVendas::DescarregarComponente();
    m_database->ObserveCalls(nullptr);
    platform::Screen::ClearFocus();
    if (MenuWindow != 0)
        platform::WindowSystem::Unregister(MenuWindow);
    if (WorkArea != 0)
        platform::WindowSystem::Unregister(WorkArea);
    contracts::Clear();
    platform::SetHost(nullptr);
}

void Session::RegisterServices()
{
    contracts::Register(KELO_A_MsgErro::clsMensagem::ClassName,
                        [this] { return std::make_shared<ErrorMessages>(*this); });
    contracts::Register(KELO_A_EfeitosDeTela::clsFundoEscuro::ClassName,
                        [this] { return std::make_shared<DarkOverlay>(*this); });
    contracts::Register(KELO_N_SO::clsObterVersaoDoSO::ClassName,
                        [this] { return std::make_shared<SystemName>(*this); });
}

void Session::Start()
{
    // The desktop's windows at their usual size: a 1280 x 800 menu with its work area.
    if (MenuWindow == 0)
        MenuWindow = platform::WindowSystem::CreateHostWindow("menu", 1280, 800);
    if (WorkArea == 0)
        WorkArea = platform::WindowSystem::CreateHostWindow("work area", 1264, 700);
    KELO_A_PreVendas::AbrirPreVendas(User, ApplicationName, MenuWindow, WorkArea);
}

std::string ValueText(const platform::Variant& value)
{
    if (value.Type() == platform::VarType::Boolean)
        return value.AsBoolean() ? "true" : "false";
    if (value.IsObject())
        return "(object)";
    return value.AsString();
}

} // namespace script
