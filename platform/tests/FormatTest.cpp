#include "Format.h"

#include <gtest/gtest.h>

#include <cmath>

#include "Exceptions.h"
#include "FormatSettings.h"

namespace {

struct TFormatCase {
  const char* Fmt;
  TVarRecs Args;
  const char* Expected;
};

class FormatTable : public testing::TestWithParam<TFormatCase> {};

TEST_P(FormatTable, MatchesTheOriginalRunTime) {
  const TFormatCase& c = GetParam();
  EXPECT_EQ(Format(c.Fmt, c.Args), c.Expected) << "format " << c.Fmt;
}

INSTANTIATE_TEST_SUITE_P(
    Integers, FormatTable,
    testing::Values(TFormatCase{"%d", {123}, "123"}, TFormatCase{"%d", {-123}, "-123"},
                    TFormatCase{"%5d|", {123}, "  123|"}, TFormatCase{"%-5d|", {123}, "123  |"},
                    TFormatCase{"%.2d", {7}, "07"}, TFormatCase{"%.4d", {-5}, "-0005"},
                    TFormatCase{"%.2d", {123}, "123"}, TFormatCase{"%.*d", {4, 42}, "0042"},
                    TFormatCase{"%*d", {4, 42}, "  42"},
                    TFormatCase{"%d%.2d%.2d", {2005, 3, 15}, "20050315"},
                    TFormatCase{"%.3d%s%.2d%s%.2d", {94, "/", 3, "/", 15}, "094/03/15"},
                    TFormatCase{"%d", {int64_t{9000000000}}, "9000000000"},
                    TFormatCase{"%d", {INT32_MIN}, "-2147483648"},
                    TFormatCase{"%u", {-1}, "4294967295"}, TFormatCase{"%x", {255}, "FF"},
                    TFormatCase{"%X", {255}, "FF"}, TFormatCase{"%.4x", {255}, "00FF"},
                    TFormatCase{"%x", {-1}, "FFFFFFFF"},
                    TFormatCase{"%x", {int64_t{-1}}, "FFFFFFFFFFFFFFFF"}));

INSTANTIATE_TEST_SUITE_P(
    Floats, FormatTable,
    testing::Values(TFormatCase{"%f", {1.5}, "1.50"}, TFormatCase{"%.0f", {0.5}, "1"},
                    TFormatCase{"%.0f", {2.5}, "3"}, TFormatCase{"%.2f", {0.125}, "0.13"},
                    TFormatCase{"%.2f", {2.675}, "2.67"}, TFormatCase{"%.1f", {-0.05}, "-0.1"},
                    TFormatCase{"%.1f", {-0.04}, "0.0"}, TFormatCase{"%.3f", {-1.0}, "-1.000"},
                    TFormatCase{"%8.2f|", {3.14159}, "    3.14|"},
                    TFormatCase{"%e", {1.5}, "1.50000000000000E+000"},
                    TFormatCase{"%.3e", {1234.5}, "1.23E+003"},
                    TFormatCase{"%.2e", {-0.000123}, "-1.2E-004"},
                    TFormatCase{"%e", {0.0}, "0.00000000000000E+000"},
                    TFormatCase{"%g", {1.5}, "1.5"}, TFormatCase{"%g", {1e20}, "1E20"},
                    TFormatCase{"%g", {0.0001}, "0.0001"}, TFormatCase{"%g", {0.00001}, "1E-5"},
                    TFormatCase{"%.3g", {1234.5}, "1.23E3"},
                    TFormatCase{"%n", {1234567.891}, "1,234,567.89"},
                    TFormatCase{"%.0n", {-999.5}, "-1,000"},
                    TFormatCase{"%m", {1234.5}, "$1,234.50"}, TFormatCase{"%m", {-3.0}, "($3.00)"}));

INSTANTIATE_TEST_SUITE_P(
    TextsAndIndexes, FormatTable,
    testing::Values(TFormatCase{"%s", {"abc"}, "abc"}, TFormatCase{"%5s|", {"abc"}, "  abc|"},
                    TFormatCase{"%-5s|", {"abc"}, "abc  |"}, TFormatCase{"%.2s", {"abc"}, "ab"},
                    TFormatCase{"%s", {'c'}, "c"}, TFormatCase{"%s", {std::string("str")}, "str"},
                    // Width and precision count characters, not bytes.
                    TFormatCase{"%4s|", {"中文"}, "  中文|"}, TFormatCase{"%.1s", {"中文"}, "中"},
                    TFormatCase{"%1:s %0:s", {"a", "b"}, "b a"},
                    TFormatCase{"%0:s %s %0:s", {"a", "b"}, "a b a"},
                    TFormatCase{"%1:-3s|", {"a", "b"}, "b  |"},
                    TFormatCase{"100%%", {}, "100%"}, TFormatCase{"no placeholders", {1, 2}, "no placeholders"},
                    TFormatCase{"Can not Get Message\rType= %s, ID= %s ", {"E", "000015"},
                                "Can not Get Message\rType= E, ID= 000015 "},
                    TFormatCase{"%s-%d", {"only", 1, "extra", 2}, "only-1"}));

struct TErrorCase {
  const char* Fmt;
  TVarRecs Args;
  const char* Message;
};

class FormatErrors : public testing::TestWithParam<TErrorCase> {};

TEST_P(FormatErrors, RaiseConvertErrorWithTheOriginalText) {
  const TErrorCase& c = GetParam();
  try {
    Format(c.Fmt, c.Args);
    FAIL() << "no error for " << c.Fmt;
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), c.Message);
    EXPECT_STREQ(e.ClassName(), "EConvertError");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Mismatches, FormatErrors,
    testing::Values(
        TErrorCase{"%d", {"x"}, "Format '%d' invalid or incompatible with argument"},
        TErrorCase{"%s", {1}, "Format '%s' invalid or incompatible with argument"},
        TErrorCase{"%f", {1}, "Format '%f' invalid or incompatible with argument"},
        TErrorCase{"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
        TErrorCase{"%d", {true}, "Format '%d' invalid or incompatible with argument"},
        TErrorCase{"%.*d", {"4", 1}, "Format '%.*d' invalid or incompatible with argument"},
        TErrorCase{"%k", {1}, "Format '%k' invalid or incompatible with argument"},
        TErrorCase{"abc %", {1}, "Format 'abc %' invalid or incompatible with argument"},
        TErrorCase{"%d %d", {1}, "No argument for format '%d %d'"},
        TErrorCase{"%2:s", {"a", "b"}, "No argument for format '%2:s'"},
        // The format is shown up to its 31st byte, never cutting a character.
        TErrorCase{"01234567890123456789012345678中%d", {"x"},
                   "Format '01234567890123456789012345678' invalid or incompatible with argument"}));

TEST(Format, PointerIsWrittenAsFixedWidthHex) {
  const void* p = reinterpret_cast<const void*>(uintptr_t{0xABC});
  EXPECT_EQ(Format("%p", {p}), std::string(2 * sizeof(void*) - 3, '0') + "ABC");
}

TEST(Format, SeparatorsComeFromTheSettings) {
  TFormatSettings saved = FormatSettings;
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
  EXPECT_EQ(Format("%g", {0.25}), "0,25");
  FormatSettings = saved;
}

TEST(FloatToStrF, SpecialValues) {
  EXPECT_EQ(FloatToStrF(NAN, ffGeneral, 15, 0), "NAN");
  EXPECT_EQ(FloatToStrF(INFINITY, ffFixed, 15, 2), "INF");
  EXPECT_EQ(FloatToStrF(-INFINITY, ffExponent, 15, 3), "-INF");
}

// A value that converts itself, as variants join Format.
struct TSample {
  int64_t Number;
};

class TSampleValue : public TFormatValue {
public:
  explicit TSampleValue(TSample s) : FSample(s) {}
  int64_t AsInt64() const override { return FSample.Number; }
  double AsFloat() const override { return FSample.Number + 0.5; }
  std::string AsString() const override { return "#" + std::to_string(FSample.Number); }

private:
  TSample FSample;
};

TVarRec MakeVarRec(const TSample& s) { return TVarRec(std::make_shared<TSampleValue>(s)); }

TEST(Format, SelfConvertingArgumentsFollowThePlaceholder) {
  TSample s{7};
  EXPECT_EQ(Format("%s %d %.1f %.3x", {s, s, s, s}), "#7 7 7.5 007");
  TVarRecs list{TSample{-1}};
  EXPECT_EQ(Format("%x", list), "FFFFFFFF");
}

}  // namespace
