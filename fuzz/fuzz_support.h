#pragma once
// What the fuzz targets share: a log stream that goes nowhere (every input logs,
// and printing it would cost more than the work under test).
#include <string_view>

#include "report/log.h"

namespace tessorin::fuzzing {

class DiscardedLog final : public LogOutput {
public:
    void write(std::string_view) override {}
};

inline void discardLog() {
    static DiscardedLog log;
    setLogOutput(&log);
}

}  // namespace tessorin::fuzzing
