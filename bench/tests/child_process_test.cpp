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

TEST(ChildProcess, SettingReplacesTheVariablesItNames) {
    TempDir dir;
    const std::string log = dir.File("log.txt");
    setenv("BENCH_CHILD_KEPT", "kept", 1);
    setenv("BENCH_CHILD_SET", "parent", 1);
    const ChildRun run =
        RunChild({"sh", "-c", "echo $BENCH_CHILD_KEPT $BENCH_CHILD_SET $BENCH_CHILD_NEW"}, log,
                 {"BENCH_CHILD_SET=child", "BENCH_CHILD_NEW=new"});
    unsetenv("BENCH_CHILD_KEPT");
    unsetenv("BENCH_CHILD_SET");
    EXPECT_EQ(run.exitStatus, 0);
    std::ifstream file(log);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "kept child new\n");
}
