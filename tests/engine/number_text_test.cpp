#include "runtime/number_text.h"
#include "runtime/plain_decimal.h"
#include "tests/support/case_names.h"

#include "tests/support/case_names.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <charconv>
#include <cstdio>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace sorvane {
namespace {

std::string Printed(double value) {
  char text[kMaxNumberTextLength];
  return std::string(text, PrintNumberText(value, text));
}

struct ValCase {
  const char* text;
  std::optional<double> val;     // nullopt: beyond the range of a double
  std::optional<double> strict;  // nullopt: not a number as a whole
};

class NumberReading : public ::testing::TestWithParam<ValCase> {};

TEST_P(NumberReading, ValAndStrictConversion) {
  const ValCase& c = GetParam();
  const std::optional<double> val = Val(c.text);
  ASSERT_EQ(val.has_value(), c.val.has_value());
  if (val) {
    EXPECT_EQ(*val, *c.val);
    EXPECT_EQ(std::signbit(*val), std::signbit(*c.val));
  }
  const std::optional<double> strict = StrictConvert(c.text);
  ASSERT_EQ(strict.has_value(), c.strict.has_value());
  if (strict) {
    EXPECT_EQ(*strict, *c.strict);
  }
}

constexpr auto kNotANumber = std::nullopt;

// A row is named after its text.
std::string NameOf(const ValCase& c) { return sorvane::testing::NameOfText(c.text); }
void PrintTo(const ValCase& c, std::ostream* os) { *os << NameOf(c); }

INSTANTIATE_TEST_SUITE_P(
    Table, NumberReading,
    ::testing::Values(
        ValCase{"1.5", 1.5, 1.5}, ValCase{"-45840.421508", -45840.421508, -45840.421508},
        ValCase{"+3", 3.0, 3.0}, ValCase{"1 2", 12.0, kNotANumber},
        ValCase{" 1 ", 1.0, 1.0}, ValCase{"\t2\t", 2.0, 2.0},
        ValCase{"- 5", -5.0, kNotANumber}, ValCase{"1 . 5", 1.5, kNotANumber},
        ValCase{"3abc", 3.0, kNotANumber}, ValCase{"3,4", 3.0, kNotANumber},
        ValCase{"abc", 0.0, kNotANumber}, ValCase{"", 0.0, kNotANumber},
        ValCase{"   ", 0.0, kNotANumber}, ValCase{".", 0.0, kNotANumber},
        ValCase{"-", 0.0, kNotANumber}, ValCase{".5", 0.5, 0.5}, ValCase{"5.", 5.0, 5.0},
        ValCase{"-.25", -0.25, -0.25}, ValCase{"1.2.3", 1.2, kNotANumber},
        ValCase{"1e3", 1000.0, 1000.0}, ValCase{"1E+3", 1000.0, 1000.0},
        ValCase{"2.5e-3", 0.0025, 0.0025}, ValCase{"1e", 1.0, kNotANumber},
        ValCase{"1e+", 1.0, kNotANumber}, ValCase{"1 e 3", 1000.0, kNotANumber},
        ValCase{"1d3", 1.0, kNotANumber}, ValCase{"inf", 0.0, kNotANumber},
        ValCase{"nan", 0.0, kNotANumber}, ValCase{"0x10", 0.0, kNotANumber},
        ValCase{"&H10", 0.0, kNotANumber}, ValCase{"+-1", 0.0, kNotANumber},
        ValCase{"-0", -0.0, -0.0}, ValCase{"1e-400", 0.0, 0.0},
        ValCase{"-1e-400", -0.0, -0.0}, ValCase{"1e309", kNotANumber, kNotANumber},
        ValCase{"-1e309 trailing", kNotANumber, kNotANumber},
        ValCase{"1.7976931348623157e308", 1.7976931348623157e308, 1.7976931348623157e308},
        ValCase{"1,5", 1.0, kNotANumber},
        ValCase{"123456789012345678901234567890", 123456789012345678901234567890.0,
                123456789012345678901234567890.0}),
    [](const auto& info) { return NameOf(info.param); });

struct PrintCase {
  double value;
  const char* text;
};

// A row is named after its value's shortest exact text: 0 and -0 print alike.
std::string NameOf(const PrintCase& c) {
  char text[32];
  const char* end = std::to_chars(text, text + sizeof text, c.value).ptr;
  return sorvane::testing::NameOfText(std::string_view(text, static_cast<std::size_t>(end - text)));
}
void PrintTo(const PrintCase& c, std::ostream* os) { *os << NameOf(c); }

class NumberPrinting : public ::testing::TestWithParam<PrintCase> {};

TEST_P(NumberPrinting, WritesAsThePrintStatement) {
  EXPECT_EQ(Printed(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberPrinting,
    ::testing::Values(
        PrintCase{12.5, " 12.5 "}, PrintCase{-3, "-3 "}, PrintCase{0, " 0 "},
        PrintCase{-0.0, " 0 "}, PrintCase{0.5, " 0.5 "}, PrintCase{-0.25, "-0.25 "},
        PrintCase{0.0001, " 0.0001 "}, PrintCase{0.00001, " 1E-05 "},
        PrintCase{-0.000012345, "-1.2345E-05 "}, PrintCase{100, " 100 "},
        PrintCase{123456789012345.0, " 123456789012345 "}, PrintCase{1e15, " 1E+15 "},
        PrintCase{1234567890123456.0, " 1.23456789012346E+15 "},
        PrintCase{999999999999999.9, " 1E+15 "}, PrintCase{0.1, " 0.1 "},
        PrintCase{0.1 + 0.2, " 0.3 "}, PrintCase{1.0 / 3, " 0.333333333333333 "},
        PrintCase{2.0 / 3, " 0.666666666666667 "}, PrintCase{-45840.421508, "-45840.421508 "},
        PrintCase{1e100, " 1E+100 "}, PrintCase{1.5e-300, " 1.5E-300 "},
        // rounded toward zero, since 1.79769313486232E+308 is beyond any double
        PrintCase{std::numeric_limits<double>::max(), " 1.79769313486231E+308 "},
        PrintCase{std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-324 "},
        PrintCase{-1e-320, "-9.99988867182683E-321 "}),
    [](const auto& info) { return NameOf(info.param); });

// Which fields the fast path takes, and that it prints them as PrintNumberText prints
// their value: a field it refuses costs time, one it takes wrongly costs bytes.
struct PlainCase {
  const char* name;
  const char* field;
  const char* printed;  // nullptr: not taken, the general path reads it
};

class PlainDecimalReading : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainDecimalReading, TakesPlainDecimalsWhosePrintTextIsTheirDigits) {
  const PlainCase& c = GetParam();
  double value = 0;
  NumberText printed;
  const bool taken = ReadPlainDecimal(c.field, value, printed);
  ASSERT_EQ(taken, c.printed != nullptr);
  if (!taken) return;
  EXPECT_EQ(printed.View(), c.printed);
  EXPECT_EQ(value, StrictConvert(c.field));
  EXPECT_EQ(Printed(value), c.printed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlainDecimalReading,
    ::testing::Values(
        PlainCase{"Survey", "-45840.421508", "-45840.421508 "},
        PlainCase{"Unsigned", "156.9951", " 156.9951 "},
        PlainCase{"PlusSign", "+7", " 7 "},
        PlainCase{"FifteenDigits", "12345678.9012345", " 12345678.9012345 "},
        PlainCase{"SixteenDigits", "12345678.90123456", nullptr},
        PlainCase{"FifteenWholeDigits", "123456789012345", " 123456789012345 "},
        PlainCase{"SixteenWholeDigits", "1234567890123456", nullptr},
        PlainCase{"LeadingAndTrailingZeros", "000120.500000000000000000000", " 120.5 "},
        PlainCase{"TenThousandth", "-0.0001", "-0.0001 "},
        PlainCase{"BelowTenThousandth", "0.00009", nullptr},
        PlainCase{"FifteenDigitsBelowOne", "0.000123456789012345", " 0.000123456789012345 "},
        PlainCase{"NegativeZero", "-0.000", " 0 "},
        PlainCase{"PointFirst", ".5", " 0.5 "},
        PlainCase{"PointLast", "5.", " 5 "},
        PlainCase{"PointAlone", ".", nullptr},
        PlainCase{"SignAlone", "-", nullptr},
        PlainCase{"Empty", "", nullptr},
        PlainCase{"Exponent", "1e5", nullptr},
        PlainCase{"Blank", " 1", nullptr},
        PlainCase{"TwoPoints", "1.2.3", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// glibc's "%.15G" follows the same rules for digits, zeros and exponent form; the
// print text is that with the sign and space rules around it.
TEST(NumberPrinting, AgreesWithPrintfOnRandomDoubles) {
  ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
  std::mt19937_64 random(20261207);
  std::uniform_int_distribution<int> exponent(-330, 310);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  for (int i = 0; i < 200000; ++i) {
    double value;
    if (i % 2 == 0) {
      const std::uint64_t bits = random();
      std::memcpy(&value, &bits, sizeof value);
      if (!std::isfinite(value)) continue;
    } else {
      value = mantissa(random) * std::pow(10.0, exponent(random));
      if (!std::isfinite(value)) continue;
    }
    char expected[64];
    std::snprintf(expected, sizeof expected, "%c%.15G ", value < 0 ? '-' : ' ', std::fabs(value));
    ASSERT_EQ(Printed(value), expected) << "bits of " << value;
  }
}

// What is written reads back, through both conversions, as the value rounded to 15
// significant digits.
TEST(NumberPrinting, PrintedTextReadsBack) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 100000; ++i) {
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    const std::string text = Printed(value);
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    const double expected = std::strtod(rounded, nullptr);
    ASSERT_EQ(Val(text), expected) << text;
    ASSERT_EQ(StrictConvert(text), expected) << text;
  }
}

TEST(NumberReading, IgnoresTheProcessLocale) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
  EXPECT_EQ(Val("1.5"), 1.5);
  EXPECT_EQ(StrictConvert("1.5"), 1.5);
  EXPECT_EQ(Printed(1.5), " 1.5 ");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace sorvane
