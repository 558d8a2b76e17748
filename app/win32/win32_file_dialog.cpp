#include "app/win32/win32_file_dialog.h"

#include <commdlg.h>

#include "app/win32/win32_text.h"

namespace tessorin::win32 {

std::wstring openFileFilter(std::string_view filter) {
    std::wstring wide = toWide(filter);
    for (wchar_t& c : wide)
        if (c == L'|') c = L'\0';
    return wide;
}

std::optional<std::string> Win32FileDialog::chooseFile(const FileDialogRequest& request) {
    std::wstring filter = openFileFilter(request.filter);
    std::wstring folder = toWide(request.initialFolder);
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = folder.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return fromWide(file);
}

}  // namespace tessorin::win32
