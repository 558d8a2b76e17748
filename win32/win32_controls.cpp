#include "win32/win32_controls.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/control_ids.h"
#include "app/window_progress.h"
#include "win32/win32_text.h"

namespace tessorin::win32 {
namespace {

// The pane append travels as one message to the pane's own thread, so a
// worker's append never interleaves with the window's and needs no lock.
const UINT paneAppendMessage = RegisterWindowMessageW(L"Tessorin.PaneAppend");
constexpr UINT_PTR kPaneSubclassId = 1;

LRESULT CALLBACK paneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == paneAppendMessage) {
        int end = GetWindowTextLengthW(pane);
        SendMessageW(pane, EM_SETSEL, static_cast<WPARAM>(end), end);
        SendMessageW(pane, EM_SCROLLCARET, 0, 0);
        SendMessageW(pane, EM_REPLACESEL, FALSE, lParam);
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(pane, paneProc, kPaneSubclassId);
    return DefSubclassProc(pane, message, wParam, lParam);
}

const wchar_t* windowClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
        case ControlKind::GroupBox: return L"BUTTON";
        case ControlKind::Edit: return L"EDIT";
        case ControlKind::ComboBox: return L"COMBOBOX";
        case ControlKind::Static: break;
    }
    return L"STATIC";
}

DWORD styleOf(const ControlCreation& creation) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (creation.kind) {
        case ControlKind::PushButton: return style | BS_PUSHBUTTON;
        case ControlKind::ComboBox: return style | WS_VSCROLL | CBS_DROPDOWN | CBS_HASSTRINGS;
        case ControlKind::Edit: return style | WS_BORDER | ES_AUTOHSCROLL;
        case ControlKind::GroupBox: return style | BS_GROUPBOX;
        case ControlKind::Static: break;
    }
    return style | (creation.rightAligned ? SS_RIGHT : SS_LEFT);
}

// The Download button's bar, beside the template's controls, 0 to 100.
void createDownloadProgressBar(HWND dialog) {
    // Position and size apart, as the dialog manager converts a template's controls.
    RECT r{kDownloadProgressRect.x, kDownloadProgressRect.y, kDownloadProgressRect.width, kDownloadProgressRect.height};
    MapDialogRect(dialog, &r);
    HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right, r.bottom, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDownloadProgressId)),
                               GetModuleHandleW(nullptr), nullptr);
    if (bar) SendMessageW(bar, PBM_SETRANGE32, 0, 100);
}

}  // namespace

Win32Controls::Win32Controls(HWND dialog)
    : dialog_(dialog), appIcon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kAppIconId))) {
    if (HWND pane = control(kLogPaneId)) {
        SetWindowSubclass(pane, paneProc, kPaneSubclassId, 0);
        // The operator's record of a long session must not stop at the default 32 K characters.
        SendMessageW(pane, EM_SETLIMITTEXT, 0, 0);
    }
    if (dialog) createDownloadProgressBar(dialog);
}

Win32Controls::~Win32Controls() {
    if (dragHintFont_) {
        if (HWND hint = control(kDragHintLabelId)) SendMessageW(hint, WM_SETFONT, 0, FALSE);
        DeleteObject(dragHintFont_);
    }
}

HWND Win32Controls::control(int id) const {
    HWND dialog = dialog_.load();
    return dialog ? GetDlgItem(dialog, id) : nullptr;
}

std::string Win32Controls::controlText(int id) { return windowText(control(id)); }

void Win32Controls::setControlText(int id, std::string_view text) {
    if (HWND c = control(id)) SetWindowTextW(c, toWide(text).c_str());
}

void Win32Controls::enableControl(int id, bool enabled) {
    if (HWND c = control(id)) EnableWindow(c, enabled ? TRUE : FALSE);
}

std::string Win32Controls::windowCaption() { return windowText(dialog()); }

void Win32Controls::setWindowCaption(std::string_view caption) {
    if (HWND d = dialog()) SetWindowTextW(d, toWide(caption).c_str());
}

LRESULT Win32Controls::sendTo(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND c = control(id);
    return c ? SendMessageW(c, message, wParam, lParam) : 0;
}

void Win32Controls::comboResetContent(int id) { sendTo(id, CB_RESETCONTENT, 0, 0); }

void Win32Controls::comboAddString(int id, std::string_view text) {
    std::wstring wide = toWide(text);
    sendTo(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32Controls::comboSetCurSel(int id, int index) {
    sendTo(id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32Controls::comboGetCurSel(int id) {
    return control(id) ? static_cast<int>(sendTo(id, CB_GETCURSEL, 0, 0)) : -1;
}

void Win32Controls::comboSetItemHeight(int id, int pixels) {
    sendTo(id, CB_SETITEMHEIGHT, 0, pixels);
}

PixelRect Win32Controls::controlRect(int id) {
    HWND c = control(id);
    RECT r{};
    if (!c || !GetWindowRect(c, &r)) return {};
    MapWindowPoints(nullptr, GetParent(c), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32Controls::moveControl(int id, const PixelRect& rect) {
    if (HWND c = control(id)) MoveWindow(c, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

// No font is given: run-time controls use the system's default control font.
void Win32Controls::createControl(const ControlCreation& creation) {
    const PixelRect& r = creation.rect;
    HWND parent = dialog();
    if (!parent) return;
    HWND created = CreateWindowExW(0, windowClassOf(creation.kind), toWide(creation.text).c_str(), styleOf(creation),
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (created && creation.kind == ControlKind::Static)
        RedrawWindow(created, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Win32Controls::destroyControl(int id) {
    if (HWND c = control(id)) DestroyWindow(c);
}

// SendMessage runs the append on the pane's thread and waits for it, from any thread.
void Win32Controls::paneAppend(std::string_view text) {
    HWND pane = control(kLogPaneId);
    if (!pane || text.empty()) return;
    std::wstring wide = toWide(text);
    SendMessageW(pane, paneAppendMessage, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

// Posted, not sent: a download worker never waits for the window's thread for
// its progress, and a later position always arrives after an earlier one.
void Win32Controls::setProgress(int id, int percent) {
    if (HWND bar = control(id)) PostMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void Win32Controls::setIcons() {
    HWND d = dialog();
    SendMessageW(d, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon_));
    SendMessageW(d, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon_));
}

void Win32Controls::acceptDroppedFiles() {
    if (HWND d = dialog()) DragAcceptFiles(d, TRUE);
}

void Win32Controls::setDragHintFont() {
    if (!dragHintFont_)
        dragHintFont_ = CreateFontW(30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial");
    if (HWND hint = control(kDragHintLabelId)) SendMessageW(hint, WM_SETFONT, reinterpret_cast<WPARAM>(dragHintFont_), TRUE);
}

void Win32Controls::hideForStation() {
    HWND d = dialog();
    if (!d) return;
    LONG_PTR exStyle = GetWindowLongPtrW(d, GWL_EXSTYLE);
    SetWindowLongPtrW(d, GWL_EXSTYLE, (exStyle & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW);
    SetWindowPos(d, HWND_BOTTOM, 0, 0, 0, 0, 0);
}

}  // namespace tessorin::win32
