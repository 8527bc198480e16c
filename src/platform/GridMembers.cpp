// The grid's members that are no Property, read and written by name (the hosts' and the
// runner's way in): one table gives each its number of indices and how to read and write it.
// A wrong number of indices, or reading a write-only member, raises 5; a name not in the table
// goes to the common control members.
#include "platform/Grid.h"

#include "platform/Errors.h"

#include <string_view>
#include <vector>

namespace platform {

namespace {

// A grid member that is no Property: its number of indices, and how to read and write it.
struct NamedMember {
    std::string_view name;
    size_t indices;
    // Reading also accepts [row][col] (the Cell... members read any cell that way).
    bool readsAnyCell;
    Variant (*get)(const Grid&, const std::vector<int32_t>&); // null: write only
    void (*set)(Grid&, const std::vector<int32_t>&, const Variant&);
};

const NamedMember NamedMembers[] = {
    {"TextMatrix", 2, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.TextMatrix(i[0], i[1])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetTextMatrix(i[0], i[1], v.AsString());
     }},
    {"Text", 0, false, [](const Grid& g, const std::vector<int32_t>&) { return Variant(g.Text()); },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) { g.SetText(v.AsString()); }},
    {"ColWidth", 1, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.ColWidth(i[0])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetColWidth(i[0], v.AsLong());
     }},
    {"ColAlignment", 1, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.ColAlignment(i[0])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetColAlignment(i[0], v.AsLong());
     }},
    {"ColData", 1, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.ColData(i[0])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetColData(i[0], v.AsLong());
     }},
    {"RowHeight", 1, false,
     [](const Grid& g, const std::vector<int32_t>& i) { return Variant(g.RowHeight(i[0])); },
     [](Grid& g, const std::vector<int32_t>& i, const Variant& v) {
         g.SetRowHeight(i[0], v.AsLong());
     }},
    {"CellPicture", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellPicture() : g.CellPictureAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellPicture(v.AsString());
     }},
    {"CellPictureAlignment", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellPictureAlignment()
                                  : g.CellPictureAlignmentAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellPictureAlignment(v.AsLong());
     }},
    {"CellBackColor", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellBackColor() : g.CellBackColorAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellBackColor(v.AsLong());
     }},
    {"CellForeColor", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellForeColor() : g.CellForeColorAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellForeColor(v.AsLong());
     }},
    {"CellAlignment", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellAlignment() : g.CellAlignmentAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellAlignment(v.AsLong());
     }},
    {"CellFontBold", 0, true,
     [](const Grid& g, const std::vector<int32_t>& i) {
         return Variant(i.empty() ? g.CellFontBold() : g.CellFontBoldAt(i[0], i[1]));
     },
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) {
         g.SetCellFontBold(v.AsBoolean());
     }},
    {"Sort", 0, false, nullptr,
     [](Grid& g, const std::vector<int32_t>&, const Variant& v) { g.Sort(v.AsLong()); }},
};

const NamedMember* FindNamedMember(std::string_view name)
{
    for (const NamedMember& member : NamedMembers) {
        if (member.name == name)
            return &member;
    }
    return nullptr;
}

} // namespace

Variant Grid::Get(std::string_view member, const std::vector<int32_t>& index) const
{
    const NamedMember* named = FindNamedMember(member);
    if (!named)
        return Control::Get(member, index);
    const bool indicesFit =
        index.size() == named->indices || (named->readsAnyCell && index.size() == 2);
    if (!named->get || !indicesFit)
        Raise(errInvalidProcedureCall);
    return named->get(*this, index);
}

void Grid::Set(std::string_view member, const Variant& value, const std::vector<int32_t>& index)
{
    const NamedMember* named = FindNamedMember(member);
    if (!named) {
        Control::Set(member, value, index);
        return;
    }
    if (index.size() != named->indices)
        Raise(errInvalidProcedureCall);
    named->set(*this, index, value);
}

} // namespace platform
