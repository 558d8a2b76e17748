#include "store/sqlite_connection.h"

#include <sqlite3.h>

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "store/store_error.h"

namespace tessorin::store {
namespace {

// SQLite's own busy time-out sleeps up to 100 ms between tries; sixteen
// stations of a PC want the lock back within a commit's time, so these waits
// stay short (50 us growing to 1 ms), about 15 s in all before the write fails.
constexpr int kBusyTries = 15000;
constexpr size_t kCachedStatements = 64;

int waitForLock(void*, int tries) {
    if (tries >= kBusyTries) return 0;
    usleep(static_cast<useconds_t>(std::min(50 * (tries + 1), 1000)));
    return 1;
}

class SqliteConnection final : public Connection {
public:
    explicit SqliteConnection(const std::string& path) : path_(path) {
        const int status = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (status != SQLITE_OK) {
            const std::string why = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(status);
            sqlite3_close(db_);
            throw StoreError(path + ": " + why);
        }
        sqlite3_busy_handler(db_, waitForLock, nullptr);
        try {
            enterWal();
            script("PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON;");
        } catch (...) {
            sqlite3_close(db_);
            throw;
        }
    }
    ~SqliteConnection() override {
        forgetStatements();
        sqlite3_close(db_);
    }

    Engine engine() const override { return Engine::Sqlite; }

    void script(std::string_view sql) override {
        char* message = nullptr;
        const std::string text(sql);
        if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string why = message ? message : sqlite3_errmsg(db_);
            sqlite3_free(message);
            throw StoreError(path_ + ": " + why);
        }
    }

    SqlRows run(std::string_view sql, const std::vector<SqlValue>& parameters) override {
        const Prepared& found = prepared(sql);
        sqlite3_stmt* statement = found.statement;
        const Reset reset{statement};
        for (size_t i = 0; i < parameters.size() && i < found.slots.size(); ++i)
            if (found.slots[i] != 0) bind(statement, found.slots[i], parameters[i]);
        SqlRows rows;
        for (;;) {
            const int status = sqlite3_step(statement);
            if (status == SQLITE_DONE) return rows;
            if (status != SQLITE_ROW) fail();
            // Counted after the step: a schema change recompiles the statement there.
            const int columns = sqlite3_column_count(statement);
            SqlRow& row = rows.emplace_back();
            row.reserve(static_cast<size_t>(columns));
            for (int c = 0; c < columns; ++c) {
                const auto* text = sqlite3_column_text(statement, c);
                row.push_back(text ? std::optional<std::string>(reinterpret_cast<const char*>(text)) : std::nullopt);
            }
        }
    }

    // Kept compiled like any other statement: a station has a transaction per chip.
    void begin() override { run("BEGIN IMMEDIATE", {}); }
    void commit() override { run("COMMIT", {}); }
    void rollback() noexcept override {
        try {
            run("ROLLBACK", {});
        } catch (...) {
            // Nothing was open, or the connection is gone: either way no change stays.
        }
    }
    void reconnect() override {}

private:
    // A new file turns to WAL under an exclusive lock that the busy handler
    // does not wait for: stations creating the store together try again.
    void enterWal() {
        for (int tries = 0;; ++tries) {
            const int status = sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
            if (status == SQLITE_OK) return;
            if ((status != SQLITE_BUSY && status != SQLITE_LOCKED) || !waitForLock(nullptr, tries)) fail();
        }
    }

    // A statement goes back to the cache reset: a statement left stepping would
    // keep its read transaction (and the WAL) open, and its bindings their values.
    struct Reset {
        sqlite3_stmt* statement;
        ~Reset() {
            sqlite3_reset(statement);
            sqlite3_clear_bindings(statement);
        }
    };

    struct Prepared {
        sqlite3_stmt* statement;
        std::vector<int> slots;  // SQLite's index of $1, $2 ...; 0 where the statement has none
    };

    // Stations and the dashboard ask the same few statements over and over;
    // compiling one costs more than running it on a small table.
    const Prepared& prepared(std::string_view sql) {
        if (const auto found = statements_.find(sql); found != statements_.end()) return found->second;
        const std::string text(sql);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v3(db_, text.data(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT, &statement,
                               nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement);
            fail();
        }
        // Statements built with their values in the text would otherwise pile up.
        if (statements_.size() >= kCachedStatements) forgetStatements();
        return statements_.emplace(text, Prepared{statement, slotsOf(statement)}).first->second;
    }

    // $1 names the first parameter wherever it stands in the statement.
    static std::vector<int> slotsOf(sqlite3_stmt* statement) {
        std::vector<int> slots;
        for (int at = 1; at <= sqlite3_bind_parameter_count(statement); ++at) {
            const char* name = sqlite3_bind_parameter_name(statement, at);
            size_t number = 0;
            if (!name || name[0] != '$') continue;
            const char* end = name + std::strlen(name);
            if (std::from_chars(name + 1, end, number).ptr != end || number == 0) continue;
            if (slots.size() < number) slots.resize(number, 0);
            slots[number - 1] = at;
        }
        return slots;
    }

    void forgetStatements() {
        for (const auto& [text, found] : statements_) sqlite3_finalize(found.statement);
        statements_.clear();
    }

    void bind(sqlite3_stmt* statement, int at, const SqlValue& value) {
        int status = SQLITE_OK;
        if (const auto* number = std::get_if<int64_t>(&value))
            status = sqlite3_bind_int64(statement, at, *number);
        else if (const auto* text = std::get_if<std::string>(&value))
            // Not copied: the caller's values outlive the statement's use, its bindings are cleared before run returns.
            status = sqlite3_bind_text(statement, at, text->data(), static_cast<int>(text->size()), SQLITE_STATIC);
        else
            status = sqlite3_bind_null(statement, at);
        if (status != SQLITE_OK) fail();
    }

    [[noreturn]] void fail() { throw StoreError(path_ + ": " + sqlite3_errmsg(db_)); }

    std::string path_;
    sqlite3* db_ = nullptr;
    // Looked up by the caller's view of the text, without a copy.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, Prepared, TextHash, std::equal_to<>> statements_;
};

}  // namespace

std::unique_ptr<Connection> openSqlite(const std::string& path) { return std::make_unique<SqliteConnection>(path); }

}  // namespace tessorin::store
