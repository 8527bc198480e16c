// kelo-prevendas: the pre-sale screen on the desktop (see Application.h and Usage()).
#include "host/desktop/Application.h"
#include "host/desktop/Options.h"

#include <iostream>
#include <string>
#include <variant>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto parsed = desktop::ParseOptions(arguments);
    if (const auto* error = std::get_if<desktop::OptionsError>(&parsed)) {
        std::cerr << "kelo-prevendas: " << error->message << "\n" << desktop::Usage();
        return 2;
    }
    const auto& options = std::get<desktop::Options>(parsed);
    if (options.help) {
        std::cout << desktop::Usage();
        return 0;
    }
    const desktop::Environment environment = desktop::ProcessEnvironment();
    // Checked before Qt starts: Qt would abort with a message about plugins instead.
    if (!desktop::DisplayAvailable(environment)) {
        std::cerr << desktop::NoDisplayMessage << "\n";
        return 2;
    }
    return desktop::RunApplication(argc, argv, options, environment);
}
