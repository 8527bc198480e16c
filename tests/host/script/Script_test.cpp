#include "host/script/Script.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace script {
namespace {

// A line's tokens as the script would write them: bare words as they are, quoted ones quoted.
std::string Written(const std::vector<Token>& tokens)
{
    std::string text;
    for (const Token& token : tokens)
        text += (text.empty() ? "" : " ") + (token.Quoted ? Quote(token.Text) : token.Text);
    return text;
}

TEST(Script_Lexer, SplitsWordsQuotesEscapesAndComments)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"find frmA.qvfB \"Ana Paula\"", "find frmA.qvfB \"Ana Paula\""},
        {"\tclick  frmA.b\t", "click frmA.b"},
        {R"(app "a\"b\\c\nd\te")", R"(app "a\"b\\c\nd\te")"},
        {"click frmA.b # the \"add\" button", "click frmA.b"},
        {"app \"# not a comment\"#but this is", "app \"# not a comment\""},
        {"app \"\"", "app \"\""},
        {"   # only a comment", ""},
        {"", ""},
        {"type frmA.b \"José\"", "type frmA.b \"José\""},
    };
    for (const auto& [line, tokens] : cases)
        EXPECT_EQ(Written(SplitLine(line, 1)), tokens) << line;
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

// Each step as "line:target args", a modal block's steps in brackets after it.
std::string Outline(const std::vector<Step>& steps)
{
    std::string text;
    for (const Step& step : steps) {
        text += std::to_string(step.Line) + ":" + step.Target.ToText();
        for (const Token& argument : step.Arguments)
            text += " " + (argument.Quoted ? Quote(argument.Text) : argument.Text);
        for (const auto& [right, granted] : step.Rights)
            text += " " + right + "=" + (granted ? "true" : "false");
        if (!step.Block.empty())
            text += "[" + Outline(step.Block) + "]";
        text += ";";
    }
    return text;
}

TEST(Script_Parser, ReadsPathsAndKeepsLinesAcrossCrLfCommentsAndModalBlocks)
{
    const Script script = ParseScript("t.scn", "\xEF\xBB\xBF# setup\r\n"
                                               "user Administrador=true Outro=false\r\n"
                                               "\r\n"
                                               "modal frmA\r\n"
                                               "  modal frmB\r\n"
                                               "    close frmB\r\n"
                                               "  end\r\n"
                                               "  click frmA.qvcmdB\r\n"
                                               "end\r\n"
                                               "expect frmA.msfgGrade.TextMatrix[1][-2] \"x\"\n"
                                               "expect frmA.Caption x\n");
    EXPECT_EQ(Outline(script.Steps), "2: Administrador=true Outro=false;4:frmA[5:frmB[6:frmB;];8:"
                                     "frmA.qvcmdB;];10:frmA.msfgGrade.TextMatrix[1][-2] \"x\";"
                                     "11:frmA.Caption x;");
    EXPECT_EQ(script.LastLine, 11);
    ASSERT_EQ(script.Steps.size(), 4U);
    EXPECT_EQ(script.Steps[1].Block[0].Kind, Command::Modal);
    const Path& cell = script.Steps[2].Target;
    EXPECT_EQ(std::tie(cell.Form, cell.Control, cell.Member),
              std::tie("frmA", "msfgGrade", "TextMatrix"));
    EXPECT_EQ(script.Steps[3].Target.Control, "");
    EXPECT_EQ(script.Steps[3].Target.Member, "Caption");
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
    for (const auto& [text, value] : {std::pair{"12", 12}, {"+1", 1}, {"-1", -1}, {"0", 0}})
        EXPECT_EQ(ReadInteger(text), value) << text;
    for (const char* text : {"+-1", "1.5", "", "+", "1a", "99999999999"})
        EXPECT_EQ(ReadInteger(text), std::nullopt) << text;
}

TEST(Script_Quote, WritesTextsBackInScriptEscapes)
{
    EXPECT_EQ(Quote("a\"b\\c\nd\te\r"), R"("a\"b\\c\nd\te\r")");
}

} // namespace
} // namespace script
