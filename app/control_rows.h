#pragma once
// The window's buttons, one row each with the control its value comes from:
// the command table, the fixed RF rows, the combo boxes filled from the INI
// file and the runner's control names are all read from here.
#include <span>
#include <string_view>
#include <vector>

namespace tessorin {

class CBrevoxDownloadToolDlg;

inline constexpr int kNoControl = 0;
inline constexpr int kNoRfParameter = -1;
inline constexpr int kNoAvailabilityFlag = -1;

struct ControlRow {
    std::string_view name;  // lower case with hyphens; runner scripts may use it for the ids
    int buttonId;
    void (CBrevoxDownloadToolDlg::*handler)(const ControlRow& row);
    int valueId = kNoControl;                  // the combo box or edit the button sends
    int rfParameter = kNoRfParameter;          // which RF combo definition fills valueId
    int availabilityFlag = kNoAvailabilityFlag;  // which of the chip's flags enables the row
};

std::span<const ControlRow> controlRows();

// The row of that name, or nullptr.
const ControlRow* controlRowNamed(std::string_view name);

// One fixed RF row: the control holding the value and the button that sends it.
struct RfRow {
    int valueControlId = 0;
    int buttonId = 0;
    bool operator==(const RfRow&) const = default;
};

// The nine fixed rows in the order of the chip's availability flags.
const std::vector<RfRow>& fixedRfRows();

// The combo box that RF parameter 0..7 fills.
int rfParameterComboId(int rfParameter);

}  // namespace tessorin
