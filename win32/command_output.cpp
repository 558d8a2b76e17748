#include "win32/command_output.h"

#include <windows.h>

#include "win32/win32_text.h"

namespace tessorin::win32 {
namespace {

bool writeTo(HANDLE handle, const std::string& text) {
    if (!handle || handle == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = toWide(text);
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != FALSE;
    }
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

}  // namespace

void showCommandOutput(std::string_view text, bool isError) {
    const std::string lines = replaceAll(text, "\n", "\r\n");
    if (writeTo(GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), lines)) return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        const bool shown = writeTo(console, lines);
        if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
        FreeConsole();
        if (shown) return;
    }
    MessageBoxW(nullptr, toWide(text).c_str(), L"Tessorin", MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}

CommandLines::CommandLines() : handle_(GetStdHandle(STD_OUTPUT_HANDLE)) {
    if (handle_ && handle_ != INVALID_HANDLE_VALUE) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) AllocConsole();
    SetConsoleOutputCP(CP_UTF8);
    handle_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
}

void CommandLines::write(std::string_view line) { writeTo(handle_, std::string(line) + "\r\n"); }

}  // namespace tessorin::win32
