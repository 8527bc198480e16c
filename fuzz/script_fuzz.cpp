// The scenario-script reader on any text: a script is read whole or refused with a SyntaxError
// naming a line of the text, never anything else; every step it reads sits on a line of the
// text; a quoted token reads back the text that Quote wrote; a whole number reads back its own
// decimal text.
#include "FuzzInput.h"

#include "host/script/Script.h"

#include <algorithm>
#include <functional>

namespace {

void StepsOnTheirLines(const std::vector<script::Step>& steps, int lastLine, int depth = 0)
{
    int previous = 0;
    for (const script::Step& step : steps) {
        fuzz::Require(step.Line > previous && step.Line <= lastLine, "steps stand in line order");
        previous = step.Line;
        StepsOnTheirLines(step.Block, lastLine, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input input(data, size);
    const std::string token(input.Part());
    const std::string text(input.Rest());
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));

    try {
        const script::Script read = script::ParseScript("fuzz.scn", text);
        fuzz::Require(read.LastLine <= lines, "the last line is a line of the text");
        StepsOnTheirLines(read.Steps, read.LastLine);
    } catch (const script::SyntaxError& error) {
        fuzz::Require(error.Line() >= 1 && error.Line() <= lines, "a syntax error names a line",
                      error.what());
    }

    // Quote writes \r, which a script cannot read back: a display form, not a script's.
    if (token.find('\r') == std::string::npos) {
        const auto tokens = script::SplitLine(script::Quote(token), 1);
        fuzz::Require(tokens == std::vector<script::Token>{{token, true}},
                      "a quoted text reads back", token);
    }
    if (const auto number = script::ReadInteger(token))
        fuzz::Require(script::ReadInteger(std::to_string(*number)) == number,
                      "a whole number reads its own text back", token);
    fuzz::Require(script::TextMatches(token, token), "a text matches itself", token);
    return 0;
}
