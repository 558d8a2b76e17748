#include <gtest/gtest.h>

#include "store/board_states.h"
#include "tests/store/store_engines.h"

namespace tessorin::store {
namespace {

using testing::TestEngine;

class BoardStates : public ::testing::TestWithParam<TestEngine> {
protected:
    testing::TempFolder folder_{"board_states"};
};

// One row per board, overwritten by its latest state; its age on the engine's clock.
TEST_P(BoardStates, EachBoardKeepsOnlyItsLatestState) {
    auto store = Store::open(testing::freshStore(GetParam(), folder_));
    const int64_t first = store->startStation(thisProcess(), "TSB0001", "");
    const int64_t second = store->startStation(thisProcess(), "TSB0002", "");
    publishBoardState(*store, {"TSB0002", second, "waiting", 0, "", "", ""});
    publishBoardState(*store, {"TSB0001", first, "downloading", 40, "0x6d10", "", ""});
    publishBoardState(*store, {"TSB0001", first, "failed", 73, "0x6d10", "fail", "board_lost"});
    const std::vector<BoardState> states = boardStates(*store);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0].board, "TSB0001");
    EXPECT_EQ(states[0].station, first);
    EXPECT_EQ(states[0].state, "failed");
    EXPECT_EQ(states[0].percent, 73);
    EXPECT_EQ(states[0].lastReason, "board_lost");
    EXPECT_EQ(states[1].state, "waiting");
    EXPECT_EQ(states[1].chip, "");
    for (const BoardState& state : states) {
        EXPECT_GE(state.sinceMs, 0) << state.board;
        EXPECT_LT(state.sinceMs, 5000) << state.board;
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, BoardStates, ::testing::Values(TestEngine::Sqlite, TestEngine::Postgres),
                         testing::engineName);

}  // namespace
}  // namespace tessorin::store
