// Files of a test: a temporary folder of its own and whole-file bytes.
#pragma once

#include <filesystem>
#include <string>

// A fresh temporary folder, removed with everything in it with the object.
struct TempFolder {
    std::filesystem::path path;
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

void write_bytes(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string read_bytes(const std::string& path);
