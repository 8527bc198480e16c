#include "store/Component.h"

#include <stdexcept>

namespace store {

platform::RecordsetRef Collect(Statement& statement, const std::vector<std::string>& names,
                               const std::vector<FieldKind>& kinds)
{
    if (names.size() != kinds.size() ||
        static_cast<size_t>(statement.ColumnCount()) != kinds.size()) {
        throw std::logic_error("a selection's fields, kinds and columns differ in number");
    }
    auto recordset = std::make_shared<platform::Recordset>(names);
    while (statement.Step()) {
        std::vector<platform::Variant> values;
        values.reserve(kinds.size());
        for (size_t k = 0; k < kinds.size(); ++k) {
            int column = static_cast<int>(k);
            if (statement.IsNull(column)) {
                values.push_back(platform::Variant::Null());
                continue;
            }
            switch (kinds[k]) {
            case FieldKind::Long:
                values.emplace_back(static_cast<int32_t>(statement.Int(column)));
                break;
            case FieldKind::Integer:
                values.emplace_back(static_cast<int16_t>(statement.Int(column)));
                break;
            case FieldKind::Money:
                values.push_back(MoneyValue(statement.Int(column)));
                break;
            case FieldKind::Text:
                values.emplace_back(statement.Text(column));
                break;
            case FieldKind::Bool:
                values.emplace_back(statement.Int(column) != 0);
                break;
            case FieldKind::Tagged: {
                std::string text = statement.Text(column);
                if (!text.empty() && text[0] == 'i') {
                    values.emplace_back(static_cast<int32_t>(std::stoll(text.substr(1))));
                } else {
                    values.emplace_back(text.empty() ? text : text.substr(1));
                }
                break;
            }
            }
        }
        recordset->AddRow(std::move(values));
    }
    recordset->MoveFirst();
    return recordset;
}

platform::RecordsetRef Collect(Statement& statement, const Table& table,
                               std::span<const std::string_view> fields)
{
    return Collect(statement, {fields.begin(), fields.end()}, KindsOf(table, fields));
}

std::string Location(std::string_view className, std::string_view member)
{
    std::string location(className);
    size_t dot = location.find('.');
    if (dot != std::string::npos) {
        location.replace(dot, 1, ", ");
    }
    return location + ", " + std::string(member);
}

} // namespace store
