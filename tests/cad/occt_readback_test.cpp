// Reads an IGES file that the converter wrote back with Open CASCADE: the
// reader must report no failure and find one Line entity per edge, with end
// points equal to what the records' number texts denote and agreeing with
// the mesh's vertices to the digits that the number texts keep.
#include <gtest/gtest.h>

#include <IGESControl_Reader.hxx>
#include <IGESData_GlobalSection.hxx>
#include <IGESData_IGESModel.hxx>
#include <IGESGeom_Line.hxx>
#include <Interface_Check.hxx>
#include <Interface_CheckIterator.hxx>
#include <XSControl_WorkSession.hxx>

#include "tests/support/run_program.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Triangle = std::array<float, 9>;

// A value of magnitude about 10^exponent with a random seven-digit mantissa.
float value_of_magnitude(std::mt19937& random, int exponent) {
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    const double sign = random() % 2 ? -1.0 : 1.0;
    return static_cast<float>(sign * mantissa(random) * std::pow(10.0, exponent));
}

// Triangles whose coordinates span every magnitude of single precision,
// from 1e-37 to 1e37 and the extremes, mixed within a triangle, plus zeros.
std::vector<Triangle> mesh_of_every_magnitude(int count) {
    std::mt19937 random(20240314);
    std::uniform_int_distribution<int> exponent(-37, 36);
    std::vector<Triangle> mesh;
    for (int n = 0; n < count; ++n) {
        Triangle t;
        for (float& value : t) value = random() % 17 == 0 ? 0.0f : value_of_magnitude(random, exponent(random));
        mesh.push_back(t);
    }
    // The extremes: values near the largest finite one (on one axis, so that
    // the box's diagonal stays finite), the smallest normal and the smallest
    // subnormal value.
    const float big = 1.5e38f, min = std::numeric_limits<float>::min();
    const float tiny = std::numeric_limits<float>::denorm_min();
    mesh.push_back({big, -min, tiny, -big, min, -tiny, 1.0f, tiny, -0.5f});
    return mesh;
}

// Triangles whose number texts stay in the fixed form (0.1 to ten million):
// their edges always keep all seven digits.
std::vector<Triangle> mesh_of_plain_values(int count) {
    std::mt19937 random(1394);
    std::uniform_int_distribution<int> exponent(-1, 6);
    std::vector<Triangle> mesh;
    for (int n = 0; n < count; ++n) {
        Triangle t;
        for (float& value : t) value = value_of_magnitude(random, exponent(random));
        mesh.push_back(t);
    }
    return mesh;
}

std::vector<StlFacet> stl_facets(const std::vector<Triangle>& mesh) {
    std::vector<StlFacet> facets;
    for (const Triangle& t : mesh) facets.push_back({t});
    return facets;
}

// The six numbers of each Parameter Data record, as their texts denote them.
std::vector<std::vector<double>> parameter_values(const std::string& iges, std::vector<std::vector<std::string>>& texts) {
    std::vector<std::vector<double>> edges;
    for (std::size_t at = 0; at + 82 <= iges.size(); at += 82) {
        const std::string record = iges.substr(at, 80);
        if (record[72] != 'P') continue;
        const std::string parameters = record.substr(4, record.find(';') - 4);
        std::vector<double> values;
        std::vector<std::string> numbers;
        std::istringstream fields(parameters);
        std::string field;
        while (std::getline(fields, field, ',')) {
            numbers.push_back(field);
            values.push_back(std::strtod(field.c_str(), nullptr));
        }
        edges.push_back(values);
        texts.push_back(numbers);
    }
    return edges;
}

// Significant digits written in a number text: its mantissa's digits from
// the first nonzero one to the last nonzero one.
int digits_written(const std::string& text) {
    const std::string mantissa = text.substr(0, text.find_first_of("ED"));
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) return 0;
    const std::size_t last = mantissa.find_last_of("123456789");
    int digits = 0;
    for (std::size_t i = first; i <= last; ++i) digits += mantissa[i] != '.';
    return digits;
}

// The end points of edge k of a triangle: vertex k to vertex k + 1.
std::array<float, 6> edge_of(const Triangle& t, int k) {
    const int a = 3 * k, b = 3 * ((k + 1) % 3);
    return {t[a], t[a + 1], t[a + 2], t[b], t[b + 1], t[b + 2]};
}

class OcctReadBack : public ::testing::Test {
protected:
    TempFolder folder;

    // Converts mesh and checks what Open CASCADE reads; seven_digits says
    // that every edge must keep seven significant digits.
    void check_mesh(const std::vector<Triangle>& mesh, bool seven_digits) {
        const std::string stl = folder / "mesh.stl", igs = folder / "mesh.igs";
        write_stl(stl, stl_facets(mesh));
        const ProgramRun run = run_program(stl + "\n" + igs + "\n");
        ASSERT_EQ(run.exit_code, 0);
        ASSERT_EQ(run.boxes, "");

        IGESControl_Reader reader;
        ASSERT_EQ(reader.ReadFile(igs.c_str()), IFSelect_RetDone);
        const Handle(IGESData_IGESModel) model = reader.IGESModel();
        ASSERT_FALSE(model.IsNull());
        EXPECT_FALSE(model->GlobalCheck()->HasFailed());
        EXPECT_TRUE(reader.WS()->ModelCheckList().IsEmpty(Standard_True));
        EXPECT_GT(model->GlobalSection().Resolution(), 0.0);
        const std::string file_name = model->GlobalSection().FileName()->ToCString();
        EXPECT_TRUE(file_name.ends_with("/mesh.igs") && igs.ends_with(file_name)) << file_name;

        const int edges = 3 * static_cast<int>(mesh.size());
        ASSERT_EQ(model->NbEntities(), edges);
        std::vector<std::vector<std::string>> texts;
        const std::vector<std::vector<double>> written = parameter_values(read_bytes(igs), texts);
        ASSERT_EQ(static_cast<int>(written.size()), edges);

        for (int e = 1; e <= edges; ++e) {
            const Handle(IGESGeom_Line) line = Handle(IGESGeom_Line)::DownCast(model->Entity(e));
            ASSERT_FALSE(line.IsNull()) << "entity " << e;
            const gp_Pnt start = line->StartPoint(), end = line->EndPoint();
            const double read[6] = {start.X(), start.Y(), start.Z(), end.X(), end.Y(), end.Z()};
            const std::vector<double>& denoted = written[e - 1];
            ASSERT_EQ(denoted.size(), 6u) << "entity " << e;
            const std::array<float, 6> vertex = edge_of(mesh[(e - 1) / 3], (e - 1) % 3);
            int digits = 0;
            for (const std::string& text : texts[e - 1]) digits = std::max(digits, digits_written(text));
            if (seven_digits) digits = 7;
            const double tolerance = 5.0 * std::pow(10.0, -std::max(digits, 1));
            for (int i = 0; i < 6; ++i) {
                EXPECT_DOUBLE_EQ(read[i], denoted[i]) << "entity " << e << " value " << i;
                EXPECT_LE(std::fabs(denoted[i] - vertex[i]), tolerance * std::fabs(vertex[i]))
                    << "entity " << e << " value " << i << " text " << texts[e - 1][i];
            }
        }
    }
};

TEST_F(OcctReadBack, PlainCoordinatesKeepSevenDigits) {
    check_mesh(mesh_of_plain_values(200), true);
}

TEST_F(OcctReadBack, CoordinatesOfEveryMagnitude) {
    check_mesh(mesh_of_every_magnitude(300), false);
}

}  // namespace
