#pragma once
// Turns a code file (a text of hexadecimal numbers, .rom or .dat) into the plain
// byte image the download procedures send. The first line decides the layout.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessorin::download {

enum class CodeFileLayout {
    WordPerLine,          // one 32-bit number per line, 4 bytes, most significant first
    BytePerLine,          // one number per line, its low 8 bits
    SixteenBytesPerLine,  // sixteen two-digit numbers at offsets 0, 3, ..., 45
};

enum class CodeFileStatus {
    Read,        // byteCount bytes are in the destination
    OpenFailed,
    Empty,       // opened, but no lines
    TooLarge,    // yields more bytes than the destination holds; refused as a whole
    Utf16Text,   // starts with a UTF-16 byte-order mark; refused as a whole
};

struct CodeFileResult {
    CodeFileStatus status = CodeFileStatus::OpenFailed;
    size_t byteCount = 0;  // 0 unless Read
    CodeFileLayout layout = CodeFileLayout::BytePerLine;
};

// Lines of at most 299 characters including their line feed; a longer line is
// converted in 299-character pieces. CR LF reads as LF, as text-mode reading does on Windows.
constexpr size_t kCodeLinePieceMax = 299;

// Reads the file at the UTF-8 path into destination, never past its end. A UTF-8
// byte-order mark at the start is skipped. Writes no message; callers report by
// the status.
CodeFileResult readCodeFile(std::span<uint8_t> destination, const std::string& path);
// The same for a file's bytes already in memory; never OpenFailed.
CodeFileResult readCodeFileBytes(std::span<uint8_t> destination, std::string_view fileBytes);

// The number conversion of a line: strtoul-like (base/numbers.h parseNumberInBase),
// except that a text without digits gives 0 and a value wider than 32 bits gives
// 0xFFFFFFFF. Never fails, whatever the text holds.
uint32_t readCodeNumber(std::string_view text, int base);

}  // namespace tessorin::download
