#pragma once
// --all-boards: one station process per board present, each bound to its board
// with --board. Their console lines come through whole with the board's id in
// front, and once every station has ended the combined totals follow.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tessorin {

struct BoardStation {
    std::string boardId;
    std::vector<std::string> arguments;  // the station's command line after the program's name
    std::string refusal;                 // why the board gets no station (another process holds it)
};

// One station per board: --board ID, then the given words (the other options,
// "--", the image and its presets), the same for every board.
std::vector<BoardStation> boardStations(const std::vector<std::string>& boardIds,
                                        const std::vector<std::string>& stationWords);

// Writes the line of a chip a station had in hand when its process ended (a
// failure, reason station_ended): the board, the chip's sequence number in
// that station. Returns why the line was not written; empty when it was.
using LeftChipRecorder = std::function<std::string(const std::string& boardId, uint64_t sequence)>;

// Starts program once per station, all at once, and waits for every one. Each
// line of theirs reaches writeLine as "ID: line", one call at a time; a station
// with a refusal is not started, its line says why. A station that ended with
// a chip in hand (killed) has that chip counted as failed and recorded by
// recordLeftChip. Returns 0 when every station ended with 0, else 1.
int runAllBoards(const std::string& program, const std::vector<BoardStation>& stations,
                 const std::function<void(const std::string&)>& writeLine, const LeftChipRecorder& recordLeftChip = {});

}  // namespace tessorin
