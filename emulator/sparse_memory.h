#pragma once
// Chip memory over the whole address space, stored only where it was written;
// never-written bytes read as zero.
#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace tessorin::emulator {

class SparseMemory {
public:
    uint8_t read(uint32_t address) const;
    void write(uint32_t address, uint8_t value);
    void clear();

private:
    static constexpr int kPageBits = 12;
    using Page = std::array<uint8_t, 1u << kPageBits>;
    Page* findPage(uint32_t pageNumber) const;

    std::unordered_map<uint32_t, std::unique_ptr<Page>> pages_;
    // Streams of bytes stay on one page; remembering it keeps long transfers cheap.
    mutable uint32_t lastPageNumber_ = 0;
    mutable Page* lastPage_ = nullptr;
};

}  // namespace tessorin::emulator
