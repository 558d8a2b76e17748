#include "win32/main_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/control_ids.h"
#include "base/format.h"
#include "win32/win32_text.h"

namespace tessorin::win32 {
namespace {

// The dialog whose modal loop runs on this thread, for the keyboard filter.
thread_local Win32DialogHost* activeHost = nullptr;
thread_local HWND activeDialog = nullptr;

bool belongsTo(HWND window, HWND dialog) { return window == dialog || IsChild(dialog, window); }

// The dialog manager offers every message of its modal loop to this filter
// before IsDialogMessage: a key the window consumes never reaches it, so
// Escape does not cancel and Enter does not press a button.
LRESULT CALLBACK keyboardFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message && message->message == WM_KEYDOWN && activeDialog && activeHost &&
        belongsTo(message->hwnd, activeDialog) && activeHost->window()->preTranslateKeyDown(static_cast<int>(message->wParam)))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<std::string> droppedPaths(HDROP drop) {
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> paths;
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[MAX_PATH] = {};
        UINT length = DragQueryFileW(drop, i, path, MAX_PATH);
        paths.push_back(fromWide(std::wstring_view(path, length < MAX_PATH ? length : MAX_PATH - 1)));
    }
    DragFinish(drop);
    return paths;
}

void paintMinimisedIcon(HWND dialog, HICON icon) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    SendMessageW(dialog, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(dialog, &client);
    PixelPoint origin = CBrevoxDownloadToolDlg::minimisedIconOrigin(
        client.right - client.left, client.bottom - client.top, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    DrawIcon(dc, origin.x, origin.y, icon);
    EndPaint(dialog, &paint);
}

// A download worker may be waiting in SendMessage on a pane append when the
// window closes: serve sent messages until it has finished, so that it is
// answered (the pane being gone, with nothing) instead of blocking for good.
void serveSentMessagesWhileBusy(const std::atomic<bool>& busy) {
    while (busy.load()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

void Win32DialogHost::initialiseFramework() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = 0xFF;  // the standard set
    InitCommonControlsEx(&classes);
}

WindowSeams Win32DialogHost::windowSeams() { return productWindowSeams(fileDialog_, stationJob_, stationRun_); }

void Win32DialogHost::runModal(CBrevoxDownloadToolDlg& window) {
    window_ = &window;
    Win32DialogHost* outerHost = activeHost;
    HWND outerDialog = activeDialog;
    activeHost = this;
    HHOOK filter = SetWindowsHookExW(WH_MSGFILTER, keyboardFilter, nullptr, GetCurrentThreadId());
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMainDialogTemplateId), nullptr,
                                     mainDialogProc, reinterpret_cast<LPARAM>(this));
    // Without its window the program can do nothing: say so instead of ending silently.
    if (result == -1) {
        std::string text = formatText("The main window could not be created (Windows error %u).",
                                      {static_cast<unsigned>(GetLastError())});
        MessageBoxW(nullptr, toWide(text).c_str(), L"Tessorin", MB_OK | MB_ICONERROR);
    }
    if (filter) UnhookWindowsHookEx(filter);
    serveSentMessagesWhileBusy(window.downloadBusy);
    activeHost = outerHost;
    activeDialog = outerDialog;
}

INT_PTR CALLBACK mainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* host = reinterpret_cast<Win32DialogHost*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        activeDialog = dialog;
        host->controls_ = std::make_unique<Win32Controls>(dialog);
        host->fileDialog_.setOwner(dialog);
        host->window_->attachControls(*host->controls_);
        // In the command-line start this runs the station loop and does not return while it runs.
        const BOOL shown = host->window_->OnInitDialog() ? TRUE : FALSE;
        // A station started with options ends the program when its loop ends, so
        // its exit code reaches whoever started it; the seed's station stays idle.
        if (host->stationRun_) EndDialog(dialog, IDOK);
        return shown;
    }
    auto* host = reinterpret_cast<Win32DialogHost*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!host || !host->window_) return FALSE;
    CBrevoxDownloadToolDlg& window = *host->window_;
    switch (message) {
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            if (id == IDOK || id == IDCANCEL) {
                EndDialog(dialog, id);
                return TRUE;
            }
            return HIWORD(wParam) == BN_CLICKED && window.onCommand(id) ? TRUE : FALSE;
        }
        case WM_DROPFILES:
            window.OnDropFiles(droppedPaths(reinterpret_cast<HDROP>(wParam)));
            return TRUE;
        case WM_PAINT:
            if (!IsIconic(dialog)) return FALSE;
            paintMinimisedIcon(dialog, host->controls_->appIcon());
            return TRUE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(host->controls_->appIcon());
        case WM_DESTROY:
            host->controls_->detach();
            host->fileDialog_.setOwner(nullptr);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace tessorin::win32
