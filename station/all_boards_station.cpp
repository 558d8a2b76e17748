#include "station/all_boards_station.h"

#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "base/child_process.h"
#include "base/format.h"
#include "station/station_totals.h"

namespace tessorin {
namespace {

// One station's process as the fan-out follows it.
struct RunningStation {
    const BoardStation& station;
    std::unique_ptr<ChildProcess> process;
    std::optional<ChipTotals> lastTotals;
    int status = -1;
};

}  // namespace

std::vector<BoardStation> boardStations(const std::vector<std::string>& boardIds,
                                        const std::vector<std::string>& stationWords) {
    std::vector<BoardStation> stations;
    for (const std::string& id : boardIds) {
        BoardStation station{id, {"--board", id}};
        station.arguments.insert(station.arguments.end(), stationWords.begin(), stationWords.end());
        stations.push_back(std::move(station));
    }
    return stations;
}

int runAllBoards(const std::string& program, const std::vector<BoardStation>& stations,
                 const std::function<void(const std::string&)>& writeLine) {
    std::mutex outputMutex;
    auto say = [&](const std::string& line) {
        std::lock_guard<std::mutex> lock(outputMutex);
        writeLine(line);
    };
    std::vector<RunningStation> running;
    for (const BoardStation& station : stations)
        running.push_back({station, std::make_unique<ChildProcess>(program, station.arguments), {}, -1});

    std::vector<std::thread> readers;
    for (RunningStation& child : running) {
        readers.emplace_back([&child, &say] {
            const std::string prefix = child.station.boardId + ": ";
            if (!child.process->started()) {
                say(prefix + child.process->problem());
                return;
            }
            for (std::string line; child.process->readLine(line);) {
                if (auto totals = totalsInConsoleLine(line)) child.lastTotals = totals;
                say(prefix + line);
            }
            child.status = child.process->wait();
        });
    }
    for (std::thread& reader : readers) reader.join();

    ChipTotals combined;
    int exitCode = 0;
    for (const RunningStation& child : running) {
        if (child.lastTotals) combined += *child.lastTotals;
        if (child.status == 0) continue;
        exitCode = 1;
        if (child.process->started())
            say(formatText("%s: the station ended with exit status %d", {child.station.boardId, child.status}));
    }
    say(formatText("all boards (%u): %s", {running.size(), totalsText(combined)}));
    return exitCode;
}

}  // namespace tessorin
