#include "host/script/Script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace script {
namespace {

std::vector<Token> Tokens(std::initializer_list<std::pair<const char*, bool>> tokens)
{
    std::vector<Token> result;
    for (const auto& [text, quoted] : tokens)
        result.push_back({text, quoted});
    return result;
}

struct SplitCase {
    const char* Line;
    std::vector<Token> Expected;
};

TEST(Script_Lexer, SplitsWordsQuotesEscapesAndComments)
{
    const std::vector<SplitCase> cases = {
        {"find frmA.qvfB \"Ana Paula\"",
         Tokens({{"find", false}, {"frmA.qvfB", false}, {"Ana Paula", true}})},
        {"\tclick  frmA.b\t", Tokens({{"click", false}, {"frmA.b", false}})},
        {R"(app "a\"b\\c\nd\te")", Tokens({{"app", false}, {"a\"b\\c\nd\te", true}})},
        {"click frmA.b # the \"add\" button", Tokens({{"click", false}, {"frmA.b", false}})},
        {"app \"# not a comment\"#but this is",
         Tokens({{"app", false}, {"# not a comment", true}})},
        {"app \"\"", Tokens({{"app", false}, {"", true}})},
        {"   # only a comment", {}},
        {"", {}},
        {"type frmA.b \"José\"", Tokens({{"type", false}, {"frmA.b", false}, {"José", true}})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLine(c.Line, 1), c.Expected) << c.Line;
}

struct BadScript {
    const char* Text;
    int Line;
    const char* Message;
};

// Broken quotes and escapes too: the lexer's refusals carry their line.
TEST(Script_Parser, RefusesAScriptThatCannotBeReadWithItsLine)
{
    const std::vector<BadScript> cases = {
        {"start\n\n# comment\nfrobnicate frmA.b\n", 4, "unknown command \"frobnicate\""},
        {"\"start\"\n", 1, "unknown command"},
        {"start now\n", 1, "start takes 0 arguments, got 1"},
        {"login admin\n", 1, "login takes 2 arguments, got 1"},
        {"expect-message \"a\" info extra\n", 1, "takes 1 or 2 arguments, got 3"},
        {"start\nexpect frmA true\n", 2, "expected a member"},
        {"expect frmA.b.c.d 1\n", 1, "expected a member"},
        {"click frmA.b.c\n", 1, "expected a control"},
        {"click \"frmA.b\"\n", 1, "expected a control"},
        {"modal frmA.b\nend\n", 1, "expected a form's name"},
        {"expect frmA.b.List[x] 1\n", 1, "bad index"},
        {"expect frmA.b.List[1 1\n", 1, "bad index"},
        {"expect frmA.b.1List 1\n", 1, "expected a member"},
        {"row frmA.g two\n", 1, "expected a whole number"},
        {"row frmA.g \"2\"\n", 1, "expected a whole number"},
        {"today 31/02/2026\n", 1, "expected a date"},
        {"answer maybe\n", 1, "expected yes, no"},
        {"expect-message \"a\" loud\n", 1, "expected info, critical"},
        {"user Administrador\n", 1, "expected KEY=true or KEY=false"},
        {"user Administrador=sim\n", 1, "expected KEY=true or KEY=false"},
        {"user\n", 1, "at least one"},
        {"start\nend\n", 2, "end without a modal block"},
        {"start\nmodal frmA\nclick frmA.b\n", 2, "modal frmA has no end"},
        {"modal frmA\nmodal frmB\nend\n", 1, "modal frmA has no end"},
        {"modal frmA\nend now\n", 2, "end takes no arguments"},
        {"start\r\napp \"x\r\n", 2, "no closing quote"},
        {"app \"unterminated\n", 1, "no closing quote"},
        {"app \"ends in a backslash\\", 1, "no closing quote"},
        {"app \"bad \\q escape\"\n", 1, "unknown escape \\q"},
        {"app abc\"def\"\n", 1, "quote inside a word"},
        {"app \"abc\"def\n", 1, "followed by a blank"},
    };
    for (const auto& c : cases) {
        try {
            ParseScript("t.scn", c.Text);
            ADD_FAILURE() << c.Text << " was accepted";
        } catch (const SyntaxError& error) {
            EXPECT_EQ(error.Line(), c.Line) << c.Text;
            EXPECT_NE(std::string(error.what()).find(c.Message), std::string::npos)
                << c.Text << ": " << error.what();
        }
    }
}

TEST(Script_Parser, ReadsPathsIntoFormControlMemberAndIndices)
{
    const Script script = ParseScript("t.scn", "expect frmA.msfgGrade.TextMatrix[1][-2] \"x\"\n"
                                               "expect frmA.Caption x\n"
                                               "click frmA.qvcmdB\n"
                                               "close frmA\n");
    ASSERT_EQ(script.Steps.size(), 4U);
    const Path& cell = script.Steps[0].Target;
    EXPECT_EQ(cell.Form, "frmA");
    EXPECT_EQ(cell.Control, "msfgGrade");
    EXPECT_EQ(cell.Member, "TextMatrix");
    EXPECT_EQ(cell.Index, (std::vector<int32_t>{1, -2}));
    EXPECT_EQ(script.Steps[0].Arguments, Tokens({{"x", true}}));

    const Path& caption = script.Steps[1].Target;
    EXPECT_EQ(caption.Control, "");
    EXPECT_EQ(caption.Member, "Caption");
    EXPECT_EQ(script.Steps[2].Target.ToText(), "frmA.qvcmdB");
    EXPECT_EQ(script.Steps[3].Target.ToText(), "frmA");
}

TEST(Script_Parser, KeepsLineNumbersAcrossCrLfCommentsAndModalBlocks)
{
    const Script script = ParseScript("t.scn", "\xEF\xBB\xBF# setup\r\n"
                                               "user Administrador=true Outro=false\r\n"
                                               "\r\n"
                                               "modal frmA\r\n"
                                               "  modal frmB\r\n"
                                               "    close frmB\r\n"
                                               "  end\r\n"
                                               "  close frmA\r\n"
                                               "end\r\n"
                                               "start\r\n");
    ASSERT_EQ(script.Steps.size(), 3U);
    EXPECT_EQ(script.Steps[0].Line, 2);
    EXPECT_EQ(script.Steps[0].Rights, (std::vector<std::pair<std::string, bool>>{
                                          {"Administrador", true}, {"Outro", false}}));
    const Step& outer = script.Steps[1];
    EXPECT_EQ(outer.Line, 4);
    ASSERT_EQ(outer.Block.size(), 2U);
    EXPECT_EQ(outer.Block[0].Kind, Command::Modal);
    ASSERT_EQ(outer.Block[0].Block.size(), 1U);
    EXPECT_EQ(outer.Block[0].Block[0].Line, 6);
    EXPECT_EQ(outer.Block[1].Line, 8);
    EXPECT_EQ(script.Steps[2].Kind, Command::Start);
    EXPECT_EQ(script.Steps[2].Line, 10);
    EXPECT_EQ(script.LastLine, 10);
}

TEST(Script_TextMatches, LineBreakMatchesLfOrCrLfAndNothingElseIsLoose)
{
    const std::vector<std::tuple<const char*, const char*, bool>> cases = {
        {"a\nb", "a\nb", true},  {"a\nb", "a\r\nb", true},
        {"a\n", "a\r\n", true},  {"a\nb\nc", "a\r\nb\nc", true},
        {"a\nb", "a\rb", false}, {"a\nb", "ab", false},
        {"ab", "abc", false},    {"abc", "ab", false},
        {"a", "a\r\n", false},   {"", "", true},
        {"Ação", "AÇÃO", false},
    };
    for (const auto& [expected, actual, matches] : cases)
        EXPECT_EQ(TextMatches(expected, actual), matches)
            << Quote(expected) << " " << Quote(actual);
}

TEST(Script_ReadInteger, AcceptsSignedWholeNumbersOnly)
{
    const std::vector<std::pair<const char*, std::optional<int32_t>>> cases = {
        {"12", 12},
        {"+1", 1},
        {"-1", -1},
        {"0", 0},
        {"+-1", std::nullopt},
        {"1.5", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"1a", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ReadInteger(text), expected) << text;
}

TEST(Script_Quote, WritesTextsBackInScriptEscapes)
{
    EXPECT_EQ(Quote("a\"b\\c\nd\te\r"), R"("a\"b\\c\nd\te\r")");
}

} // namespace
} // namespace script
