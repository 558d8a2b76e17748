#pragma once
// UTF-8 <-> UTF-16 at the Win32 call: the core's text is UTF-8 throughout.
#include <windows.h>

#include <string>
#include <string_view>

#include "base/text.h"

namespace tessorin::win32 {

inline std::wstring toWide(std::string_view text) {
    std::u16string wide = utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string fromWide(std::wstring_view text) {
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

// The whole text of a window or control.
inline std::string windowText(HWND window) {
    if (!window) return {};
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return fromWide(text);
}

}  // namespace tessorin::win32
