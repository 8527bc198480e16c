// The command line of kelo-prevendas and the display check, apart from Qt so that both are
// decided before anything graphical is started.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace desktop {

struct Options {
    // The shop's store; empty means the user's own (created with demo data on first run).
    std::string store;
    // For automation: fill the login window and submit it once.
    std::optional<std::string> login;
    std::string password;
    // For automation: save a PNG of the menu window once the pre-sale screen is up, then quit.
    std::string screenshot;
    // For measurements: quit as soon as the login window is on screen.
    bool quitAtLogin = false;
    bool help = false;
};

struct OptionsError {
    std::string message;
};

std::variant<Options, OptionsError> ParseOptions(const std::vector<std::string>& arguments);
std::string Usage();

// Reads an environment variable; nothing when it is unset.
using Environment = std::function<std::optional<std::string>(const char* name)>;
Environment ProcessEnvironment();

// Whether Qt will find somewhere to draw: an X or Wayland display, or a platform plugin that
// needs none (offscreen, minimal, vnc...).
bool DisplayAvailable(const Environment& environment);
inline constexpr const char* NoDisplayMessage =
    "nenhuma tela encontrada: abra o programa numa sessão gráfica, ou com xvfb-run";

// $XDG_DATA_HOME/kelo-prevendas/loja.kelo, with ~/.local/share when XDG_DATA_HOME is unset.
std::string DefaultStorePath(const Environment& environment);

// Makes `folder` and each missing folder above it, each open to its owner only (0700): the
// store inside holds the shop's clients. Folders that exist are left as they are. Throws
// std::filesystem::filesystem_error naming the folder that could not be made.
void CreatePrivateFolders(const std::filesystem::path& folder);

} // namespace desktop
