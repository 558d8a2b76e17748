#include "station/all_boards_station.h"

#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "base/child_process.h"
#include "base/format.h"
#include "report/message_table.h"
#include "station/station_totals.h"

namespace tessorin {
namespace {

// One station's process as the fan-out follows it.
struct RunningStation {
    const BoardStation& station;
    std::unique_ptr<ChildProcess> process;
    std::optional<ChipTotals> lastTotals;
    bool chipInHand = false;  // its download started and its totals have not come yet
    int status = -1;
};

// The station's line as its download starts, after the log time.
std::string downloadStartLine() {
    std::string text(buildMessageTable()[msgDownloadStart]);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return "]\t\t" + text;
}

}  // namespace

std::vector<BoardStation> boardStations(const std::vector<std::string>& boardIds,
                                        const std::vector<std::string>& stationWords) {
    std::vector<BoardStation> stations;
    for (const std::string& id : boardIds) {
        BoardStation station{id, {"--board", id}, {}};
        station.arguments.insert(station.arguments.end(), stationWords.begin(), stationWords.end());
        stations.push_back(std::move(station));
    }
    return stations;
}

int runAllBoards(const std::string& program, const std::vector<BoardStation>& stations,
                 const std::function<void(const std::string&)>& writeLine, const LeftChipRecorder& recordLeftChip) {
    std::mutex outputMutex;
    auto say = [&](const std::string& line) {
        std::lock_guard<std::mutex> lock(outputMutex);
        writeLine(line);
    };
    std::vector<RunningStation> running;
    int exitCode = 0;
    for (const BoardStation& station : stations) {
        if (!station.refusal.empty()) {
            say(station.boardId + ": " + station.refusal + ": no station for it");
            exitCode = 1;
            continue;
        }
        running.push_back({station, std::make_unique<ChildProcess>(program, station.arguments), {}, false, -1});
    }

    const std::string startLine = downloadStartLine();
    std::vector<std::thread> readers;
    for (RunningStation& child : running) {
        readers.emplace_back([&child, &say, &startLine] {
            const std::string prefix = child.station.boardId + ": ";
            if (!child.process->started()) {
                say(prefix + child.process->problem());
                return;
            }
            for (std::string line; child.process->readLine(line);) {
                if (auto totals = totalsInConsoleLine(line)) {
                    child.lastTotals = totals;
                    child.chipInHand = false;
                } else if (line.ends_with(startLine)) {
                    child.chipInHand = true;
                }
                say(prefix + line);
            }
            child.status = child.process->wait();
        });
    }
    for (std::thread& reader : readers) reader.join();

    ChipTotals combined;
    for (RunningStation& child : running) {
        ChipTotals totals = child.lastTotals.value_or(ChipTotals{});
        if (child.chipInHand) {
            ++totals.failed;
            say(child.station.boardId + ": the station ended with a chip in hand: counted as failed (station_ended)");
            const std::string problem =
                recordLeftChip ? recordLeftChip(child.station.boardId, totals.passed + totals.failed) : "";
            if (!problem.empty()) {
                ++totals.unrecorded;
                say(child.station.boardId + ": results: its line was not written: " + problem);
            }
        }
        combined += totals;
        if (child.status == 0) continue;
        exitCode = 1;
        if (child.process->started())
            say(formatText("%s: the station ended with exit status %d", {child.station.boardId, child.status}));
    }
    say(formatText("all boards (%u): %s", {running.size(), totalsText(combined)}));
    return exitCode;
}

}  // namespace tessorin
