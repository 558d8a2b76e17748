#include "device/board_choice.h"

#include <algorithm>
#include <mutex>

#include "device/hid_link.h"

namespace tessorin {
namespace {

std::mutex choiceMutex;
std::string choice;

}  // namespace

std::vector<BoardListing> presentBoards() {
    std::vector<HidDeviceEntry> entries = hidTransport().enumerate(kBoardVendorId, kBoardProductId);
    std::vector<BoardListing> boards;
    for (const HidDeviceEntry& entry : entries) {
        // A serial number that two boards share names neither of them.
        const auto sameSerial = [&](const HidDeviceEntry& other) { return other.serial == entry.serial; };
        const bool unique = !entry.serial.empty() && std::count_if(entries.begin(), entries.end(), sameSerial) == 1;
        boards.push_back({unique ? entry.serial : entry.usbPath, entry.serial, entry.usbPath, entry.devicePath});
    }
    return boards;
}

bool boardAnswersTo(const BoardListing& board, std::string_view id) {
    return !id.empty() && (id == board.id || id == board.serial || id == board.path || id == board.devicePath);
}

void chooseBoard(std::string id) {
    std::lock_guard<std::mutex> lock(choiceMutex);
    choice = std::move(id);
}

std::string chosenBoard() {
    std::lock_guard<std::mutex> lock(choiceMutex);
    return choice;
}

std::string absentChosenBoard() {
    const std::string chosen = chosenBoard();
    if (chosen.empty()) return {};
    for (const BoardListing& board : presentBoards())
        if (boardAnswersTo(board, chosen)) return {};
    return chosen;
}

HidHandle openChosenBoard(std::string_view id) {
    for (const BoardListing& board : presentBoards())
        if (boardAnswersTo(board, id)) return hidTransport().openPath(board.devicePath);
    return kInvalidHidHandle;
}

std::string currentBoardId() {
    const std::string chosen = chosenBoard();
    for (const BoardListing& board : presentBoards())
        if (chosen.empty() || boardAnswersTo(board, chosen)) return board.id;
    return chosen;
}

}  // namespace tessorin
