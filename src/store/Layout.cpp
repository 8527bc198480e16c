#include "store/Layout.h"

#include "store/Errors.h"

#include <stdexcept>

namespace store {

namespace {

std::string_view DeclarationOf(const Column& column)
{
    if (!column.declaration.empty()) {
        return column.declaration;
    }
    switch (column.type) {
    case Type::Text:
        return "TEXT NOT NULL DEFAULT ''";
    case Type::Money:
    case Type::Bool:
        return "INTEGER NOT NULL DEFAULT 0";
    case Type::Password:
        return "TEXT NOT NULL";
    case Type::OptionalCode:
    case Type::NullableWhole:
        return "INTEGER";
    default:
        return "INTEGER NOT NULL";
    }
}

const Column& SelectedColumn(const Table& table, std::string_view field)
{
    const Column* column = FindColumn(table, field);
    if (column == nullptr) {
        throw std::logic_error("the table " + std::string(table.name) + " has no column " +
                               std::string(field));
    }
    return *column;
}

} // namespace

std::string SelectList(const Table& table, std::span<const std::string_view> fields)
{
    std::string list;
    for (std::string_view field : fields) {
        const Column& column = SelectedColumn(table, field);
        list += list.empty() ? "" : ", ";
        list += column.selected.empty() ? column.name : column.selected;
    }
    return list;
}

std::vector<FieldKind> KindsOf(const Table& table, std::span<const std::string_view> fields)
{
    std::vector<FieldKind> kinds;
    for (std::string_view field : fields) {
        kinds.push_back(KindOf(SelectedColumn(table, field).type));
    }
    return kinds;
}

std::string SelectList(std::span<const JoinedField> fields, bool product)
{
    std::string list;
    for (const JoinedField& field : fields) {
        list += list.empty() ? "" : ", ";
        list += product && !field.product.empty() ? field.product : field.service;
    }
    return list;
}

std::vector<std::string> NamesOf(std::span<const JoinedField> fields)
{
    std::vector<std::string> names;
    for (const JoinedField& field : fields) {
        names.emplace_back(field.name);
    }
    return names;
}

std::vector<FieldKind> KindsOf(std::span<const JoinedField> fields)
{
    std::vector<FieldKind> kinds;
    for (const JoinedField& field : fields) {
        kinds.push_back(field.kind);
    }
    return kinds;
}

std::string CreateSql(const Table& table)
{
    std::string sql = "CREATE TABLE " + std::string(table.name) + " (";
    for (size_t k = 0; k < table.columns.size(); ++k) {
        sql += (k > 0 ? ", " : "") + std::string(table.columns[k].name) + " " +
               std::string(DeclarationOf(table.columns[k]));
    }
    return sql + ");" + std::string(table.after);
}

const Table& LayoutOf(std::string_view csvName)
{
    for (const Table* layout : kTables) {
        if (!layout->csvName.empty() && csvName == layout->csvName) {
            return *layout;
        }
    }
    throw Refusal("tabela desconhecida '" + std::string(csvName) + "'");
}

std::vector<const Column*> CsvColumns(const Table& layout)
{
    std::vector<const Column*> columns;
    for (const Column& column : layout.columns) {
        if (InCsv(column)) {
            columns.push_back(&column);
        }
    }
    return columns;
}

} // namespace store
