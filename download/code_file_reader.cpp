#include "download/code_file_reader.h"

#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "base/numbers.h"
#include "base/paths.h"

namespace tessorin::download {
namespace {

constexpr size_t kSpacedByteCount = 16;
constexpr size_t kSpacedByteStride = 3;
constexpr size_t kFileChunkBytes = 65536;

// Splits a code file into the pieces the reader converts. The bytes come from
// memory all at once or from a file a chunk at a time; either way the pieces are the same.
class CodeLinePieces {
public:
    explicit CodeLinePieces(std::string_view bytes) : window_(bytes) {}
    explicit CodeLinePieces(std::FILE* file) : file_(file), chunk_(kFileChunkBytes), window_(chunk_.data(), 0) {}
    CodeLinePieces(const CodeLinePieces&) = delete;
    CodeLinePieces& operator=(const CodeLinePieces&) = delete;

    // The next piece; false at the end. The view lives until the next call.
    bool next(std::string_view& piece) {
        size_t length = 0;
        while (length < kCodeLinePieceMax) {
            int c = nextChar();
            if (c == EOF) break;
            piece_[length++] = static_cast<char>(c);
            if (c == '\n') break;
        }
        piece = std::string_view(piece_.data(), length);
        return length > 0;
    }

    // Up to count bytes from the start, read but not taken; before the first piece only.
    std::string_view peekStart(size_t count) {
        while (file_ && window_.size() < count) {
            size_t got = std::fread(chunk_.data() + window_.size(), 1, count - window_.size(), file_);
            if (got == 0) break;
            window_ = std::string_view(chunk_.data(), window_.size() + got);
        }
        return window_.substr(0, count);
    }
    // Takes count bytes that peekStart showed.
    void skip(size_t count) { position_ += count; }

private:
    int peekRawChar() {
        if (position_ == window_.size() && !refill()) return EOF;
        return static_cast<unsigned char>(window_[position_]);
    }
    bool refill() {
        if (!file_) return false;
        window_ = std::string_view(chunk_.data(), std::fread(chunk_.data(), 1, chunk_.size(), file_));
        position_ = 0;
        return !window_.empty();
    }
    int rawChar() {
        int c = peekRawChar();
        if (c != EOF) ++position_;
        return c;
    }
    int nextChar() {
        int c = rawChar();
        if (c == '\r' && peekRawChar() == '\n') return rawChar();
        return c;
    }

    std::FILE* file_ = nullptr;
    std::vector<char> chunk_;  // a file's chunks are read into it; empty for bytes in memory
    std::string_view window_;  // the bytes at hand: the current chunk, or all the bytes in memory
    size_t position_ = 0;
    std::array<char, kCodeLinePieceMax> piece_{};
};

bool startsWithBinaryDigits(std::string_view line, size_t count) {
    if (line.size() < count) return false;
    for (size_t i = 0; i < count; ++i) {
        if (line[i] != '0' && line[i] != '1') return false;
    }
    return true;
}

// A space at offsets 2, 5, ..., 44, each right after a character that is not one.
bool hasSpacedBytes(std::string_view line) {
    for (size_t i = 0; i + 1 < kSpacedByteCount; ++i) {
        size_t gap = kSpacedByteStride * i + 2;
        if (gap >= line.size() || line[gap] != ' ' || line[gap - 1] == ' ') return false;
    }
    return true;
}

struct LayoutChoice {
    CodeFileLayout layout;
    int base;  // digits of a line are read in this base
};

LayoutChoice chooseLayout(std::string_view firstLine) {
    if (firstLine.size() > 32) {
        if (startsWithBinaryDigits(firstLine, 31)) return {CodeFileLayout::WordPerLine, 2};
        if (hasSpacedBytes(firstLine)) return {CodeFileLayout::SixteenBytesPerLine, 16};
        return {CodeFileLayout::BytePerLine, 16};
    }
    if (firstLine.size() > 3) return {CodeFileLayout::WordPerLine, 16};
    return {CodeFileLayout::BytePerLine, 16};
}

size_t bytesPerLine(CodeFileLayout layout) {
    switch (layout) {
        case CodeFileLayout::WordPerLine: return 4;
        case CodeFileLayout::SixteenBytesPerLine: return kSpacedByteCount;
        case CodeFileLayout::BytePerLine: break;
    }
    return 1;
}

// Positions past the end of a short line yield 0: the line alone decides its bytes.
void convertLine(std::string_view line, LayoutChoice choice, uint8_t* out) {
    switch (choice.layout) {
        case CodeFileLayout::WordPerLine: {
            uint32_t word = readCodeNumber(line, choice.base);
            out[0] = static_cast<uint8_t>(word >> 24);
            out[1] = static_cast<uint8_t>(word >> 16);
            out[2] = static_cast<uint8_t>(word >> 8);
            out[3] = static_cast<uint8_t>(word);
            return;
        }
        case CodeFileLayout::BytePerLine:
            out[0] = static_cast<uint8_t>(readCodeNumber(line, choice.base));
            return;
        case CodeFileLayout::SixteenBytesPerLine:
            for (size_t i = 0; i < kSpacedByteCount; ++i) {
                size_t offset = kSpacedByteStride * i;
                out[i] = offset < line.size() ? static_cast<uint8_t>(readCodeNumber(line.substr(offset), 16)) : 0;
            }
            return;
    }
}

CodeFileResult readPieces(std::span<uint8_t> destination, CodeLinePieces& pieces) {
    // Editors save text with a byte-order mark. Read as digits, UTF-8's would turn the first
    // number into zeros and UTF-16's every number: neither may reach a chip.
    const std::string_view start = pieces.peekStart(3);
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF"))
        return {CodeFileStatus::Utf16Text, 0, CodeFileLayout::BytePerLine};
    if (start == "\xEF\xBB\xBF") pieces.skip(start.size());
    std::string_view line;
    if (!pieces.next(line)) return {CodeFileStatus::Empty, 0, CodeFileLayout::BytePerLine};

    const LayoutChoice choice = chooseLayout(line);
    const size_t lineBytes = bytesPerLine(choice.layout);
    size_t count = 0;
    do {
        if (destination.size() - count < lineBytes) return {CodeFileStatus::TooLarge, 0, choice.layout};
        convertLine(line, choice, destination.data() + count);
        count += lineBytes;
    } while (pieces.next(line));
    return {CodeFileStatus::Read, count, choice.layout};
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

CodeFileResult readCodeFile(std::span<uint8_t> destination, const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(openFile(path, "rb"));
    if (!file) return {CodeFileStatus::OpenFailed, 0, CodeFileLayout::BytePerLine};
    CodeLinePieces pieces(file.get());
    return readPieces(destination, pieces);
}

CodeFileResult readCodeFileBytes(std::span<uint8_t> destination, std::string_view fileBytes) {
    CodeLinePieces pieces(fileBytes);
    return readPieces(destination, pieces);
}

uint32_t readCodeNumber(std::string_view text, int base) {
    const LeadingNumber number = scanNumberInBase(text, base);
    return number.wider32 ? 0xFFFFFFFFu : number.value;
}

}  // namespace tessorin::download
