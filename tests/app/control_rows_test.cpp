#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "app/control_rows.h"
#include "app/dialog_template.h"

namespace tessorin::testing {
namespace {

const TemplateControl* templateControl(int id) {
    for (const TemplateControl& c : mainDialogTemplate().controls)
        if (c.id == id) return &c;
    return nullptr;
}

TEST(ControlRows, EachRowNamesATemplateButtonAndTheControlItSends) {
    std::set<std::string_view> names;
    for (const ControlRow& row : controlRows()) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_TRUE(names.insert(row.name).second);
        EXPECT_EQ(row.name.find_first_not_of("abcdefghijklmnopqrstuvwxyz-"), std::string_view::npos);
        EXPECT_EQ(controlRowNamed(row.name), &row);
        ASSERT_NE(row.handler, nullptr);
        ASSERT_NE(templateControl(row.buttonId), nullptr);
        EXPECT_EQ(templateControl(row.buttonId)->kind, ControlKind::PushButton);
        if (row.valueId == kNoControl) continue;
        ASSERT_NE(templateControl(row.valueId), nullptr);
        const ControlKind kind = templateControl(row.valueId)->kind;
        EXPECT_TRUE(kind == ControlKind::ComboBox || kind == ControlKind::Edit);
        if (row.rfParameter != kNoRfParameter) {
            EXPECT_EQ(kind, ControlKind::ComboBox);
        }
    }
    EXPECT_EQ(controlRowNamed("no-such-row"), nullptr);
    EXPECT_EQ(controlRowNamed("Power"), nullptr);  // names are exact
}

// The ids as the dialog template has always had them.
TEST(ControlRows, FixedRfRowsAndParameterCombosKeepTheirIds) {
    const std::vector<RfRow> expected = {{1019, 1015}, {1020, 1021}, {1022, 1023}, {1024, 1025}, {1026, 1027},
                                         {1028, 1029}, {1032, 1033}, {1004, 1038}, {1039, 1041}};
    EXPECT_EQ(fixedRfRows(), expected);
    const int combos[] = {1019, 1020, 1022, 1024, 1026, 1028, 1032, 1039};
    for (int parameter = 0; parameter < 8; ++parameter) EXPECT_EQ(rfParameterComboId(parameter), combos[parameter]);
    EXPECT_THROW(rfParameterComboId(8), std::out_of_range);
    EXPECT_THROW(rfParameterComboId(kNoRfParameter), std::out_of_range);
    EXPECT_EQ(controlRowNamed("power")->buttonId, 1041);
    EXPECT_EQ(controlRowNamed("download")->buttonId, 1003);
}

}  // namespace
}  // namespace tessorin::testing
