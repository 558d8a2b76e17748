#include "emulator/sparse_memory.h"

namespace tessorin::emulator {

SparseMemory::Page* SparseMemory::findPage(uint32_t pageNumber) const {
    if (lastPage_ && lastPageNumber_ == pageNumber) return lastPage_;
    auto found = pages_.find(pageNumber);
    if (found == pages_.end()) return nullptr;
    lastPageNumber_ = pageNumber;
    lastPage_ = found->second.get();
    return lastPage_;
}

uint8_t SparseMemory::read(uint32_t address) const {
    const Page* page = findPage(address >> kPageBits);
    return page ? (*page)[address & (page->size() - 1)] : 0;
}

void SparseMemory::write(uint32_t address, uint8_t value) {
    const uint32_t pageNumber = address >> kPageBits;
    Page* page = findPage(pageNumber);
    if (!page) {
        auto& slot = pages_[pageNumber];
        slot = std::make_unique<Page>();
        slot->fill(0);
        page = slot.get();
        lastPageNumber_ = pageNumber;
        lastPage_ = page;
    }
    (*page)[address & (page->size() - 1)] = value;
}

void SparseMemory::clear() {
    pages_.clear();
    lastPage_ = nullptr;
}

}  // namespace tessorin::emulator
