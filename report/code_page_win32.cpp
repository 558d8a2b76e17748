#include <windows.h>

namespace tessorin {

int platformCodePage() { return static_cast<int>(GetACP()); }

}  // namespace tessorin
