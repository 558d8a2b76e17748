#pragma once
// A code file written for one test and removed afterwards.
#include <atomic>
#include <filesystem>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/paths.h"

namespace tessorin::testing {

class TempCodeFile {
public:
    explicit TempCodeFile(const std::string& content, const std::string& name = "image.rom") {
        static std::atomic<int> counter{0};
        folder_ = std::filesystem::temp_directory_path() /
                  ("tessorin_download_" + std::to_string(std::random_device{}()) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(folder_);
        path_ = pathToUtf8(folder_ / pathFromUtf8(name));
        std::ofstream out(pathFromUtf8(path_), std::ios::binary);
        out << content;
    }
    ~TempCodeFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TempCodeFile(const TempCodeFile&) = delete;
    TempCodeFile& operator=(const TempCodeFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::string path_;
};

// Code file text for the bytes, one "%02X" line each: the byte-per-line layout.
inline std::string bytePerLineText(const std::vector<uint8_t>& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
        text += '\n';
    }
    return text;
}

}  // namespace tessorin::testing
