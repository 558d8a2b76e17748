#include "tests/win32/dialog_resource.h"

#include <cstring>
#include <stdexcept>

namespace tessorin::testing {
namespace {

class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    template <typename T>
    T take() {
        need(sizeof(T));
        T value;
        std::memcpy(&value, data_ + at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    std::wstring text() {
        std::wstring out;
        for (WORD unit = take<WORD>(); unit != 0; unit = take<WORD>()) out += static_cast<wchar_t>(unit);
        return out;
    }
    // A name, or 0xFFFF and an ordinal (the predefined control classes).
    std::wstring nameOrOrdinal() {
        need(sizeof(WORD));
        WORD first;
        std::memcpy(&first, data_ + at_, sizeof(WORD));
        if (first != 0xFFFF) return text();
        at_ += sizeof(WORD);
        switch (take<WORD>()) {
            case 0x0080: return L"Button";
            case 0x0081: return L"Edit";
            case 0x0082: return L"Static";
            case 0x0083: return L"ListBox";
            case 0x0084: return L"ScrollBar";
            case 0x0085: return L"ComboBox";
            default: return L"#ordinal";
        }
    }
    void alignToDword() { at_ = (at_ + 3) & ~size_t{3}; }
    void skip(size_t bytes) {
        need(bytes);
        at_ += bytes;
    }

private:
    void need(size_t bytes) const {
        if (at_ + bytes > size_) throw std::runtime_error("dialog resource ends early");
    }
    const BYTE* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace

ResourceDialog loadDialogResource(int resourceId) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(5));  // RT_DIALOG
    if (!found) throw std::runtime_error("no dialog resource " + std::to_string(resourceId));
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    TemplateReader in(data, SizeofResource(module, found));
    if (in.take<WORD>() != 1 || in.take<WORD>() != 0xFFFF) throw std::runtime_error("not a DIALOGEX template");
    ResourceDialog dialog;
    in.take<DWORD>();  // help id
    dialog.exStyle = in.take<DWORD>();
    dialog.style = in.take<DWORD>();
    WORD count = in.take<WORD>();
    in.take<short>();
    in.take<short>();
    dialog.width = in.take<short>();
    dialog.height = in.take<short>();
    in.nameOrOrdinal();  // menu
    in.nameOrOrdinal();  // window class
    dialog.caption = in.text();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.take<WORD>();
        in.take<WORD>();  // weight
        in.take<BYTE>();  // italic
        in.take<BYTE>();  // character set
        dialog.fontFace = in.text();
    }
    for (WORD i = 0; i < count; ++i) {
        in.alignToDword();
        ResourceControl c;
        in.take<DWORD>();  // help id
        c.exStyle = in.take<DWORD>();
        c.style = in.take<DWORD>();
        c.x = in.take<short>();
        c.y = in.take<short>();
        c.width = in.take<short>();
        c.height = in.take<short>();
        c.id = static_cast<int>(in.take<DWORD>());
        c.windowClass = in.nameOrOrdinal();
        c.text = in.nameOrOrdinal();
        in.skip(in.take<WORD>());  // creation data
        dialog.controls.push_back(c);
    }
    return dialog;
}

}  // namespace tessorin::testing
