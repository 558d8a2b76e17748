#pragma once
// Dialog template 102 as the resource compiler stored it in the executable
// (DLGTEMPLATEEX), so tests compare the resource script with the template data
// exactly, in dialog units and style bits.
#include <windows.h>

#include <string>
#include <vector>

namespace tessorin::testing {

struct ResourceControl {
    DWORD style = 0, exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int id = 0;
    std::wstring windowClass;  // predefined classes by name: Button, Edit, Static, ComboBox
    std::wstring text;
};

struct ResourceDialog {
    DWORD style = 0, exStyle = 0;
    int width = 0, height = 0;
    std::wstring caption;
    int pointSize = 0;
    std::wstring fontFace;
    std::vector<ResourceControl> controls;
};

// Throws std::runtime_error when the resource is missing or malformed.
ResourceDialog loadDialogResource(int resourceId);

}  // namespace tessorin::testing
