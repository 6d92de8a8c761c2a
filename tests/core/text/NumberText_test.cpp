#include "core/text/NumberText.h"

#include "core/support/ScopedLocale.h"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace ql {
namespace {

class NumberTextIn : public ::testing::TestWithParam<const char*> {};

TEST_P(NumberTextIn, FormatsAsTheCLocaleDoes) {
    const test::ScopedLocale locale(GetParam());
    ASSERT_TRUE(locale.ok()) << GetParam() << " is not installed";
    struct Case {
        double value;
        const char* text;
    };
    const Case amounts[] = {
        {427.5, "427.50"},     {0.0, "0.00"},         {12.345, "12.35"},  {0.125, "0.12"},
        {-0.001, "-0.00"},     {-3.256, "-3.26"},     {9999999.99, "9999999.99"},
        {1234567.0, "1234567.00"}, {1e21, "1000000000000000000000.00"},
    };
    for (const Case& c : amounts) EXPECT_EQ(fixed2Text(c.value), c.text) << c.value;
    EXPECT_EQ(fixed2Text(std::numeric_limits<double>::max()).size(), 309u + 3u);

    EXPECT_EQ(integerText(0), "0");
    EXPECT_EQ(integerText(1234567), "1234567");
    EXPECT_EQ(integerText(-42), "-42");
    EXPECT_EQ(integerText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    for (const std::int64_t value : {std::int64_t{0}, std::int64_t{-42}, std::numeric_limits<std::int64_t>::min()}) {
        std::string out = "180\t";
        appendIntegerText(out, value);
        EXPECT_EQ(out, "180\t" + integerText(value));
    }
    EXPECT_EQ(zeroPaddedText(5, 2), "05");
    EXPECT_EQ(zeroPaddedText(123, 2), "123");
    EXPECT_EQ(zeroPaddedText(-5, 2), "-05");
    EXPECT_EQ(zeroPaddedText(7, 4), "0007");
    EXPECT_EQ(zeroPaddedText(0, 2), "00");
    const std::pair<std::string, const char*> hex[] = {
        {hexText(255, 2), "ff"}, {hexText(10, 2), "0a"}, {hexText(0, 2), "00"}, {hexText(4096, 2), "1000"}};
    for (const auto& [text, expected] : hex) EXPECT_EQ(text, expected);

    // Typed numbers: "." is the point everywhere, so "12,50" is 12 in every locale.
    EXPECT_DOUBLE_EQ(leadingDouble("12,50"), 12.0);
    EXPECT_DOUBLE_EQ(leadingDouble("12.50"), 12.5);
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextIn, ::testing::ValuesIn(test::kTestLocales));

TEST(LeadingDouble, TakesTheLongestNumericPrefix) {
    EXPECT_DOUBLE_EQ(leadingDouble("12,50"), 12.0);
    EXPECT_DOUBLE_EQ(leadingDouble("   7.5"), 7.5);
    EXPECT_DOUBLE_EQ(leadingDouble("\t-3.25 per hour"), -3.25);
    EXPECT_DOUBLE_EQ(leadingDouble("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingDouble("1e2x"), 100.0);
    EXPECT_DOUBLE_EQ(leadingDouble("45."), 45.0);
}

TEST(LeadingDouble, GivesZeroWithoutANumber) {
    EXPECT_EQ(leadingDouble(""), 0.0);
    EXPECT_EQ(leadingDouble("abc"), 0.0);
    EXPECT_EQ(leadingDouble("-"), 0.0);
    EXPECT_EQ(leadingDouble("."), 0.0);
    EXPECT_EQ(leadingDouble("inf"), 0.0);
    EXPECT_EQ(leadingDouble("nan"), 0.0);
    EXPECT_EQ(leadingDouble("1e999"), 0.0);
}

TEST(TypedDecimal, ReadsADecimalCommaAsThePoint) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"19,5", 19.5}, {" 7,25 %", 7.25}, {"19.5", 19.5}, {"1,234.50", 1.0}, {"1,2,3", 1.2},
                 {",5", 0.5},    {"abc", 0.0},      {"", 0.0},      {"-0,5", -0.5}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(typedDecimal(c.text), c.value) << c.text;
}

TEST(LeadingLong, ReadsAsStrtolInBaseTen) {
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    struct Case {
        const char* text;
        std::int64_t value;
    };
    const Case cases[] = {
        {"42", 42},          {"  -17abc", -17},   {"+8", 8},           {"0012", 12},
        {"12,50", 12},       {"1.9", 1},          {"", 0},             {"abc", 0},
        {"-", 0},            {" + 3", 0},         {"9223372036854775807", kMax},
        {"9223372036854775808", kMax},            {"-9223372036854775808", kMin},
        {"-99999999999999999999", kMin},          {"99999999999999999999", kMax},
    };
    for (const Case& c : cases) EXPECT_EQ(leadingLong(c.text), c.value) << '"' << c.text << '"';
}

// Digits are written in pairs: every length, both sides of each pair boundary and both ends
// of the 64-bit range come out as the library writes them.
TEST(PutIntegerText, WritesWhatTheLibraryWrites) {
    constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int64_t>::max();
    std::vector<std::int64_t> values{0, kLowest, kHighest};
    for (std::int64_t power = 1; power <= kHighest / 10; power *= 10)
        for (const std::int64_t v : {power - 1, power, power + 1, 7 * power + 3})
            for (const std::int64_t sign : {1, -1}) values.push_back(sign * v);
    for (const std::int64_t value : values) {
        char expected[24];
        const auto end = std::to_chars(expected, expected + sizeof expected, value).ptr;
        char buffer[kIntegerTextRoom + 1];
        buffer[kIntegerTextRoom] = '#';
        const char* written = putIntegerText(buffer, value);
        EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(written - buffer)),
                  std::string(expected, static_cast<std::size_t>(end - expected)))
            << value;
        EXPECT_EQ(buffer[kIntegerTextRoom], '#') << value;  // never beyond the room it promises
    }
    for (unsigned n = 0; n < 100; ++n) {
        char pair[2];
        putTwoDigitText(pair, n);
        EXPECT_EQ(std::string(pair, 2), zeroPaddedText(n, 2));
    }
}

}  // namespace
}  // namespace ql

namespace ql {
namespace {

TEST(ShortestDecimalText, WritesTheShortestPlainDecimalThatReadsBack) {
    const test::ScopedLocale german("de_DE.UTF-8");
    ASSERT_TRUE(german.ok()) << "de_DE.UTF-8 is not installed";
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {85.5, "85.5"},   {19.0, "19"},   {7.7, "7.7"},   {0.1, "0.1"},   {-25.0, "-25"},
        {1e21, "1000000000000000000000"}, {1e-7, "0.0000001"},          {33333333.33, "33333333.33"},
        {0.0, "0"},       {-0.0, "0"},    {std::numeric_limits<double>::infinity(), "0"},
        {std::numeric_limits<double>::quiet_NaN(), "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(shortestDecimalText(c.value), c.text) << c.value;
    // Whatever double it is given, the text reads back as it.
    for (const double value : {1.0 / 3.0, 123.456789012345, 499.99999999999994, 5e-324}) {
        const std::string text = shortestDecimalText(value);
        double back = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
    }
}

TEST(CentsText, WritesTwoPlacesForEveryCount) {
    const struct {
        std::int64_t cents;
        const char* text;
    } cases[] = {
        {123450, "1234.50"}, {0, "0.00"},   {5, "0.05"},   {-105, "-1.05"},  {-5, "-0.05"},  {100, "1.00"},
        {std::numeric_limits<std::int64_t>::max(), "92233720368547758.07"},
        {std::numeric_limits<std::int64_t>::min(), "-92233720368547758.08"},
    };
    for (const auto& c : cases) EXPECT_EQ(centsText(c.cents), c.text) << c.cents;
}

}  // namespace
}  // namespace ql
