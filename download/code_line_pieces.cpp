#include "download/code_line_pieces.h"

#include <algorithm>

namespace tessorin::download {

int CodeLinePieces::peekRawChar() {
    if (position_ == filled_) {
        filled_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        position_ = 0;
        if (filled_ == 0) return EOF;
    }
    return static_cast<unsigned char>(buffer_[position_]);
}

std::string_view CodeLinePieces::peekStart(size_t count) {
    while (filled_ < count) {
        size_t got = std::fread(buffer_.data() + filled_, 1, count - filled_, file_);
        if (got == 0) break;
        filled_ += got;
    }
    return std::string_view(buffer_.data(), std::min(count, filled_));
}

int CodeLinePieces::rawChar() {
    int c = peekRawChar();
    if (c != EOF) ++position_;
    return c;
}

int CodeLinePieces::nextChar() {
    int c = rawChar();
    if (c == '\r' && peekRawChar() == '\n') return rawChar();
    return c;
}

bool CodeLinePieces::next(std::string_view& piece) {
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

}  // namespace tessorin::download
