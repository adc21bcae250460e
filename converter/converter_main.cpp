// The converter's one routine. Every step carries its fixed number and ends
// with the end-of-step check; loop heads check each time their body runs,
// condition steps only when their test succeeds.
#include "converter/converter_main.h"

#include <string>

#include "converter/converter_state.h"
#include "converter/dialogue.h"
#include "converter/model_size.h"
#include "converter/number_text.h"
#include "converter/stl_file.h"
#include "runtime/line_input.h"
#include "runtime/numbered_files.h"
#include "runtime/run_control.h"
#include "runtime/text_screen.h"

void converter_main() {
    ConverterState s;

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

    // IGES: steps 101, 102

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

    // IGES: steps 151, 152 (Start), 155 to 191 (Global), 196 to 200 (templates)

    // Second pass: the count again; no facet is read.
    s.file_pos = 81;                                                              end_of_step(202);
    read_facet_count(s.facet_count, s.file_pos);                                  end_of_step(203);
    s.file_pos = s.file_pos + 4;                                                  end_of_step(204);
    // IGES: steps 205, 206
    for (s.facet_no = 1; s.facet_no <= s.facet_count; ++s.facet_no) {
        end_of_step(207);
        // IGES: steps 208 to 240
        s.file_pos = s.file_pos + 2;                                              end_of_step(241);
    }
    // IGES: step 244

    // Third pass: every facet again, the count not read again.
    s.file_pos = 81;                                                              end_of_step(247);
    s.file_pos = s.file_pos + 4;                                                  end_of_step(248);
    // IGES: steps 249, 250
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
        // IGES: steps 259 to 290
    }
    // IGES: step 293, steps 294 to 301 (Terminate)

    file_close(stl_file_number);                                                  end_of_step(303);
    file_close(igs_file_number);                                                  end_of_step(304);
    print_row(" ");                                                               end_of_step(306);
    print_row(" Done!");                                                          end_of_step(307);
    end_program();
}
