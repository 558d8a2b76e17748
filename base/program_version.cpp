#include "base/program_version.h"

#include "tessorin_build_description.h"
#include "tessorin_version.h"

namespace tessorin {

const char* programCaption() { return TESSORIN_CAPTION; }

std::string versionLine(std::string_view program) { return versionLine(program, TESSORIN_BUILD_DESCRIPTION); }

std::string versionLine(std::string_view program, std::string_view description) {
    std::string line = std::string(program) + " " + TESSORIN_VERSION;
    if (!description.empty()) line += " (git " + std::string(description) + ")";
    return line + "\n";
}

}  // namespace tessorin
