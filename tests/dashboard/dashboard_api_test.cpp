// The dashboard's API over HTTP: a real server on 127.0.0.1 (a port the system
// picks) over a real SQLite file, asked by an HTTP client as a factory's own
// system would; a store that is missing, broken, or comes back.
#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <thread>

#include "dashboard/dashboard_server.h"
#include "store/board_states.h"
#include "store/store_queries.h"
#include "tests/support/temp_folder.h"

namespace tessorin::dashboard {
namespace {

class DashboardApi : public ::testing::Test {
protected:
    void SetUp() override {
        std::string problem;
        const std::optional<int> port = server_.bind("127.0.0.1", 0, problem);
        ASSERT_TRUE(port) << problem;
        serving_ = std::thread([this] { server_.serve(); });
        client_ = std::make_unique<httplib::Client>("127.0.0.1", *port);
    }
    void TearDown() override {
        server_.stop();
        serving_.join();
    }

    // A store with two boards' chips, two failure reasons and a pool below its low water.
    void seed() {
        auto store = store::Store::open(location_);
        store->definePool({"bd_addr", false, 1, 10, 1, 8});
        const int64_t station = store->startStation(store::thisProcess(), "TSB0001", "job");
        const char* const chips[][3] = {{"TSB0001", "success", ""},     {"TSB0001", "fail", "board_lost"},
                                        {"TSB0002", "success", ""},     {"TSB0002", "fail", "verify_failed"},
                                        {"TSB0002", "fail", "board_lost"}, {"TSB0002", "success", ""}};
        int64_t sequence = 0;
        for (const auto& [board, result, reason] : chips) {
            const auto value = store->reserve(station, "bd_addr");
            const bool passed = std::string(result) == "success";
            store->recordChip(station, {"2026-12-10T08:00:00+08:00", ++sequence, board, "0x6d10", "fw.rom",
                                        std::nullopt, std::nullopt, {}, result,
                                        passed ? std::nullopt : std::optional<std::string>(reason), 500, 360, "job",
                                        {{"bd_addr", value->valueId, std::to_string(value->value),
                                          passed ? store::Settlement::Committed : store::Settlement::Voided}}});
        }
        store::publishBoardState(*store, {"TSB0001", station, "downloading", 42, "0x6d10", "fail", "board_lost"});
        store::publishBoardState(*store, {"TSB0002", station, "waiting", 0, "", "success", ""});
        // TSB0002's station stopped writing ten seconds ago.
        store->connection().run("UPDATE board_states SET heartbeat_ms = heartbeat_ms - 10000 WHERE board = 'TSB0002'");
        yieldAsResultsSays_ = store::summary(*store).at(0).rows.at(0).at(4);
    }

    Json get(const std::string& path, int expectedStatus = 200) {
        const httplib::Result result = client_->Get(path);
        EXPECT_TRUE(result) << path;
        if (!result) return {};
        EXPECT_EQ(result->status, expectedStatus) << path;
        return Json::parse(result->body, nullptr, false);
    }

    testing::TempFolder folder_{"dashboard"};
    std::string location_ = folder_.path("line.sqlite");
    std::vector<std::string> console_;
    StoreWatch watch_{location_, [this](const std::string& line) { console_.push_back(line); }};
    DashboardServer server_{watch_};
    std::thread serving_;
    std::unique_ptr<httplib::Client> client_;
    std::string yieldAsResultsSays_;
};

TEST_F(DashboardApi, AnswersEachQuestionFromTheStore) {
    seed();
    const Json summary = get("/api/summary");
    EXPECT_EQ(summary["chips"], 6);
    EXPECT_EQ(summary["failed"], 3);
    EXPECT_EQ(summary["yield"], yieldAsResultsSays_);
    EXPECT_EQ(summary["yield"], "50.0%");

    const Json boards = get("/api/boards")["boards"];
    ASSERT_EQ(boards.size(), 2u);
    EXPECT_EQ(boards[0]["board"], "TSB0001");
    EXPECT_EQ(boards[0]["state"], "downloading");
    EXPECT_EQ(boards[0]["percent"], 42);
    EXPECT_EQ(boards[0]["silent"], false);
    EXPECT_EQ(boards[0]["last_reason"], "board_lost");
    EXPECT_EQ(boards[0]["yield"], "50.0%");
    EXPECT_EQ(boards[1]["silent"], true);
    EXPECT_EQ(boards[1]["chips"], 4);

    EXPECT_EQ(get("/api/failures")["failures"],
              Json::parse(R"([{"reason":"board_lost","chips":2},{"reason":"verify_failed","chips":1}])"));
    const Json pool = get("/api/pools")["pools"].at(0);
    EXPECT_EQ(pool["used"], 3);
    EXPECT_EQ(pool["void"], 3);
    EXPECT_EQ(pool["left"], 4);
    EXPECT_EQ(pool["low"], true);
    EXPECT_TRUE(console_.empty());
}

TEST_F(DashboardApi, ServesThePageInTheBrowsersLanguageAndNothingElse) {
    const struct {
        const char* acceptLanguage;
        const char* lang;
    } cases[] = {{"zh-CN,zh;q=0.9,en;q=0.8", "lang=\"zh\""}, {"en-US,en;q=0.9,zh;q=0.5", "lang=\"en\""}, {"", "lang=\"en\""}};
    for (const auto& c : cases) {
        const httplib::Result page = client_->Get("/", {{"Accept-Language", c.acceptLanguage}});
        ASSERT_TRUE(page);
        EXPECT_EQ(page->status, 200);
        EXPECT_NE(page->body.find(c.lang), std::string::npos) << c.acceptLanguage;
    }
    for (const char* file : {"/dashboard.js", "/dashboard.css"}) EXPECT_EQ(client_->Get(file)->status, 200) << file;
    for (const char* path : {"/api", "/api/boards/x", "/index.html", "/../line.sqlite", "/api/chips"})
        EXPECT_EQ(client_->Get(path)->status, 404) << path;
    EXPECT_NE(client_->Post("/api/boards", "{}", "application/json")->status, 200);
}

TEST_F(DashboardApi, NoStoreThenABrokenOneThenItComesBack) {
    Json answer = get("/api/summary", 503);
    EXPECT_EQ(answer["error"], "no store at " + location_ + " (no such file)");
    EXPECT_EQ(get("/api/boards", 503)["error"], answer["error"]);
    EXPECT_EQ(client_->Get("/")->status, 200);  // the page, which shows the reason
    folder_.write("line.sqlite", std::string(4096, 'x'));
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    answer = get("/api/summary", 503);
    EXPECT_NE(answer["error"].get<std::string>().find("cannot read the store " + location_), std::string::npos)
        << answer.dump();
    std::filesystem::remove(location_);
    seed();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(get("/api/summary")["chips"], 6);
    ASSERT_EQ(console_.size(), 3u);  // one line per change, however often the page asked
    EXPECT_EQ(console_[0], "dashboard: no store at " + location_ + " (no such file)");
    EXPECT_EQ(console_[1].rfind("dashboard: cannot read the store ", 0), 0u);
    EXPECT_EQ(console_[2], "dashboard: the store " + location_ + " answers again");
}

}  // namespace
}  // namespace tessorin::dashboard
