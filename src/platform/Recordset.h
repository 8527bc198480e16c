// An ordered set of rows with named fields, as the business layer answers a selection.
// Field names match without regard to case. An unknown field name raises 3265; reading a known
// field past the last row raises 3021. MoveNext past the last row stays at the end.
#pragma once

#include "platform/Variant.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Recordset {
public:
    struct Field {
        const Variant& Value;
    };

    explicit Recordset(std::vector<std::string> fieldNames);

    // Appends a row; its values follow the order of the field names (missing values are null,
    // more values than fields raise 5).
    void AddRow(std::vector<Variant> values);

    int32_t RecordCount() const { return static_cast<int32_t>(m_rows.size()); }
    bool Eof() const { return m_position >= m_rows.size(); }
    void MoveFirst() { m_position = 0; }
    void MoveNext();

    Field Fields(std::string_view name) const;
    const Variant& operator[](std::string_view name) const { return Fields(name).Value; }

    const std::vector<std::string>& FieldNames() const { return m_fieldNames; }

private:
    size_t IndexOf(std::string_view name) const;

    std::vector<std::string> m_fieldNames;
    std::vector<std::string> m_upperFieldNames; // UCase of each, for IndexOf
    std::vector<std::vector<Variant>> m_rows;
    size_t m_position = 0;
};

using RecordsetRef = std::shared_ptr<Recordset>;

} // namespace platform
