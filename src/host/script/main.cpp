// kelo-prevendas-script [--store FILE] [--trace] SCRIPT...: plays scenario scripts against the
// pre-sale screen, headless. Every script is read before any runs; each then runs in a session
// of its own (a fresh demo store each, unless --store), and the first failure ends the run.
// Exit 0: every expectation held; 1: one did not; 2: a script or the store cannot be used.
#include "host/script/Runner.h"
#include "host/script/Script.h"
#include "host/script/Session.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitUnusable = 2;

constexpr const char* Usage =
    "usage: kelo-prevendas-script [--store FILE] [--trace] SCRIPT...\n"
    "  --store FILE  work on that store (default: a fresh demo store, removed at the end)\n"
    "  --trace       print every message box, error report, modal dialog and store call\n";

struct Options {
    std::optional<std::string> Store;
    bool Trace = false;
    std::vector<std::string> Scripts;
};

std::optional<Options> ReadOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--trace") {
            options.Trace = true;
        } else if (argument == "--store" && i + 1 < argc) {
            options.Store = argv[++i];
        } else if (argument.starts_with("--")) {
            return std::nullopt;
        } else {
            options.Scripts.push_back(argument);
        }
    }
    if (options.Scripts.empty())
        return std::nullopt;
    return options;
}

std::optional<script::Script> ReadScript(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    if (!file) {
        std::cerr << name << ": cannot open the script\n";
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    try {
        return script::ParseScript(name, text.str());
    } catch (const script::SyntaxError& error) {
        std::cerr << name << ':' << error.Line() << ": " << error.what() << '\n';
        return std::nullopt;
    }
}

int RunScript(const script::Script& script, const Options& options)
{
    std::optional<script::StoreFile> store;
    try {
        store.emplace(options.Store);
    } catch (const std::exception& error) {
        std::cerr << "kelo-prevendas-script: " << error.what() << '\n';
        return ExitUnusable;
    }
    script::Trace trace(std::cout, options.Trace);
    script::Session session(store->Database(), trace);
    try {
        script::Runner(session, script).Run();
    } catch (const script::Failure& failure) {
        std::cout.flush();
        std::cerr << script.Name << ':' << failure.Line << ": " << failure.Message << '\n';
        return ExitFailed;
    }
    std::cout << script.Name << ": ok\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const auto options = ReadOptions(argc, argv);
    if (!options) {
        std::cerr << Usage;
        return ExitUnusable;
    }
    std::vector<script::Script> scripts;
    for (const auto& name : options->Scripts) {
        auto script = ReadScript(name);
        if (!script)
            return ExitUnusable;
        scripts.push_back(std::move(*script));
    }
    for (const auto& script : scripts) {
        if (const int code = RunScript(script, *options); code != 0)
            return code;
    }
    return 0;
}
