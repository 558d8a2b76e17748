#include "download/code_number.h"

#include <stdexcept>

#include "base/numbers.h"

namespace tessorin::download {

uint32_t readCodeNumber(std::string_view text, int base) {
    try {
        return parseNumberInBase(text, base);
    } catch (const std::invalid_argument&) {
        return 0;
    } catch (const std::out_of_range&) {
        return 0xFFFFFFFFu;
    }
}

}  // namespace tessorin::download
