#include <windows.h>

#include "app/program_path.h"
#include "base/text.h"

namespace tessorin {

std::string currentProgramPath() {
    char16_t buffer[kProgramPathUnits + 1] = {};
    DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<LPWSTR>(buffer), kProgramPathUnits + 1);
    // A cut path still fills the buffer; it is kept as cut, as its 260-unit buffer holds it.
    if (length > kProgramPathUnits) length = kProgramPathUnits;
    return utf16ToUtf8(std::u16string_view(buffer, length));
}

}  // namespace tessorin
