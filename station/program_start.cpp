#include "station/program_start.h"

#include <algorithm>

#include "base/clock.h"
#include "base/paths.h"
#include "base/program_version.h"
#include "job/job.h"
#include "station/results_command.h"
#include "device/board_choice.h"
#include "device/board_lock.h"
#include "station/results_line.h"
#include "station/station_command_line.h"

namespace tessorin {
namespace {

constexpr int kBadCommandLine = 2;

std::string padded(const std::string& text, size_t width) { return text + std::string(width - text.size() + 2, ' '); }

// One board a line under a heading, columns as wide as their longest entry.
std::string boardListText(const std::vector<BoardListing>& boards) {
    if (boards.empty()) return "no board\n";
    size_t idWidth = 2, serialWidth = 6;
    for (const BoardListing& board : boards) {
        idWidth = std::max(idWidth, board.id.size());
        serialWidth = std::max(serialWidth, std::max<size_t>(board.serial.size(), 1));
    }
    std::string text = padded("id", idWidth) + padded("serial", serialWidth) + "path\n";
    for (const BoardListing& board : boards)
        text += padded(board.id, idWidth) + padded(board.serial.empty() ? "-" : board.serial, serialWidth) +
                board.path + "\n";
    return text;
}

ProgramStart answered(int exitCode, std::string output) {
    ProgramStart start;
    start.kind = ProgramStart::Kind::Answered;
    start.exitCode = exitCode;
    start.output = std::move(output);
    return start;
}

// The words every board's station gets after its --board: the other options,
// then the image and presets behind "--", so an image name is never taken for an option.
std::vector<std::string> stationWords(const StationCommandLine& line) {
    std::vector<std::string> words;
    if (!line.resultsPath.empty()) words.insert(words.end(), {"--results", line.resultsPath});
    if (!line.jobPath.empty()) words.insert(words.end(), {"--job", line.jobPath});
    if (!line.storeLocation.empty()) words.insert(words.end(), {"--store", line.storeLocation});
    if (line.chipCount) words.insert(words.end(), {"--count", std::to_string(*line.chipCount)});
    if (!line.jobPath.empty()) return words;  // the job names the image and presets
    words.push_back("--");
    words.push_back(line.job.imagePath);
    words.insert(words.end(), line.job.presets.begin(), line.job.presets.end());
    return words;
}

// What the parent knows of a chip a station left in hand, as its results line.
LeftChipRecorder leftChipRecorder(const StationCommandLine& line) {
    if (line.resultsPath.empty()) return {};
    return [results = line.resultsPath, job = line.job](const std::string& boardId, uint64_t sequence) {
        ChipRecord record;
        record.finishedAt = processClock().localTime();
        record.sequence = sequence;
        record.boardId = boardId;
        record.imagePath = job.imagePath;
        record.imageFile = readWholeFile(job.imagePath);
        record.presets = job.presets;
        record.failure = download::DownloadFailure::StationEnded;
        std::string problem;
        std::unique_ptr<ResultsFile> file = ResultsFile::open(results, problem);
        if (file) file->append(resultsLine(record), problem);
        return problem;
    };
}

ProgramStart allBoardsStart(const StationCommandLine& line) {
    // Options every station would refuse are refused here, once; each station opens the store itself.
    std::string problem;
    StationCommandLine withJob = line;  // the left chips' records name the job's image
    if (!line.jobPath.empty()) {
        const std::optional<job::Job> job = job::loadJob(line.jobPath, problem);
        if (!job) return answered(kBadCommandLine, "tessorin: " + problem + "\n");
        withJob.job = {job->image, job->presets};
    }
    if (!StationRun::start(stationSettings(line, false), problem))
        return answered(kBadCommandLine, "tessorin: " + problem + "\n");
    std::vector<std::string> ids;
    for (const BoardListing& board : presentBoards()) ids.push_back(board.id);
    if (ids.empty()) return answered(1, "tessorin: no board present: --all-boards has no station to start\n");
    ProgramStart start;
    start.kind = ProgramStart::Kind::AllBoards;
    start.boardStations = boardStations(ids, stationWords(line));
    start.recordLeftChip = leftChipRecorder(withJob);
    // A board another process drives gets no station; the others' stations take their own locks.
    if (boardsNeedLocks()) {
        for (BoardStation& station : start.boardStations)
            if (!BoardLock::tryTake(station.boardId, station.refusal)) station.arguments.clear();
            else station.refusal.clear();
    }
    return start;
}

// The store of a station started with options, and its job, whose image and
// presets become the station's. Nothing, with the reason, for a bad job file.
std::optional<StationStoreSettings> storeSettings(StationCommandLine& line, std::string& problem) {
    StationStoreSettings settings{line.storeLocation, std::nullopt, line.boardId};
    if (line.jobPath.empty()) return settings;
    settings.job = job::loadJob(line.jobPath, problem);
    if (!settings.job) return std::nullopt;
    line.job = {settings.job->image, settings.job->presets};
    if (settings.location.empty()) settings.location = settings.job->store;
    if (settings.location.empty() && !settings.job->fields.empty()) {
        problem = line.jobPath + ": identity fields need a store: store = \"FILE\" in the job, or --store";
        return std::nullopt;
    }
    return settings;
}

// The board a station starts on: the one --board names (by its id when it is
// present), else the first present board no other process holds, else the
// first present one; empty when there is none.
std::string stationBoard(const std::string& choice, std::unique_ptr<BoardLock>& lock) {
    const std::vector<BoardListing> boards = presentBoards();
    for (const BoardListing& board : boards)
        if (boardAnswersTo(board, choice)) return board.id;
    if (!choice.empty() || boards.empty()) return choice;
    std::string problem;
    for (const BoardListing& board : boards)
        if ((lock = BoardLock::tryTake(board.id, problem))) return board.id;
    return boards.front().id;
}

// The station's board locked for its life; a held board is waited for. The
// station keeps to that board: another one plugged in later is not its own.
std::string holdStationBoard(const std::string& choice, ProgramStart& start,
                             const std::function<void(const std::string&)>& say) {
    const std::string board = stationBoard(choice, start.boardLock);
    if (board.empty() || start.boardLock) {
        if (!board.empty()) chooseBoard(board);
        return {};
    }
    std::string problem;
    start.boardLock = BoardLock::tryTake(board, problem);
    if (!start.boardLock && problem.starts_with("board " + board + " is in use")) {
        if (say) say("tessorin: " + problem + "; waiting for it");
        start.boardLock = BoardLock::take(board, problem);
    }
    if (!start.boardLock) return problem;
    chooseBoard(board);
    return {};
}

}  // namespace

ProgramStart prepareProgramStart(const std::vector<std::string>& arguments, bool consoleIsTerminal,
                                 const std::function<void(const std::string&)>& say) {
    if (isResultsCommand(arguments)) {
        std::string problem;
        const int status = runResultsCommand(arguments, problem);
        return answered(status, status == 0 ? "" : "tessorin: " + problem + "\n");
    }
    StationCommandLine line = parseStationCommandLine(arguments);
    switch (line.action) {
        case StationCommandLine::Action::Help: return answered(0, stationUsage());
        case StationCommandLine::Action::Version: return answered(0, versionLine("tessorin"));
        case StationCommandLine::Action::ListBoards: return answered(0, boardListText(presentBoards()));
        case StationCommandLine::Action::Refused:
            return answered(kBadCommandLine, "tessorin: " + line.problem + "\n" + stationUsage());
        case StationCommandLine::Action::Window:
        case StationCommandLine::Action::Station: break;
    }
    if (line.allBoards) return allBoardsStart(line);
    std::string problem;
    std::optional<StationStoreSettings> store;
    if (line.withOptions) {
        store = storeSettings(line, problem);
        if (!store) return answered(kBadCommandLine, "tessorin: " + problem + "\n");
    }
    ProgramStart start;
    start.kind = line.action == StationCommandLine::Action::Window ? ProgramStart::Kind::Window
                                                                    : ProgramStart::Kind::Station;
    start.stationJob = std::move(line.job);
    if (start.kind == ProgramStart::Kind::Window) return start;
    if (line.withOptions) {
        start.stationRun = StationRun::start(stationSettings(line, consoleIsTerminal), problem, *store);
        if (!start.stationRun) return answered(kBadCommandLine, "tessorin: " + problem + "\n");
    }
    if (!boardsNeedLocks()) {
        chooseBoard(line.boardId);
        return start;
    }
    problem = holdStationBoard(line.boardId, start, say);
    if (!problem.empty()) return answered(kBadCommandLine, "tessorin: " + problem + "\n");
    return start;
}

}  // namespace tessorin
