#include <gtest/gtest.h>

#include <string>

#include "converter/iges_entity.h"

namespace {

TEST(EdgeText, TextsThatFitKeepAllSevenDigits) {
    std::string text = "old";
    edge_parameter_text(text, {-1.5f, 0.0f, 2.0f, 3.0f, -0.25f, 0.0f});
    EXPECT_EQ(text, "-1.5,0,2,3,-.25,0;");
    const float v = -123456.7f;
    edge_parameter_text(text, {v, v, v, v, v, v});
    EXPECT_EQ(text, "-123456.7,-123456.7,-123456.7,-123456.7,-123456.7,-123456.7;");
    EXPECT_EQ(text.size(), 60u);
    const float big = -1.234568E+08f;
    edge_parameter_text(text, {1.0f, big, 0.5f, big, 2.0f, big});
    EXPECT_EQ(text, "1,-1.234568E+08,.5,-1.234568E+08,2,-1.234568E+08;");
}

TEST(EdgeText, TooLongTextsKeepTheMostDigitsThatFitSixtyColumns) {
    std::string text;
    const float v = -1.234568E-03f;
    edge_parameter_text(text, {v, v, v, v, v, v});
    EXPECT_EQ(text, "-.0012346,-.0012346,-.0012346,-.0012346,-.0012346,-.0012346;");
    const float big = -1.234568E+08f;
    edge_parameter_text(text, {big, big, big, big, big, big});
    EXPECT_EQ(text, "-1.23E+08,-1.23E+08,-1.23E+08,-1.23E+08,-1.23E+08,-1.23E+08;");
}

TEST(EdgeText, SevenDigitWholeNumberStaysWholeInAShortenedEdge) {
    // 74 characters at seven digits, 69 at six, 64 at five: four digits fit,
    // and 1234567 to four digits is 1235000, seven digits without a point,
    // shorter than 1.235E+06.
    std::string text;
    edge_parameter_text(text, {1234567.0f, 1.234567E-20f, -2.345678E-20f, 3.456789E-20f, 4.567891E-20f,
                               5.678912E-20f});
    EXPECT_EQ(text, "1235000,1.235E-20,-2.346E-20,3.457E-20,4.568E-20,5.679E-20;");
}

TEST(EdgeText, LargeWholeNumbersStayInExponentForm) {
    // A reader takes digits without a point as an integer: -6789120000,
    // shorter than -6.78912E+09, would overflow a 32-bit one.
    std::string text;
    const float huge = -6.789123E+09f, s = -123456.7f;
    edge_parameter_text(text, {huge, s, s, huge, s, s});
    EXPECT_EQ(text, "-6.78912E+09,-123457,-123457,-6.78912E+09,-123457,-123457;");
}

}  // namespace
