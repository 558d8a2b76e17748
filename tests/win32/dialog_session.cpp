#include "tests/win32/dialog_session.h"

#include <shlobj.h>

#include <cstring>
#include <stdexcept>

#include "report/code_page.h"
#include "win32/win32_text.h"

namespace tessorin::testing {
namespace {

constexpr DWORD kStartTimeoutMs = 20000;

HWND dialogOfThread(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM result) -> BOOL {
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (std::wcscmp(className, L"#32770") != 0) return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

UINT markerMessage() {
    static const UINT marker = RegisterWindowMessageW(L"Tessorin.Test.Marker");
    return marker;
}

LRESULT CALLBACK markerHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == markerMessage())
        SetEvent(reinterpret_cast<HANDLE>(message->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DialogSession::DialogSession(DialogSessionOptions options) {
    overrideSystemCodePage(1252);
    std::string programPath = options.programPath;
    window_ = std::make_unique<CBrevoxDownloadToolDlg>(WindowSeams{
        fileDialog, options.stationJob, [programPath] { return programPath; },
        [](LogDestination&, const std::string&, LogTarget) {}, [this](std::function<void()> work) {
            return workers.start(std::move(work));
        },
        options.stationStop, options.stationRun});
    ended_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE threadStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD threadId = 0;
    thread_ = std::thread([this, threadStarted, &threadId] {
        threadId = GetCurrentThreadId();
        SetEvent(threadStarted);
        host_.runModal(*window_);
        SetEvent(ended_);
    });
    WaitForSingleObject(threadStarted, kStartTimeoutMs);
    CloseHandle(threadStarted);
    for (DWORD waited = 0; !dialog_ && waited < kStartTimeoutMs; waited += 10) {
        dialog_ = dialogOfThread(threadId);
        if (!dialog_) Sleep(10);
    }
    if (!dialog_) throw std::runtime_error("the main dialog did not appear");
    markerHook_ = SetWindowsHookExW(WH_GETMESSAGE, markerHook, nullptr, threadId);
    // Answered only once WM_INITDIALOG has returned and the modal loop runs.
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, kStartTimeoutMs, &ignored))
        throw std::runtime_error("the main dialog did not finish its initialisation");
    // An interactive dialog is shown once its modal loop first goes idle.
    bool interactive = !options.stationJob;
    for (DWORD waited = 0; interactive && !IsWindowVisible(dialog_) && waited < kStartTimeoutMs; waited += 10) Sleep(10);
}

DialogSession::~DialogSession() {
    if (!ended()) closeBox();
    if (thread_.joinable()) thread_.join();
    workers.waitAll();
    window_.reset();
    if (markerHook_) UnhookWindowsHookEx(markerHook_);
    CloseHandle(ended_);
}

std::string DialogSession::text(int id) const { return win32::windowText(item(id)); }

void DialogSession::click(int id) { SendMessageW(item(id), BM_CLICK, 0, 0); }

void DialogSession::dropFiles(const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths) list += win32::toWide(path) + L'\0';
    list += L'\0';
    size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    // The window releases the drop with DragFinish.
    PostMessageW(dialog_, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    waitForPostedMessages();
}

void DialogSession::waitForPostedMessages() {
    // The marker is retrieved after everything posted before it; the hook on the
    // window's thread signals the event it carries.
    HANDLE seen = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    PostMessageW(dialog_, markerMessage(), reinterpret_cast<WPARAM>(seen), 0);
    WaitForSingleObject(seen, kStartTimeoutMs);
    CloseHandle(seen);
}

void DialogSession::pressCloseBox() {
    SendMessageW(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    // Wakes the modal loop so that it sees the dialog has ended.
    PostMessageW(dialog_, WM_NULL, 0, 0);
}

bool DialogSession::closeBox() {
    pressCloseBox();
    return WaitForSingleObject(ended_, kStartTimeoutMs) == WAIT_OBJECT_0;
}

bool DialogSession::ended() { return WaitForSingleObject(ended_, 0) == WAIT_OBJECT_0; }

std::vector<std::string> comboItems(HWND combo) {
    std::vector<std::string> items;
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        LRESULT length = SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(length > 0 ? static_cast<size_t>(length) : 0);
        items.push_back(win32::fromWide(text));
    }
    return items;
}

RECT rectInParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace tessorin::testing
