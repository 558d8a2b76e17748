#include <iconv.h>

#include <cerrno>

#include <mutex>

#include "report/log_charset.h"

namespace tessorin {
namespace {

const iconv_t kNone = reinterpret_cast<iconv_t>(-1);

std::mutex converterMutex;
iconv_t converter = kNone;

}  // namespace

void setLogCharset(const std::string& charset) {
    std::lock_guard<std::mutex> lock(converterMutex);
    if (converter != kNone) iconv_close(converter);
    const bool unchanged = charset.empty() || charset == "UTF-8" || charset == "ANSI_X3.4-1968";
    converter = unchanged ? kNone : iconv_open(charset.c_str(), "UTF-8");
}

std::string inLogCharset(std::string_view utf8) {
    std::lock_guard<std::mutex> lock(converterMutex);
    if (converter == kNone || utf8.empty()) return std::string(utf8);
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    while (inLeft > 0) {
        char* next = buffer;
        size_t room = sizeof buffer;
        const size_t result = iconv(converter, &in, &inLeft, &next, &room);
        out.append(buffer, next);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // Not UTF-8, or not in the character set: the byte goes out as it came.
            out.push_back(*in++);
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

}  // namespace tessorin
