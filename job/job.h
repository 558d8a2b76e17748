#pragma once
// A station job: the line's image, presets, identity fields and store, read
// from a TOML file (docs/store.md has its keys).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessorin::job {

enum class Source { Counter, List };
enum class ByteOrder { Little, Big };
enum class Shown { Hex, Address, Decimal };
enum class Target { Image, Memory };

struct IdentityField {
    std::string name;
    Source source = Source::Counter;
    int64_t first = 0, last = 0, step = 1;  // a counter's range
    std::string listPath;                   // a list's file, one value a line
    std::vector<int64_t> listValues;        // filled by loadJob
    int width = 0;                          // bytes, 1..8
    ByteOrder order = ByteOrder::Little;
    Shown shown = Shown::Hex;
    Target target = Target::Memory;
    int64_t at = 0;                         // the image offset or the memory address
    int64_t lowWater = 0;
    int line = 0;                           // where the field begins in the job file
};

struct Job {
    std::string path;
    std::string sha256;  // of the file's bytes
    std::string image;   // relative paths are taken from the job file's folder
    std::vector<std::string> presets;
    std::string store;
    std::vector<IdentityField> fields;
};

// Reads the job from its bytes (path only names it in problems); nothing, with
// "PATH:LINE: REASON" in problem, for an unknown key, a bad value or overlapping
// ranges or targets. Touches no file.
std::optional<Job> parseJob(std::string_view bytes, const std::string& path, std::string& problem);

// Reads the file and the list files it names, and checks that its image can be
// read; problems as parseJob's.
std::optional<Job> loadJob(const std::string& path, std::string& problem);

}  // namespace tessorin::job
