// Code files as they reach the station: any bytes at all. Each file is read into
// buffers of exactly the two download capacities and of a small capacity, so a
// write past the end is caught, and the three reads must agree.
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "download/code_file_reader.h"
#include "download/dat_download.h"
#include "download/rom_download.h"
#include "fuzz_support.h"

namespace {

using tessorin::download::CodeFileResult;
using tessorin::download::CodeFileStatus;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

struct Read {
    CodeFileResult result;
    std::vector<uint8_t> bytes;
};

Read readInto(size_t capacity, const std::string& path) {
    Read read;
    read.bytes.resize(capacity);
    read.result = tessorin::download::readCodeFile(read.bytes, path);
    require(read.result.status == CodeFileStatus::Read || read.result.byteCount == 0,
            "a refused file reports bytes");
    require(read.result.status != CodeFileStatus::Read || (read.result.byteCount > 0 && read.result.byteCount <= capacity),
            "a read file reports no bytes or more than the buffer holds");
    read.bytes.resize(read.result.byteCount);
    return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tessorin::fuzzing::ScratchFile file("image.rom");
    if (!file.write(data, size)) return 0;
    const Read rom = readInto(tessorin::download::ROM_IMAGE_CAPACITY, file.path());
    const Read dat = readInto(tessorin::download::DAT_IMAGE_CAPACITY, file.path());
    const Read small = readInto(1 + size % 97, file.path());

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view utf8Mark = "\xEF\xBB\xBF";
    auto startsWithUtf16Mark = [](std::string_view text) {
        return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
    };
    require(rom.result.status != CodeFileStatus::OpenFailed, "a file just written failed to open");
    require((size == 0 || bytes == utf8Mark) == (rom.result.status == CodeFileStatus::Empty),
            "only a file without lines is empty");
    require(startsWithUtf16Mark(bytes) == (rom.result.status == CodeFileStatus::Utf16Text),
            "UTF-16 refused for another reason than its mark");
    // Only the first mark is one: what follows it is read as text, whatever it looks like.
    const std::string_view afterMark = bytes.substr(std::min(size, utf8Mark.size()));
    if (bytes.starts_with(utf8Mark) && !afterMark.starts_with(utf8Mark) && !startsWithUtf16Mark(afterMark)) {
        static const tessorin::fuzzing::ScratchFile unmarked("unmarked.rom");
        if (!unmarked.write(data + utf8Mark.size(), size - utf8Mark.size())) return 0;
        const Read plain = readInto(tessorin::download::ROM_IMAGE_CAPACITY, unmarked.path());
        require(plain.result.layout == rom.result.layout && plain.bytes == rom.bytes,
                "the UTF-8 mark changed what the file reads as");
    }
    require(rom.result.status == dat.result.status && rom.bytes == dat.bytes, "the two capacities read differently");
    require(rom.result.layout == small.result.layout, "the capacity changed the layout");
    if (small.result.status == CodeFileStatus::Read) require(small.bytes == rom.bytes, "a small buffer read other bytes");
    if (small.result.status == CodeFileStatus::TooLarge)
        require(rom.result.byteCount > 1 + size % 97, "a file that fits was refused as too large");
    return 0;
}
