#pragma once
// The test every load makes before it reads an INI file.
#include <string>

namespace tessorin {

// Raises ConfigError "iniPath不能为空!\n" for an empty path, "ini文件[path]不存在"
// for a path that does not exist, and "ini文件[path]无法读取" for a folder or a
// file that cannot be opened (the reads would silently give empty values).
void requireReadableIni(const std::string& iniPath);

}  // namespace tessorin
