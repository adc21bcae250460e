// The converter's one routine. Every step carries its fixed number and ends
// with the end-of-step check; loop heads check each time their body runs,
// condition steps only when their test succeeds.
#include "converter/converter_main.h"

#include <string>

#include "converter/converter_state.h"
#include "converter/dialogue.h"
#include "converter/iges_entity.h"
#include "converter/iges_global.h"
#include "converter/iges_record.h"
#include "converter/iges_templates.h"
#include "converter/model_size.h"
#include "converter/number_text.h"
#include "converter/stl_file.h"
#include "converter/text_services.h"
#include "runtime/clock.h"
#include "runtime/line_input.h"
#include "runtime/numbered_files.h"
#include "runtime/run_frame.h"
#include "runtime/text_screen.h"

void converter_main() {
    ConverterState s;
    // Not a field of the state: the number texts of the current facet's
    // vertices in the third pass, made at step 263 for its three edges.
    VertexTexts vertex_texts;

    // The bounding box starts empty.
    s.x_min = box_min_start;   end_of_step(68);
    s.x_max = box_max_start;  end_of_step(69);
    s.y_min = box_min_start;   end_of_step(70);
    s.y_max = box_max_start;  end_of_step(71);
    s.z_max = box_max_start;  end_of_step(73);
    s.z_min = box_min_start;   end_of_step(74);

    // Banner.
    print_row(" ");                                                               end_of_step(77);
    print_row(std::string("Software by Zorvin Quarn ") + contact_address);         end_of_step(78);
    print_row("Input files and output files must be 8 character prefix and ");    end_of_step(79);
    print_row("3 character suffix (DOS standard). ");                             end_of_step(80);
    print_row(" Beta software use at your own risk.");                            end_of_step(81);
    print_row(" ");                                                               end_of_step(82);
    print_row(" STL to IGES wire frame Utility");                                 end_of_step(83);
    print_row(" ");                                                               end_of_step(84);
    print_empty_row();                                                            end_of_step(86);

    // The two names, as typed.
    print_row(" ENTER STL (.STL) file: ");                                        end_of_step(87);
    print_text("? ", false);
    if (!input_statement(s.stl_name)) end_program_thread();
    end_of_step(88);
    print_row(" ENTER IGES (.igs) file (output): ");                              end_of_step(89);
    print_text("? ", false);
    if (!input_statement(s.igs_name)) end_program_thread();
    end_of_step(90);
    print_empty_row();                                                            end_of_step(91);
    print_empty_row();                                                            end_of_step(92);

    open_stl_file(s.stl_name);                                                    end_of_step(94);
    file_open(igs_file_number, s.igs_name, FileMode::output);                     end_of_step(95);

    print_item(" ");
    print_item(s.stl_name);
    print_item(" > ");
    print_item(s.igs_name);
    print_empty_row();                                                            end_of_step(97);

    s.stl_name = rtrim_spaces(ltrim_spaces(s.stl_name));                          end_of_step(99);
    s.igs_name = rtrim_spaces(ltrim_spaces(s.igs_name));                          end_of_step(100);

    // Record buffers: 80 blanks.
    string_assign(s.record_line, blank_record, fixed_length);                     end_of_step(101);
    string_assign(s.blank_line, s.record_line, fixed_length);                     end_of_step(102);

    // First pass: the count, every facet, the bounding box.
    s.facet_count = 0;                                                            end_of_step(103);
    s.file_pos = 81;                                                              end_of_step(104);
    read_facet_count(s.facet_count, s.file_pos);                                  end_of_step(106);
    s.file_pos = s.file_pos + 4;                                                  end_of_step(107);
    for (s.facet_no = 1; s.facet_no <= s.facet_count; ++s.facet_no) {
        end_of_step(109);
        for (s.value_no = 1; s.value_no <= 12; ++s.value_no) {
            end_of_step(110);
            file_get(stl_file_number, s.file_pos, s.read_value);                  end_of_step(111);
            s.file_pos = s.file_pos + 4;                                          end_of_step(112);
            if (!error_pending()) s.facet_values[s.value_no] = s.read_value;
            end_of_step(113);
        }
        s.file_pos = s.file_pos + 2;                                              end_of_step(115);
        for (s.vertex_no = 1; s.vertex_no <= 3; ++s.vertex_no) {
            end_of_step(116);
            s.vertex_x = s.facet_values[3 * s.vertex_no + 1];                     end_of_step(117);
            s.vertex_y = s.facet_values[3 * s.vertex_no + 2];                     end_of_step(118);
            s.vertex_z = s.facet_values[3 * s.vertex_no + 3];                     end_of_step(119);
            if (s.x_min > s.vertex_x) {
                end_of_step(120);
                s.x_min = s.vertex_x;                                             end_of_step(121);
            }
            if (s.vertex_x > s.x_max) {
                end_of_step(123);
                s.x_max = s.vertex_x;                                             end_of_step(123);
            }
            if (s.y_min > s.vertex_y) {
                end_of_step(125);
                s.y_min = s.vertex_y;                                             end_of_step(126);
            }
            if (s.vertex_y > s.y_max) {
                end_of_step(128);
                s.y_max = s.vertex_y;                                             end_of_step(128);
            }
            if (s.z_min > s.vertex_z) {
                end_of_step(131);
                s.z_min = s.vertex_z;                                             end_of_step(132);
            }
            if (s.vertex_z > s.z_max) {
                end_of_step(134);
                s.z_max = s.vertex_z;                                             end_of_step(134);
            }
        }
    }

    // The box's extents, its diagonal and the resolution.
    s.x_extent = extent(s.x_max, s.x_min);                                    end_of_step(140);
    s.y_extent = extent(s.y_max, s.y_min);                                    end_of_step(141);
    s.z_extent = extent(s.z_max, s.z_min);                                    end_of_step(142);
    s.model_size = diagonal_length(s.x_extent, s.y_extent, s.z_extent);           end_of_step(144);
    s.resolution = resolution_of(s.model_size);                                   end_of_step(145);

    // Start section.
    file_print(igs_file_number, start_record_1);                                  end_of_step(151);
    file_print(igs_file_number, start_record_2);                                  end_of_step(152);

    // Global section: G1 and G2.
    string_assign(s.work_text, g1_parameter_text(s.stl_name, s.igs_name));        end_of_step(155);
    place_from(s.record_line, 1, s.work_text);                                    end_of_step(157);
    place_from(s.record_line, 73, global_sequence_1);                             end_of_step(158);
    file_print(igs_file_number, s.record_line);                                   end_of_step(159);
    file_print(igs_file_number, global_record_2);                                 end_of_step(161);

    // G3: the IGES name and the units.
    string_assign(s.work_text, g3_parameter_text(s.igs_name));                    end_of_step(163);
    string_assign(s.record_line, s.blank_line, fixed_length);                     end_of_step(164);
    place_from(s.record_line, 1, s.work_text);                                    end_of_step(165);
    place_from(s.record_line, 73, global_sequence_3);                             end_of_step(166);
    file_print(igs_file_number, s.record_line);                                   end_of_step(167);

    // G4: resolution, size and the stamp of the file's generation.
    string_assign(s.work_text, global_template_4);                                end_of_step(168);
    string_assign(s.aux_text, g4_size_text(s.resolution, s.model_size));          end_of_step(169);
    place_from(s.work_text, 28, s.aux_text);                                      end_of_step(170);
    string_assign(s.aux_text, date_text());                                       end_of_step(171);
    place_from(s.work_text, 14, mid_function(s.aux_text, 9, 2));                  end_of_step(172);
    place_from(s.work_text, 16, mid_function(s.aux_text, 1, 2));                  end_of_step(173);
    place_from(s.work_text, 18, mid_function(s.aux_text, 4, 2));                  end_of_step(174);
    string_assign(s.aux_text, time_text());                                       end_of_step(175);
    place_from(s.work_text, 21, mid_function(s.aux_text, 1, 2));                  end_of_step(176);
    place_from(s.work_text, 23, mid_function(s.aux_text, 4, 2));                  end_of_step(177);
    place_from(s.work_text, 25, mid_function(s.aux_text, 7, 2));                  end_of_step(178);
    file_print(igs_file_number, s.work_text);                                     end_of_step(179);

    // G5: the stamp of the model, read from the clock again.
    string_assign(s.work_text, global_template_5);                                end_of_step(181);
    string_assign(s.aux_text, date_text());                                       end_of_step(182);
    place_from(s.work_text, 48, mid_function(s.aux_text, 9, 2));                  end_of_step(183);
    place_from(s.work_text, 50, mid_function(s.aux_text, 1, 2));                  end_of_step(184);
    place_from(s.work_text, 52, mid_function(s.aux_text, 4, 2));                  end_of_step(185);
    string_assign(s.aux_text, time_text());                                       end_of_step(186);
    place_from(s.work_text, 55, mid_function(s.aux_text, 1, 2));                  end_of_step(187);
    place_from(s.work_text, 57, mid_function(s.aux_text, 4, 2));                  end_of_step(188);
    place_from(s.work_text, 59, mid_function(s.aux_text, 7, 2));                  end_of_step(189);
    file_print(igs_file_number, s.work_text);                                     end_of_step(191);

    // The entity templates.
    string_assign(s.de_line1, de_template_1, fixed_length);                       end_of_step(196);
    string_assign(s.de_line2, de_template_2, fixed_length);                       end_of_step(197);
    string_assign(s.pd_line, pd_record_template, fixed_length);                   end_of_step(199);
    string_assign(s.pd_template, s.pd_line, fixed_length);                        end_of_step(200);

    // Second pass: the count again; no facet is read.
    s.file_pos = 81;                                                              end_of_step(202);
    read_facet_count(s.facet_count, s.file_pos);                                  end_of_step(203);
    s.file_pos = s.file_pos + 4;                                                  end_of_step(204);
    s.link_no = 1;                                                                end_of_step(205);
    s.sequence_no = 1;                                                            end_of_step(206);
    for (s.facet_no = 1; s.facet_no <= s.facet_count; ++s.facet_no) {
        end_of_step(207);
        // Edge 1: Directory Entry records.
        string_assign(s.work_text, double_number_text(s.link_no));                end_of_step(208);
        place_ending_at(s.de_line1, 16, s.work_text);                             end_of_step(209);
        string_assign(s.work_text, double_number_text(s.sequence_no));            end_of_step(210);
        place_ending_at(s.de_line1, 80, s.work_text);                             end_of_step(211);
        file_print(igs_file_number, s.de_line1);                                  end_of_step(212);
        s.sequence_no = s.sequence_no + 1;                                        end_of_step(213);
        string_assign(s.work_text, double_number_text(s.sequence_no));            end_of_step(214);
        place_ending_at(s.de_line2, 80, s.work_text);                             end_of_step(215);
        file_print(igs_file_number, s.de_line2);                                  end_of_step(216);
        s.link_no = s.link_no + 1;                                                end_of_step(217);
        s.sequence_no = s.sequence_no + 1;                                        end_of_step(218);
        // Edge 2: Directory Entry records.
        string_assign(s.work_text, double_number_text(s.link_no));                end_of_step(219);
        place_ending_at(s.de_line1, 16, s.work_text);                             end_of_step(220);
        string_assign(s.work_text, double_number_text(s.sequence_no));            end_of_step(221);
        place_ending_at(s.de_line1, 80, s.work_text);                             end_of_step(222);
        file_print(igs_file_number, s.de_line1);                                  end_of_step(223);
        s.sequence_no = s.sequence_no + 1;                                        end_of_step(224);
        string_assign(s.work_text, double_number_text(s.sequence_no));            end_of_step(225);
        place_ending_at(s.de_line2, 80, s.work_text);                             end_of_step(226);
        file_print(igs_file_number, s.de_line2);                                  end_of_step(227);
        s.link_no = s.link_no + 1;                                                end_of_step(228);
        s.sequence_no = s.sequence_no + 1;                                        end_of_step(229);
        // Edge 3: Directory Entry records.
        string_assign(s.work_text, double_number_text(s.link_no));                end_of_step(230);
        place_ending_at(s.de_line1, 16, s.work_text);                             end_of_step(231);
        string_assign(s.work_text, double_number_text(s.sequence_no));            end_of_step(232);
        place_ending_at(s.de_line1, 80, s.work_text);                             end_of_step(233);
        file_print(igs_file_number, s.de_line1);                                  end_of_step(234);
        s.sequence_no = s.sequence_no + 1;                                        end_of_step(235);
        string_assign(s.work_text, double_number_text(s.sequence_no));            end_of_step(236);
        place_ending_at(s.de_line2, 80, s.work_text);                             end_of_step(237);
        file_print(igs_file_number, s.de_line2);                                  end_of_step(238);
        s.link_no = s.link_no + 1;                                                end_of_step(239);
        s.sequence_no = s.sequence_no + 1;                                        end_of_step(240);
        s.file_pos = s.file_pos + 2;                                              end_of_step(241);
    }
    s.de_line_count = static_cast<int32_t>(s.sequence_no - 1);                    end_of_step(244);

    // Third pass: every facet again, the count not read again.
    s.file_pos = 81;                                                              end_of_step(247);
    s.file_pos = s.file_pos + 4;                                                  end_of_step(248);
    s.link_no = 1;                                                                end_of_step(249);
    s.sequence_no = 1;                                                            end_of_step(250);
    for (s.facet_no = 1; s.facet_no <= s.facet_count; ++s.facet_no) {
        end_of_step(251);
        for (s.value_no = 1; s.value_no <= 12; ++s.value_no) {
            end_of_step(252);
            file_get(stl_file_number, s.file_pos, s.read_value);                  end_of_step(253);
            s.file_pos = s.file_pos + 4;                                          end_of_step(254);
            if (!error_pending()) s.facet_values[s.value_no] = s.read_value;
            end_of_step(255);
        }
        s.file_pos = s.file_pos + 2;                                              end_of_step(257);
        // Edge 1: vertex 1 to vertex 2, its Parameter Data record.
        string_assign(s.work_text, double_number_text(s.link_no));                end_of_step(259);
        place_ending_at(s.pd_line, 72, s.work_text);                              end_of_step(260);
        string_assign(s.work_text, double_number_text(s.sequence_no));            end_of_step(261);
        place_ending_at(s.pd_line, 80, s.work_text);                              end_of_step(262);
        make_vertex_texts(vertex_texts, s.facet_values);
        edge_parameter_text(s.work_text, vertex_texts, s.facet_values, 4, 7);     end_of_step(263);
        place_from(s.pd_line, 5, s.work_text);                                    end_of_step(264);
        s.sequence_no = s.sequence_no + 1;                                        end_of_step(265);
        s.link_no = s.link_no + 2;                                                end_of_step(266);
        file_print(igs_file_number, s.pd_line);                                   end_of_step(267);
        string_assign(s.pd_line, s.pd_template, fixed_length);                    end_of_step(268);
        // Edge 2: vertex 2 to vertex 3, its Parameter Data record.
        string_assign(s.work_text, double_number_text(s.link_no));                end_of_step(270);
        place_ending_at(s.pd_line, 72, s.work_text);                              end_of_step(271);
        string_assign(s.work_text, double_number_text(s.sequence_no));            end_of_step(272);
        place_ending_at(s.pd_line, 80, s.work_text);                              end_of_step(273);
        edge_parameter_text(s.work_text, vertex_texts, s.facet_values, 7, 10);    end_of_step(274);
        place_from(s.pd_line, 5, s.work_text);                                    end_of_step(275);
        s.sequence_no = s.sequence_no + 1;                                        end_of_step(276);
        s.link_no = s.link_no + 2;                                                end_of_step(277);
        file_print(igs_file_number, s.pd_line);                                   end_of_step(278);
        string_assign(s.pd_line, s.pd_template, fixed_length);                    end_of_step(279);
        // Edge 3: vertex 3 to vertex 1, its Parameter Data record.
        string_assign(s.work_text, double_number_text(s.link_no));                end_of_step(281);
        place_ending_at(s.pd_line, 72, s.work_text);                              end_of_step(282);
        string_assign(s.work_text, double_number_text(s.sequence_no));            end_of_step(283);
        place_ending_at(s.pd_line, 80, s.work_text);                              end_of_step(284);
        edge_parameter_text(s.work_text, vertex_texts, s.facet_values, 10, 4);    end_of_step(285);
        place_from(s.pd_line, 5, s.work_text);                                    end_of_step(286);
        s.sequence_no = s.sequence_no + 1;                                        end_of_step(287);
        s.link_no = s.link_no + 2;                                                end_of_step(288);
        file_print(igs_file_number, s.pd_line);                                   end_of_step(289);
        string_assign(s.pd_line, s.pd_template, fixed_length);                    end_of_step(290);
    }
    s.pd_line_count = static_cast<int32_t>(s.sequence_no - 1);                    end_of_step(293);

    // Terminate section: the record counts over the template's zeros.
    string_assign(s.work_text, terminate_template);                               end_of_step(294);
    string_assign(s.record_line, s.work_text, fixed_length);                      end_of_step(295);
    string_assign(s.work_text, int32_number_text(s.de_line_count));               end_of_step(296);
    place_ending_at(s.record_line, 24, s.work_text);                              end_of_step(297);
    string_assign(s.work_text, int32_number_text(s.pd_line_count));               end_of_step(298);
    place_ending_at(s.record_line, 32, s.work_text);                              end_of_step(299);
    file_print(igs_file_number, s.record_line);                                   end_of_step(301);

    file_close(stl_file_number);                                                  end_of_step(303);
    file_close(igs_file_number);                                                  end_of_step(304);
    print_row(" ");                                                               end_of_step(306);
    print_row(" Done!");                                                          end_of_step(307);
    end_program();
}
