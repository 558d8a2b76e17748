#pragma once
// A private folder for the INI files a test writes; removed with its contents.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "base/paths.h"

namespace tessorin::testing {

class TempIniDir {
public:
    TempIniDir() {
        static std::atomic<int> serial{0};
        dir_ = std::filesystem::temp_directory_path() /
               ("tessorin_config_" + std::to_string(std::random_device{}()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(dir_);
    }
    ~TempIniDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    TempIniDir(const TempIniDir&) = delete;
    TempIniDir& operator=(const TempIniDir&) = delete;

    // The UTF-8 path of name inside the folder.
    std::string path(const std::string& name) const { return pathToUtf8(dir_ / pathFromUtf8(name)); }
    // Writes the bytes as they stand and returns the file's UTF-8 path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / pathFromUtf8(name), std::ios::binary | std::ios::trunc) << bytes;
        return path(name);
    }

private:
    std::filesystem::path dir_;
};

// The folder of the checked-in test INI files.
inline std::string configDataPath(const std::string& name) {
    return pathToUtf8(std::filesystem::path(__FILE__).parent_path() / "data" / name);
}

}  // namespace tessorin::testing
