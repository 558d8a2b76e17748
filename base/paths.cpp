#include "base/paths.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "base/text.h"

namespace tessorin {

std::filesystem::path pathFromUtf8(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string pathToUtf8(const std::filesystem::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool pathExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    return std::filesystem::exists(pathFromUtf8(path), error);
}

bool isDirectory(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(pathFromUtf8(path), error);
}

std::optional<std::string> readWholeFile(const std::string& path) {
    // A folder opens on Linux and then reads as nothing, which is not an empty file.
    if (isDirectory(path)) return std::nullopt;
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::FILE* openFile(const std::string& path, const char* mode) {
#ifdef _WIN32
    std::u16string wideMode = utf8ToUtf16(mode);
    std::u16string widePath = utf8ToUtf16(path);
    return _wfopen(reinterpret_cast<const wchar_t*>(widePath.c_str()),
                   reinterpret_cast<const wchar_t*>(wideMode.c_str()));
#else
    return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace tessorin
