#include "win32/win32_file_dialog.h"

#include <cderr.h>
#include <commdlg.h>

#include "base/format.h"
#include "win32/win32_text.h"

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
    if (GetOpenFileNameW(&dialog)) return fromWide(file);
    // Not a cancel: the operator chose something the dialog could not hand over.
    if (DWORD error = CommDlgExtendedError()) {
        std::string text = error == FNERR_BUFFERTOOSMALL
                               ? std::string("The chosen path is longer than 259 characters; move the file to a shorter path.")
                               : formatText("The file dialog failed (error 0x%04x).", {static_cast<unsigned>(error)});
        MessageBoxW(owner_, toWide(text).c_str(), L"Tessorin", MB_OK | MB_ICONWARNING);
    }
    return std::nullopt;
}

}  // namespace tessorin::win32
