// A scenario script read into commands: the lexical rules (one command a line, blanks between
// tokens, double-quoted texts with \" \\ \n \t escapes, # comments outside quotes), the paths
// (Form.control.Member[i][j]) and every command's arguments are checked here, so a script that
// cannot be read is refused whole, with its line, before anything runs.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace script {

// A script that cannot be read: what is wrong and on which line (1-based).
class SyntaxError : public std::runtime_error {
public:
    SyntaxError(int line, const std::string& message) : std::runtime_error(message), m_line(line) {}
    int Line() const { return m_line; }

private:
    int m_line;
};

struct Token {
    std::string Text;
    // Written in double quotes: always a text, never a number, a word or a path.
    bool Quoted = false;

    bool operator==(const Token&) const = default;
};

// The tokens of one line, comment dropped. Throws SyntaxError (with `line`) for an unterminated
// quote, an unknown escape or a quote glued to other characters.
std::vector<Token> SplitLine(std::string_view text, int line);

// A member of a control (Form.control.Member) or of the form itself (Form.Member), with its
// indices; or a control (Form.control); or a form alone.
struct Path {
    std::string Form;
    std::string Control; // empty: the form itself
    std::string Member;  // empty: the control itself
    std::vector<int32_t> Index;

    // As written in the script.
    std::string ToText() const;
};

enum class Command {
    App,
    Login,
    User,
    Today,
    Os,
    Start,
    Find,
    Discard,
    Choose,
    Click,
    Type,
    Key,
    Focus,
    Leave,
    Row,
    DblClick,
    RightClick,
    Wheel,
    Resize,
    Set,
    Answer,
    Modal,
    Close,
    SavePdf,
    Expect,
    ExpectMessage,
    ExpectNoMessage,
    ExpectError,
    ExpectNoError,
    ExpectModal,
    ExpectStored,
    ExpectRows,
    ExpectFocus,
    ExpectLoginRefused,
};

struct Step {
    Command Kind{};
    int Line = 0;
    // The command's own word, for messages.
    std::string Name;
    // The path argument, when the command takes one (a form alone fills Form only).
    Path Target;
    // The other arguments in order, as written (texts unescaped).
    std::vector<Token> Arguments;
    // `user`: the keys and their values.
    std::vector<std::pair<std::string, bool>> Rights;
    // `modal`: the block's steps, up to its `end`.
    std::vector<Step> Block;
};

struct Script {
    std::string Name; // as given on the command line: the prefix of every message
    std::vector<Step> Steps;
    int LastLine = 0;
};

// Reads a whole script; a line ending in CR LF reads as one ending in LF. Throws SyntaxError.
Script ParseScript(std::string name, std::string_view text);

// An expected text against what the screen shows: exact, except that a line break in the
// expected text also matches CR LF.
bool TextMatches(std::string_view expected, std::string_view actual);

// A text as a script writes it: quoted, with its escapes, so invisible differences show.
std::string Quote(std::string_view text);

// A whole number of the script ("12", "-1", "+1"); nothing for any other text.
std::optional<int32_t> ReadInteger(std::string_view text);

} // namespace script
