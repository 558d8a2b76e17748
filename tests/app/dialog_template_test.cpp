#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "app/control_rows.h"
#include "app/dialog_template.h"
#include "app/main_window.h"
#include "runner/memory_controls.h"

namespace tessorin::testing {
namespace {

const TemplateControl* findControl(int id) {
    for (const TemplateControl& c : mainDialogTemplate().controls)
        if (c.id == id) return &c;
    return nullptr;
}

TEST(DialogTemplate, WindowFrame) {
    const DialogTemplate& t = mainDialogTemplate();
    EXPECT_EQ(t.resourceId, 102);
    EXPECT_EQ(t.caption, "Tessorin V2.4.6");
    EXPECT_EQ(t.width, 553);
    EXPECT_EQ(t.height, 347);
    EXPECT_EQ(t.fontFace, "MS Shell Dlg");
    EXPECT_EQ(t.fontPointSize, 9);
    EXPECT_EQ(t.controls.size(), 42u);
}

TEST(DialogTemplate, IdsAreUniqueAndControlsFitTheDialog) {
    std::set<int> seen;
    for (const TemplateControl& c : mainDialogTemplate().controls) {
        if (c.id != -1) {
            EXPECT_TRUE(seen.insert(c.id).second) << c.id;
        }
        EXPECT_LE(c.rect.x + c.rect.width, 553) << c.id;
        EXPECT_LE(c.rect.y + c.rect.height, 347 + 150) << c.id;  // combo heights are open lists
        EXPECT_EQ(c.style.tabStop, c.kind == ControlKind::PushButton || c.kind == ControlKind::ComboBox) << c.id;
        EXPECT_EQ(c.style.dropDown, c.kind == ControlKind::ComboBox) << c.id;
    }
}

// Every control the window logic names exists with the kind it expects.
TEST(DialogTemplate, ControlsTheWindowUsesHaveTheirKind) {
    for (const RfRow& row : fixedRfRows()) {
        ASSERT_NE(findControl(row.valueControlId), nullptr) << row.valueControlId;
        ASSERT_NE(findControl(row.buttonId), nullptr) << row.buttonId;
        EXPECT_EQ(findControl(row.buttonId)->kind, ControlKind::PushButton);
        EXPECT_NE(findControl(row.valueControlId)->kind, ControlKind::PushButton);
    }
    const std::pair<int, ControlKind> used[] = {
        {1000, ControlKind::PushButton}, {1001, ControlKind::PushButton}, {1003, ControlKind::PushButton},
        {1016, ControlKind::PushButton}, {1002, ControlKind::Static},     {1005, ControlKind::Static},
        {1044, ControlKind::Static},     {1018, ControlKind::Static},     {1048, ControlKind::GroupBox},
        {1006, ControlKind::Edit},       {1004, ControlKind::Edit},       {1036, ControlKind::ComboBox},
        {1040, ControlKind::ComboBox},   {-1, ControlKind::Static},
    };
    for (const auto& [id, kind] : used) {
        ASSERT_NE(findControl(id), nullptr) << id;
        EXPECT_EQ(findControl(id)->kind, kind) << id;
    }
    EXPECT_EQ(findControl(-1)->text, "ROM Path\xEF\xBC\x9A");
    EXPECT_TRUE(findControl(1006)->style.readOnlyMultilinePane);
    EXPECT_TRUE(findControl(1005)->style.pathEllipsis);
}

TEST(DialogTemplate, HiddenControlsAreTheHiddenRows) {
    std::set<int> hidden;
    int hiddenUnnamed = 0;
    for (const TemplateControl& c : mainDialogTemplate().controls) {
        if (c.visible) continue;
        if (c.id == -1) ++hiddenUnnamed;
        else hidden.insert(c.id);
    }
    EXPECT_EQ(hidden, (std::set<int>{1047, 1036, 1016, 1040, 1035, 1004, 1038, 1039, 1041, 1042}));
    EXPECT_EQ(hiddenUnnamed, 2);  // the 2.4G group box and the chip type label
}

TEST(MemoryControlsLayout, DialogUnitsBecomePixelsByTheFixedBaseUnits) {
    const std::pair<DialogUnitRect, PixelRect> cases[] = {
        {{0, 0, 4, 8}, {0, 0, 7, 15}},
        {{334, 27, 85, 8}, {585, 51, 733, 66}},  // 334*7/4 = 584.5 rounds up
        {{1, 1, 1, 1}, {2, 2, 4, 4}},
    };
    for (const auto& [units, pixels] : cases) EXPECT_EQ(runner::dialogUnitsToPixels(units), pixels);
}

TEST(ControlRows, EachRowNamesATemplateButtonAndTheControlItSends) {
    std::set<std::string_view> names;
    for (const ControlRow& row : controlRows()) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_TRUE(names.insert(row.name).second);
        EXPECT_EQ(row.name.find_first_not_of("abcdefghijklmnopqrstuvwxyz-"), std::string_view::npos);
        EXPECT_EQ(controlRowNamed(row.name), &row);
        ASSERT_NE(row.handler, nullptr);
        ASSERT_NE(findControl(row.buttonId), nullptr);
        EXPECT_EQ(findControl(row.buttonId)->kind, ControlKind::PushButton);
        if (row.valueId == kNoControl) continue;
        ASSERT_NE(findControl(row.valueId), nullptr);
        const ControlKind kind = findControl(row.valueId)->kind;
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
