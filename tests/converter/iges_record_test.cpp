#include <gtest/gtest.h>

#include <string>

#include "converter/iges_record.h"
#include "converter/text_services.h"
#include "converter/iges_templates.h"
#include "runtime/run_state.h"

namespace {

struct MidCase {
    int start;
    int count;
    const char* source;
    const char* result;
};

TEST(MidStatement, OverwritesInPlaceWithoutChangingLength) {
    const MidCase cases[] = {
        {3, 2, "xy", "ABxyEFGH"},  {7, 5, "xyz", "ABCDEFxy"}, {8, 1, "xyz", "ABCDEFGx"},
        {9, 1, "x", "ABCDEFGH"},   {2, 3, "x", "AxCDEFGH"},   {2, 3, "", "ABCDEFGH"},
        {2, 0, "xyz", "ABCDEFGH"}, {0, 3, "xyz", "yzCDEFGH"}, {-1, 5, "xyz", "zBCDEFGH"},
        {-2, 3, "xyz", "ABCDEFGH"},
    };
    for (const MidCase& c : cases) {
        std::string target = "ABCDEFGH";
        mid_statement(target, c.start, c.count, c.source);
        EXPECT_EQ(target, c.result) << "start " << c.start << " count " << c.count << " source "
                                    << c.source;
    }
}

TEST(MidStatement, WritesNothingWhileAnErrorIsPending) {
    std::string target = "ABCDEFGH";
    raise_runtime_error(75);
    mid_statement(target, 1, 3, "xyz");
    place_from(target, 1, "xyz");
    run_state_reset();
    EXPECT_EQ(target, "ABCDEFGH");
}

TEST(Placement, EndingAtDropsWhatFallsBeforeColumnOne) {
    std::string target = "abc";
    place_ending_at(target, 2, "12345");
    EXPECT_EQ(target, "45c");
}

TEST(Placement, SequenceNumberTwelveOfADirectoryEntryRecord) {
    std::string record(80, '\0');
    string_assign(record, de_template_2, fixed_length);
    place_ending_at(record, 80, "12");
    EXPECT_EQ(record.substr(72), "D     12");
    EXPECT_EQ(record.size(), 80u);
}

TEST(Placement, FromColumnCutsAtTheRecordEnd) {
    std::string record(80, ' ');
    place_from(record, 73, "G0000001xyz");
    EXPECT_EQ(record, std::string(72, ' ') + "G0000001");
}

TEST(StringAssign, FixedTargetKeepsItsLengthVariableTargetTakesTheSources) {
    std::string fixed(8, '\0');
    string_assign(fixed, "xyz", fixed_length);
    EXPECT_EQ(fixed, "xyz     ");
    string_assign(fixed, "0123456789", fixed_length);
    EXPECT_EQ(fixed, "01234567");

    std::string variable = "ABCDEFGH";
    string_assign(variable, "xyz");
    EXPECT_EQ(variable, "xyz");
    EXPECT_EQ(string_concat("", "ab"), "ab");
    EXPECT_EQ(string_concat("ab", "cd"), "abcd");
}

TEST(MidFunction, TwoCharacterPiecesOfDateAndTimeTexts) {
    EXPECT_EQ(mid_function("03-14-2024", 9, 2), "24");
    EXPECT_EQ(mid_function("03-14-2024", 4, 2), "14");
    EXPECT_EQ(mid_function("09:26:53", 7, 2), "53");
    EXPECT_EQ(mid_function("", 1, 2), "");
    EXPECT_EQ(mid_function("12345678", 9, 2), "");
    EXPECT_EQ(mid_function("123456789", 9, 2), "9");
}

TEST(Hollerith, CountIsTheLengthInCharacters) {
    EXPECT_EQ(hollerith_string("A.STL"), "5HA.STL");
    EXPECT_EQ(hollerith_string(""), "0H");
    EXPECT_EQ(hollerith_string("MY PART.IGS"), "11HMY PART.IGS");
    EXPECT_EQ(hollerith_string(std::string(255, 'a')).substr(0, 5), "255Ha");
}

}  // namespace
