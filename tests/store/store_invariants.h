#pragma once
// What must hold of a store after stations were killed at any point and the
// vanished ones were recovered: every value in one final state, none issued
// again after it was committed or voided, every committed one on its chip's record.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "store/store.h"

namespace tessorin::testing {

// The seeds a crash test runs: TESSORIN_SOAK_SEED=N runs N instead of CI's two.
inline unsigned crashSeeds() {
    const char* soak = std::getenv("TESSORIN_SOAK_SEED");
    return soak ? static_cast<unsigned>(std::stoul(soak)) : 2;
}

inline void expectEveryValueSettledOnce(store::Store& store) {
    using namespace store;
    Connection& db = store.connection();
    for (const SqlRow& row : db.run("SELECT state, count(*) FROM identity_values GROUP BY state"))
        EXPECT_TRUE(cellText(row, 0) == "committed" || cellText(row, 0) == "void" || cellText(row, 0) == "released")
            << cellNumber(row, 1) << " values left " << cellText(row, 0);
    // Committed or void is the end: nothing follows it in a value's history.
    EXPECT_TRUE(db.run("SELECT h.value_id FROM value_history h JOIN value_history later ON later.value_id = h.value_id "
                       "AND later.id > h.id WHERE h.state IN ('committed', 'void')")
                    .empty());
    // A value is reserved again only after it was released.
    std::map<int64_t, std::string> last;
    for (const SqlRow& row : db.run("SELECT value_id, state FROM value_history ORDER BY id")) {
        std::string& previous = last[cellNumber(row, 0)];
        if (cellText(row, 1) == "reserved") {
            EXPECT_TRUE(previous.empty() || previous == "released") << previous;
        }
        previous = cellText(row, 1);
    }
    EXPECT_TRUE(db.run("SELECT v.id FROM identity_values v LEFT JOIN chip_identities c ON c.value_id = v.id "
                       "AND c.chip_id = v.chip_id WHERE v.state = 'committed' AND c.chip_id IS NULL")
                    .empty());
}

}  // namespace tessorin::testing
