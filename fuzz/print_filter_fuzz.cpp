// The print-filter recogniser on any pair of texts: it answers a client code only for the two
// shapes the printout builds around the same code, and that code is a whole number the printout
// could have written there.
#include "FuzzInput.h"

#include "store/PrintFilter.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input input(data, size);
    const std::string services(input.Part());
    const std::string products(input.Rest());

    const auto client = store::RecognisePrintFilters(services, products);
    if (!client)
        return 0;
    fuzz::Require(*client >= 0, "a recognised client code is not negative");
    // Between the fixed parts stand the digits of the code, perhaps with leading zeros.
    const std::string_view marker = "CodigoDoCliente)=";
    for (const std::string* filter : {&services, &products}) {
        const size_t named = filter->find(marker);
        fuzz::Require(named != std::string::npos, "the filter names the client", *filter);
        const size_t at = named + marker.size();
        const size_t end = filter->find(')', at);
        fuzz::Require(end != std::string::npos, "the code is closed", *filter);
        const std::string digits = filter->substr(at, end - at);
        fuzz::Require(digits.find_first_not_of("0123456789") == std::string::npos &&
                          std::stoll(digits) == *client,
                      "the code is digits only", *filter);
    }
    return 0;
}
