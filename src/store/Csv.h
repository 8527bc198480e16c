// The store's CSV: UTF-8, ';' between fields, '"' around fields holding ';', '"' or a line
// break (a quote inside doubled). Each record remembers the line it starts on, for messages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace store {

struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

// Splits `text` into records; blank lines are skipped. Throws Refusal ("linha N: ...") on a
// quote left open or text after a closing quote.
std::vector<CsvRecord> ParseCsv(std::string_view text);

std::string CsvLine(const std::vector<std::string>& fields);

} // namespace store
