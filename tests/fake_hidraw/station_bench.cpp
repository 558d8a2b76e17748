#include "tests/fake_hidraw/station_bench.h"

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>
#include <thread>

#include "base/child_process.h"
#include "base/text.h"
#include "report/message_table.h"
#include "tests/support/file_text.h"

namespace tessorin::testing {
namespace {

// Beyond this something hangs: the test stops playing the operator and says so.
constexpr auto kPatience = std::chrono::minutes(3);

// The station's line while its board has no chip.
const std::string& waitingLine() {
    static const std::string line = replaceAll(MessageTable(1252)[msgWaitingConnect], "\n", "");
    return line;
}

}  // namespace

std::map<std::string, std::vector<nlohmann::json>> resultsByBoard(const std::string& path) {
    std::map<std::string, std::vector<nlohmann::json>> byBoard;
    std::istringstream text(fileText(path));
    for (std::string line; std::getline(text, line) && !text.eof();) {
        nlohmann::json record = nlohmann::json::parse(line, nullptr, false);
        if (record.is_discarded() || !record["board"].is_string()) {
            ADD_FAILURE() << "not a whole results line: " << line;
            continue;
        }
        byBoard[record["board"].get<std::string>()].push_back(record);
    }
    return byBoard;
}

StationBench::StationBench(int boardCount, size_t chipsPerBoard)
    : boardCount_(boardCount),
      chipsPerBoard_(chipsPerBoard),
      image_(imageBytes(20000)),
      file_(bytePerLineText(image_)),
      results_(folder_.path("results.jsonl")) {
    for (int i = 0; i < boardCount_; ++i) boards.addBoard(kBenchChip);
}

StationBench::Program StationBench::allBoards(size_t count) const {
    return {{"--all-boards", "--results", results_, "--count", std::to_string(count), file_.path()}, ""};
}

StationBench::Program StationBench::station(int board, size_t count) const {
    const std::string id = boards.serial(board);
    return {{"--board", id, "--results", results_, "--count", std::to_string(count), file_.path()}, id};
}

std::vector<StationBench::Ended> StationBench::run(const std::vector<Program>& programs,
                                                   const std::function<void(int board)>& atFirstChip) {
    std::vector<Ended> ended(programs.size());
    std::vector<std::unique_ptr<ChildProcess>> processes;
    std::vector<std::thread> readers;
    std::vector<bool> finished(programs.size(), false);
    spoke_.assign(programs.size(), {});
    paused_.assign(programs.size(), false);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        programIds_.clear();
    }
    auto start = [&](size_t index) {
        processes.push_back(std::make_unique<ChildProcess>(programBeside("tessorin"), programs[index].arguments));
        ChildProcess& program = *processes.back();
        EXPECT_TRUE(program.started()) << program.problem();
        programIds_.push_back(program.processId());
        readers.emplace_back([this, index, &program, &programs, &ended, &finished] {
            for (std::string line; program.readLine(line);) {
                const std::string board =
                    programs[index].board.empty() ? line.substr(0, line.find(':')) : programs[index].board;
                std::lock_guard<std::mutex> lock(mutex_);
                ended[index].output.push_back(line);
                spoke_[index][board] = true;
                if (line.ends_with(waitingLine())) ++waits_[board];
                if (line.ends_with("; waiting for it") && !paused_[index]) {
                    // Stopped in its wait for the board, so it cannot drive the
                    // last chip of the station before it: the operator takes
                    // that chip away first, as one would between two stations.
                    ::kill(static_cast<pid_t>(program.processId()), SIGSTOP);
                    paused_[index] = true;
                }
            }
            const int status = program.wait();
            std::lock_guard<std::mutex> lock(mutex_);
            ended[index].status = status;
            finished[index] = true;
        });
    };
    // Whether the last program started has shown a line for each of its boards, or has ended.
    auto lastIsUnderWay = [&] {
        const size_t last = processes.size() - 1;
        if (finished[last]) return true;
        if (!programs[last].board.empty()) return spoke_[last].count(programs[last].board) > 0;
        for (int board = 0; board < boardCount_; ++board)
            if (!spoke_[last].count(boards.serial(board))) return false;
        return true;
    };

    start(0);
    std::vector<Operator> operators(static_cast<size_t>(boardCount_));
    std::vector<bool> firstChipSeen(static_cast<size_t>(boardCount_), false);
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    for (;;) {
        std::map<std::string, size_t> waits;
        std::vector<bool> endedBeforeResults;  // taken before the results are read, so their lines are all in
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (processes.size() < programs.size() && lastIsUnderWay()) {
                start(processes.size());
                continue;
            }
            if (std::find(finished.begin(), finished.end(), false) == finished.end()) break;
            waits = waits_;
            endedBeforeResults = finished;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "the run did not end in time";
            break;
        }
        const auto results = resultsByBoard(results_);
        for (int board = 0; board < boardCount_; ++board) {
            if (atFirstChip && !firstChipSeen[static_cast<size_t>(board)] && codeLoadSize(board) > 0) {
                firstChipSeen[static_cast<size_t>(board)] = true;
                atFirstChip(board);
            }
            tend(board, operators[static_cast<size_t>(board)], results, waits[boards.serial(board)]);
        }
        resumeOnceTheBoardIsClear(processes, endedBeforeResults, operators, results);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    for (std::thread& reader : readers) reader.join();
    for (const Ended& program : ended)
        for (const std::string& line : program.output) std::printf("%s\n", line.c_str());
    return ended;
}

void StationBench::resumeOnceTheBoardIsClear(const std::vector<std::unique_ptr<ChildProcess>>& processes,
                                             const std::vector<bool>& ended,
                                             const std::vector<Operator>& operators,
                                             const std::map<std::string, std::vector<nlohmann::json>>& results) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (size_t index = 0; index < processes.size(); ++index) {
        if (!paused_[index]) continue;
        const auto before = ended.begin() + static_cast<long>(index);
        if (std::find(ended.begin(), before, false) != before) return;
        for (int board = 0; board < boardCount_; ++board) {
            auto found = results.find(boards.serial(board));
            const size_t onRecord = found == results.end() ? 0 : found->second.size();
            if (operators[static_cast<size_t>(board)].chipsSeen < onRecord) return;
        }
        ::kill(static_cast<pid_t>(processes[index]->processId()), SIGCONT);
        paused_[index] = false;
    }
}

unsigned long StationBench::programId(size_t index) {
    std::lock_guard<std::mutex> lock(mutex_);
    return index < programIds_.size() ? programIds_[index] : 0;
}

size_t StationBench::codeLoadSize(int board) {
    try {
        return boards.withChip(board, [](emulator::ChipModel& chip) { return chip.codeLoad().size(); });
    } catch (const std::out_of_range&) {
        return 0;
    }
}

// A finished chip is kept and taken away; once a station has found the board
// empty, a fresh chip goes on, until the board has had its chips.
void StationBench::tend(int board, Operator& op, const std::map<std::string, std::vector<nlohmann::json>>& results,
                        size_t waits) {
    auto found = results.find(boards.serial(board));
    const size_t finished = found == results.end() ? 0 : found->second.size();
    if (!op.chipAway && finished > op.chipsSeen) {
        op.chipsSeen = finished;
        const nlohmann::json& record = found->second.back();
        chipLoads_[board].push_back(boards.withChip(board, [](emulator::ChipModel& chip) { return chip.codeLoad(); }));
        if (finished >= chipsPerBoard_) return;
        boards.detachChip(board);
        // A board that died under its chip is unplugged and plugged back in.
        if (record["result"] == "fail" && !boards.answering(board)) {
            boards.unplug(board);
            boards.replug(board);
        }
        op.chipAway = true;
        op.waitsWhenAway = waits;
    } else if (op.chipAway && waits > op.waitsWhenAway) {
        boards.attachChip(board, kBenchChip);
        op.chipAway = false;
    }
}

}  // namespace tessorin::testing
