#include "download/code_file_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_code_file.h"

namespace tessorin::download {
namespace {

using testing::TempCodeFile;
using Bytes = std::vector<uint8_t>;

struct ReadCase {
    const char* name;
    std::string content;
    CodeFileLayout layout;
    Bytes bytes;
};

std::string sixteenSpaced(const char* pairs) { return std::string(pairs) + "\n"; }

Bytes zerosAfter(Bytes head, size_t total) {
    head.resize(total, 0);
    return head;
}

const std::vector<ReadCase>& readCases() {
    static const std::vector<ReadCase> cases = {
        {"ShortLinesAreBytes", "1A\n2b\n", CodeFileLayout::BytePerLine, {0x1A, 0x2B}},
        {"ByteTakesLowEightBits", "1A\n1234\n", CodeFileLayout::BytePerLine, {0x1A, 0x34}},
        {"EightDigitsAreAWord", "12345678\n", CodeFileLayout::WordPerLine, {0x12, 0x34, 0x56, 0x78}},
        {"ShortWordIsPaddedHigh", "ABCD\n", CodeFileLayout::WordPerLine, {0x00, 0x00, 0xAB, 0xCD}},
        {"WordPrefixAndMinus", "0x10\n-2\n", CodeFileLayout::WordPerLine, {0, 0, 0, 0x10, 0xFF, 0xFF, 0xFF, 0xFE}},
        {"WordTooWideSaturates", "123456789\n", CodeFileLayout::WordPerLine, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"EmptyLineInWordsIsZero", "ABCD\n\n", CodeFileLayout::WordPerLine, {0, 0, 0xAB, 0xCD, 0, 0, 0, 0}},
        {"EmptyLineInBytesIsZero", "7\n\n8\n", CodeFileLayout::BytePerLine, {7, 0, 8}},
        {"NoDigitsIsZero", "1\nzz\n0x\n", CodeFileLayout::BytePerLine, {1, 0, 0}},
        {"LeadingBlanksSkipped", "1\n \t5\n", CodeFileLayout::BytePerLine, {1, 5}},
        {"LastLineWithoutLineFeed", "1\n2", CodeFileLayout::BytePerLine, {1, 2}},
        {"LayoutNeverRevisited", "1\n12345678\n", CodeFileLayout::BytePerLine, {1, 0x78}},
        {"SixteenSpacedBytes",
         sixteenSpaced("00 11 22 33 44 55 66 77 88 99 aa BB cc DD ee FF"),
         CodeFileLayout::SixteenBytesPerLine,
         {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}},
        // Missing positions of a short line are zero, never what an earlier line held.
        {"ShortSpacedLineIsZeroFilled",
         sixteenSpaced("01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10") + "AA BB\n",
         CodeFileLayout::SixteenBytesPerLine,
         zerosAfter({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0xAA, 0xBB}, 32)},
        {"ThirtyTwoCharactersStayBytes", "0123456789ABCDEF0123456789ABCDEF\n", CodeFileLayout::BytePerLine, {0xFF}},
        {"SpacedButTooShortStaysBytes", "00 11 22 33 44 55 66 77 88 99 AA\n", CodeFileLayout::BytePerLine, {0x00}},
        {"BinaryDigitsAreAWord", "00000000000000000000000000000001\n10000000000000000000000000000011\n",
         CodeFileLayout::WordPerLine, {0, 0, 0, 1, 0x80, 0, 0, 3}},
        {"BinaryLineWiderThan32Saturates", "000000000000000000000000000000011\n1111111111111111111111111111111111\n",
         CodeFileLayout::WordPerLine, {0, 0, 0, 3, 0xFF, 0xFF, 0xFF, 0xFF}},
        // 400 characters: pieces of 299 and 101, each converted as a line.
        {"LongLineInPieces", "1\n12" + std::string(297, ' ') + "34" + std::string(98, ' ') + "\n",
         CodeFileLayout::BytePerLine, {1, 0x12, 0x34}},
        // A line of exactly 299 characters with its line feed is one piece.
        {"FullPieceIsOneLine", "1\n5" + std::string(297, ' ') + "\n", CodeFileLayout::BytePerLine, {1, 5}},
    };
    return cases;
}

class CodeFileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CodeFileReadTest, YieldsLayoutAndBytes) {
    const ReadCase& c = GetParam();
    TempCodeFile file(c.content);
    Bytes buffer(1024, 0xEE);
    CodeFileResult result = readCodeFile(buffer, file.path());
    ASSERT_EQ(result.status, CodeFileStatus::Read);
    EXPECT_EQ(result.layout, c.layout);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + static_cast<long>(result.byteCount)), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Layouts, CodeFileReadTest, ::testing::ValuesIn(readCases()),
                         [](const auto& info) { return std::string(info.param.name); });

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

TEST(CodeFileReader, CarriageReturnLineFeedReadsLikeLineFeed) {
    for (const ReadCase& c : readCases()) {
        TempCodeFile lf(c.content);
        TempCodeFile crlf(withCrLf(c.content));
        Bytes fromLf(1024), fromCrLf(1024);
        CodeFileResult a = readCodeFile(fromLf, lf.path());
        CodeFileResult b = readCodeFile(fromCrLf, crlf.path());
        EXPECT_EQ(a.layout, b.layout) << c.name;
        EXPECT_EQ(a.byteCount, b.byteCount) << c.name;
        EXPECT_EQ(fromLf, fromCrLf) << c.name;
    }
}

TEST(CodeFileReader, Utf8ByteOrderMarkReadsLikeTheFileWithoutIt) {
    for (const ReadCase& c : readCases()) {
        TempCodeFile plain(c.content);
        TempCodeFile marked("\xEF\xBB\xBF" + c.content);
        Bytes fromPlain(1024), fromMarked(1024);
        CodeFileResult a = readCodeFile(fromPlain, plain.path());
        CodeFileResult b = readCodeFile(fromMarked, marked.path());
        EXPECT_EQ(b.status, CodeFileStatus::Read) << c.name;
        EXPECT_EQ(a.layout, b.layout) << c.name;
        EXPECT_EQ(a.byteCount, b.byteCount) << c.name;
        EXPECT_EQ(fromPlain, fromMarked) << c.name;
    }
    TempCodeFile markOnly("\xEF\xBB\xBF");
    Bytes buffer(4);
    EXPECT_EQ(readCodeFile(buffer, markOnly.path()).status, CodeFileStatus::Empty);
}

TEST(CodeFileReader, Utf16TextIsRefusedWhole) {
    const std::string files[] = {
        std::string("\xFF\xFE" "1\0" "2\0\n\0", 8),  // UTF-16LE "12\n"
        std::string("\xFE\xFF\0" "1\0" "2\0\n", 8),  // UTF-16BE "12\n"
        "\xFF\xFE",                                    // the mark alone
    };
    for (const std::string& content : files) {
        TempCodeFile file(content);
        Bytes buffer(16, 0xEE);
        CodeFileResult result = readCodeFile(buffer, file.path());
        EXPECT_EQ(result.status, CodeFileStatus::Utf16Text);
        EXPECT_EQ(result.byteCount, 0u);
        EXPECT_EQ(buffer, Bytes(16, 0xEE));
    }
}

TEST(CodeFileReader, LoneCarriageReturnIsAnOrdinaryCharacter) {
    // "12\r34\n" is one line of five characters: a word whose digits stop at the CR.
    TempCodeFile file("12\r34\n");
    Bytes buffer(8);
    CodeFileResult result = readCodeFile(buffer, file.path());
    EXPECT_EQ(result.layout, CodeFileLayout::WordPerLine);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 4), (Bytes{0, 0, 0, 0x12}));
}

TEST(CodeFileReader, MissingAndEmptyFilesYieldNothing) {
    Bytes buffer(16);
    EXPECT_EQ(readCodeFile(buffer, "/nonexistent/folder/image.rom").status, CodeFileStatus::OpenFailed);
    TempCodeFile empty("");
    CodeFileResult result = readCodeFile(buffer, empty.path());
    EXPECT_EQ(result.status, CodeFileStatus::Empty);
    EXPECT_EQ(result.byteCount, 0u);
}

TEST(CodeFileReader, FileLargerThanDestinationIsRefusedWithoutWritingPastIt) {
    struct Case {
        std::string content;
        size_t capacity;
        CodeFileStatus status;
    };
    const Case cases[] = {
        {"ABCD\nABCD\n", 8, CodeFileStatus::Read},        // exactly full
        {"ABCD\nABCD\n", 7, CodeFileStatus::TooLarge},    // second word does not fit
        {"1\n2\n3\n", 2, CodeFileStatus::TooLarge},
        {sixteenSpaced("00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF"), 15, CodeFileStatus::TooLarge},
    };
    for (const Case& c : cases) {
        TempCodeFile file(c.content);
        Bytes buffer(c.capacity + 4, 0xEE);
        CodeFileResult result = readCodeFile(std::span<uint8_t>(buffer.data(), c.capacity), file.path());
        EXPECT_EQ(result.status, c.status) << c.content;
        if (c.status == CodeFileStatus::TooLarge) {
            EXPECT_EQ(result.byteCount, 0u);
        }
        for (size_t i = c.capacity; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0xEE) << "byte " << i;
    }
}

// A file is read a chunk at a time, after its first three bytes and every 65536 bytes
// on; a line end split across a chunk boundary must read as it does in memory.
std::string crLfAcrossSecondChunk() {
    std::string text = "12345678\n";
    while (text.size() + 2 <= 3 + 65535) text += "1\n";
    if (text.size() < 3 + 65535) text += ' ';
    return text + "\r\nABCD\n";
}

TEST(CodeFileReader, BytesInMemoryReadLikeTheFile) {
    std::vector<std::string> contents = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF" "12\n", "1\r", "12\r34\n",
                                         crLfAcrossSecondChunk()};
    for (const ReadCase& c : readCases()) {
        contents.push_back(c.content);
        contents.push_back("\xEF\xBB\xBF" + withCrLf(c.content));
    }
    for (const std::string& content : contents) {
        TempCodeFile file(content);
        Bytes fromFile(1 << 17, 0xEE), fromMemory(1 << 17, 0xEE);
        CodeFileResult a = readCodeFile(fromFile, file.path());
        CodeFileResult b = readCodeFileBytes(fromMemory, content);
        EXPECT_EQ(a.status, b.status) << content.substr(0, 40);
        EXPECT_EQ(a.layout, b.layout) << content.substr(0, 40);
        EXPECT_EQ(a.byteCount, b.byteCount) << content.substr(0, 40);
        EXPECT_EQ(fromFile, fromMemory) << content.substr(0, 40);
    }
}

TEST(CodeFileReader, OpensPathsOutsideTheAnsiCodePage) {
    TempCodeFile file("5A\n", "固件_é.rom");
    Bytes buffer(4);
    CodeFileResult result = readCodeFile(buffer, file.path());
    ASSERT_EQ(result.status, CodeFileStatus::Read);
    EXPECT_EQ(buffer[0], 0x5A);
}

}  // namespace
}  // namespace tessorin::download
