#include "report/code_page.h"

#include <atomic>

namespace tessorin {

int platformCodePage();  // the platform file beside this one

namespace {
std::atomic<int> pinned{0};
}

int systemCodePage() {
    int value = pinned.load();
    return value != 0 ? value : platformCodePage();
}

void overrideSystemCodePage(int codePage) { pinned.store(codePage); }

}  // namespace tessorin
