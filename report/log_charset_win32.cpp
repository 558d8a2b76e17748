#include "report/log_charset.h"

namespace tessorin {

// The Windows log file is UTF-8 and its console is set to code page 65001.
void setLogCharset(const std::string&) {}

std::string inLogCharset(std::string_view utf8) { return std::string(utf8); }

}  // namespace tessorin
