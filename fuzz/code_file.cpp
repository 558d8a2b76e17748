// Code files as they reach the station: any bytes at all, read from memory by
// the reader the file read uses. Each file is read into buffers of exactly the
// two download capacities and of a small capacity, so a write past the end is
// caught, and the three reads must agree.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "download/code_file_reader.h"
#include "download/dat_download.h"
#include "download/rom_download.h"

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
    std::span<const uint8_t> bytes;  // within the buffer
};

// The buffer is exactly the capacity, so a write past its end is caught.
Read readInto(std::span<uint8_t> buffer, std::string_view fileBytes) {
    Read read;
    read.result = tessorin::download::readCodeFileBytes(buffer, fileBytes);
    require(read.result.status != CodeFileStatus::OpenFailed, "bytes in memory failed to open");
    require(read.result.status == CodeFileStatus::Read || read.result.byteCount == 0,
            "a refused file reports bytes");
    require(read.result.status != CodeFileStatus::Read ||
                (read.result.byteCount > 0 && read.result.byteCount <= buffer.size()),
            "a read file reports no bytes or more than the buffer holds");
    read.bytes = buffer.first(read.result.byteCount);
    return read;
}

bool sameBytes(const Read& a, const Read& b) { return std::ranges::equal(a.bytes, b.bytes); }

bool startsWithUtf16Mark(std::string_view text) { return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The large buffers live across inputs: allocating them anew would cost more than the read.
    static std::vector<uint8_t> romBuffer(tessorin::download::ROM_IMAGE_CAPACITY);
    static std::vector<uint8_t> datBuffer(tessorin::download::DAT_IMAGE_CAPACITY);
    static std::vector<uint8_t> plainBuffer(tessorin::download::ROM_IMAGE_CAPACITY);
    std::vector<uint8_t> smallBuffer(1 + size % 97);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Read rom = readInto(romBuffer, bytes);
    const Read dat = readInto(datBuffer, bytes);
    const Read small = readInto(smallBuffer, bytes);

    const std::string_view utf8Mark = "\xEF\xBB\xBF";
    require((size == 0 || bytes == utf8Mark) == (rom.result.status == CodeFileStatus::Empty),
            "only a file without lines is empty");
    require(startsWithUtf16Mark(bytes) == (rom.result.status == CodeFileStatus::Utf16Text),
            "UTF-16 refused for another reason than its mark");
    require(rom.result.status == dat.result.status && sameBytes(rom, dat), "the two capacities read differently");
    require(rom.result.layout == small.result.layout, "the capacity changed the layout");
    if (small.result.status == CodeFileStatus::Read) require(sameBytes(small, rom), "a small buffer read other bytes");
    if (small.result.status == CodeFileStatus::TooLarge)
        require(rom.result.byteCount > smallBuffer.size(), "a file that fits was refused as too large");

    // Only the first mark is one: what follows it is read as text, whatever it looks like.
    const std::string_view afterMark = bytes.substr(std::min(size, utf8Mark.size()));
    if (bytes.starts_with(utf8Mark) && !afterMark.starts_with(utf8Mark) && !startsWithUtf16Mark(afterMark)) {
        const Read plain = readInto(plainBuffer, afterMark);
        require(plain.result.layout == rom.result.layout && sameBytes(plain, rom),
                "the UTF-8 mark changed what the file reads as");
    }
    return 0;
}
