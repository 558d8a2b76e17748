#include "runner/dump_text.h"

#include "app/control_ids.h"
#include "base/format.h"

namespace tessorin::runner {
namespace {

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton: return "button";
        case ControlKind::Static: return "static";
        case ControlKind::Edit: return "edit";
        case ControlKind::ComboBox: return "combo";
        case ControlKind::GroupBox: return "group";
    }
    return "?";
}

std::string controlLine(const MemoryControl& c) {
    std::string line = formatText("%d %s \"%s\" %s (%d,%d)-(%d,%d)",
                                  {c.id, kindName(c.kind), c.text, c.enabled ? "enabled" : "disabled", c.rect.left,
                                   c.rect.top, c.rect.right, c.rect.bottom});
    if (c.kind == ControlKind::ComboBox)
        line += formatText(" items %d selected %d", {static_cast<int>(c.items.size()), c.selection});
    return line + "\n";
}

}  // namespace

std::string hexRows(const std::string& title, uint32_t address, const std::vector<uint8_t>& bytes) {
    std::string out = formatText("%s %x, %d bytes\n", {title, address, static_cast<int>(bytes.size())});
    for (size_t row = 0; row < bytes.size(); row += 16) {
        out += formatText("%05x:", {address + static_cast<uint32_t>(row)});
        for (size_t i = row; i < row + 16 && i < bytes.size(); ++i) out += formatText(" %02x", {bytes[i]});
        out += '\n';
    }
    return out;
}

std::string windowState(WindowHarness& harness) {
    MemoryControls& c = harness.controls;
    std::string out = formatText("caption \"%s\"\nrom path \"%s\"\nini path \"%s\"\n",
                                 {c.windowCaption(), c.controlText(kRomPathLabelId), c.controlText(kIniPathLabelId)});
    for (const RfRow& row : fixedRfRows())
        for (int id : {row.valueControlId, row.buttonId})
            if (auto control = c.find(id)) out += controlLine(*control);
    for (int id : c.createdIds()) out += controlLine(*c.find(id));
    return out;
}

}  // namespace tessorin::runner
