#include <gtest/gtest.h>

#include "store/store.h"
#include "store/store_error.h"
#include "tests/store/store_engines.h"

namespace tessorin::store {
namespace {

using testing::TestEngine;

class Allocator : public ::testing::TestWithParam<TestEngine> {
protected:
    void SetUp() override {
        store_ = Store::open(testing::freshStore(GetParam(), folder_));
        station_ = store_->startStation(thisProcess(), "TSB0001", "jobhash");
    }
    int64_t take(const std::string& pool) {
        const auto reservation = store_->reserve(station_, pool);
        EXPECT_TRUE(reservation) << pool << " ran out too early";
        return reservation ? reservation->value : -1;
    }
    std::vector<std::string> stateOf(int64_t value, const std::string& pool = "serial") {
        std::vector<std::string> states;
        for (const SqlRow& row : store_->connection().run(
                 "SELECT h.state FROM value_history h JOIN identity_values v ON v.id = h.value_id JOIN pools p ON "
                 "p.id = v.pool_id WHERE p.name = $1 AND v.value = $2 ORDER BY h.id",
                 {pool, value}))
            states.push_back(cellText(row, 0));
        return states;
    }
    int64_t valueIdOf(int64_t value) {
        return cellNumber(store_->connection().run("SELECT id FROM identity_values WHERE value = $1", {value}).at(0), 0);
    }

    testing::TempFolder folder_{"store"};
    std::unique_ptr<Store> store_;
    int64_t station_ = 0;
};

TEST_P(Allocator, CountsThroughTheRangeReusesReleasedValuesNeverVoidOnesThenRunsOut) {
    store_->definePool({"serial", false, 10, 16, 2, 2});
    EXPECT_EQ(take("serial"), 10);
    const auto twelve = store_->reserve(station_, "serial");
    ASSERT_TRUE(twelve);
    EXPECT_EQ(twelve->value, 12);
    EXPECT_EQ(twelve->left, 2);  // 14 and 16
    store_->settle(valueIdOf(10), Settlement::Voided, station_, "board_lost");
    store_->settle(twelve->valueId, Settlement::Released, station_, "no_image");
    EXPECT_EQ(take("serial"), 12);
    EXPECT_EQ(take("serial"), 14);
    EXPECT_EQ(take("serial"), 16);
    EXPECT_FALSE(store_->reserve(station_, "serial"));
    EXPECT_EQ(stateOf(10), (std::vector<std::string>{"reserved", "void"}));
    EXPECT_EQ(stateOf(12), (std::vector<std::string>{"reserved", "released", "reserved"}));
}

TEST_P(Allocator, ListValuesAreTakenOnceInOrderAndAReimportAddsNoUsedOne) {
    store_->definePool({"mac", true});
    store_->importList("mac", {300, 100, 200});
    EXPECT_EQ(take("mac"), 100);
    const auto second = store_->reserve(station_, "mac");
    ASSERT_TRUE(second);
    store_->markWritten(second->valueId, station_);
    ChipEntry chip{"2026-12-10T08:00:00+08:00", 1, "TSB0001", "0x6d10", "a.rom", std::nullopt, std::nullopt, {},
                   "success", std::nullopt, 5, 7, "jobhash", {{"mac", second->valueId, "C8", Settlement::Committed}}};
    store_->recordChip(station_, chip);
    store_->importList("mac", {100, 200, 300});
    EXPECT_EQ(take("mac"), 300);
    EXPECT_FALSE(store_->reserve(station_, "mac"));
    EXPECT_EQ(stateOf(200, "mac"), (std::vector<std::string>{"reserved", "written", "committed"}));
}

TEST_P(Allocator, APoolIsNeverRedefinedAndAnUnknownOneIsRefused) {
    store_->definePool({"serial", false, 1, 100, 1});
    store_->definePool({"serial", false, 1, 100, 1, 10});  // the warning mark may move
    EXPECT_THROW(store_->definePool({"serial", false, 1, 200, 1}), StoreError);
    EXPECT_THROW(store_->definePool({"serial", true}), StoreError);
    EXPECT_THROW(store_->reserve(station_, "other"), StoreError);
}

TEST_P(Allocator, AChipRecordCommitsItsValuesOrNothing) {
    store_->definePool({"serial", false, 1, 100, 1});
    const auto held = store_->reserve(station_, "serial");
    ASSERT_TRUE(held);
    ChipEntry chip{"2026-12-10T08:00:00+08:00", 1, "TSB0001", "0x6d10", "a.rom", "ab", 9, {"4c10 0102"},
                   "success", std::nullopt, 5, 7, "jobhash", {{"serial", held->valueId, "1", Settlement::Committed}}};
    store_->recordChip(station_, chip);
    store_->recordChip(station_, chip);  // a retried commit records the chip once
    // A value the station no longer holds: the whole record is refused.
    chip.sequence = 2;
    EXPECT_THROW(store_->recordChip(station_, chip), StoreError);
    const SqlRows chips = store_->connection().run("SELECT sequence FROM chips");
    ASSERT_EQ(chips.size(), 1u);
    EXPECT_EQ(stateOf(1), (std::vector<std::string>{"reserved", "committed"}));
}

TEST_P(Allocator, EndingAStationVoidsWhatItStillHolds) {
    store_->definePool({"serial", false, 1, 100, 1});
    take("serial");
    store_->endStation(station_, "count reached");
    EXPECT_EQ(stateOf(1), (std::vector<std::string>{"reserved", "void"}));
    EXPECT_THROW(store_->reserve(station_, "serial"), StoreError);
}

TEST_P(Allocator, AStationOfAnotherHostIsGoneOnlyOnceItsLeaseRanOut) {
    store_->definePool({"serial", false, 1, 100, 1});
    ProcessIdentity other = thisProcess();
    other.host = "pc-b";
    const int64_t quiet = store_->startStation(other, "TSB0002", "jobhash");
    const int64_t lively = store_->startStation(other, "TSB0003", "jobhash");
    const int64_t quietValue = store_->reserve(quiet, "serial")->valueId;
    store_->reserve(lively, "serial");
    store_->connection().run("UPDATE stations SET heartbeat = heartbeat - 100 WHERE id = $1", {quiet});
    const auto vanished = store_->recoverVanishedStations(thisProcess(), std::chrono::seconds(60));
    ASSERT_EQ(vanished.size(), 1u);
    EXPECT_EQ(vanished[0].station, quiet);
    EXPECT_EQ(vanished[0].voided, 1);
    EXPECT_EQ(stateOf(1), (std::vector<std::string>{"reserved", "void"}));
    EXPECT_EQ(stateOf(2), (std::vector<std::string>{"reserved"}));
    EXPECT_THROW(store_->markWritten(quietValue, quiet), StoreError);
}

TEST_P(Allocator, AStoreOfANewerSchemaIsRefused) {
    store_->connection().run("INSERT INTO schema_version (version) VALUES (99)");
    EXPECT_THROW(Store::open(store_->location()), StoreError);
}

INSTANTIATE_TEST_SUITE_P(Engines, Allocator, ::testing::Values(TestEngine::Sqlite, TestEngine::Postgres),
                         testing::engineName);

}  // namespace
}  // namespace tessorin::store
