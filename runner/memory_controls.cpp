#include "runner/memory_controls.h"

#include <algorithm>

#include "app/window_progress.h"

namespace tessorin::runner {
namespace {

// MulDiv rounds half away from zero; template coordinates are never negative.
int scale(int units, int baseUnit, int divisor) { return (units * baseUnit + divisor / 2) / divisor; }

}  // namespace

PixelRect dialogUnitsToPixels(const DialogUnitRect& rect) {
    return {scale(rect.x, kBaseUnitX, 4), scale(rect.y, kBaseUnitY, 8), scale(rect.x + rect.width, kBaseUnitX, 4),
            scale(rect.y + rect.height, kBaseUnitY, 8)};
}

MemoryControls::MemoryControls(const DialogTemplate& dialog) : caption_(dialog.caption) {
    for (const TemplateControl& c : dialog.controls) {
        MemoryControl control;
        control.id = c.id;
        control.kind = c.kind;
        control.text = c.text;
        control.rect = dialogUnitsToPixels(c.rect);
        control.visible = c.visible;
        control.rightAligned = c.style.alignment == TextAlignment::Right;
        controls_.push_back(control);
    }
}

MemoryControl* MemoryControls::lookup(int id) {
    auto found = std::find_if(controls_.begin(), controls_.end(), [id](const MemoryControl& c) { return c.id == id; });
    if (found != controls_.end()) return &*found;
    ++unknownIdUses_;
    return nullptr;
}

std::string MemoryControls::controlText(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    MemoryControl* c = lookup(id);
    return c ? c->text : std::string();
}

void MemoryControls::setControlText(int id, std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (MemoryControl* c = lookup(id)) c->text = text;
}

void MemoryControls::enableControl(int id, bool enabled) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (MemoryControl* c = lookup(id)) c->enabled = enabled;
}

std::string MemoryControls::windowCaption() {
    std::lock_guard<std::mutex> lock(mutex_);
    return caption_;
}

void MemoryControls::setWindowCaption(std::string_view caption) {
    std::lock_guard<std::mutex> lock(mutex_);
    caption_ = caption;
}

void MemoryControls::comboResetContent(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (MemoryControl* c = lookup(id)) {
        c->items.clear();
        c->selection = -1;
        c->text.clear();
    }
}

void MemoryControls::comboAddString(int id, std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (MemoryControl* c = lookup(id)) c->items.emplace_back(text);
}

void MemoryControls::comboSetCurSel(int id, int index) {
    std::lock_guard<std::mutex> lock(mutex_);
    MemoryControl* c = lookup(id);
    if (!c) return;
    bool inList = index >= 0 && static_cast<size_t>(index) < c->items.size();
    c->selection = inList ? index : -1;
    c->text = inList ? c->items[static_cast<size_t>(index)] : std::string();
}

int MemoryControls::comboGetCurSel(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    MemoryControl* c = lookup(id);
    return c ? c->selection : -1;
}

void MemoryControls::comboSetItemHeight(int id, int pixels) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (MemoryControl* c = lookup(id)) c->itemHeight = pixels;
}

PixelRect MemoryControls::controlRect(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    MemoryControl* c = lookup(id);
    return c ? c->rect : PixelRect{};
}

void MemoryControls::moveControl(int id, const PixelRect& rect) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (MemoryControl* c = lookup(id)) c->rect = rect;
}

void MemoryControls::createControl(const ControlCreation& creation) {
    std::lock_guard<std::mutex> lock(mutex_);
    MemoryControl control;
    control.id = creation.id;
    control.kind = creation.kind;
    control.text = creation.text;
    control.rect = creation.rect;
    control.created = true;
    control.rightAligned = creation.rightAligned;
    controls_.push_back(control);
}

void MemoryControls::destroyControl(int id) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = std::find_if(controls_.begin(), controls_.end(), [id](const MemoryControl& c) { return c.id == id; });
    if (found == controls_.end()) {
        ++unknownIdUses_;
        return;
    }
    controls_.erase(found);
}

void MemoryControls::paneAppend(std::string_view text) {
    std::lock_guard<std::mutex> lock(mutex_);
    pane_ += text;
}

void MemoryControls::setProgress(int id, int percent) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (id == kDownloadProgressId) progressSteps_.push_back(percent);
    else ++unknownIdUses_;
}

void MemoryControls::setIcons() {
    std::lock_guard<std::mutex> lock(mutex_);
    iconsSet_ = true;
}

void MemoryControls::acceptDroppedFiles() {
    std::lock_guard<std::mutex> lock(mutex_);
    acceptsDrops_ = true;
}

void MemoryControls::setDragHintFont() {
    std::lock_guard<std::mutex> lock(mutex_);
    dragHintFont_ = true;
}

void MemoryControls::hideForStation() {
    std::lock_guard<std::mutex> lock(mutex_);
    hiddenForStation_ = true;
}

std::optional<MemoryControl> MemoryControls::find(int id) const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const MemoryControl& c : controls_)
        if (c.id == id) return c;
    return std::nullopt;
}

std::vector<int> MemoryControls::createdIds() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<int> ids;
    for (const MemoryControl& c : controls_)
        if (c.created) ids.push_back(c.id);
    return ids;
}

std::string MemoryControls::paneText() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pane_;
}

std::vector<int> MemoryControls::progressSteps() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return progressSteps_;
}

bool MemoryControls::iconsSet() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return iconsSet_;
}

bool MemoryControls::acceptsDrops() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return acceptsDrops_;
}

bool MemoryControls::dragHintFontSet() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return dragHintFont_;
}

bool MemoryControls::hiddenForStation() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return hiddenForStation_;
}

int MemoryControls::unknownIdUses() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return unknownIdUses_;
}

}  // namespace tessorin::runner
