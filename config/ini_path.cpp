#include "config/ini_path.h"

#include <cstdio>

#include "base/format.h"
#include "base/paths.h"
#include "config/config_error.h"

namespace tessorin {

void requireReadableIni(const std::string& iniPath) {
    if (iniPath.empty()) throw ConfigError("iniPath不能为空!\n");
    if (!pathExists(iniPath)) throw ConfigError(formatText("ini文件[%s]不存在", {iniPath}));
    std::FILE* file = isDirectory(iniPath) ? nullptr : openFile(iniPath, "rb");
    if (!file) throw ConfigError(formatText("ini文件[%s]无法读取", {iniPath}));
    std::fclose(file);
}

}  // namespace tessorin
