#pragma once
// --all-boards: one station process per board present, each bound to its board
// with --board. Their console lines come through whole with the board's id in
// front, and once every station has ended the combined totals follow.
#include <functional>
#include <string>
#include <vector>

namespace tessorin {

struct BoardStation {
    std::string boardId;
    std::vector<std::string> arguments;  // the station's command line after the program's name
};

// One station per board: --board ID, then the given words (the other options,
// "--", the image and its presets), the same for every board.
std::vector<BoardStation> boardStations(const std::vector<std::string>& boardIds,
                                        const std::vector<std::string>& stationWords);

// Starts program once per station, all at once, and waits for every one. Each
// line of theirs reaches writeLine as "ID: line", one call at a time. Returns
// 0 when every station ended with 0, else 1.
int runAllBoards(const std::string& program, const std::vector<BoardStation>& stations,
                 const std::function<void(const std::string&)>& writeLine);

}  // namespace tessorin
