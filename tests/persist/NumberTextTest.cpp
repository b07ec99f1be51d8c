// Numbers of the scenario and option files, read with the rules of the C
// library's string-to-long conversion for a 32-bit long.
#include "persist/NumberText.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ReadDecimal, StopsAtFirstNonDigit)
{
    EXPECT_EQ(12, ReadDecimal("12x"));
    EXPECT_EQ(0, ReadDecimal("abc"));
    EXPECT_EQ(0, ReadDecimal(""));
    EXPECT_EQ(0, ReadDecimal("-"));
    EXPECT_EQ(0, ReadDecimal("0x10"));
    EXPECT_EQ(1, ReadDecimal("1 2"));
}

TEST(ReadDecimal, SkipsLeadingWhiteSpaceAndTakesOneSign)
{
    EXPECT_EQ(-3, ReadDecimal("-3"));
    EXPECT_EQ(7, ReadDecimal(" \t\r\n\v\f+7"));
    EXPECT_EQ(0, ReadDecimal("+-7"));
    EXPECT_EQ(0, ReadDecimal("- 7"));
}

TEST(ReadDecimal, SaturatesOutside32Bits)
{
    EXPECT_EQ(INT_MAX, ReadDecimal("2147483647"));
    EXPECT_EQ(INT_MAX, ReadDecimal("2147483648"));
    EXPECT_EQ(INT_MAX, ReadDecimal("99999999999999999999999999"));
    EXPECT_EQ(INT_MIN, ReadDecimal("-2147483648"));
    EXPECT_EQ(INT_MIN, ReadDecimal("-2147483649"));
    EXPECT_EQ(-2147483647, ReadDecimal("-2147483647"));
}

TEST(ReadHex, ReadsEitherCaseAndOptionalPrefix)
{
    EXPECT_EQ(0xffccccu, ReadHex("ffcccc"));
    EXPECT_EQ(0xffccccu, ReadHex("FFCCCC"));
    EXPECT_EQ(0x77u, ReadHex("0x77"));
    EXPECT_EQ(0x77u, ReadHex("0X0077"));
    EXPECT_EQ(0u, ReadHex("0xg"));
    EXPECT_EQ(0xau, ReadHex(" a"));
    EXPECT_EQ(0u, ReadHex("zz"));
}

TEST(ReadHex, KeepsLow32BitsOfLongNumbers)
{
    EXPECT_EQ(0x10077u, ReadHex("10077"));
    EXPECT_EQ(0x23456789u, ReadHex("123456789"));
    EXPECT_EQ(0x80000000u, ReadHex("80000000"));
    EXPECT_EQ(0xFFFFFFFFu, ReadHex("-1"));
}
