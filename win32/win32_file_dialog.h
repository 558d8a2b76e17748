#pragma once
// The standard open-file dialog, owned by the main window.
#include <windows.h>

#include <string>
#include <string_view>

#include "app/file_dialog.h"

namespace tessorin::win32 {

// "name|patterns||" as the dialog wants it: "name\0patterns\0\0".
std::wstring openFileFilter(std::string_view filter);

class Win32FileDialog final : public FileDialog {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace tessorin::win32
