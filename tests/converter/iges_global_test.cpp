#include <gtest/gtest.h>

#include <string>

#include "converter/iges_global.h"

namespace {

// The Hollerith strings of a G1 or G3 text, read back by their counts.
std::string read_hollerith(const std::string& text, std::size_t& at) {
    const std::size_t h = text.find('H', at);
    const std::size_t count = std::stoul(text.substr(at, h - at));
    std::string value = text.substr(h + 1, count);
    at = h + 1 + count;
    return value;
}

TEST(GlobalNames, NamesThatFitAreWrittenWhole) {
    EXPECT_EQ(g1_parameter_text("PART.STL", "PART.IGS"), ",,8HPART.STL,8HPART.IGS,");
    EXPECT_EQ(g3_parameter_text("PART.IGS"), "8HPART.IGS,1.0,1,4HINCH,");
    EXPECT_EQ(g1_parameter_text("", ""), ",,0H,0H,");
    // 6 + 31 + 31 + 2 + 2 = 72 characters: exactly full.
    const std::string a(31, 'a'), b(31, 'b');
    EXPECT_EQ(g1_parameter_text(a, b), ",,31H" + a + ",31H" + b + ",");
    const std::string c(55, 'c');
    EXPECT_EQ(g3_parameter_text(c), "55H" + c + ",1.0,1,4HINCH,");
}

TEST(GlobalNames, LongNamesKeepTheirTailsAndExactCounts) {
    const std::string folder = "/home/user/projects/with/a/very/long/folder/name/";
    const std::string stl = folder + "bracket.stl";   // 60 characters
    const std::string igs = folder + "out.igs";       // 56 characters

    const std::string g3 = g3_parameter_text(igs);
    EXPECT_EQ(g3.size(), 72u);
    EXPECT_EQ(g3, "55H" + igs.substr(1) + ",1.0,1,4HINCH,");

    const std::string g1 = g1_parameter_text(stl, igs);
    ASSERT_LE(g1.size(), 72u);
    ASSERT_EQ(g1.substr(0, 2), ",,");
    std::size_t at = 2;
    const std::string stl_kept = read_hollerith(g1, at);
    ASSERT_EQ(g1.substr(at, 1), ",");
    ++at;
    const std::string igs_kept = read_hollerith(g1, at);
    EXPECT_EQ(g1.substr(at), ",");
    EXPECT_TRUE(stl.ends_with(stl_kept));
    EXPECT_TRUE(igs.ends_with(igs_kept));
    // The longer name is cut first, so the two kept tails end up within one
    // character of each other, the STL name the shorter when they differ.
    EXPECT_EQ(stl_kept.size(), 31u);
    EXPECT_EQ(igs_kept.size(), 31u);
    // The longest tails that fit: one more character would not.
    EXPECT_EQ(g1.size(), 72u);
}

TEST(GlobalNames, EquallyLongNamesCutTheStlNameFirst) {
    const std::string a(40, 'a'), b(40, 'b');
    // 6 + 2 + 2 + L1 + L2 <= 72 gives L1 + L2 <= 62: 31 each.
    EXPECT_EQ(g1_parameter_text(a, b), ",,31H" + a.substr(9) + ",31H" + b.substr(9) + ",");
    const std::string c(32, 'c'), d(31, 'd');
    EXPECT_EQ(g1_parameter_text(c, d), ",,31H" + c.substr(1) + ",31H" + d + ",");
    // Three-digit counts shrink to two while cutting.
    const std::string e(200, 'e'), f(5, 'f');
    EXPECT_EQ(g1_parameter_text(e, f), ",,58H" + e.substr(142) + ",5H" + f + ",");
}

}  // namespace
