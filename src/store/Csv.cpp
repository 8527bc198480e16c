#include "store/Csv.h"

#include "store/Sqlite.h"

namespace store {

std::vector<CsvRecord> ParseCsv(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    std::vector<CsvRecord> records;
    int line = 1;
    size_t i = 0;
    while (i < text.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            field.clear();
            if (i < text.size() && text[i] == '"') {
                ++i;
                while (true) {
                    if (i >= text.size()) {
                        throw Refusal("linha " + std::to_string(record.line) +
                                      ": aspas abertas e não fechadas");
                    }
                    char c = text[i++];
                    if (c == '"') {
                        if (i < text.size() && text[i] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n') {
                        ++line;
                    }
                    field += c;
                }
                if (i < text.size() && text[i] != ';' && text[i] != '\n' && text[i] != '\r') {
                    throw Refusal("linha " + std::to_string(line) +
                                  ": texto depois das aspas que fecham um campo");
                }
            } else {
                while (i < text.size() && text[i] != ';' && text[i] != '\n' && text[i] != '\r') {
                    field += text[i++];
                }
            }
            record.fields.push_back(field);
            if (i < text.size() && text[i] == ';') {
                ++i;
                continue;
            }
            if (i < text.size() && text[i] == '\r') {
                ++i;
            }
            if (i < text.size() && text[i] == '\n') {
                ++i;
            }
            ++line;
            endOfRecord = true;
        }
        bool blank = record.fields.size() == 1 && record.fields[0].empty();
        if (!blank) {
            records.push_back(std::move(record));
        }
    }
    return records;
}

std::string CsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) {
            line += ';';
        }
        const std::string& field = fields[k];
        if (field.find_first_of(";\"\r\n") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field) {
            line += c;
            if (c == '"') {
                line += '"';
            }
        }
        line += '"';
    }
    line += '\n';
    return line;
}

} // namespace store
