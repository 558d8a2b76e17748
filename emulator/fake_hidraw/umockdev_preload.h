#pragma once
// umockdev's testbed works only in a process started with its preload library.

namespace tessorin::emulator {

// Starts this program again with libumockdev-preload.so.0 in LD_PRELOAD, unless
// it is there already; returns only then. A shared ASan runtime stays first in
// the list, as ASan insists. Prints why and exits when the new start fails.
void runUnderUmockdevPreload(char** argv);

}  // namespace tessorin::emulator
