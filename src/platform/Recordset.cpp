#include "platform/Recordset.h"

#include "platform/Errors.h"
#include "platform/Runtime.h"

namespace platform {

Recordset::Recordset(std::vector<std::string> fieldNames) : m_fieldNames(std::move(fieldNames)) {}

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
    // Field names are matched without regard to case, as the data layer's names are.
    const std::string wanted = UCase(name);
    for (size_t index = 0; index < m_fieldNames.size(); ++index) {
        if (UCase(m_fieldNames[index]) == wanted)
            return index;
    }
    Raise(errItemNotFound);
}

} // namespace platform
