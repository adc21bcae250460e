#include "converter/iges_global.h"

#include "converter/iges_record.h"
#include "converter/iges_templates.h"
#include "converter/number_text.h"
#include "converter/text_services.h"

namespace {

std::string g1_text(std::string_view stl_name, std::string_view igs_name) {
    std::string text = string_concat(",,", hollerith_string(stl_name));
    text = string_concat(text, ",");
    text = string_concat(text, hollerith_string(igs_name));
    return string_concat(text, ",");
}

std::string g3_text(std::string_view igs_name) {
    return string_concat(hollerith_string(igs_name), global_units_tail);
}

}  // namespace

std::string g1_parameter_text(std::string_view stl_name, std::string_view igs_name) {
    std::string text = g1_text(stl_name, igs_name);
    while (text.size() > global_text_limit) {
        if (stl_name.size() >= igs_name.size())
            stl_name.remove_prefix(1);
        else
            igs_name.remove_prefix(1);
        text = g1_text(stl_name, igs_name);
    }
    return text;
}

std::string g3_parameter_text(std::string_view igs_name) {
    std::string text = g3_text(igs_name);
    while (text.size() > global_text_limit) {
        igs_name.remove_prefix(1);
        text = g3_text(igs_name);
    }
    return text;
}

std::string g4_size_text(float resolution, float model_size) {
    std::string text = string_concat(single_number_text(resolution), ",");
    text = string_concat(text, single_number_text(model_size));
    return string_concat(text, global_author_tail);
}
