// What the Qt window computes on its own: dialog units to pixels, the file
// dialog's filters and the pane's line breaks.
#include <gtest/gtest.h>

#include "app/file_dialog.h"
#include "qt/dialog_units.h"
#include "qt/pane_text.h"
#include "qt/qt_file_dialog.h"
#include "qt/qt_text.h"
#include "tests/qt/qt_printers.h"

namespace tessorin::testing {
namespace {

struct UnitCase {
    DialogUnitRect units;
    qt::DialogBaseUnits base;
    PixelRect pixels;
};

// Base units 7 x 15 are MS Shell Dlg 9 point at 96 DPI on Windows.
TEST(DialogUnits, PositionAndSizeAreScaledApartAndRoundedAsMulDiv) {
    const UnitCase cases[] = {
        // Select ROM: 14 * 7 / 4 = 24.5 rounds up; 46 * 7 / 4 = 80.5 too, so right is 25 + 81,
        // not (14 + 46) * 7 / 4 = 105 as one edge scaled on its own would give.
        {{14, 40, 46, 14}, {7, 15}, {25, 75, 106, 101}},
        // The whole client area of template 102.
        {{0, 0, 553, 347}, {7, 15}, {0, 0, 968, 651}},
        {{0, 0, 553, 347}, {7, 14}, {0, 0, 968, 607}},
        // Each to the nearest pixel: 1 * 7 / 4 = 1.75 -> 2, 1 * 14 / 8 = 1.75 -> 2, 3 * 14 / 8 = 5.25 -> 5.
        {{1, 1, 1, 3}, {7, 14}, {2, 2, 4, 7}},
        {{430, 27, 48, 129}, {6, 13}, {645, 44, 717, 254}},
    };
    for (const UnitCase& c : cases)
        EXPECT_EQ(qt::dialogUnitsToPixels(c.units, c.base), c.pixels)
            << c.units.x << "," << c.units.y << " " << c.units.width << "x" << c.units.height;
}

TEST(FileDialogFilters, WindowsFilterTextsBecomeQtNameFilters) {
    const struct {
        std::string filter;
        QStringList expected;
    } cases[] = {
        {kRomFileFilter, {"ROM Files(*.rom;*.dat) (*.rom *.dat)"}},
        {kIniFileFilter, {"IniFiles(*.ini) (*.ini)"}},
        {"A|*.a|B|*.b;*.c||", {"A (*.a)", "B (*.b *.c)"}},
        {"Only name||", {}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(qt::qtNameFilters(c.filter), c.expected) << c.filter;
}

TEST(PaneText, OnlyCrLfBreaksALineAndLoneCrOrLfIsNotShown) {
    const struct {
        std::string appended;
        std::string shown;
    } cases[] = {
        {"download success!\n\r\n", "download success!\n"},
        {"set [download rom file\n] success!\n\r\n", "set [download rom file] success!\n"},
        {std::string(52, '-') + "\n\r\n", std::string(52, '-') + "\n"},
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\rb\n", "ab"},
        {"\r\n\r\n", "\n\n"},
        {"只支持一个文件操作\r\n", "只支持一个文件操作\n"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(qt::fromQString(qt::paneDisplayText(c.appended)), c.shown) << c.appended;
}

}  // namespace
}  // namespace tessorin::testing
