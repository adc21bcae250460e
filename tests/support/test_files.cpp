#include "tests/support/test_files.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "stlwire-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::filesystem::filesystem_error("mkdtemp", std::error_code(errno, std::generic_category()));
    path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
