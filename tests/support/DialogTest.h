// A dialog of the screen shown headless over fake components, and what the user was told:
//   class ClientSearch : public support::DialogTest { ... };   // host, fakes, Messages(),
//   Reports()
#pragma once

#include "platform/HeadlessHost.h"
#include "support/FakeComponents.h"
#include "support/RecordsetBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace support {

// What the user was told, prompt by prompt.
inline std::vector<std::string> Prompts(const platform::HeadlessHost& host)
{
    std::vector<std::string> prompts;
    for (const auto& box : host.MessageBoxes())
        prompts.push_back(box.Prompt);
    return prompts;
}

// One message, or none for nullptr.
inline std::vector<std::string> Said(const char* message)
{
    return message ? std::vector<std::string>{message} : std::vector<std::string>{};
}

// Values as the screen shows them, joined by " | ": one comparison of a whole state.
template <class... Values>
std::string Join(const Values&... values)
{
    std::string all;
    const char* separator = "";
    ((all += separator + platform::Variant(values).AsString(), separator = " | "), ...);
    return all;
}

// The error reports as "number @ location", one a line.
inline std::string ReportLines(const FakeErrorMessages& messages)
{
    std::string all;
    for (const auto& report : messages.Reports())
        all += std::to_string(report.Numero.AsLong()) + " @ " + report.Local.AsString() + "\n";
    return all;
}

class DialogTest : public ::testing::Test {
protected:
    DialogTest() { platform::SetHost(&host); }
    ~DialogTest() override
    {
        platform::Screen::ClearFocus();
        platform::SetHost(nullptr);
    }

    std::vector<std::string> Messages() const { return Prompts(host); }
    std::string Reports() const { return ReportLines(fakes.ErrorMessages); }

    platform::HeadlessHost host;
    FakeComponents fakes;
};

} // namespace support
