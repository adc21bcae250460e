// The IGES file as the converter writes it, byte for byte, and the error
// boxes of its record-write steps.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/iges_run.h"

namespace {

const std::string s1 = "IGES file generated from Zorvin Quarn software 3D utilites DOS          S0000001";
const std::string s2 = "translator from Zorvin Quarn software  translator version 1.00.         S0000002";
const std::string g2 = "35HZorvi Quarn stlwire@example.com    ,12HFCTWIRE1 1.0,32,38,6,38,15,   G0000002";
const std::string g5 = "36HZorvin Quarn stlwire@example.com    ,6,0,13H240314.092653;           G0000005";

// The worked facet: vertices (0,0,0), (1,0,0), (0,2,0.5).
const StlFacet worked_facet{{0, 0, 0, 1, 0, 0, 0, 2, 0.5f}};

// The Start and Global records of a run of PART.STL into PART.IGS under the
// fixed clock, with the given data of G4.
std::vector<std::string> head_records(const std::string& g4_data) {
    return {s1, s2, record(",,8HPART.STL,8HPART.IGS,", "G0000001"), g2,
            record("8HPART.IGS,1.0,1,4HINCH,", "G0000003"), record(g4_data, "G0000004"), g5};
}

// Every record-write step of a run with facets facets, in run order.
std::vector<int> record_write_steps(int facets) {
    std::vector<int> steps = {151, 152, 159, 161, 167, 179, 191};
    for (int n = 0; n < facets; ++n) steps.insert(steps.end(), {212, 216, 223, 227, 234, 238});
    for (int n = 0; n < facets; ++n) steps.insert(steps.end(), {267, 278, 289});
    steps.push_back(301);
    return steps;
}

// The step numbers of the boxes from the first-th on, each of which must
// show error.
std::vector<int> box_lines(const ConverterRun& run, int error, std::size_t first = 0) {
    std::vector<int> lines;
    for (std::size_t i = first; i < run.boxes.size(); ++i) {
        const ErrorBox& box = run.boxes[i];
        EXPECT_EQ(box.error, error) << "box at step " << box.line;
        lines.push_back(box.line);
    }
    return lines;
}

// The records as the file holds them, each ended by CR LF.
std::string joined_records(const std::vector<std::string>& records) {
    std::string bytes;
    for (const std::string& line : records) bytes += line + "\r\n";
    return bytes;
}

bool screen_shows_done(const ConverterRun& run) {
    return run.screen.find("\n Done!\n") != std::string::npos;
}

class IgesFile : public ::testing::Test {
protected:
    TempFolder temp;
    std::string folder = temp.path.string();
    std::string path(const std::string& name) const { return folder + "/" + name; }
    std::string iges() const { return read_bytes(path("PART.IGS")); }
};

TEST_F(IgesFile, OneFacetIsTheWorkedExampleByteForByte) {
    write_bytes(path("PART.STL"), stl_bytes({worked_facet}));
    const ConverterRun run = run_converter(folder, "PART.STL", "PART.IGS");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(screen_shows_done(run));

    std::vector<std::string> expected = head_records("32767,0.5,13H240314.092653,2.291288E-04,2.291288,7HZ.Quarn,");
    expected.insert(expected.end(), {
        "     110       1       0       1       0       0       0       000000000D      1",
        "     110       0       8       1       0                               0D      2",
        "     110       2       0       1       0       0       0       000000000D      3",
        "     110       0       8       1       0                               0D      4",
        "     110       3       0       1       0       0       0       000000000D      5",
        "     110       0       8       1       0                               0D      6",
        "110,0,0,0,1,0,0;                                                       1P      1",
        "110,1,0,0,0,2,.5;                                                      3P      2",
        "110,0,2,.5,0,0,0;                                                      5P      3",
        record("S0000002G0000005D0000006P0000003", "T0000001"),
    });
    const std::string bytes = joined_records(expected);
    ASSERT_EQ(bytes.size(), 1394u);
    EXPECT_EQ(iges(), bytes);
}

// Coordinates that fall from the first vertex on: each is tested against
// the maximum too, whatever the minimum test found, so the first vertex's
// coordinate stays the axis's maximum. The whole G4 record, under the fixed
// clock.
TEST_F(IgesFile, FirstVertexHoldingAnAxisMaximumGivesTheExactSize) {
    struct Case {
        const char* falling;
        StlFacet facet;
        std::string resolution_and_size;
    };
    const std::vector<Case> cases = {
        {"x 5, 3, 4: extents 2, 0, 0", {{5, 0, 0, 3, 0, 0, 4, 0, 0}}, ".0002,2"},
        {"y 9, 5, 6: extents 3, 4, 0", {{0, 9, 0, 3, 5, 0, 0, 6, 0}}, ".0005,5"},
        {"z 12, 0, 1: extents 3, 4, 12", {{0, 0, 12, 3, 4, 0, 0, 0, 1}}, ".0013,13"},
        {"every axis: extents 12, 16, 21", {{12, 16, 21, 0, 0, 0, 6, 8, 10}}, ".0029,29"},
    };
    for (const Case& c : cases) {
        write_bytes(path("PART.STL"), stl_bytes({c.facet}));
        const ConverterRun run = run_converter(folder, "PART.STL", "PART.IGS");
        EXPECT_EQ(run.exit_code, 0) << c.falling;
        const std::vector<std::string> records = iges_records(iges());
        ASSERT_EQ(records.size(), 17u) << c.falling;
        EXPECT_EQ(records[5], record("32767,0.5,13H240314.092653," + c.resolution_and_size + ",7HZ.Quarn,",
                                     "G0000004"))
            << c.falling;
    }
}

// The records of entity e and the Terminate record, laid out field by field
// as IGES lays them out.
std::string first_directory_record(int e) {
    char line[96];
    std::snprintf(line, sizeof line, "%8d%8d%8d%8d%8d%8d%8d%8d%8sD%7d", 110, e, 0, 1, 0, 0, 0, 0, "00000000", 2 * e - 1);
    return line;
}

std::string second_directory_record(int e) {
    char line[96];
    std::snprintf(line, sizeof line, "%8d%8d%8d%8d%8d%24s%8dD%7d", 110, 0, 8, 1, 0, "", 0, 2 * e);
    return line;
}

std::string parameter_record(int e, const std::string& text) {
    char line[96];
    std::snprintf(line, sizeof line, "110,%-60s %7dP%7d", text.c_str(), 2 * e - 1, e);
    return line;
}

std::string terminate_record(int directory_records, int parameter_records) {
    char line[96];
    std::snprintf(line, sizeof line, "S0000002G0000005D%07dP%07d%40sT0000001", directory_records, parameter_records, "");
    return line;
}

// Enough facets that every pointer, sequence number and count passes from
// one digit to two and three: each right-aligned over the blanks (or the
// zeros) in front of it, no digit of the number before left behind.
TEST_F(IgesFile, ManyFacetsRightAlignEveryNumberByteForByte) {
    const int facet_count = 40;
    // Facet n: vertex 1 (n mod 13, n mod 17, n mod 22) inside the box that
    // vertices 2 and 3 span, (0, 0, 0) to (12, 16, 21): extents 12, 16, 21.
    std::vector<StlFacet> facets;
    std::vector<std::string> parameter_texts;
    for (int n = 1; n <= facet_count; ++n) {
        const int x = n % 13, y = n % 17, z = n % 22;
        facets.push_back({{float(x), float(y), float(z), 12, 0, 21, 0, 16, 0}});
        const std::string first = std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z);
        parameter_texts.insert(parameter_texts.end(),
                               {first + ",12,0,21;", "12,0,21,0,16,0;", "0,16,0," + first + ";"});
    }
    write_bytes(path("PART.STL"), stl_bytes(facets));
    const ConverterRun run = run_converter(folder, "PART.STL", "PART.IGS");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.boxes.empty());

    std::vector<std::string> expected = head_records("32767,0.5,13H240314.092653,.0029,29,7HZ.Quarn,");
    const int entities = 3 * facet_count;
    for (int e = 1; e <= entities; ++e)
        expected.insert(expected.end(), {first_directory_record(e), second_directory_record(e)});
    for (int e = 1; e <= entities; ++e) expected.push_back(parameter_record(e, parameter_texts[e - 1]));
    expected.push_back(terminate_record(2 * entities, entities));
    ASSERT_EQ(expected.size(), 9u * facet_count + 8);
    // Spot checks of the layout above against the worked example.
    ASSERT_EQ(first_directory_record(1),
              "     110       1       0       1       0       0       0       000000000D      1");
    ASSERT_EQ(second_directory_record(1),
              "     110       0       8       1       0                               0D      2");
    ASSERT_EQ(parameter_record(3, "0,2,.5,0,0,0;"),
              "110,0,2,.5,0,0,0;                                                      5P      3");
    ASSERT_EQ(expected.back(), record("S0000002G0000005D0000240P0000120", "T0000001"));

    const std::string bytes = iges();
    const std::vector<std::string> records = iges_records(bytes);
    ASSERT_EQ(records.size(), expected.size());
    for (std::size_t i = 0; i < records.size(); ++i) ASSERT_EQ(records[i], expected[i]) << "record " << i + 1;
    EXPECT_EQ(bytes, joined_records(expected));
}

TEST_F(IgesFile, NoFacetGivesTheFrameAlone) {
    write_bytes(path("PART.STL"), "");
    write_bytes(path("PART.IGS"), "old content to be emptied");
    const ConverterRun run = run_converter(folder, "PART.STL", "PART.IGS");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.boxes.empty());

    std::vector<std::string> expected = head_records("32767,0.5,13H240314.092653,3.464098,34640.98,7HZ.Quarn,");
    expected.push_back(record("S0000002G0000005D0000000P0000000", "T0000001"));
    const std::string bytes = joined_records(expected);
    ASSERT_EQ(bytes.size(), 656u);
    EXPECT_EQ(iges(), bytes);
}

TEST_F(IgesFile, SecondFacetContinuesTheNumbering) {
    // Its second edge's text is shorter than its first: no character of a
    // longer record may remain. Its normal changes no record.
    const StlFacet second{{1e-8f, 12345678.0f, 25.4f, -1.5f, 0, 2, 3, -0.25f, 0}, {-7.5f, 1e20f, 3}};
    write_bytes(path("  PART.STL "), stl_bytes({worked_facet, second}));
    const ConverterRun run = run_converter(folder, "  PART.STL ", " PART.IGS  ");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.boxes.empty());

    const std::vector<std::string> records = iges_records(read_bytes(path(" PART.IGS  ")));
    ASSERT_EQ(records.size(), 26u);
    // Names opened as typed, written trimmed at both ends.
    EXPECT_EQ(records[2], record(",,8HPART.STL,8HPART.IGS,", "G0000001"));
    EXPECT_EQ(records[4], record("8HPART.IGS,1.0,1,4HINCH,", "G0000003"));
    const std::vector<std::string> second_entities = {
        "     110       4       0       1       0       0       0       000000000D      7",
        "     110       0       8       1       0                               0D      8",
        "     110       5       0       1       0       0       0       000000000D      9",
        "     110       0       8       1       0                               0D     10",
        "     110       6       0       1       0       0       0       000000000D     11",
        "     110       0       8       1       0                               0D     12",
    };
    for (int i = 0; i < 6; ++i) EXPECT_EQ(records[13 + i], second_entities[i]);
    EXPECT_EQ(records[22], "110,1E-08,1.234568E+07,25.4,-1.5,0,2;                                  7P      4");
    EXPECT_EQ(records[23], "110,-1.5,0,2,3,-.25,0;                                                 9P      5");
    EXPECT_EQ(records[24], "110,3,-.25,0,1E-08,1.234568E+07,25.4;                                 11P      6");
    EXPECT_EQ(records[25], record("S0000002G0000005D0000012P0000006", "T0000001"));
}

TEST_F(IgesFile, UnreadableClockLeavesTheTemplateDigits) {
    write_bytes(path("PART.STL"), stl_bytes({worked_facet}));
    const ConverterRun run = run_converter(folder, "PART.STL", "PART.IGS", TestClock::unreadable);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(box_lines(run, 5), (std::vector<int>{171, 175, 182, 186}));
    ASSERT_FALSE(run.boxes.empty());
    EXPECT_EQ(run.boxes[0].message, "Illegal function call");

    const std::vector<std::string> records = iges_records(iges());
    ASSERT_EQ(records.size(), 17u);
    EXPECT_EQ(records[5],
              record("32767,0.5,13H980502.025058,2.291288E-04,2.291288,7HZ.Quarn,", "G0000004"));
    EXPECT_EQ(records[6],
              "36HZorvin Quarn stlwire@example.com    ,6,0,13H980502.025099;           G0000005");
}

TEST_F(IgesFile, MissingFolderGivesOneBoxPerRecordWriteAndNoFile) {
    write_bytes(path("PART.STL"), stl_bytes({worked_facet, worked_facet}));
    const ConverterRun run = run_converter(folder, "PART.STL", "missing/PART.IGS");
    EXPECT_EQ(run.exit_code, 0);
    ASSERT_EQ(run.boxes.size(), 9u * 2 + 9);
    EXPECT_EQ(run.boxes[0].error, 76);
    EXPECT_EQ(run.boxes[0].line, 95);
    EXPECT_EQ(box_lines(run, 52, 1), record_write_steps(2));
    EXPECT_EQ(run.boxes[1].message, "Bad file name or number");
    EXPECT_FALSE(std::filesystem::exists(path("missing")));
    EXPECT_TRUE(screen_shows_done(run));
}

TEST_F(IgesFile, FullDiskFailsEveryRecordWriteStepAndTheRunEnds) {
    ASSERT_EQ(access("/dev/full", W_OK), 0) << "the test writes to /dev/full, Linux's always-full device";
    write_bytes(path("PART.STL"), stl_bytes({worked_facet}));
    const ConverterRun run = run_converter(folder, "PART.STL", "/dev/full");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(box_lines(run, 75), record_write_steps(1));
    ASSERT_FALSE(run.boxes.empty());
    EXPECT_EQ(run.boxes[0].message, "Path/File access error");
    EXPECT_TRUE(screen_shows_done(run));
}

TEST_F(IgesFile, SameFileUnderAnotherSpellingIsRefusedAndLeftIntact) {
    const std::string mesh = stl_bytes({worked_facet});
    write_bytes(path("PART.STL"), mesh);
    ASSERT_EQ(symlink("PART.STL", path("LINK.IGS").c_str()), 0);
    const std::vector<std::string> spellings = {"./PART.STL", ".\\PART.STL", "LINK.IGS", folder + "/PART.STL"};
    for (const std::string& igs_name : spellings) {
        const ConverterRun run = run_converter(folder, "PART.STL", igs_name);
        EXPECT_EQ(run.exit_code, 0) << igs_name;
        ASSERT_EQ(run.boxes.size(), 1u + 17) << igs_name;
        EXPECT_EQ(run.boxes[0].error, 55) << igs_name;
        EXPECT_EQ(run.boxes[0].line, 95) << igs_name;
        EXPECT_EQ(run.boxes[0].message, "File already open");
        EXPECT_EQ(box_lines(run, 52, 1), record_write_steps(1)) << igs_name;
        EXPECT_EQ(read_bytes(path("PART.STL")), mesh) << igs_name;
    }
}

// An ASCII STL file's count is refused, and the file stays open: the same
// name typed for the IGES file is refused too, whatever the answers.
TEST_F(IgesFile, RefusedAsciiStlNamedTwiceIsLeftIntact) {
    const std::string ascii = "solid x" + std::string(73, ' ') + "\nfacet normal 0 0 1\n";
    write_bytes(path("PART.STL"), ascii);
    // Yes throughout: the frame's record writes find file 13 not open.
    const std::vector<std::pair<int, int>> all_yes = {
        {6, 94}, {55, 95}, {6, 106},
        {52, 151}, {52, 152}, {52, 159}, {52, 161}, {52, 167}, {52, 179}, {52, 191},
        {6, 203}, {52, 301}};
    const std::vector<std::pair<std::string, std::vector<std::pair<int, int>>>> cases = {
        {std::string(all_yes.size(), 'y'), all_yes},
        {"n", {{6, 94}}},
    };
    for (const auto& [answers, expected] : cases) {
        const ConverterRun run = run_converter(folder, "PART.STL", "PART.STL", TestClock::fixed, answers);
        EXPECT_EQ(run.exit_code, 0) << answers;
        std::vector<std::pair<int, int>> shown;
        for (const ErrorBox& box : run.boxes) shown.push_back({box.error, box.line});
        EXPECT_EQ(shown, expected) << answers;
        EXPECT_EQ(read_bytes(path("PART.STL")), ascii) << answers;
    }
}

TEST_F(IgesFile, LongNamesGiveValidGlobalRecordsWithExactCounts) {
    const std::string sub = "a_folder_whose_name_is_long_enough_to_overflow_the_record";
    ASSERT_EQ(mkdir(path(sub).c_str(), 0755), 0);
    const std::string stl_name = sub + "/bracket_mesh.stl";   // 74 characters
    const std::string igs_name = sub + "/bracket.igs";        // 69 characters
    write_bytes(path(stl_name), stl_bytes({worked_facet}));
    const ConverterRun run = run_converter(folder, stl_name, igs_name);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.boxes.empty());
    const std::vector<std::string> records = iges_records(read_bytes(path(igs_name)));
    ASSERT_EQ(records.size(), 17u);
    // G1: the longer name is cut first until both tails fit in 72 columns.
    EXPECT_EQ(records[2], ",,31H" + stl_name.substr(74 - 31) + ",31H" + igs_name.substr(69 - 31) +
                              ",G0000001");
    // G3: the longest tail of the IGES name that fits.
    EXPECT_EQ(records[4], "55H" + igs_name.substr(69 - 55) + ",1.0,1,4HINCH,G0000003");
}

std::string hollerith(const std::string& text) {
    return std::to_string(text.size()) + "H" + text;
}

// A script is typed in UTF-8. A name's characters become code page 437
// codes, which the Global section holds byte for byte and counts one each;
// the file opened and written is the one whose UTF-8 name shows the same
// glyphs, and the screen shows them in UTF-8.
TEST_F(IgesFile, NamesBeyondAsciiOpenTheirFilesAndKeepTheirCodes) {
    struct Case {
        const char* typed;   // the stem as the script types it
        const char* shown;   // the stem of the files, and on the screen, in UTF-8
        const char* codes;   // the stem in the records
    };
    const Case cases[] = {
        {"part", "part", "part"},
        {"\u00e9", "\u00e9", "\x82"},
        {"pi\u00e8ce", "pi\u00e8ce", "pi\x8a" "ce"},
        {"W\u00fcrfel", "W\u00fcrfel", "W\x81rfel"},
        {"cube \u00bd", "cube \u00bd", "cube \xab"},
        {"\u00c7elik", "\u00c7elik", "\x80" "elik"},         // code 128, the first beyond ASCII
        {"M6\u00a0bolt", "M6\u00a0bolt", "M6\xff" "bolt"},   // the no-break space: code 255, the last
        {"m\u00f8bel", "mbel", "mbel"},                   // code page 437 has no \u00f8
        {"pi\x8a" "ce", "pi\u00e8ce", "pi\x8a" "ce"},   // a byte that is no UTF-8 is its code
    };
    for (const Case& c : cases) {
        const std::string stl = std::string(c.shown) + ".stl", igs = std::string(c.shown) + ".igs";
        write_bytes(path(stl), stl_bytes({worked_facet}));
        const ConverterRun run = run_converter(folder, std::string(c.typed) + ".stl", std::string(c.typed) + ".igs");
        EXPECT_EQ(run.exit_code, 0) << c.shown;
        EXPECT_TRUE(run.boxes.empty()) << c.shown << ": box " << (run.boxes.empty() ? "" : run.boxes[0].title);

        const std::vector<std::string> rows = rows_of_screen(run.screen);
        EXPECT_EQ(rows[11], "? " + stl);
        EXPECT_EQ(rows[13], "? " + igs);
        EXPECT_EQ(rows[16], " " + stl + " > " + igs);

        const std::string codes_stl = std::string(c.codes) + ".stl", codes_igs = std::string(c.codes) + ".igs";
        const std::vector<std::string> records = iges_records(read_bytes(path(igs)));
        ASSERT_EQ(records.size(), 17u) << c.shown;
        EXPECT_EQ(records[2], record(",," + hollerith(codes_stl) + "," + hollerith(codes_igs) + ",", "G0000001"));
        EXPECT_EQ(records[4], record(hollerith(codes_igs) + ",1.0,1,4HINCH,", "G0000003"));
        std::filesystem::remove(path(igs));
    }
}

TEST_F(IgesFile, ShortenedEdgeKeepsItsPointerAndSequenceNumber) {
    const float v = -1.234568E-03f;
    write_bytes(path("PART.STL"), stl_bytes({StlFacet{{v, v, v, v, v, v, v, v, v}}}));
    const ConverterRun run = run_converter(folder, "PART.STL", "PART.IGS");
    EXPECT_EQ(run.exit_code, 0);
    const std::vector<std::string> records = iges_records(iges());
    ASSERT_EQ(records.size(), 17u);
    const std::string text = "-.0012346,-.0012346,-.0012346,-.0012346,-.0012346,-.0012346;";
    EXPECT_EQ(records[13], "110," + text + "       1P      1");
    EXPECT_EQ(records[14], "110," + text + "       3P      2");
    EXPECT_EQ(records[15], "110," + text + "       5P      3");
}

// The seconds since the epoch of a local stamp "YYMMDD.HHMMSS".
std::time_t stamp_time(const std::string& stamp) {
    std::tm local{};
    local.tm_year = 100 + std::stoi(stamp.substr(0, 2));
    local.tm_mon = std::stoi(stamp.substr(2, 2)) - 1;
    local.tm_mday = std::stoi(stamp.substr(4, 2));
    local.tm_hour = std::stoi(stamp.substr(7, 2));
    local.tm_min = std::stoi(stamp.substr(9, 2));
    local.tm_sec = std::stoi(stamp.substr(11, 2));
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST(IgesProgram, StampsAreTheLocalTimeOfTheRun) {
    TempFolder folder;
    write_bytes(folder / "in.stl", stl_bytes({worked_facet}));
    const std::time_t before = std::time(nullptr);
    const ProgramRun run = run_program(folder / "in.stl" + "\n" + folder / "out.igs" + "\n");
    const std::time_t after = std::time(nullptr);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.boxes, "");
    const std::vector<std::string> records = iges_records(read_bytes(folder / "out.igs"));
    ASSERT_EQ(records.size(), 17u);
    ASSERT_EQ(records[5].substr(0, 13), "32767,0.5,13H");
    for (const std::string& stamp : {records[5].substr(13, 13), records[6].substr(47, 13)}) {
        const std::time_t written = stamp_time(stamp);
        EXPECT_GE(written, before - 1) << stamp;
        EXPECT_LE(written, after + 1) << stamp;
    }
}

}  // namespace
