#include "runner/script_line.h"

#include <charconv>
#include <stdexcept>

namespace tessorin::runner {
namespace {

template <typename T>
T parseWhole(const std::string& word, int base, const char* what) {
    std::string_view digits = word;
    if (base == 16 && digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits.remove_prefix(2);
    T value{};
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw std::invalid_argument("'" + word + "' is not " + what);
    return value;
}

}  // namespace

ScriptLine::ScriptLine(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (text[i] == '"') {
            size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) throw std::invalid_argument("a quote is not closed");
            word = text.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            size_t end = text.find_first_of(" \t\r", i);
            if (end == std::string_view::npos) end = text.size();
            word = text.substr(i, end - i);
            i = end;
        }
        words_.push_back(std::move(word));
    }
}

const std::string& ScriptLine::word(size_t i) const {
    if (i >= words_.size()) throw std::invalid_argument("a word is missing");
    return words_[i];
}

std::vector<std::string> ScriptLine::wordsFrom(size_t first) const {
    if (first >= words_.size()) return {};
    return {words_.begin() + static_cast<std::ptrdiff_t>(first), words_.end()};
}

int ScriptLine::decimal(size_t i) const { return parseWhole<int>(word(i), 10, "a decimal number"); }

uint32_t ScriptLine::hex(size_t i) const { return parseWhole<uint32_t>(word(i), 16, "a hexadecimal number"); }

void ScriptLine::expectWords(size_t min, size_t max, std::string_view usage) const {
    if (words_.size() < min || words_.size() > max) throw std::invalid_argument("usage: " + std::string(usage));
}

}  // namespace tessorin::runner
