#include "store/connection.h"

#include "store/store_error.h"

namespace tessorin::store {

int64_t cellNumber(const SqlRow& row, size_t column) {
    if (column >= row.size() || !row[column]) throw StoreError("the store returned no number where one belongs");
    try {
        size_t used = 0;
        const int64_t value = std::stoll(*row[column], &used);
        if (used == row[column]->size()) return value;
    } catch (const std::logic_error&) {
    }
    throw StoreError("the store returned \"" + *row[column] + "\" where a number belongs");
}

std::string cellText(const SqlRow& row, size_t column) {
    return column < row.size() && row[column] ? *row[column] : std::string();
}

}  // namespace tessorin::store
