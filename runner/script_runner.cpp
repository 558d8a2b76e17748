#include "runner/script_runner.h"

#include <sstream>
#include <stdexcept>

#include "base/format.h"
#include "runner/script_session.h"

namespace tessorin::runner {
namespace {

// A "#" at the start of a word begins a comment; inside a word or quotes it is text.
std::string_view withoutComment(std::string_view text) {
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        bool wordStart = i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t';
        if (!quoted && text[i] == '#' && wordStart) return text.substr(0, i);
    }
    return text;
}

}  // namespace

ScriptError::ScriptError(int line, const std::string& problem)
    : std::runtime_error(formatText("line %d: %s", {line, problem})), line_(line) {}

std::string channelSection(const std::string& name, const std::string& text) {
    return "=== " + name + " ===\n" + text;
}

std::string allChannels(const RunnerOutput& output) {
    return channelSection("report", output.report) + channelSection("pane", output.pane) +
           channelSection("log", output.log) + channelSection("wire", output.wire);
}

namespace {

// Runs act on each line that holds an action; a problem it raises becomes a
// ScriptError naming the line.
template <typename Act>
void forEachLine(const std::string& script, Act act) {
    std::istringstream lines(script);
    std::string text;
    int number = 0;
    while (std::getline(lines, text)) {
        ++number;
        try {
            ScriptLine line(withoutComment(text));
            if (!line.empty()) act(line);
        } catch (const std::invalid_argument& problem) {
            throw ScriptError(number, problem.what());
        } catch (const std::out_of_range& problem) {
            throw ScriptError(number, problem.what());
        }
    }
}

std::string wordsOf(const ScriptLine& line, size_t count) {
    std::string words = line.word(0);
    for (size_t i = 1; i < count && i < line.size(); ++i) words += " " + line.word(i);
    return words;
}

}  // namespace

RunnerOutput runScript(const std::string& script, const RunnerOptions& options) {
    // A real board gets nothing from a script it cannot run to the end.
    if (options.liveBoard) {
        forEachLine(script, [](const ScriptLine& line) {
            if (ScriptSession::needsEmulatedBoard(line))
                throw std::invalid_argument("'" + wordsOf(line, 2) +
                                            "' works only on the emulated board, not in a live run (--board)");
        });
    }
    ScriptSession session(options);
    forEachLine(script, [&session](const ScriptLine& line) { session.run(line); });
    return session.finish();
}

}  // namespace tessorin::runner
