#include "app/program_path.h"

namespace tessorin {

std::string folderOfPath(std::string_view path) {
    size_t last = path.find_last_of("\\/");
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last));
}

}  // namespace tessorin
