// A SQLite connection keeps its compiled statements for the next call: each
// call must still see its own values, the schema as it is now and the rows
// other connections wrote since.
#include <gtest/gtest.h>

#include <string>

#include "store/sqlite_connection.h"
#include "store/store_error.h"
#include "tests/support/temp_folder.h"

namespace tessorin::store {
namespace {

struct SqliteStatements : ::testing::Test {
    testing::TempFolder folder{"statements"};
    std::unique_ptr<Connection> db = openSqlite(folder.path("store.sqlite"));
    std::string cell(const std::string& sql, const std::vector<SqlValue>& values = {}) {
        const SqlRows rows = db->run(sql, values);
        return rows.size() == 1 && rows[0].size() == 1 ? rows[0][0].value_or("<null>") : "<not one cell>";
    }
};

TEST_F(SqliteStatements, EachCallBindsItsOwnValues) {
    struct Case {
        const char* sql;
        std::vector<SqlValue> values;
        const char* expected;
    };
    const Case cases[] = {
        {"SELECT $2 || '-' || $1", {std::string("a"), std::string("b")}, "b-a"},
        {"SELECT $2 || '-' || $1", {int64_t{1}, int64_t{2}}, "2-1"},
        {"SELECT $1", {std::string("kept?")}, "kept?"},
        {"SELECT $1", {}, "<null>"},  // the last call's value is not left bound
        {"SELECT $3", {int64_t{1}, int64_t{2}, int64_t{3}}, "3"},
        {"SELECT $1 + $1", {int64_t{21}}, "42"},
    };
    for (const Case& c : cases) EXPECT_EQ(cell(c.sql, c.values), c.expected) << c.sql;
}

TEST_F(SqliteStatements, AFailedStatementLeavesNoLockAndRunsAgain) {
    db->script("CREATE TABLE t (v TEXT UNIQUE)");
    const std::string insert = "INSERT INTO t (v) VALUES ($1)";
    db->run(insert, {std::string("x")});
    EXPECT_THROW(db->run(insert, {std::string("x")}), StoreError);
    db->run(insert, {std::string("y")});
    // Another station's connection writes at once: nothing here still holds the file.
    auto other = openSqlite(folder.path("store.sqlite"));
    other->begin();
    other->run(insert, {std::string("z")});
    other->commit();
    EXPECT_EQ(cell("SELECT group_concat(v, ',') FROM (SELECT v FROM t ORDER BY v)"), "x,y,z");
}

TEST_F(SqliteStatements, AnAnswerIsOfTheRowsAndSchemaAsTheyAreNow) {
    db->script("CREATE TABLE t (a INTEGER)");
    const std::string count = "SELECT count(*) FROM t";
    EXPECT_EQ(cell(count), "0");
    auto other = openSqlite(folder.path("store.sqlite"));
    other->run("INSERT INTO t (a) VALUES (1)");
    EXPECT_EQ(cell(count), "1");
    const std::string all = "SELECT * FROM t";
    ASSERT_EQ(db->run(all).at(0).size(), 1u);
    db->script("ALTER TABLE t ADD COLUMN b TEXT DEFAULT 'new'");
    const SqlRows rows = db->run(all);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 2u);
    EXPECT_EQ(rows[0][1], "new");
}

TEST_F(SqliteStatements, ManyDifferentStatementsAllAnswer) {
    // More texts than a connection keeps compiled, then the first ones again.
    for (int round = 0; round < 2; ++round)
        for (int n = 0; n < 300; ++n)
            ASSERT_EQ(cell("SELECT " + std::to_string(n) + " + $1", {int64_t{round}}), std::to_string(n + round));
}

}  // namespace
}  // namespace tessorin::store
