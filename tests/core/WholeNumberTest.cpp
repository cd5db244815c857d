#include "scene/WholeNumber.h"

#include <gtest/gtest.h>

namespace korvo {
namespace {

struct NumberCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

void PrintTo(const NumberCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class WholeNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(WholeNumber, Reads)
{
    EXPECT_EQ(ParseWholeNumber(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WholeNumber,
    testing::Values(NumberCase{"13", 13}, NumberCase{"007", 7}, NumberCase{"+5", 5}, NumberCase{"-12", -12},
                    NumberCase{"   42", 42}, NumberCase{"$0D", 13}, NumberCase{"$ff", 255}, NumberCase{"x1F", 31},
                    NumberCase{"X1f", 31}, NumberCase{"0x7F", 127}, NumberCase{"0X10", 16}, NumberCase{"-$10", -16},
                    NumberCase{" -0x1", -1}, NumberCase{"2147483647", 2147483647},
                    NumberCase{"-2147483648", INT32_MIN}, NumberCase{"$FFFFFFFF", -1},
                    NumberCase{"$80000000", INT32_MIN},
                    // not numbers
                    NumberCase{"", std::nullopt}, NumberCase{" ", std::nullopt}, NumberCase{"13 ", std::nullopt},
                    NumberCase{"1 3", std::nullopt}, NumberCase{"- 1", std::nullopt}, NumberCase{"+", std::nullopt},
                    NumberCase{"$", std::nullopt}, NumberCase{"0x", std::nullopt}, NumberCase{"$G", std::nullopt},
                    NumberCase{"12a", std::nullopt}, NumberCase{"\t5", std::nullopt},
                    NumberCase{"2147483648", std::nullopt}, NumberCase{"-2147483649", std::nullopt},
                    NumberCase{"$100000000", std::nullopt},
                    NumberCase{"99999999999999999999999", std::nullopt}, NumberCase{"C4", std::nullopt}));

TEST(WholeNumber, FallbackAndTrim)
{
    EXPECT_EQ(WholeNumberOr("abc", 916), 916);
    EXPECT_EQ(WholeNumberOr("12", 916), 12);
    EXPECT_EQ(TrimBlanksAndControls(" \t916 \r"), "916");
    EXPECT_EQ(TrimBlanksAndControls("  "), "");
}

} // namespace
} // namespace korvo
