#include "platform/Errors.h"
#include "platform/Variant.h"

#include "support/ErrorRaisedBy.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {

using support::ErrorRaisedBy;

TEST(Variant_Type, EachConstructorKeepsItsType)
{
    const std::tuple<Variant, VarType, bool> rows[] = {
        {Variant(), VarType::Empty, false},    {Variant::Null(), VarType::Null, false},
        {int16_t{1}, VarType::Integer, true},  {1, VarType::Long, true},
        {1.0, VarType::Double, true},          {Currency(), VarType::Currency, true},
        {"1", VarType::String, false},         {std::string("1"), VarType::String, false},
        {true, VarType::Boolean, false},       {Date{}, VarType::Date, false},
        {ObjectRef(), VarType::Object, false},
    };
    for (const auto& [value, type, isNumber] : rows) {
        EXPECT_EQ(value.Type(), type);
        EXPECT_EQ(value.IsNumber(), isNumber) << static_cast<int>(type);
    }
}

TEST(Variant_Readers, ConvertWithTheRuntimeRules)
{
    const Variant yes(true);
    EXPECT_EQ(yes.AsInteger(), -1);
    EXPECT_EQ(yes.AsLong(), -1);
    EXPECT_EQ(yes.AsDouble(), -1.0);
    EXPECT_EQ(yes.AsString(), "Verdadeiro");

    EXPECT_EQ(Variant("1.234,5").AsCurrency().Raw(), 12345000);
    EXPECT_EQ(Variant("12/05/2026").AsDate(), (Date{2026, 5, 12}));

    // Null reads as blank text but is no number.
    EXPECT_EQ(Variant::Null().AsString(), "");
    EXPECT_EQ(ErrorRaisedBy([] { Variant::Null().AsBoolean(); }), errInvalidUseOfNull);

    const auto object = std::make_shared<Object>();
    EXPECT_EQ(Variant(ObjectRef(object)).AsObject(), object);
    EXPECT_EQ(Variant(ObjectRef()).AsObject(), nullptr);
    EXPECT_EQ(ErrorRaisedBy([] { Variant().AsObject(); }), errTypeMismatch);
    EXPECT_EQ(ErrorRaisedBy([] { Variant("obj").AsObject(); }), errTypeMismatch);
    Object plain;
    EXPECT_EQ(ErrorRaisedBy([&] { plain.DefaultMember("Key"); }), errObjectDoesNotSupport);
}

TEST(Variant_Equality, NeedsTheSameTypeAndValue)
{
    const auto object = std::make_shared<Object>();
    EXPECT_EQ(Variant("Banho"), Variant(std::string("Banho")));
    EXPECT_EQ(Variant::Null(), Variant::Null());
    EXPECT_EQ(Variant(ObjectRef(object)), Variant(ObjectRef(object)));
    EXPECT_EQ(Variant(true), Variant(true));

    EXPECT_FALSE(Variant("banho") == Variant("Banho"));
    EXPECT_FALSE(Variant(int16_t{1}) == Variant(1));
    EXPECT_FALSE(Variant(1) == Variant(1.0));
    EXPECT_FALSE(Variant() == Variant::Null());
    EXPECT_FALSE(Variant() == Variant(""));
    EXPECT_FALSE(Variant(true) == Variant(-1));
    EXPECT_FALSE(Variant(ObjectRef(object)) == Variant(ObjectRef(std::make_shared<Object>())));
}

} // namespace
