#pragma once
// Text for whoever started the program, which has no console of its own: its
// standard output or error when they were handed over, else the console it
// was started from, else a message box.
#include <string_view>

namespace tessorin::win32 {

void showCommandOutput(std::string_view text, bool isError);

// Lines for a console while the program runs (--all-boards): the standard
// output when it was handed over, else the console the program was started
// from, else a console of its own. Each line is written whole.
class CommandLines {
public:
    CommandLines();
    void write(std::string_view line);

private:
    void* handle_;
};

}  // namespace tessorin::win32
