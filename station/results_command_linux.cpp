#include <algorithm>
#include <cstdio>

#include "base/paths.h"
#include "station/results_command.h"
#include "store/store_error.h"
#include "store/store_queries.h"

namespace tessorin {
namespace {

constexpr int kBadCommand = 2;

void print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// A title, then the columns as wide as their widest cell.
void printTable(const store::Table& table) {
    std::vector<size_t> widths;
    for (const std::string& heading : table.headings) widths.push_back(heading.size());
    for (const auto& row : table.rows)
        for (size_t c = 0; c < row.size() && c < widths.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t c = 0; c < cells.size(); ++c)
            text += c + 1 < cells.size() ? cells[c] + std::string(widths[c] - cells[c].size() + 2, ' ') : cells[c];
        print(text + "\n");
    };
    print(table.title + ":\n");
    line(table.headings);
    for (const auto& row : table.rows) line(row);
    if (table.rows.empty()) print("(none)\n");
    print("\n");
}

int refuse(std::string& problem, const std::string& why) {
    problem = why + "\nusage: tessorin results --store STORE summary|failures|find VALUE|pools|export --csv|--jsonl";
    return kBadCommand;
}

}  // namespace

int runResultsCommand(const std::vector<std::string>& arguments, std::string& problem) {
    std::vector<std::string> words(arguments.begin() + 2, arguments.end());
    std::string location;
    if (words[0].starts_with("--store=")) {
        location = words[0].substr(8);
        words.erase(words.begin());
    } else if (words[0] == "--store" && words.size() > 1) {
        location = words[1];
        words.erase(words.begin(), words.begin() + 2);
    }
    if (location.empty()) return refuse(problem, "--store needs a value");
    if (words.empty()) return refuse(problem, "no question given");
    const std::string& question = words[0];
    const bool oneWord = words.size() == 1;
    const bool export_ = question == "export" && words.size() == 2 && (words[1] == "--csv" || words[1] == "--jsonl");
    if (!(oneWord && (question == "summary" || question == "failures" || question == "pools")) &&
        !(question == "find" && words.size() == 2) && !export_)
        return refuse(problem, "not a question of results: " + question);
    // Asking never creates a store.
    if (!location.starts_with("postgres") && !pathExists(location)) {
        problem = "cannot read the store " + location + ": no such file";
        return kBadCommand;
    }
    try {
        auto store = store::Store::open(location);
        if (question == "summary")
            for (const store::Table& table : store::summary(*store)) printTable(table);
        else if (question == "failures")
            printTable(store::failures(*store));
        else if (question == "pools")
            printTable(store::pools(*store));
        else if (question == "find")
            for (const store::Table& table : store::find(*store, words[1])) printTable(table);
        else
            store::exportChips(*store, words[1] == "--csv" ? store::ExportFormat::Csv : store::ExportFormat::JsonLines,
                               [](const std::string& line) { print(line + "\n"); });
        std::fflush(stdout);
        return 0;
    } catch (const store::StoreError& error) {
        problem = "cannot read the store " + location + ": " + error.what();
        return kBadCommand;
    }
}

}  // namespace tessorin
