#pragma once
// The platform's open-file dialog. Both uses ask for a file that must exist,
// with no default extension or initial name, the read-only box hidden, the
// main window as owner and the new dialog style; only the filter and the
// initial folder differ.
#include <optional>
#include <string>

namespace tessorin {

// "shown name|patterns||": "|" separates, "||" ends the list.
inline constexpr const char* kRomFileFilter = "ROM Files(*.rom;*.dat)|*.rom;*.dat||";
inline constexpr const char* kIniFileFilter = "IniFiles(*.ini)|*.ini||";

struct FileDialogRequest {
    std::string filter;
    std::string initialFolder;
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen full path, or nothing when the operator cancelled.
    virtual std::optional<std::string> chooseFile(const FileDialogRequest& request) = 0;
};

}  // namespace tessorin
