#pragma once
// What the factory asks a store afterwards (tessorin results): tables of text
// for the console, and every chip record for its own systems.
#include <functional>
#include <string>
#include <vector>

#include "store/store.h"

namespace tessorin::store {

struct Table {
    std::string title;
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};

// Chips, passed, failed and yield in all, by board, by image and by day.
std::vector<Table> summary(Store& store);
// The failed chips by reason, most frequent first.
Table failures(Store& store);
// The identity values the text names (as shown, or its number) with their
// history, and the chips it names: by an identity value, the store's chip
// number or an image's SHA-256.
std::vector<Table> find(Store& store, const std::string& text);
// Per pool: issued, committed, void, held now, left.
Table pools(Store& store);

enum class ExportFormat { Csv, JsonLines };
// Every chip record in the order recorded, one line each (CSV: a heading line first).
void exportChips(Store& store, ExportFormat format, const std::function<void(const std::string&)>& line);

}  // namespace tessorin::store
