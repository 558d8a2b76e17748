// The resource script's template 102 is the template the window logic knows,
// and the real dialog made from it shows that layout.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "app/window_progress.h"
#include "tests/app/template_texts.h"
#include "tests/win32/dialog_resource.h"
#include "tests/win32/dialog_session.h"
#include "win32/win32_text.h"

namespace tessorin::testing {
namespace {

const wchar_t* expectedClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
        case ControlKind::GroupBox: return L"Button";
        case ControlKind::Edit: return L"Edit";
        case ControlKind::ComboBox: return L"ComboBox";
        case ControlKind::Static: break;
    }
    return L"Static";
}

bool has(DWORD style, DWORD flags) { return (style & flags) == flags; }

// The style bits of the resource, against what the data says of the control.
void expectStyle(const ResourceControl& r, const TemplateControl& c, const std::string& where) {
    EXPECT_EQ(has(r.style, WS_CHILD), true) << where;
    EXPECT_EQ(has(r.style, WS_VISIBLE), c.visible) << where;
    EXPECT_EQ(has(r.style, WS_TABSTOP), c.style.tabStop || c.kind == ControlKind::Edit) << where;
    switch (c.kind) {
        case ControlKind::PushButton: EXPECT_EQ(r.style & BS_TYPEMASK, DWORD{BS_PUSHBUTTON}) << where; break;
        case ControlKind::GroupBox: EXPECT_EQ(r.style & BS_TYPEMASK, DWORD{BS_GROUPBOX}) << where; break;
        case ControlKind::ComboBox:
            EXPECT_EQ(r.style & 3u, DWORD{CBS_DROPDOWN}) << where;
            EXPECT_TRUE(has(r.style, WS_VSCROLL)) << where;
            break;
        case ControlKind::Edit:
            EXPECT_TRUE(has(r.style, WS_BORDER)) << where;
            EXPECT_EQ(has(r.style, ES_AUTOHSCROLL), c.style.autoHorizontalScroll || c.style.readOnlyMultilinePane)
                << where;
            EXPECT_EQ(has(r.style, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL),
                      c.style.readOnlyMultilinePane)
                << where;
            break;
        case ControlKind::Static:
            EXPECT_EQ(r.style & SS_TYPEMASK, DWORD(c.style.alignment == TextAlignment::Right ? SS_RIGHT : SS_LEFT))
                << where;
            EXPECT_EQ(has(r.style, SS_SUNKEN), c.style.sunken) << where;
            EXPECT_EQ((r.style & SS_ELLIPSISMASK) == DWORD{SS_PATHELLIPSIS}, c.style.pathEllipsis) << where;
            break;
    }
}

std::string describe(const TemplateControl& c) { return "control " + std::to_string(c.id) + " \"" + c.text + "\""; }

TEST(DialogResource, HeaderIsThatOfTemplate102) {
    const DialogTemplate& data = mainDialogTemplate();
    ResourceDialog r = loadDialogResource(data.resourceId);
    EXPECT_EQ(win32::fromWide(r.caption), data.caption);
    EXPECT_EQ(r.width, data.width);
    EXPECT_EQ(r.height, data.height);
    EXPECT_EQ(win32::fromWide(r.fontFace), data.fontFace);
    EXPECT_EQ(r.pointSize, data.fontPointSize);
    EXPECT_TRUE(has(r.style, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER));
    EXPECT_FALSE(r.style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_VISIBLE));
    EXPECT_EQ(r.exStyle, DWORD{WS_EX_APPWINDOW});
}

TEST(DialogResource, ControlsAreThoseOfTheTemplateInOrder) {
    const DialogTemplate& data = mainDialogTemplate();
    ResourceDialog r = loadDialogResource(data.resourceId);
    ASSERT_EQ(r.controls.size(), data.controls.size());
    for (size_t i = 0; i < data.controls.size(); ++i) {
        const TemplateControl& c = data.controls[i];
        const ResourceControl& rc = r.controls[i];
        const std::string where = describe(c);
        EXPECT_EQ(rc.id, c.id) << where;
        EXPECT_EQ(rc.windowClass, expectedClass(c.kind)) << where;
        EXPECT_EQ(win32::fromWide(rc.text), c.text) << where;
        EXPECT_EQ((DialogUnitRect{rc.x, rc.y, rc.width, rc.height}), c.rect) << where;
        expectStyle(rc, c, where);
    }
}

TEST(MainDialog, ShowsEveryTemplateControlWithItsTextAndPlace) {
    DialogSession session;
    HWND dialog = session.dialog();
    EXPECT_TRUE(IsWindowVisible(dialog));
    HWND child = GetWindow(dialog, GW_CHILD);
    bool unnamedSeen = false;
    for (const TemplateControl& c : mainDialogTemplate().controls) {
        ASSERT_NE(child, nullptr) << "missing " << describe(c);
        const std::string where = describe(c);
        EXPECT_EQ(GetDlgCtrlID(child), c.id) << where;
        EXPECT_EQ(IsWindowVisible(child) != FALSE, c.visible) << where;
        EXPECT_EQ(win32::windowText(child), textAfterStart(c, *session.window().messages, !unnamedSeen)) << where;
        unnamedSeen = unnamedSeen || c.id == kUnnamedControlId;
        RECT units{c.rect.x, c.rect.y, c.rect.width, c.rect.height};
        MapDialogRect(dialog, &units);  // position and size apart, as the dialog manager converts them
        RECT actual = rectInParent(child);
        EXPECT_EQ(actual.left, units.left) << where;
        EXPECT_EQ(actual.top, units.top) << where;
        EXPECT_EQ(actual.right - actual.left, units.right) << where;
        // A combo's template height is that of its open list, not of the field.
        if (c.kind != ControlKind::ComboBox) {
            EXPECT_EQ(actual.bottom - actual.top, units.bottom) << where;
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    // After the template's controls, the one the platform adds beside them.
    ASSERT_NE(child, nullptr) << "missing the Download button's progress bar";
    EXPECT_EQ(GetDlgCtrlID(child), kDownloadProgressId);
    child = GetWindow(child, GW_HWNDNEXT);
    EXPECT_EQ(child, nullptr) << "the dialog has controls the template does not list";
    RECT client{};
    GetClientRect(dialog, &client);
    RECT size{0, 0, mainDialogTemplate().width, mainDialogTemplate().height};
    MapDialogRect(dialog, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
}

TEST(MainDialog, FontsIconsAndDropAcceptance) {
    DialogSession session;
    HWND dialog = session.dialog();
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(win32::fromWide(font.lfFaceName), "MS Shell Dlg");

    LOGFONTW hint{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(session.item(kDragHintLabelId), WM_GETFONT, 0, 0)), sizeof(hint),
               &hint);
    EXPECT_EQ(win32::fromWide(hint.lfFaceName), "Arial");
    EXPECT_EQ(hint.lfHeight, 30);
    EXPECT_EQ(hint.lfWidth, 0);
    EXPECT_EQ(hint.lfWeight, 400);
    EXPECT_EQ(hint.lfPitchAndFamily, 32);
    EXPECT_EQ(hint.lfCharSet, ANSI_CHARSET);
    EXPECT_FALSE(hint.lfItalic || hint.lfUnderline || hint.lfStrikeOut);

    LRESULT big = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0);
    EXPECT_NE(big, 0);
    EXPECT_EQ(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0), big);
    EXPECT_EQ(SendMessageW(dialog, WM_QUERYDRAGICON, 0, 0), big);
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

}  // namespace
}  // namespace tessorin::testing
