#pragma once
// Which download board a process works with. Several boards mean several
// processes, one per board: each chooses its board by serial number or USB
// path, and every discovery of the process (the link reset's included) takes
// only that board. Without a choice the first board found wins.
#include <string>
#include <string_view>
#include <vector>

#include "device/hid_transport.h"

namespace tessorin {

// A board present now, as --list-boards shows it and --board names it.
struct BoardListing {
    std::string id;          // the serial number when no other present board has it, else the path
    std::string serial;      // empty when the board has none
    std::string path;        // the USB path, or the platform's device path where that is not known
    std::string devicePath;  // what the transport opens
};

std::vector<BoardListing> presentBoards();
// True when id is the board's id, serial number, path or device path.
bool boardAnswersTo(const BoardListing& board, std::string_view id);

// Empty: no choice, the first board found is taken.
void chooseBoard(std::string id);
std::string chosenBoard();

// The choice when no board present answers to it; empty without a choice or when it is there.
std::string absentChosenBoard();

// The chosen board opened when it is present, otherwise kInvalidHidHandle.
HidHandle openChosenBoard(std::string_view id);

// The id of the board the process works with now: the chosen board's (the
// choice as given while it is away), or else the first present board's; empty when there is none.
std::string currentBoardId();

}  // namespace tessorin
