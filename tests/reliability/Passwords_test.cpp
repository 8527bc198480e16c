// The scenario runner traced from outside, as support runs it: a login and the authorisation
// dialog's passwords, a wrong one and the right one, never appear in what it prints, whether the
// run passes or fails on the password box itself.
#include "Programs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace reliability {
namespace {

TEST(TracedPasswords, NeverAppearInTheRunnersOutput)
{
    struct Run {
        const char* label;
        std::string script;
        int exit;
    };
    // The attendant, the supervisor's wrong password, then the right one; the second run fails
    // on the password box, whose text the failure would quote.
    const std::string scenario =
        ReadFile(std::filesystem::path(KELO_SCENARIOS) / "discount-authorisation.scn");
    ASSERT_NE(scenario.find("Text \"admin123\""), std::string::npos);
    std::string failing = scenario;
    failing.replace(failing.find("Text \"admin123\""), 15, "Text \"admin12\"");
    for (const Run& run : {Run{"passing", scenario, 0}, Run{"failing", failing, 1}}) {
        TempDir dir;
        WriteFile(dir.Path() / "senhas.scn", run.script);
        const Ran ran =
            RunProgram(KELO_SCRIPT_RUNNER, {"--trace", (dir.Path() / "senhas.scn").string()});
        ASSERT_EQ(ran.exit, run.exit) << run.label << ":\n" << ran.output;
        EXPECT_NE(ran.output.find("clsLogin.Autenticar -> 2"), std::string::npos) << ran.output;
        for (const char* password : {"atendente123", "Chute-31", "Errada-77", "admin12"})
            EXPECT_EQ(ran.output.find(password), std::string::npos)
                << run.label << ": " << password << " shown in\n"
                << ran.output;
    }
}

} // namespace
} // namespace reliability
