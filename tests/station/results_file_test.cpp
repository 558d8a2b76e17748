// Built into the Linux suite and the Windows suite alike: each has its own file API.
#include "station/results_file.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "base/paths.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"

namespace tessorin {
namespace {

using testing::fileText;
using testing::linesOf;
using testing::TempFolder;

TEST(ResultsFile, AppendsToWhatTheFileHeldAndMakesAMissingOne) {
    TempFolder dir;
    const std::string kept = dir.write("kept.jsonl", "{\"earlier\":1}\n");
    const std::string fresh = dir.path("fresh.jsonl");
    for (const std::string& path : {kept, fresh}) {
        std::string problem;
        std::unique_ptr<ResultsFile> file = ResultsFile::open(path, problem);
        ASSERT_TRUE(file) << problem;
        EXPECT_TRUE(file->append("{\"a\":1}\n", problem)) << problem;
        EXPECT_TRUE(file->append("{\"b\":2}\n", problem)) << problem;
    }
    EXPECT_EQ(readWholeFile(kept), "{\"earlier\":1}\n{\"a\":1}\n{\"b\":2}\n");
    EXPECT_EQ(readWholeFile(fresh), "{\"a\":1}\n{\"b\":2}\n");
}

TEST(ResultsFile, OneThatCannotBeOpenedSaysWhy) {
    TempFolder dir;
    for (const std::string& path : {dir.path("no such folder/r.jsonl"), dir.path("")}) {
        std::string problem;
        EXPECT_FALSE(ResultsFile::open(path, problem)) << path;
        EXPECT_FALSE(problem.empty()) << path;
    }
}

// A FIFO would hold the open until a reader came, and a device cannot be cut
// back to a whole line: both are refused with the reason, at once.
TEST(ResultsFile, TakesOnlyARegularFile) {
    TempFolder dir;
#ifdef _WIN32
    const std::vector<std::string> notFiles = {"NUL"};
#else
    const std::string fifo = dir.path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::string> notFiles = {fifo, "/dev/full"};
#endif
    for (const std::string& path : notFiles) {
        std::string problem;
        EXPECT_FALSE(ResultsFile::open(path, problem)) << path;
        EXPECT_TRUE(problem.starts_with("not a regular file")) << path << ": " << problem;
    }
}

// Writer w's line, without its line end.
std::string writerLine(int w) {
    std::string line = std::to_string(w);
    line += ':';
    line.append(static_cast<size_t>(300 + w), 'x');
    return line;
}

// Several writers on one file, as several station processes are: every line
// stays whole, none is lost.
TEST(ResultsFile, ConcurrentWritersLeaveWholeLines) {
    TempFolder dir;
    const std::string path = dir.path("shared.jsonl");
    constexpr int kWriters = 4, kLines = 200;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            std::string problem;
            std::unique_ptr<ResultsFile> file = ResultsFile::open(path, problem);
            ASSERT_TRUE(file) << problem;
            std::string line = writerLine(w);
            line += '\n';
            for (int i = 0; i < kLines; ++i) EXPECT_TRUE(file->append(line, problem)) << problem;
        });
    }
    for (std::thread& t : writers) t.join();
    std::vector<int> perWriter(kWriters);
    for (const std::string& line : linesOf(fileText(path))) {
        const int w = line[0] - '0';
        ASSERT_TRUE(w >= 0 && w < kWriters) << line.substr(0, 20);
        EXPECT_EQ(line, writerLine(w));
        ++perWriter[w];
    }
    EXPECT_EQ(perWriter, std::vector<int>(kWriters, kLines));
}

}  // namespace
}  // namespace tessorin
