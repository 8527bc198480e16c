// What the scenario runner provides as a host: the store file (a fresh demo store in a temporary
// folder, or the shop's own), the headless platform::Host, the presentation services of the suite
// (error-message window, dark overlay, operating-system name) and the start of the component
// exactly as the desktop host starts it. Everything the session shows can be traced.
#pragma once

#include "platform/HeadlessHost.h"
#include "platform/Object.h"
#include "store/Database.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace script {

// Prints what happens, each line under the script's name and the line of the step running.
// No password is ever printed: what a password box holds, and every password the script typed
// or expected there, is masked in each line and in each failure the run reports. (The password
// of a login goes to the store alone; no line or failure names it.)
class Trace {
public:
    Trace(std::ostream& out, bool enabled) : m_out(out), m_enabled(enabled) {}

    bool Enabled() const { return m_enabled; }
    void At(const std::string& scriptName, int line)
    {
        m_scriptName = scriptName;
        m_line = line;
    }
    void Print(const std::string& what) const;

    // Remembers a password box's text, so that it stays masked after the box has gone.
    void KeepSecret(const std::string& secret);
    // Remembers what the password boxes hold now (once a step is over: never half typed).
    void KeepPasswordsInBoxes();
    std::string Mask(const std::string& text) const;

private:
    std::ostream& m_out;
    bool m_enabled;
    std::string m_scriptName;
    int m_line = 0;
    std::vector<std::string> m_secrets;
};

// The store file a script works on. Without a path: a new demo store in a new temporary folder,
// removed with this object; with one: that file, which must exist.
class StoreFile {
public:
    explicit StoreFile(const std::optional<std::string>& path);
    ~StoreFile();
    StoreFile(const StoreFile&) = delete;
    StoreFile& operator=(const StoreFile&) = delete;

    std::shared_ptr<store::Database> Database() const { return m_database; }

private:
    std::filesystem::path m_folder; // empty for a shop's own store
    std::shared_ptr<store::Database> m_database;
};

// Message boxes take the answers the script queued; only boxes with a choice (more than an OK
// button) take one, so an information box never swallows the answer meant for a question.
class ScriptHost : public platform::HeadlessHost {
public:
    explicit ScriptHost(const Trace& trace) : m_trace(trace) {}

    int32_t ShowMessageBox(const platform::MessageBoxRequest& request) override;
    void RunModal(platform::Form& form) override;
    void ShowPreview(platform::Report& report) override;

    void QueueScriptAnswer(int32_t answer, int line) { m_queued.emplace_back(answer, line); }
    // The answers no question took yet, with the line that queued each.
    const std::deque<std::pair<int32_t, int>>& QueuedAnswers() const { return m_queued; }

private:
    const Trace& m_trace;
    std::deque<std::pair<int32_t, int>> m_queued;
};

// A user object built by the script: answers its keys (case and blanks aside), false otherwise.
class ScriptUser : public platform::Object {
public:
    explicit ScriptUser(const std::vector<std::pair<std::string, bool>>& rights);
    platform::Variant DefaultMember(const platform::Variant& index) override;

private:
    std::map<std::string, bool> m_rights;
};

class Session {
public:
    static constexpr const char* DefaultApplicationName = "Kelo Pet Shop";

    // Registers the store's components, then the host's own services over them.
    Session(std::shared_ptr<store::Database> database, Trace& trace);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Creates the host's menu and work-area windows (once), then the component, hands it the
    // user and the name, and opens the screen: one user action, as the menu entry is.
    void Start();

    store::Database& Store() { return *m_database; }
    Trace& Tracer() { return m_trace; }
    const Trace& Tracer() const { return m_trace; }

    ScriptHost Host;
    std::string ApplicationName = DefaultApplicationName;
    platform::ObjectRef User;
    std::string OperatingSystem = "Linux";
    // Windows darkened by the overlay and not yet cleared.
    std::map<int32_t, bool> Darkened;
    int32_t MenuWindow = 0;
    int32_t WorkArea = 0;

private:
    void RegisterServices();

    std::shared_ptr<store::Database> m_database;
    Trace& m_trace;
};

// "info", "critical", "question", "exclamation" or "no icon": how scripts name a box's icon.
std::string IconName(int32_t icon);

// The text a member's value shows as: true and false for booleans, the runtime's text otherwise.
std::string ValueText(const platform::Variant& value);

} // namespace script
