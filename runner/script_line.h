#pragma once
// One line of a runner script split into words; double quotes keep spaces.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessorin::runner {

class ScriptLine {
public:
    // Throws std::invalid_argument for an unterminated quote.
    explicit ScriptLine(std::string_view text);

    bool empty() const { return words_.empty(); }
    size_t size() const { return words_.size(); }
    const std::string& word(size_t i) const;
    std::vector<std::string> wordsFrom(size_t first) const;
    // Numbers; std::invalid_argument names the word when it is not one.
    int decimal(size_t i) const;
    uint32_t hex(size_t i) const;  // with or without 0x
    // Throws std::invalid_argument unless the line has between min and max words.
    void expectWords(size_t min, size_t max, std::string_view usage) const;

private:
    std::vector<std::string> words_;
};

}  // namespace tessorin::runner
