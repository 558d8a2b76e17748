#pragma once
// File access by UTF-8 path; on Windows through the wide API, so a path outside
// the ANSI code page still opens.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace tessorin {

std::filesystem::path pathFromUtf8(const std::string& path);
std::string pathToUtf8(const std::filesystem::path& path);
// True when a file or folder of that name exists.
bool pathExists(const std::string& path);
bool isDirectory(const std::string& path);
// The file's bytes, or nothing when it cannot be opened or is a folder.
std::optional<std::string> readWholeFile(const std::string& path);
// fopen by UTF-8 path; nullptr on failure.
std::FILE* openFile(const std::string& path, const char* mode);

}  // namespace tessorin
