#include "store/PostgresDialect.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace store::postgres {

namespace {

bool IsWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

size_t SkipSpaces(std::string_view sql, size_t at)
{
    while (at < sql.size() && std::isspace(static_cast<unsigned char>(sql[at]))) {
        ++at;
    }
    return at;
}

// "instr(COLUMN, ?N) > 0" at `at` (just after "instr("): sets `column` and `number` and answers
// where it ends; 0 for any other call.
size_t ContainsCall(std::string_view sql, size_t at, std::string_view& column, int& number)
{
    size_t end = at;
    while (end < sql.size() && (IsWordChar(sql[end]) || sql[end] == '.')) {
        ++end;
    }
    if (end == at || std::isdigit(static_cast<unsigned char>(sql[at]))) {
        return 0;
    }
    column = sql.substr(at, end - at);
    end = SkipSpaces(sql, end);
    if (end + 1 >= sql.size() || sql[end] != ',') {
        return 0;
    }
    end = SkipSpaces(sql, end + 1);
    if (end >= sql.size() || sql[end] != '?') {
        return 0;
    }
    size_t digits = ++end;
    while (end < sql.size() && std::isdigit(static_cast<unsigned char>(sql[end]))) {
        ++end;
    }
    if (end == digits || end - digits > 4) {
        return 0;
    }
    number = std::atoi(std::string(sql.substr(digits, end - digits)).c_str());
    for (char expected : {')', '>', '0'}) {
        end = SkipSpaces(sql, end);
        if (end >= sql.size() || sql[end] != expected) {
            return 0;
        }
        ++end;
    }
    return end < sql.size() && (IsWordChar(sql[end]) || sql[end] == '.') ? 0 : end;
}

} // namespace

std::string Translate(std::string_view sql, std::set<int>& used, bool& searches)
{
    std::string out;
    out.reserve(sql.size() + 16);
    int highest = 0;
    for (size_t i = 0; i < sql.size(); ++i) {
        char c = sql[i];
        if (c == '\'' || c == '"') {
            size_t end = sql.find(c, i + 1);
            end = end == std::string_view::npos ? sql.size() - 1 : end;
            out.append(sql.substr(i, end - i + 1));
            i = end;
        } else if (c == '?') {
            size_t digits = i + 1;
            while (digits < sql.size() && std::isdigit(static_cast<unsigned char>(sql[digits]))) {
                ++digits;
            }
            int number = digits > i + 1
                             ? std::atoi(std::string(sql.substr(i + 1, digits - i - 1)).c_str())
                             : highest + 1;
            highest = std::max(highest, number);
            used.insert(number);
            out += "$" + std::to_string(number);
            i = digits - 1;
        } else if ((c == 'i' || c == 'I') && (i == 0 || !IsWordChar(sql[i - 1])) &&
                   sql.size() - i > 6 && strncasecmp(sql.data() + i, "instr(", 6) == 0) {
            std::string_view column;
            int number = 0;
            if (size_t end = ContainsCall(sql, i + 6, column, number); end != 0) {
                // Folded once the server knows the value, so the planner sees a plain pattern.
                const std::string text = "$" + std::to_string(number);
                out += "(" + std::string(column) + " LIKE '%' || replace(replace(replace(" + text +
                       ", '\\', '\\\\'), '%', '\\%'), '_', '\\_') || '%' ESCAPE '\\')";
                highest = std::max(highest, number);
                used.insert(number);
                searches = true;
                i = end - 1;
            } else {
                out += "strpos(";
                i += 5;
            }
        } else {
            out += c;
        }
    }
    return out;
}

int CodeOf(const char* state)
{
    if (state == nullptr) {
        return 14; // the connection is gone: no server
    }
    std::string_view sqlstate(state);
    if (sqlstate.starts_with("08") || sqlstate.starts_with("57P")) {
        return 14;
    }
    if (sqlstate.starts_with("23")) {
        return 19;
    }
    if (sqlstate == "40001" || sqlstate == "40P01" || sqlstate == "55P03" || sqlstate == "57014") {
        return 5;
    }
    if (sqlstate == "25006") {
        return 8;
    }
    if (sqlstate == "53100") {
        return 13;
    }
    if (sqlstate == "53200") {
        return 7;
    }
    if (sqlstate.starts_with("28") || sqlstate == "42501") {
        return 23;
    }
    return 1;
}

std::string CauseOf(int code)
{
    switch (code) {
    case 14:
        return "a conexão com o servidor foi perdida";
    case 19:
        return "o registro viola uma regra do armazenamento";
    case 5:
        return "o banco de dados está bloqueado por outra conexão há tempo demais";
    case 8:
        return "o servidor não aceita gravações (somente leitura)";
    case 13:
        return "o disco do servidor está cheio";
    case 7:
        return "memória insuficiente no servidor";
    case 23:
        return "acesso negado pelo servidor";
    default:
        return "falha do servidor";
    }
}

std::string ConnectFailure(const char* message)
{
    std::string text = message == nullptr ? "" : message;
    const auto has = [&](const char* part) { return text.find(part) != std::string::npos; };
    if (has("password") || has("authentication") || has("no pg_hba.conf entry")) {
        return "usuário ou senha recusados pelo servidor";
    }
    if (has("database") && has("does not exist")) {
        return "o banco de dados não existe";
    }
    if (has("translate host name")) {
        return "servidor desconhecido";
    }
    if (has("Connection refused") || has("No such file or directory") || has("timeout") ||
        has("could not connect")) {
        return "o servidor não responde";
    }
    return "conexão recusada pelo servidor";
}

} // namespace store::postgres
