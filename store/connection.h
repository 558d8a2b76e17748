#pragma once
// One connection to a store's database engine. Statements are written once for
// both engines with $1, $2 ... placeholders; each cell comes back as text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tessorin::store {

enum class Engine { Sqlite, Postgres };

using SqlValue = std::variant<std::monostate, int64_t, std::string>;
using SqlRow = std::vector<std::optional<std::string>>;
using SqlRows = std::vector<SqlRow>;

class Connection {
public:
    virtual ~Connection() = default;
    virtual Engine engine() const = 0;
    // Statements without parameters, one after another (a migration).
    virtual void script(std::string_view sql) = 0;
    virtual SqlRows run(std::string_view sql, const std::vector<SqlValue>& parameters = {}) = 0;
    // A write transaction: SQLite takes the write lock at once (BEGIN IMMEDIATE).
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() noexcept = 0;
    // After ConnectionLost: connects again; raises ConnectionLost while the server is away.
    virtual void reconnect() = 0;
};

// A cell as a number; raises StoreError for a null or a non-number.
int64_t cellNumber(const SqlRow& row, size_t column);
std::string cellText(const SqlRow& row, size_t column);  // empty for null

}  // namespace tessorin::store
