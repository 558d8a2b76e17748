#pragma once
// The text each control of template 102 shows once OnInitDialog has run.
#include <string>

#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "report/message_table.h"

namespace tessorin::testing {

// OnInitDialog gives these controls their texts from the message table; of the
// unnamed controls (id -1) only the first.
inline std::string textAfterStart(const TemplateControl& c, const MessageTable& m, bool firstUnnamed) {
    switch (c.id) {
        case kDownloadButtonId: return m[msgDownload];
        case kSelectIniButtonId: return m[msgSelectIni];
        case kSelectRomButtonId: return m[msgSelectRom];
        case kDragHintLabelId: return m[msgDragHint];
        case kUnnamedControlId: return firstUnnamed ? m[msgRomPathLabel] : c.text;
        default: return c.text;
    }
}

}  // namespace tessorin::testing
