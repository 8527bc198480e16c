#include "support/RecordsetBuilder.h"

namespace support {

RecordsetBuilder::RecordsetBuilder(std::vector<std::string> fieldNames)
    : m_fieldNames(std::move(fieldNames))
{
}

RecordsetBuilder& RecordsetBuilder::Row(std::vector<platform::Variant> values)
{
    m_rows.push_back(std::move(values));
    return *this;
}

platform::RecordsetRef RecordsetBuilder::Build() const
{
    auto recordset = std::make_shared<platform::Recordset>(m_fieldNames);
    for (const auto& row : m_rows)
        recordset->AddRow(row);
    return recordset;
}

} // namespace support
