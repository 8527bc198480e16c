#include "platform/Errors.h"
#include "platform/Recordset.h"
#include "support/RecordsetBuilder.h"

#include "support/ErrorRaisedBy.h"

#include <gtest/gtest.h>

using namespace platform;
using support::RecordsetBuilder;

namespace {

using support::RuntimeErrorRaisedBy;

const char* const NoCurrentRecord = "Either BOF or EOF is True, or the current record has been "
                                    "deleted. Requested operation requires a current record.";
const char* const ItemNotFound =
    "Item cannot be found in the collection corresponding to the requested name or ordinal.";

TEST(Recordset_Navigation, WalksRowsInOrderAndStaysAtTheEnd)
{
    auto rs = RecordsetBuilder({"Codigo", "Situação"}).Row({1, "Banho"}).Row({2, "Tosa"}).Build();
    EXPECT_EQ(rs->RecordCount(), 2);
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->Fields("SITUAÇÃO").Value, Variant("Banho"))
        << "names match without regard to case";
    rs->MoveNext();
    EXPECT_EQ((*rs)["Codigo"], Variant(2));
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields("Codigo").Value, Variant(1));
}

TEST(Recordset_Fields, MissingValuesAreNullAndExtraValuesAreRefused)
{
    Recordset rs({"A", "B"});
    rs.AddRow({1});
    EXPECT_TRUE(rs["B"].IsNull());
    EXPECT_EQ(RuntimeErrorRaisedBy([&] {
                  rs.AddRow({1, 2, 3});
              }).Number(),
              errInvalidProcedureCall);
    EXPECT_EQ(rs.RecordCount(), 1);
}

// Past the end a known name has no record to read, but an unknown one is still unknown.
TEST(Recordset_Fields, UnknownNameRaises3265EvenAtTheEnd)
{
    auto rs = RecordsetBuilder({"Codigo"}).Row({1}).Build();
    for (const bool atEnd : {false, true}) {
        if (atEnd)
            rs->MoveNext();
        const RuntimeError error = RuntimeErrorRaisedBy([&] { rs->Fields("Cod"); });
        EXPECT_EQ(error.Number(), errItemNotFound);
        EXPECT_EQ(error.Description(), ItemNotFound);
    }
    const RuntimeError error = RuntimeErrorRaisedBy([&] { rs->Fields("Codigo"); });
    EXPECT_EQ(error.Number(), errNoCurrentRecord);
    EXPECT_EQ(error.Description(), NoCurrentRecord);
}

} // namespace
