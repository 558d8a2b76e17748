#include "station/station_command_line.h"

#include <string_view>

namespace tessorin {
namespace {

using Action = StationCommandLine::Action;

constexpr uint64_t kMaxChipCount = 1'000'000'000;

// Decimal digits only, 1 up to kMaxChipCount.
std::optional<uint64_t> chipCountOf(std::string_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value == 0 || value > kMaxChipCount) return std::nullopt;
    return value;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : args_(arguments) {}

    StationCommandLine parse() {
        if (args_.size() <= 1) return line_;
        // The short -h is help only as the first word, where a seed's image of that name would stand.
        if (args_[1] == "-h") {
            line_.action = Action::Help;
            return line_;
        }
        size_t next = 1;
        while (next < args_.size() && args_[next].starts_with("--")) {
            const std::string word = args_[next++];
            if (word == "--") break;
            if (!option(word, next)) return line_;
        }
        if (line_.action == Action::Help || line_.action == Action::Version) return line_;
        if (line_.action == Action::ListBoards) {
            if (line_.withOptions || next < args_.size()) refuse("--list-boards takes nothing else");
            return line_;
        }
        if (line_.allBoards && !line_.boardId.empty()) {
            refuse("--all-boards and --board exclude each other: --all-boards gives each station its board");
            return line_;
        }
        if (!line_.jobPath.empty()) {
            // The job's image and presets take the place of the command line's.
            if (next < args_.size()) {
                refuse("--job names the image and its presets: give no image");
                return line_;
            }
            line_.action = Action::Station;
            return line_;
        }
        if (next >= args_.size()) {
            refuse("no image given");
            return line_;
        }
        line_.action = Action::Station;
        line_.job.imagePath = args_[next];
        line_.job.presets.assign(args_.begin() + static_cast<std::ptrdiff_t>(next) + 1, args_.end());
        return line_;
    }

private:
    // One option, its value taken from the next word or after "=". False once refused.
    bool option(const std::string& word, size_t& next) {
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        std::optional<std::string> inlineValue;
        if (equals != std::string::npos) inlineValue = word.substr(equals + 1);
        if (name == "--help" || name == "--version" || name == "--list-boards") {
            if (inlineValue) return refuse(name + " takes no value");
            // --help answers before --version, --version before --list-boards.
            if (name == "--help") line_.action = Action::Help;
            else if (name == "--version" && line_.action != Action::Help) line_.action = Action::Version;
            else if (line_.action != Action::Help && line_.action != Action::Version) line_.action = Action::ListBoards;
            return true;
        }
        if (name == "--all-boards") {
            if (inlineValue) return refuse(name + " takes no value");
            line_.allBoards = line_.withOptions = true;
            return true;
        }
        std::string* target = nullptr;
        if (name == "--results") target = &line_.resultsPath;
        else if (name == "--board") target = &line_.boardId;
        else if (name == "--job") target = &line_.jobPath;
        else if (name == "--store") target = &line_.storeLocation;
        else if (name != "--count") return refuse("unknown option " + name);
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (next < args_.size() && !args_[next].starts_with("--")) {
            value = args_[next++];
        }
        if (value.empty()) return refuse(name + " needs a value");
        const bool repeated = target ? !target->empty() : line_.chipCount.has_value();
        if (repeated) return refuse(name + " is given twice");
        line_.withOptions = true;
        if (target) {
            *target = value;
            return true;
        }
        line_.chipCount = chipCountOf(value);
        if (!line_.chipCount) return refuse("--count needs a whole number from 1 to 1000000000, not \"" + value + "\"");
        return true;
    }

    bool refuse(const std::string& problem) {
        line_.action = Action::Refused;
        line_.problem = problem;
        line_.job = {};
        return false;
    }

    const std::vector<std::string>& args_;
    StationCommandLine line_;
};

}  // namespace

StationCommandLine parseStationCommandLine(const std::vector<std::string>& arguments) {
    return Parser(arguments).parse();
}

StationSettings stationSettings(const StationCommandLine& line, bool consoleIsTerminal) {
    return {line.resultsPath, line.chipCount, consoleIsTerminal};
}

const char* stationUsage() {
    return "usage: tessorin                              the window\n"
           "       tessorin [OPTIONS] IMAGE [\"ADDRESS VALUE\"...]   the download station\n"
           "       tessorin --job FILE [OPTIONS]         the download station of a job file (docs/store.md)\n"
           "       tessorin results --store STORE summary|failures|find VALUE|pools|export --csv|--jsonl\n"
           "       tessorin --list-boards | --version | --help | -h\n"
           "Options, before the image:\n"
           "  --results FILE   append one JSON line per finished chip to FILE (docs/results.md)\n"
           "  --count N        stop after N chips; exit 0 when every one passed, 1 otherwise\n"
           "  --board ID       use only this board (its id, serial number or USB path from --list-boards)\n"
           "  --store STORE    record the station and every finished chip in STORE: a SQLite file or\n"
           "                   postgresql://...; a job's store is its own\n"
           "  --all-boards     one station process per board present, each with its --board; their lines\n"
           "                   show the board's id, and the combined totals follow when they have all ended\n"
           "  --list-boards    list the boards present and exit\n"
           "  --version        show the program's version and exit\n"
           "  --help, -h       show this text and exit (-h only as the first word)\n"
           "  --               end of the options: the next word is the image, even if it begins with --\n"
           "With an option the station also shows its progress and running totals, and ends after --count.\n"
           "A bad command line or job file exits with 2; a pool of identity values that ran out with 3;\n"
           "a store that took no record with 4.\n";
}

}  // namespace tessorin
