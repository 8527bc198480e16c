// Builds the recordsets that fake business components answer:
//   auto rs = RecordsetBuilder({"Codigo", "Nome"}).Row({1, "Banho"}).Row({2, "Tosa"}).Build();
#pragma once

#include "platform/Recordset.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace support {

class RecordsetBuilder {
public:
    explicit RecordsetBuilder(std::vector<std::string> fieldNames)
        : m_fieldNames(std::move(fieldNames))
    {
    }
    RecordsetBuilder& Row(std::vector<platform::Variant> values)
    {
        m_rows.push_back(std::move(values));
        return *this;
    }
    platform::RecordsetRef Build() const
    {
        auto recordset = std::make_shared<platform::Recordset>(m_fieldNames);
        for (const auto& row : m_rows)
            recordset->AddRow(row);
        return recordset;
    }

private:
    std::vector<std::string> m_fieldNames;
    std::vector<std::vector<platform::Variant>> m_rows;
};

} // namespace support
