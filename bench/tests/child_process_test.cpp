#include "child_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "temp_dir.h"

TEST(ChildProcess, ReportsExitStatusAndCapturesOutput) {
    TempDir dir;
    const std::string log = dir.File("log.txt");
    const ChildRun run = RunChild({"sh", "-c", "echo hello; echo oops >&2; exit 3"}, log);
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.exitStatus, 3);
    EXPECT_GT(run.peakKb, 0);
    std::ifstream file(log);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "hello\noops\n");
}

TEST(ChildProcess, AMissingProgramDoesNotStart) {
    TempDir dir;
    const ChildRun run = RunChild({dir.File("no-such-program")}, dir.File("log.txt"));
    EXPECT_FALSE(run.started);
}
