#pragma once
// A private folder for the files one test writes, removed with its contents.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "base/paths.h"

namespace tessorin::testing {

class TempFolder {
public:
    // The folder's name starts with "tessorin_" + purpose; purpose may be any UTF-8 text.
    explicit TempFolder(const std::string& purpose = "test") {
        static std::atomic<int> serial{0};
        folder_ = std::filesystem::temp_directory_path() /
                  pathFromUtf8("tessorin_" + purpose + "_" + std::to_string(std::random_device{}()) + "_" +
                               std::to_string(serial++));
        std::filesystem::create_directories(folder_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    // The UTF-8 path of name inside the folder.
    std::string path(const std::string& name) const { return pathToUtf8(folder_ / pathFromUtf8(name)); }
    // Writes the bytes as they stand and returns the file's UTF-8 path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ / pathFromUtf8(name), std::ios::binary | std::ios::trunc) << bytes;
        return path(name);
    }

private:
    std::filesystem::path folder_;
};

}  // namespace tessorin::testing
