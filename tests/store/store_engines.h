#pragma once
// The engines the store's tests run on: a SQLite file in a private folder, and
// a database of its own on the test PostgreSQL server. ctest's fixture starts
// that server (TESSORIN_TEST_POSTGRES names its folder); run by hand, the suite
// starts one itself and stops it at the end.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "store/postgres_connection.h"
#include "tests/support/temp_folder.h"

extern char** environ;

namespace tessorin::testing {

enum class TestEngine { Sqlite, Postgres };

inline std::string postgresServerScript() { return std::string(TESSORIN_SOURCE_DIR) + "/tests/store/postgres_server"; }

inline std::string& postgresFolder() {
    static std::string folder = [] {
        const char* given = std::getenv("TESSORIN_TEST_POSTGRES");
        return std::string(given ? given : "");
    }();
    return folder;
}

inline std::string postgresLocation(const std::string& database, const std::string& server = postgresFolder()) {
    return "postgresql:///" + database + "?host=" + server + "&user=tessorin";
}

// Runs the server script; false when it failed. Without the test's preloaded
// libraries (umockdev, a sanitizer's runtime): they are not the shell's.
inline bool postgresServer(const std::string& action, const std::string& server = postgresFolder()) {
    const std::string script = postgresServerScript();
    char* const argv[] = {const_cast<char*>(script.c_str()), const_cast<char*>(action.c_str()),
                          const_cast<char*>(server.c_str()), nullptr};
    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable)
        if (!std::string_view(*variable).starts_with("LD_PRELOAD=")) environment.push_back(*variable);
    environment.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, script.c_str(), nullptr, nullptr, argv, environment.data()) != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A server of the test's own, for a test that restarts it; stopped at the test's end, also after a failure.
class PrivatePostgres {
public:
    explicit PrivatePostgres(const TempFolder& folder) : server_(folder.path("postgres")) {
        started_ = postgresServer("start", server_);
    }
    ~PrivatePostgres() {
        if (started_) postgresServer("stop", server_);
    }
    bool started() const { return started_; }
    const std::string& folder() const { return server_; }

private:
    std::string server_;
    bool started_ = false;
};

class OwnPostgresServer : public ::testing::Environment {
public:
    void SetUp() override {
        if (!postgresFolder().empty()) return;
        postgresFolder() = "/tmp/tessorin-postgres-suite-";
        postgresFolder() += std::to_string(getpid());
        started_ = true;
        ASSERT_TRUE(postgresServer("start"));
    }
    void TearDown() override {
        if (started_) postgresServer("stop");
    }

private:
    bool started_ = false;
};

// A store location of the engine, fresh for each call.
inline std::string freshStore(TestEngine engine, const TempFolder& folder, const std::string& server = postgresFolder()) {
    static int serial = 0;
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "literal" + std::string&&.
    std::string name = "t";
    name += std::to_string(getpid());
    name += "_";
    name += std::to_string(serial++);
    if (engine == TestEngine::Sqlite) return folder.path(name + ".sqlite");
    store::openPostgres(postgresLocation("postgres", server))->script("CREATE DATABASE " + name);
    return postgresLocation(name, server);
}

inline std::string engineName(const ::testing::TestParamInfo<TestEngine>& info) {
    return info.param == TestEngine::Sqlite ? "Sqlite" : "Postgres";
}

}  // namespace tessorin::testing
