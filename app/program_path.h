#pragma once
// Where the program file lives: the log folder and the file dialogs start from it.
#include <string>
#include <string_view>

namespace tessorin {

// Longest program path kept, in UTF-16 code units (a 260-unit buffer with its terminator).
inline constexpr size_t kProgramPathUnits = 259;

// The full path of the running program file, cut to kProgramPathUnits.
std::string currentProgramPath();

// The text before the last path separator; empty when there is none. Windows
// accepts "/" as well as "\", so both count.
std::string folderOfPath(std::string_view path);

}  // namespace tessorin
