#pragma once
// A code file written for one test and removed afterwards.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace tessorin::testing {

class TempCodeFile {
public:
    explicit TempCodeFile(const std::string& content, const std::string& name = "image.rom")
        : path_(folder_.write(name, content)) {}

    const std::string& path() const { return path_; }

private:
    TempFolder folder_{"download"};
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
