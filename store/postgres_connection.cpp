#include "store/postgres_connection.h"

#include <libpq-fe.h>

#include "store/store_error.h"

namespace tessorin::store {
namespace {

class PostgresConnection final : public Connection {
public:
    explicit PostgresConnection(std::string location) : location_(std::move(location)) { connect(); }
    ~PostgresConnection() override { PQfinish(db_); }

    Engine engine() const override { return Engine::Postgres; }

    void script(std::string_view sql) override { check(PQexec(db_, std::string(sql).c_str())); }

    SqlRows run(std::string_view sql, const std::vector<SqlValue>& parameters) override {
        std::vector<std::string> texts(parameters.size());
        std::vector<const char*> values(parameters.size(), nullptr);
        for (size_t i = 0; i < parameters.size(); ++i) {
            if (const auto* number = std::get_if<int64_t>(&parameters[i]))
                texts[i] = std::to_string(*number);
            else if (const auto* text = std::get_if<std::string>(&parameters[i]))
                texts[i] = *text;
            else
                continue;
            values[i] = texts[i].c_str();
        }
        const std::string text(sql);
        return check(PQexecParams(db_, text.c_str(), static_cast<int>(values.size()), nullptr, values.data(), nullptr,
                                  nullptr, 0));
    }

    void begin() override { script("BEGIN"); }
    void commit() override { script("COMMIT"); }
    void rollback() noexcept override {
        if (PQstatus(db_) == CONNECTION_OK) PQclear(PQexec(db_, "ROLLBACK"));
    }
    void reconnect() override {
        PQfinish(db_);
        db_ = nullptr;
        connect();
    }

private:
    void connect() {
        db_ = PQconnectdb(location_.c_str());
        if (PQstatus(db_) != CONNECTION_OK) {
            std::string why = PQerrorMessage(db_);
            while (!why.empty() && why.back() == '\n') why.pop_back();
            PQfinish(db_);
            db_ = nullptr;
            throw ConnectionLost("PostgreSQL: " + why);
        }
        // The server's notices (a shutdown under way) are not the station's to print.
        PQsetNoticeProcessor(db_, [](void*, const char*) {}, nullptr);
    }

    SqlRows check(PGresult* result) {
        const ExecStatusType status = PQresultStatus(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            std::string why = PQresultErrorMessage(result);
            if (why.empty()) why = PQerrorMessage(db_);
            while (!why.empty() && why.back() == '\n') why.pop_back();
            const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
            const std::string code = state ? state : "";
            PQclear(result);
            // No code: the client lost the server. 08: connection; 57P: the server shutting down or starting.
            if (PQstatus(db_) != CONNECTION_OK || code.empty() || code.starts_with("08") || code.starts_with("57P"))
                throw ConnectionLost("PostgreSQL: " + why);
            throw StoreError("PostgreSQL: " + why);
        }
        SqlRows rows(PQntuples(result));
        for (int r = 0; r < PQntuples(result); ++r)
            for (int c = 0; c < PQnfields(result); ++c)
                rows[r].push_back(PQgetisnull(result, r, c) ? std::nullopt
                                                            : std::optional<std::string>(PQgetvalue(result, r, c)));
        PQclear(result);
        return rows;
    }

    std::string location_;
    PGconn* db_ = nullptr;
};

}  // namespace

std::unique_ptr<Connection> openPostgres(const std::string& location) {
    return std::make_unique<PostgresConnection>(location);
}

}  // namespace tessorin::store
