// The parameter text of a Line entity: its start and end point as number
// texts, joined by "," and ended by ";". It must fit columns 5-64 of its one
// Parameter Data record.
#pragma once

#include <array>
#include <string>

#include "converter/converter_state.h"
#include "converter/number_text.h"

// Longest parameter text: columns 5-64.
inline constexpr std::size_t edge_text_limit = 60;

// Start x, y, z, then end x, y, z.
using EdgePoints = std::array<float, 6>;

// Writes the edge's parameter text into target (reusing its storage). An
// edge whose seven-digit text would be longer than 60 characters is written
// with the most significant digits, 7 down to 1, that let it fit, each
// number in the shorter of its fixed and exponent forms, but never as a
// whole number of more than seven digits, which readers take as an integer.
void edge_parameter_text(std::string& target, const EdgePoints& points);

// The number texts of a facet's vertex coordinates, indexed like
// facet_values (4 to 12). Each vertex stands in two of the facet's three
// edges, so its texts are made once per facet.
using VertexTexts = std::array<NumberText, 13>;
void make_vertex_texts(VertexTexts& texts, const FacetValues& values);

// The edge from the vertex whose x is element start_element to the vertex
// whose x is element end_element, from the texts made of values.
void edge_parameter_text(std::string& target, const VertexTexts& texts, const FacetValues& values,
                         int start_element, int end_element);
