#include "platform/Recordset.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"

#include <algorithm>

namespace platform {

Recordset::Recordset(std::vector<std::string> fieldNames) : m_fieldNames(std::move(fieldNames))
{
    m_upperFieldNames.reserve(m_fieldNames.size());
    for (const std::string& name : m_fieldNames)
        m_upperFieldNames.push_back(UCase(name));
}

void Recordset::AddRow(std::vector<Variant> values)
{
    if (values.size() > m_fieldNames.size())
        Raise(errInvalidProcedureCall);
    values.resize(m_fieldNames.size(), Variant::Null());
    m_rows.push_back(std::move(values));
}

void Recordset::MoveNext()
{
    if (!Eof())
        ++m_position;
}

Recordset::Field Recordset::Fields(std::string_view name) const
{
    const size_t index = IndexOf(name);
    if (Eof())
        Raise(errNoCurrentRecord);
    return Field{m_rows[m_position][index]};
}

size_t Recordset::IndexOf(std::string_view name) const
{
    // Field names are matched without regard to case, as the data layer's names are. Every
    // field read of every row comes here, so an ASCII name (all of them, in practice) is folded
    // in place instead of through UCase.
    const bool ascii = std::all_of(name.begin(), name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::string wanted = ascii ? std::string() : UCase(name);
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    for (size_t index = 0; index < m_upperFieldNames.size(); ++index) {
        const std::string& candidate = m_upperFieldNames[index];
        if (ascii ? std::equal(candidate.begin(), candidate.end(), name.begin(), name.end(),
                               [&](char u, char c) { return u == upper(c); })
                  : candidate == wanted)
            return index;
    }
    Raise(errItemNotFound);
}

} // namespace platform
