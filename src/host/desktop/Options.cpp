#include "host/desktop/Options.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace desktop {

namespace {

bool IsSet(const Environment& environment, const char* name)
{
    const auto value = environment(name);
    return value && !value->empty();
}

} // namespace

std::variant<Options, OptionsError> ParseOptions(const std::vector<std::string>& arguments)
{
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&](std::string& target) -> bool {
            if (i + 1 >= arguments.size())
                return false;
            target = arguments[++i];
            return true;
        };
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--store") {
            if (!value(options.store) || options.store.empty())
                return OptionsError{"--store precisa de um arquivo ou de um endereço PostgreSQL"};
        } else if (argument == "--login") {
            std::string name;
            if (!value(name))
                return OptionsError{"--login precisa de um nome de usuário"};
            options.login = name;
        } else if (argument == "--password") {
            if (!value(options.password))
                return OptionsError{"--password precisa de uma senha"};
        } else if (argument == "--screenshot") {
            if (!value(options.screenshot) || options.screenshot.empty())
                return OptionsError{"--screenshot precisa de um arquivo"};
        } else if (argument == "--quit-at-login") {
            options.quitAtLogin = true;
        } else {
            return OptionsError{"argumento desconhecido: " + argument};
        }
    }
    if (!options.screenshot.empty() && !options.login)
        return OptionsError{"--screenshot precisa de --login e --password"};
    return options;
}

std::string Usage()
{
    return "uso: kelo-prevendas [--store ARQUIVO]\n"
           "  --store ARQUIVO     a loja (padrão: $XDG_DATA_HOME/kelo-prevendas/loja.kelo,\n"
           "                      criada com dados de demonstração na primeira vez), ou um\n"
           "                      endereço PostgreSQL (postgresql://USUARIO@SERVIDOR/BANCO)\n"
           "Para automação e medições:\n"
           "  --login USUARIO --password SENHA   preenche e envia a janela de entrada\n"
           "  --screenshot ARQUIVO.png           depois da entrada, salva a janela com a "
           "pré-venda e sai\n"
           "  --quit-at-login                    sai assim que a janela de entrada aparece\n";
}

Environment ProcessEnvironment()
{
    return [](const char* name) -> std::optional<std::string> {
        if (const char* value = std::getenv(name))
            return std::string(value);
        return std::nullopt;
    };
}

bool DisplayAvailable(const Environment& environment)
{
    const auto platform = environment("QT_QPA_PLATFORM");
    if (!platform || platform->empty())
        return IsSet(environment, "DISPLAY") || IsSet(environment, "WAYLAND_DISPLAY");
    // A list such as "wayland;xcb" starts with the first entry that works; an entry may carry
    // options after a colon ("offscreen:fontengine=freetype").
    std::size_t start = 0;
    while (start <= platform->size()) {
        const std::size_t end = std::min(platform->find(';', start), platform->size());
        std::string entry = platform->substr(start, end - start);
        entry = entry.substr(0, entry.find(':'));
        if (entry == "xcb") {
            if (IsSet(environment, "DISPLAY"))
                return true;
        } else if (entry.starts_with("wayland")) {
            if (IsSet(environment, "WAYLAND_DISPLAY"))
                return true;
        } else if (!entry.empty()) {
            return true; // offscreen, minimal, vnc, eglfs, linuxfb: no display server needed
        }
        start = end + 1;
    }
    return false;
}

std::string DefaultStorePath(const Environment& environment)
{
    const std::string store = "/kelo-prevendas/loja.kelo";
    if (const auto data = environment("XDG_DATA_HOME"); data && !data->empty())
        return *data + store;
    if (const auto home = environment("HOME"); home && !home->empty())
        return *home + "/.local/share" + store;
    return std::filesystem::current_path().string() + store;
}

void CreatePrivateFolders(const std::filesystem::path& folder)
{
    if (folder.empty() || std::filesystem::is_directory(folder))
        return;
    CreatePrivateFolders(folder.parent_path());
    // mkdir, not create_directories: the mode is given at birth, so there is no moment in which
    // another user could open it.
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw std::filesystem::filesystem_error("cannot create the folder", folder,
                                                std::error_code(errno, std::generic_category()));
}

} // namespace desktop
