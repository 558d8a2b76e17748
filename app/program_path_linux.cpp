#include <filesystem>
#include <system_error>

#include "app/program_path.h"
#include "base/paths.h"
#include "base/text.h"

namespace tessorin {

std::string currentProgramPath() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::string();
    return truncateToUtf16Units(pathToUtf8(self), kProgramPathUnits);
}

}  // namespace tessorin
