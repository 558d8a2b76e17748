#pragma once
// The character set the log stream (the console and the log file) is written in.
// The core's text is UTF-8; on Linux the locale may speak another (GB18030 ...).
#include <string>
#include <string_view>

namespace tessorin {

// UTF-8 until set; UTF-8 and ASCII leave the text as it is.
void setLogCharset(const std::string& charset);
// The text in that character set; a byte it cannot convert is kept as it is, so no line is lost.
std::string inLogCharset(std::string_view utf8);

}  // namespace tessorin
