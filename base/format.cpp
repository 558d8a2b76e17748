#include "base/format.h"

#include <cstdio>

namespace tessorin {
namespace {

void pad(std::string& out, std::string_view body, size_t width, bool left, char fill) {
    if (body.size() >= width) {
        out += body;
        return;
    }
    size_t n = width - body.size();
    if (left) {
        out += body;
        out.append(n, ' ');
    } else if (fill == '0' && !body.empty() && body[0] == '-') {
        out += '-';
        out.append(n, '0');
        out += body.substr(1);
    } else {
        out.append(n, fill);
        out += body;
    }
}

}  // namespace

std::string formatText(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%') {
            out += c;
            continue;
        }
        size_t start = i;
        size_t j = i + 1;
        bool left = false;
        char fill = ' ';
        for (; j < format.size() && (format[j] == '-' || format[j] == '0'); ++j) {
            if (format[j] == '-') left = true;
            else fill = '0';
        }
        size_t width = 0;
        for (; j < format.size() && format[j] >= '0' && format[j] <= '9'; ++j)
            width = width * 10 + static_cast<size_t>(format[j] - '0');
        if (j >= format.size()) {
            out += format.substr(start);
            break;
        }
        char conv = format[j];
        if (conv == '%' && j == i + 1) {
            out += '%';
            i = j;
            continue;
        }
        bool known = conv == 's' || conv == 'd' || conv == 'i' || conv == 'u' || conv == 'x' || conv == 'X';
        if (!known || next == args.end()) {
            out += format.substr(start, j - start + 1);
            i = j;
            continue;
        }
        const FormatArg& arg = *next++;
        char buffer[32];
        std::string_view body;
        if (conv == 's') {
            body = arg.isText() ? arg.text() : std::string_view{};
            fill = ' ';
        } else if (arg.isText()) {
            body = {};
        } else if (conv == 'd' || conv == 'i') {
            int n = arg.isSigned() ? std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(arg.signedValue()))
                                   : std::snprintf(buffer, sizeof buffer, "%llu", static_cast<unsigned long long>(arg.bits()));
            body = std::string_view(buffer, static_cast<size_t>(n));
        } else if (conv == 'u') {
            int n = std::snprintf(buffer, sizeof buffer, "%llu", static_cast<unsigned long long>(arg.bits()));
            body = std::string_view(buffer, static_cast<size_t>(n));
        } else {
            int n = std::snprintf(buffer, sizeof buffer, conv == 'x' ? "%llx" : "%llX",
                                  static_cast<unsigned long long>(arg.bits()));
            body = std::string_view(buffer, static_cast<size_t>(n));
        }
        pad(out, body, width, left, fill);
        i = j;
    }
    return out;
}

}  // namespace tessorin
