// Builds the recordsets that fake business components answer:
//   auto rs = RecordsetBuilder({"Codigo", "Nome"}).Row({1, "Banho"}).Row({2, "Tosa"}).Build();
#pragma once

#include "platform/Recordset.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace support {

class RecordsetBuilder {
public:
    explicit RecordsetBuilder(std::vector<std::string> fieldNames);
    RecordsetBuilder& Row(std::vector<platform::Variant> values);
    platform::RecordsetRef Build() const;

private:
    std::vector<std::string> m_fieldNames;
    std::vector<std::vector<platform::Variant>> m_rows;
};

} // namespace support
