#include "Variant.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>

#include "DateTime.h"
#include "Format.h"

namespace {

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EVariantError& error) {
    return error.Message();
  }
  return "(no EVariantError)";
}

TEST(VariantTest, ConvertsToIntegerByTheOldRules) {
  struct Case {
    Variant Value;
    int Expected;
  };
  const Case cases[] = {
      {Variant("12"), 12},         {Variant(" -7"), -7},       {Variant::OleStr("$1F"), 31},
      {Variant("2.5"), 2},         {Variant("3.5"), 4},        {Variant(-2.5), -2},
      {Variant(true), -1},         {Variant(false), 0},        {Variant("True"), -1},
      {Variant(), 0},              {Variant(std::int16_t{-5}), -5},
      {Variant(std::uint8_t{200}), 200}, {Variant(7LL), 7},    {Variant::FromDate(45000.75), 45001},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.Value.AsInteger(), c.Expected) << VarTypeAsText(c.Value.Type()) << " "
                                               << VarToStr(c.Value);
}

TEST(VariantTest, FailedConversionsNameBothTypes) {
  struct Case {
    std::function<void()> Action;
    const char* Message;
  };
  const Variant array = VarArrayCreate({0, 1}, varVariant);
  const Case cases[] = {
      {[] { (void)Variant("x").AsInteger(); },
       "Could not convert variant of type (String) into type (Integer)"},
      {[] { (void)Variant::OleStr("x").AsInteger(); },
       "Could not convert variant of type (OleStr) into type (Integer)"},
      {[] { (void)Variant("12x").AsInt64(); },
       "Could not convert variant of type (String) into type (Int64)"},
      {[] { (void)Variant("").AsDouble(); },
       "Could not convert variant of type (String) into type (Double)"},
      {[] { (void)Variant("maybe").AsBoolean(); },
       "Could not convert variant of type (String) into type (Boolean)"},
      {[] { (void)Null().AsString(); },
       "Could not convert variant of type (Null) into type (String)"},
      {[] { (void)Null().AsInteger(); },
       "Could not convert variant of type (Null) into type (Integer)"},
      {[&] { (void)array.AsString(); },
       "Could not convert variant of type (Array Variant) into type (String)"},
      {[] { (void)Variant("31.12.").AsDateTime(); },
       "Could not convert variant of type (String) into type (Date)"},
      {[] { (void)Variant(3e10).AsInteger(); },
       "Overflow while converting variant of type (Double) into type (Integer)"},
      {[] { (void)Variant("4000000000").AsInteger(); },
       "Overflow while converting variant of type (String) into type (Integer)"},
      {[] { (void)VarAsType(Variant(70000), varSmallint); },
       "Overflow while converting variant of type (Integer) into type (Smallint)"},
      {[] { (void)VarAsType(Variant(-1), varByte); },
       "Overflow while converting variant of type (Integer) into type (Byte)"},
      {[] { (void)VarAsType(Variant("x"), varSmallint); },
       "Could not convert variant of type (String) into type (Smallint)"},
      {[] { (void)VarAsType(Variant(1), varArray | varVariant); }, "Invalid variant type"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.Action), c.Message);
}

TEST(VariantTest, ConvertsToText) {
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(Variant(false).AsString(), "False");
  EXPECT_EQ(Variant(42).AsString(), "42");
  EXPECT_EQ(Variant(-9000000000LL).AsString(), "-9000000000");
  EXPECT_EQ(Variant(1.5).AsString(), "1.5");
  EXPECT_EQ(Variant().AsString(), "");
  EXPECT_EQ(VarToStr(Null()), "");
  EXPECT_EQ(VarToStrDef(Null(), "-"), "-");
  // A date prints as a date, not as its day number.
  const double date = EncodeDate(2024, 3, 5);
  EXPECT_EQ(VarToStr(Variant::FromDate(date)), DateTimeToStr(date));
  EXPECT_EQ(Variant::FromDate(date).AsDouble(), date);
}

TEST(VariantTest, IsAFormatArgument) {
  EXPECT_EQ(Format("%s: %d rows, %.2f", {Variant::OleStr("订单"), Variant("12"), Variant(2.5)}),
            "订单: 12 rows, 2.50");
  try {
    (void)Format("%d", {Variant("x")});
    ADD_FAILURE() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Could not convert variant of type (String) into type (Int64)");
  }
}

TEST(VariantTest, KeepsWideAndNarrowTextApart) {
  EXPECT_EQ(VarType(Variant("中文")), varString);
  EXPECT_EQ(VarType(Variant::OleStr("中文")), varOleStr);
  const Variant wide = VarAsType(Variant("中文"), varOleStr);
  EXPECT_EQ(wide.Type(), varOleStr);
  EXPECT_EQ(wide.AsString(), "中文");
  EXPECT_TRUE(VarIsStr(wide));
  EXPECT_EQ(VarAsType(Variant(12), varString).Type(), varString);
}

TEST(VariantTest, TellsEmptyNullAndArraysApart) {
  EXPECT_TRUE(VarIsEmpty(Variant()));
  EXPECT_TRUE(VarIsEmpty(Unassigned()));
  EXPECT_FALSE(VarIsEmpty(Null()));
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_FALSE(VarIsNull(Variant("")));
  EXPECT_TRUE(VarIsArray(VarArrayOf({1, 2})));
  EXPECT_FALSE(VarIsArray(Variant("a")));
  EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
}

TEST(VariantTest, PointersDoNotBecomeBooleans) {
  static_assert(!std::is_constructible_v<Variant, int*>);
  static_assert(!std::is_constructible_v<Variant, const void*>);
  const char* missing = nullptr;
  EXPECT_EQ(Variant(missing).Type(), varString);
  EXPECT_EQ(Variant(missing).AsString(), "");
}

TEST(VariantTest, ComparesAcrossTypes) {
  struct Case {
    Variant Left, Right;
    TVariantRelationship Expected;
  };
  const Case cases[] = {
      {1, 1.0, vrEqual},         {"12", 12, vrEqual},         {12, "12.0", vrEqual},
      {"a", "b", vrLessThan},    {"b", Variant::OleStr("a"), vrGreaterThan},
      {Null(), Null(), vrEqual}, {Null(), 0, vrNotEqual},    {"", Null(), vrNotEqual},
      {Variant(), 0, vrEqual},   {Variant(), "", vrEqual},   {Variant(), Variant(), vrEqual},
      {true, -1, vrEqual},       {3000000000LL, 2, vrGreaterThan}, {1.5, 2, vrLessThan},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VarCompare(c.Left, c.Right), c.Expected)
        << VarToStr(c.Left) << " vs " << VarToStr(c.Right);
  EXPECT_TRUE(Variant("12") == Variant(12));
  EXPECT_TRUE(Variant(1) != Variant(2));
  EXPECT_EQ(ErrorOf([] { (void)(Variant("x") == Variant(1)); }),
            "Could not convert variant of type (String) into type (Double)");
  EXPECT_EQ(ErrorOf([] { (void)(VarArrayOf({1}) == VarArrayOf({1})); }),
            "Invalid variant operation");
}

TEST(VariantArrayTest, TwoDimensionalArrayGrowsAndShrinksInItsLastDimension) {
  Variant table = VarArrayCreate({0, 1, 0, 2}, varVariant);
  EXPECT_EQ(VarArrayDimCount(table), 2);
  EXPECT_EQ(VarType(table), varArray | varVariant);
  for (int column = 0; column <= 2; ++column) {
    table(0, column) = "name" + std::to_string(column);
    table(1, column) = column * 10;
  }

  VarArrayRedim(table, 4);
  EXPECT_EQ(VarArrayLowBound(table, 2), 0);
  EXPECT_EQ(VarArrayHighBound(table, 2), 4);
  EXPECT_EQ(VarArrayHighBound(table, 1), 1);
  for (int column = 0; column <= 2; ++column) {
    EXPECT_EQ(table(0, column).AsString(), "name" + std::to_string(column));
    EXPECT_EQ(table(1, column).AsInteger(), column * 10);
  }
  EXPECT_TRUE(VarIsEmpty(table(0, 3)));
  EXPECT_TRUE(VarIsEmpty(table(1, 4)));

  VarArrayRedim(table, 0);
  EXPECT_EQ(VarArrayHighBound(table, 2), 0);
  EXPECT_EQ(table(1, 0).AsInteger(), 0);
  EXPECT_EQ(table(0, 0).AsString(), "name0");
  EXPECT_EQ(ErrorOf([&] { (void)table(0, 1); }), "Variant or safe array index out of bounds");

  VarArrayRedim(table, -1);  // no columns at all is still an array
  EXPECT_EQ(VarArrayHighBound(table, 2), -1);
  EXPECT_EQ(ErrorOf([&] { VarArrayRedim(table, -2); }), "Invalid argument");
}

TEST(VariantArrayTest, KeepsTheBoundsItWasGiven) {
  Variant list = VarArrayCreate({1, 3}, varVariant);
  EXPECT_EQ(VarArrayLowBound(list, 1), 1);
  EXPECT_EQ(VarArrayHighBound(list, 1), 3);
  list[1] = "first";
  list[3] = "last";
  EXPECT_EQ(list.GetElement({1}).AsString(), "first");
  EXPECT_EQ(ErrorOf([&] { (void)list[0]; }), "Variant or safe array index out of bounds");
  EXPECT_EQ(ErrorOf([&] { (void)list[4]; }), "Variant or safe array index out of bounds");
  EXPECT_EQ(ErrorOf([&] { (void)list(1, 1); }), "Variant or safe array index out of bounds");

  const Variant empty = VarArrayCreate({0, -1}, varVariant);
  EXPECT_EQ(VarArrayHighBound(empty, 1), -1);

  const Variant cube = VarArrayCreate({-1, 0, 2, 3, 5, 5}, varVariant);
  EXPECT_EQ(VarArrayDimCount(cube), 3);
  EXPECT_EQ(VarArrayLowBound(cube, 1), -1);
  EXPECT_EQ(VarArrayHighBound(cube, 3), 5);
}

TEST(VariantArrayTest, ReportsMisuse) {
  struct Case {
    std::function<void()> Action;
    const char* Message;
  };
  const Variant list = VarArrayOf({1, 2});
  const Case cases[] = {
      {[] { (void)VarArrayCreate({0, 1, 0}, varVariant); }, "Error creating variant or safe array"},
      {[] { (void)VarArrayCreate({}, varVariant); }, "Error creating variant or safe array"},
      {[] { (void)VarArrayCreate({3, 1}, varVariant); }, "Error creating variant or safe array"},
      {[] { (void)VarArrayCreate({0, 1 << 30, 0, 1 << 30}, varVariant); },
       "Error creating variant or safe array"},
      {[] { (void)VarArrayCreate({0, 1}, varString); }, "Invalid variant type"},
      {[] { (void)VarArrayHighBound(Variant(1), 1); }, "Variant is not an array"},
      {[] { Variant v = "x"; VarArrayRedim(v, 3); }, "Variant is not an array"},
      {[] { (void)Variant("x")[0]; }, "Variant is not an array"},
      {[&] { (void)VarArrayHighBound(list, 2); }, "Variant or safe array index out of bounds"},
      {[&] { (void)VarArrayLowBound(list, 0); }, "Variant or safe array index out of bounds"},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.Action), c.Message);
}

TEST(VariantArrayTest, CopiesAreIndependentDownToNestedArrays) {
  Variant inner = VarArrayOf({"a", "b"});
  Variant outer = VarArrayOf({1, inner});
  Variant copy = outer;
  copy[0] = 99;
  copy[1][0] = "changed";
  EXPECT_EQ(outer[0].AsInteger(), 1);
  EXPECT_EQ(outer[1][0].AsString(), "a");
  EXPECT_EQ(copy[1][0].AsString(), "changed");
  EXPECT_EQ(VarArrayHighBound(copy[1], 1), 1);

  Variant moved = std::move(copy);
  EXPECT_TRUE(VarIsEmpty(copy));  // NOLINT(bugprone-use-after-move): a moved-from variant is empty
  EXPECT_EQ(moved[0].AsInteger(), 99);

  outer = outer;  // self-assignment keeps the array
  EXPECT_EQ(outer[1][1].AsString(), "b");
}

TEST(VariantArrayTest, TypedArraysConvertWhatIsStored) {
  Variant numbers = VarArrayCreate({0, 2}, varInteger);
  EXPECT_EQ(numbers.GetElement({0}).Type(), varInteger);
  EXPECT_EQ(numbers.GetElement({0}).AsInteger(), 0);
  numbers.PutElement({1}, "12");
  EXPECT_EQ(numbers.GetElement({1}).Type(), varInteger);
  EXPECT_EQ(numbers.GetElement({1}).AsInteger(), 12);
  EXPECT_EQ(ErrorOf([&] { numbers.PutElement({2}, "x"); }),
            "Could not convert variant of type (String) into type (Integer)");
  // A reference would let any type in.
  EXPECT_EQ(ErrorOf([&] { numbers[0] = "x"; }), "Invalid variant operation");

  Variant texts = VarArrayCreate({0, 0}, varOleStr);
  texts.PutElement({0}, 5);
  EXPECT_EQ(texts.GetElement({0}).Type(), varOleStr);
  EXPECT_EQ(texts.GetElement({0}).AsString(), "5");
}

}  // namespace
