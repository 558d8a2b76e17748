#pragma once
// Splits a code file into the pieces the reader converts: lines of at most 299
// characters including their line feed, a longer line delivered in 299-character
// pieces. CR LF reads as LF, as text-mode reading does on Windows.
#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace tessorin::download {

constexpr size_t kCodeLinePieceMax = 299;

class CodeLinePieces {
public:
    explicit CodeLinePieces(std::FILE* file) : file_(file) {}
    CodeLinePieces(const CodeLinePieces&) = delete;
    CodeLinePieces& operator=(const CodeLinePieces&) = delete;

    // The next piece; false at the end of the file. The view lives until the next call.
    bool next(std::string_view& piece);
    // Up to count bytes from the start of the file, read but not taken; before
    // the first piece only.
    std::string_view peekStart(size_t count);
    // Takes count bytes that peekStart showed.
    void skip(size_t count) { position_ += count; }

private:
    int nextChar();     // EOF at the end
    int rawChar();
    int peekRawChar();

    std::FILE* file_;
    std::array<char, 65536> buffer_{};
    size_t position_ = 0;
    size_t filled_ = 0;
    std::array<char, kCodeLinePieceMax> piece_{};
};

}  // namespace tessorin::download
