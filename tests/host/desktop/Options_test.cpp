#include "host/desktop/Options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <sys/wait.h>
#include <tuple>

namespace desktop {
namespace {

Environment Fake(std::map<std::string, std::string> variables)
{
    return [variables](const char* name) -> std::optional<std::string> {
        auto it = variables.find(name);
        if (it == variables.end())
            return std::nullopt;
        return it->second;
    };
}

TEST(Options_Parsing, ReadsEveryOption)
{
    const auto parsed = ParseOptions({"--store", "/tmp/loja.kelo", "--login", "admin", "--password",
                                      "segredo", "--screenshot", "tela.png"});
    ASSERT_TRUE(std::holds_alternative<Options>(parsed));
    const auto& o = std::get<Options>(parsed);
    EXPECT_EQ(std::tie(o.store, o.login, o.password, o.screenshot, o.quitAtLogin),
              std::tuple("/tmp/loja.kelo", "admin", "segredo", "tela.png", false));
}

TEST(Options_Parsing, RefusesWhatItCannotUse)
{
    const std::vector<std::vector<std::string>> refused{
        {"--store"}, {"--store", ""},
        {"--login"}, {"--screenshot", "x.png"}, // nobody to log in with
        {"--bogus"}, {"loja.kelo"},
    };
    for (const auto& arguments : refused) {
        const auto parsed = ParseOptions(arguments);
        EXPECT_TRUE(std::holds_alternative<OptionsError>(parsed)) << arguments.front();
    }
}

TEST(Options_Display, DecidesBeforeQtStarts)
{
    struct Row {
        std::map<std::string, std::string> environment;
        bool available;
    };
    const std::vector<Row> rows{
        {{}, false},
        {{{"DISPLAY", ""}}, false},
        {{{"DISPLAY", ":0"}}, true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, true},
        {{{"QT_QPA_PLATFORM", "minimal"}}, true},
        {{{"QT_QPA_PLATFORM", "offscreen:fontengine=freetype"}}, true},
        {{{"QT_QPA_PLATFORM", "xcb"}}, false},
        {{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, true},
        {{{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":1"}}, false},
    };
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(DisplayAvailable(Fake(rows[i].environment)), rows[i].available) << "row " << i;
}

TEST(Options_Store, DefaultsToTheUsersDataFolder)
{
    EXPECT_EQ(DefaultStorePath(Fake({{"XDG_DATA_HOME", "/dados"}, {"HOME", "/home/ana"}})),
              "/dados/kelo-prevendas/loja.kelo");
    EXPECT_EQ(DefaultStorePath(Fake({{"HOME", "/home/ana"}})),
              "/home/ana/.local/share/kelo-prevendas/loja.kelo");
}

// The program itself, without any display: the message and exit 2, before Qt is touched.
TEST(Program_NoDisplay, SaysSoAndExitsWith2)
{
    const std::string command =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
        KELO_PREVENDAS_BINARY + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(output, std::string(NoDisplayMessage) + "\n");
}

} // namespace
} // namespace desktop
