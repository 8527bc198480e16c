// A search dialog shown headless over fake components, and what the attendant was told.
#pragma once

#include "globals/modPrincipal.h"
#include "platform/HeadlessHost.h"
#include "support/FakeComponents.h"
#include "support/RecordsetBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace search_test {

using support::FakeAnswer;
using support::RecordsetBuilder;
namespace g = KELO_A_PreVendas::modPrincipal;

class Dialog : public ::testing::Test {
protected:
    Dialog()
    {
        platform::SetHost(&host);
        g::gstrNomeDaAplicacao = "Kelo Pet Shop";
    }
    ~Dialog() override
    {
        g::gstrNomeDaAplicacao.clear();
        platform::Screen::ClearFocus();
        platform::SetHost(nullptr);
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> prompts;
        for (const auto& box : host.MessageBoxes())
            prompts.push_back(box.Prompt);
        return prompts;
    }
    std::vector<std::string> Said(const char* message) const
    {
        return message ? std::vector<std::string>{message} : std::vector<std::string>{};
    }
    // The error reports as "number @ location", one a line.
    std::string Reports() const
    {
        std::string all;
        for (const auto& report : fakes.ErrorMessages.Reports())
            all += std::to_string(report.Numero.AsLong()) + " @ " + report.Local.AsString() + "\n";
        return all;
    }

    platform::HeadlessHost host;
    support::FakeComponents fakes;
};

} // namespace search_test
