#include "host/script/Script.h"

#include "platform/Date.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace script {

namespace {

using platform::IsBlank;

char Unescape(char c, int line)
{
    switch (c) {
    case '"':
        return '"';
    case '\\':
        return '\\';
    case 'n':
        return '\n';
    case 't':
        return '\t';
    default:
        throw SyntaxError(line, std::string("unknown escape \\") + c + " (use \\\" \\\\ \\n \\t)");
    }
}

bool IsIdentifier(std::string_view text)
{
    if (text.empty() || (std::isdigit(static_cast<unsigned char>(text[0])) != 0))
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

std::vector<std::string_view> SplitDots(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const auto dot = text.find('.', start);
        parts.push_back(text.substr(start, dot - start));
        if (dot == std::string_view::npos)
            return parts;
        start = dot + 1;
    }
}

// "List[2]" -> "List" and {2}; "TextMatrix[1][3]" -> "TextMatrix" and {1, 3}.
std::string_view ReadIndices(std::string_view part, std::vector<int32_t>& index,
                             const std::string& written, int line)
{
    const auto bracket = part.find('[');
    if (bracket == std::string_view::npos)
        return part;
    std::string_view rest = part.substr(bracket);
    while (!rest.empty()) {
        const auto close = rest.find(']');
        const auto number =
            close == std::string_view::npos ? std::nullopt : ReadInteger(rest.substr(1, close - 1));
        if (rest.front() != '[' || !number)
            throw SyntaxError(line, "bad index in " + written + " (write Member[0] or [1][2])");
        index.push_back(*number);
        rest.remove_prefix(close + 1);
    }
    return part.substr(0, bracket);
}

enum class Arg { Form, Control, Member, Text, Integer, Date, Answer, Icon, Value };

struct Syntax {
    std::string_view Name;
    Command Kind;
    std::vector<Arg> Args;
    std::size_t Optional = 0;
};

const std::vector<Syntax>& Commands()
{
    static const std::vector<Syntax> commands = {
        {"app", Command::App, {Arg::Text}},
        {"login", Command::Login, {Arg::Text, Arg::Text}},
        {"user", Command::User, {}},
        {"today", Command::Today, {Arg::Date}},
        {"os", Command::Os, {Arg::Text}},
        {"start", Command::Start, {}},
        {"find", Command::Find, {Arg::Control, Arg::Text}},
        {"discard", Command::Discard, {Arg::Control}},
        {"choose", Command::Choose, {Arg::Control, Arg::Value}},
        {"click", Command::Click, {Arg::Control}},
        {"type", Command::Type, {Arg::Control, Arg::Text}},
        {"key", Command::Key, {Arg::Control, Arg::Integer, Arg::Integer}, 1},
        {"focus", Command::Focus, {Arg::Control}},
        {"leave", Command::Leave, {Arg::Control}},
        {"row", Command::Row, {Arg::Control, Arg::Integer}},
        {"dblclick", Command::DblClick, {Arg::Control, Arg::Integer}},
        {"rightclick", Command::RightClick, {Arg::Control, Arg::Integer}},
        {"wheel", Command::Wheel, {Arg::Control, Arg::Integer}},
        {"resize", Command::Resize, {Arg::Form, Arg::Integer, Arg::Integer}},
        {"set", Command::Set, {Arg::Member, Arg::Value}},
        {"answer", Command::Answer, {Arg::Answer}},
        {"modal", Command::Modal, {Arg::Form}},
        {"close", Command::Close, {Arg::Form}},
        {"save-pdf", Command::SavePdf, {Arg::Text}},
        {"expect", Command::Expect, {Arg::Member, Arg::Value}},
        {"expect-message", Command::ExpectMessage, {Arg::Text, Arg::Icon}, 1},
        {"expect-no-message", Command::ExpectNoMessage, {}},
        {"expect-error", Command::ExpectError, {Arg::Integer, Arg::Text}},
        {"expect-no-error", Command::ExpectNoError, {}},
        {"expect-modal", Command::ExpectModal, {Arg::Form}},
        {"expect-stored", Command::ExpectStored, {Arg::Integer}},
        {"expect-rows", Command::ExpectRows, {Arg::Control, Arg::Integer}},
        {"expect-focus", Command::ExpectFocus, {Arg::Control}},
        {"expect-login-refused", Command::ExpectLoginRefused, {Arg::Text, Arg::Text}},
    };
    return commands;
}

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

Path ReadPath(const Token& token, Arg kind, int line)
{
    const std::string& written = token.Text;
    const char* shape = kind == Arg::Form      ? "a form's name (frmPreVendas)"
                        : kind == Arg::Control ? "a control (frmPreVendas.qvcmdAdicionar)"
                                               : "a member (frmPreVendas.qvfCodigoDoCliente.Text)";
    auto parts = token.Quoted ? std::vector<std::string_view>{} : SplitDots(written);
    const std::size_t wanted = kind == Arg::Form ? 1 : kind == Arg::Control ? 2 : 0;
    const bool countFits =
        wanted != 0 ? parts.size() == wanted : (parts.size() == 2 || parts.size() == 3);
    if (!countFits)
        throw SyntaxError(line, "expected " + std::string(shape) + ", got " + Quote(written));
    Path path;
    if (kind == Arg::Member)
        parts.back() = ReadIndices(parts.back(), path.Index, written, line);
    for (const auto part : parts) {
        if (!IsIdentifier(part))
            throw SyntaxError(line, "expected " + std::string(shape) + ", got " + Quote(written));
    }
    path.Form = parts[0];
    if (kind == Arg::Control)
        path.Control = parts[1];
    if (kind == Arg::Member) {
        path.Member = parts.back();
        if (parts.size() == 3)
            path.Control = parts[1];
    }
    return path;
}

void CheckArgument(const Token& token, Arg kind, int line)
{
    switch (kind) {
    case Arg::Integer:
        if (token.Quoted || !ReadInteger(token.Text))
            throw SyntaxError(line, "expected a whole number, got " + Quote(token.Text));
        return;
    case Arg::Date:
        if (!platform::Date::Parse(token.Text))
            throw SyntaxError(line, "expected a date DD/MM/YYYY, got " + Quote(token.Text));
        return;
    case Arg::Answer:
        if (!IsOneOf(token.Text, {"yes", "no", "ok", "cancel", "abort", "retry", "ignore"}))
            throw SyntaxError(line, "expected yes, no, ok or cancel, got " + Quote(token.Text));
        return;
    case Arg::Icon:
        if (!IsOneOf(token.Text, {"info", "critical", "question", "exclamation"}))
            throw SyntaxError(line,
                              "expected info, critical or question, got " + Quote(token.Text));
        return;
    default:
        return;
    }
}

void ReadRights(Step& step, const std::vector<Token>& tokens)
{
    if (tokens.size() < 2)
        throw SyntaxError(step.Line, "user needs at least one KEY=true or KEY=false");
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        const std::string& text = tokens[i].Text;
        const auto equals = text.find('=');
        const std::string key = text.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : text.substr(equals + 1);
        if (key.empty() || (value != "true" && value != "false"))
            throw SyntaxError(step.Line, "expected KEY=true or KEY=false, got " + Quote(text));
        step.Rights.emplace_back(key, value == "true");
    }
}

Step ReadStep(const std::vector<Token>& tokens, int line)
{
    const Token& word = tokens.front();
    const auto& commands = Commands();
    const auto syntax = std::find_if(commands.begin(), commands.end(), [&](const Syntax& s) {
        return !word.Quoted && s.Name == word.Text;
    });
    if (syntax == commands.end())
        throw SyntaxError(line, "unknown command " + Quote(word.Text));

    Step step;
    step.Kind = syntax->Kind;
    step.Line = line;
    step.Name = word.Text;
    if (step.Kind == Command::User) {
        ReadRights(step, tokens);
        return step;
    }
    const std::size_t given = tokens.size() - 1;
    const std::size_t most = syntax->Args.size();
    const std::size_t least = most - syntax->Optional;
    if (given < least || given > most) {
        const std::string count = least == most
                                      ? std::to_string(most)
                                      : std::to_string(least) + " or " + std::to_string(most);
        throw SyntaxError(line, step.Name + " takes " + count + " argument" +
                                    (most == 1 && least == most ? "" : "s") + ", got " +
                                    std::to_string(given));
    }
    for (std::size_t i = 0; i < given; ++i) {
        const Token& token = tokens[i + 1];
        const Arg kind = syntax->Args[i];
        if (kind == Arg::Form || kind == Arg::Control || kind == Arg::Member) {
            step.Target = ReadPath(token, kind, line);
            continue;
        }
        CheckArgument(token, kind, line);
        step.Arguments.push_back(token);
    }
    return step;
}

struct Line {
    int Number;
    std::vector<Token> Tokens;
};

// Reads steps up to the `end` of an open `modal` block (inside one) or the end of the script.
std::vector<Step> ReadBlock(const std::vector<Line>& lines, std::size_t& next, const Step* modal)
{
    std::vector<Step> steps;
    while (next < lines.size()) {
        const Line& line = lines[next++];
        const Token& word = line.Tokens.front();
        if (!word.Quoted && word.Text == "end") {
            if (!modal)
                throw SyntaxError(line.Number, "end without a modal block");
            if (line.Tokens.size() > 1)
                throw SyntaxError(line.Number, "end takes no arguments");
            return steps;
        }
        Step step = ReadStep(line.Tokens, line.Number);
        if (step.Kind == Command::Modal)
            step.Block = ReadBlock(lines, next, &step);
        steps.push_back(std::move(step));
    }
    if (modal)
        throw SyntaxError(modal->Line, "modal " + modal->Target.Form + " has no end");
    return steps;
}

} // namespace

std::vector<Token> SplitLine(std::string_view text, int line)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == '#')
            break;
        Token token;
        if (text[i] == '"') {
            token.Quoted = true;
            ++i;
            for (;;) {
                if (i >= text.size())
                    throw SyntaxError(line, "a quoted text has no closing quote");
                const char c = text[i++];
                if (c == '"')
                    break;
                if (c == '\\') {
                    if (i >= text.size())
                        throw SyntaxError(line, "a quoted text has no closing quote");
                    token.Text += Unescape(text[i++], line);
                } else {
                    token.Text += c;
                }
            }
            if (i < text.size() && !IsBlank(text[i]) && text[i] != '#')
                throw SyntaxError(line, "a closing quote must be followed by a blank");
        } else {
            while (i < text.size() && !IsBlank(text[i]) && text[i] != '#') {
                if (text[i] == '"')
                    throw SyntaxError(line, "a quote inside a word: quote the whole text");
                token.Text += text[i++];
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

std::string Path::ToText() const
{
    std::string text = Form;
    if (!Control.empty())
        text += "." + Control;
    if (!Member.empty())
        text += "." + Member;
    for (const int32_t i : Index)
        text += "[" + std::to_string(i) + "]";
    return text;
}

Script ParseScript(std::string name, std::string_view text)
{
    // A byte-order mark is what some editors put before the first line.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<Line> lines;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        std::string_view line = text.substr(start, end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        ++number;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        auto tokens = SplitLine(line, number);
        if (!tokens.empty())
            lines.push_back({number, std::move(tokens)});
    }
    Script script;
    script.Name = std::move(name);
    script.LastLine = std::max(number, 1);
    std::size_t next = 0;
    script.Steps = ReadBlock(lines, next, nullptr);
    return script;
}

bool TextMatches(std::string_view expected, std::string_view actual)
{
    std::size_t a = 0;
    for (const char c : expected) {
        if (c == '\n' && actual.substr(a).starts_with("\r\n"))
            ++a;
        if (a >= actual.size() || actual[a] != c)
            return false;
        ++a;
    }
    return a == actual.size();
}

std::string Quote(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\t':
            quoted += "\\t";
            break;
        case '\r':
            quoted += "\\r";
            break;
        default:
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::optional<int32_t> ReadInteger(std::string_view text)
{
    if (text.starts_with('+') && !text.starts_with("+-"))
        text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace script
