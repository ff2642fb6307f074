// Durable and interrupted writes through the real executable. fsync is
// replaced in the tool's process by a stand-in (fsync_stand_in.cpp) that
// fails, or that holds the tool inside the flush of a written temporary file
// until the test sends it a signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fixture_images.h"
#include "temp_dir.h"

extern char** environ;

namespace {

// The tool run as a child process with the fsync stand-in preloaded.
class ToolChild {
  public:
    ToolChild(const std::vector<std::string>& arguments, const std::string& fsyncMode,
              const std::string& errorPath, bool interruptIgnored = false) {
        int ready[2];
        if (pipe(ready) != 0) {
            return;
        }
        std::vector<std::string> environment;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string entry = *variable;
            if (entry.rfind("LD_PRELOAD=", 0) != 0 && entry.rfind("ASAN_OPTIONS=", 0) != 0 &&
                entry.rfind("VOSTREL_TEST_FSYNC", 0) != 0) {
                environment.push_back(entry);
            }
        }
        const char* asanOptions = std::getenv("ASAN_OPTIONS");
        // The stand-in is loaded ahead of the sanitizers' runtime.
        environment.push_back(std::string("ASAN_OPTIONS=") +
                              (asanOptions != nullptr ? std::string(asanOptions) + ":" : "") +
                              "verify_asan_link_order=0");
        environment.push_back(std::string("LD_PRELOAD=") + FSYNC_STAND_IN_PATH);
        environment.push_back("VOSTREL_TEST_FSYNC=" + fsyncMode);
        environment.push_back("VOSTREL_TEST_FSYNC_READY=" + std::to_string(ready[1]));

        std::vector<char*> argv{const_cast<char*>(VOSTREL_CMD_PATH)};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& entry : environment) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);

        m_pid = fork();
        if (m_pid == 0) {
            close(ready[0]);
            const int in = open("/dev/null", O_RDONLY);
            const int err = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(in, STDIN_FILENO);
            dup2(err, STDOUT_FILENO);
            dup2(err, STDERR_FILENO);
            if (interruptIgnored) {
                std::signal(SIGINT, SIG_IGN);
            }
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        close(ready[1]);
        m_readyFd = ready[0];
    }

    ~ToolChild() {
        if (m_readyFd >= 0) {
            close(m_readyFd);
        }
        if (m_pid > 0 && m_status < 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }

    // True once the tool is held inside a flush; false if it ended first.
    bool Held() {
        char byte = 0;
        return m_readyFd >= 0 && read(m_readyFd, &byte, 1) == 1;
    }

    void Signal(int signal) { kill(m_pid, signal); }

    // The wait status.
    int Wait() {
        if (m_pid > 0 && m_status < 0) {
            int status = 0;
            if (waitpid(m_pid, &status, 0) == m_pid) {
                m_status = status;
            }
        }
        return m_status;
    }

  private:
    pid_t m_pid = -1;
    int m_readyFd = -1;
    int m_status = -1;
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Names in the directory that look like the tool's temporary files.
std::vector<std::string> TemporaryFiles(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(".vostrel-", 0) == 0) {
            names.push_back(name);
        }
    }
    return names;
}

const std::string kOldContent = "the texture written before";

class DurableWrite : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WriteTga(m_dir.File("in.tga"), 64, 64, PatternPixels(64, 64)));
        WriteText(m_dir.File("out.ktx"), kOldContent);
    }

    int Run(const std::string& fsyncMode) {
        ToolChild tool({m_dir.File("in.tga"), m_dir.File("out.ktx"), "3DC X", "yes"}, fsyncMode,
                       m_dir.File("errors.txt"));
        const int status = tool.Wait();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Errors() { return ReadText(m_dir.File("errors.txt")); }

    TempDir m_dir;
};

TEST_F(DurableWrite, FailingFileFlushFailsTheWriteAndKeepsTheDestination) {
    EXPECT_EQ(Run("fail-file"), 1);
    EXPECT_NE(Errors().find("ERROR: SaveImageKTX: Writing output file failed.\n"),
              std::string::npos)
        << Errors();
    EXPECT_EQ(ReadText(m_dir.File("out.ktx")), kOldContent);
    EXPECT_TRUE(TemporaryFiles(m_dir.Path()).empty());
}

// The rename has happened when the directory is flushed: the new file is in
// place, but the run does not report a success it cannot vouch for.
TEST_F(DurableWrite, FailingDirectoryFlushFailsTheWriteWithTheNewFileInPlace) {
    EXPECT_EQ(Run("fail-directory"), 1);
    EXPECT_NE(Errors().find("ERROR: SaveImageKTX: Writing output file failed.\n"),
              std::string::npos)
        << Errors();
    EXPECT_EQ(ReadKtxShape(m_dir.File("out.ktx")).levels, 7u);
    EXPECT_TRUE(TemporaryFiles(m_dir.Path()).empty());
}

TEST_F(DurableWrite, FlushedWriteSucceeds) {
    EXPECT_EQ(Run("real"), 0) << Errors();
    EXPECT_EQ(ReadKtxShape(m_dir.File("out.ktx")).levels, 7u);
    EXPECT_TRUE(TemporaryFiles(m_dir.Path()).empty());
}

class InterruptedWrite : public testing::TestWithParam<int> {};

// A 1024 x 1024 texture with its mip chain, held once all of it is in the
// temporary file.
TEST_P(InterruptedWrite, RemovesTheTemporaryFileAndEndsByTheSignal) {
    TempDir dir;
    ASSERT_TRUE(WriteTga(dir.File("in.tga"), 1024, 1024, PatternPixels(1024, 1024)));
    WriteText(dir.File("out.ktx"), kOldContent);
    ToolChild tool({dir.File("in.tga"), dir.File("out.ktx"), "3DC X", "yes"}, "hold-file:1",
                   dir.File("errors.txt"));
    ASSERT_TRUE(tool.Held()) << ReadText(dir.File("errors.txt"));
    ASSERT_EQ(TemporaryFiles(dir.Path()).size(), 1u);
    tool.Signal(GetParam());
    const int status = tool.Wait();
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), GetParam());
    EXPECT_TRUE(TemporaryFiles(dir.Path()).empty());
    EXPECT_EQ(ReadText(dir.File("out.ktx")), kOldContent);
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedWrite, testing::Values(SIGINT, SIGTERM),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == SIGINT ? "SIGINT" : "SIGTERM";
                         });

// The handler stays installed from one file to the next: the second file's
// temporary name is the one removed, the first file stays whole.
TEST(InterruptedWorkspace, RemovesOnlyTheFileBeingWritten) {
    TempDir dir;
    ASSERT_TRUE(WriteTga(dir.File("in.tga"), 64, 64, PatternPixels(64, 64)));
    WriteText(dir.File("second.ktx"), kOldContent);
    std::string xml =
        "<Header tool=\"Vostrel\" version=\"0.01.00\" "
        "guid=\"72659ff8-aa3f-4b50-95ad-176be895b937\">";
    for (const char* name : {"first.ktx", "second.ktx", "third.ktx"}) {
        xml += "<Entry source=\"" + dir.File("in.tga") + "\" destination=\"" + dir.File(name) +
               "\" compression=\"3DC X\"/>";
    }
    WriteText(dir.File("work.xml"), xml + "</Header>");
    ToolChild tool({"-ws", dir.File("work.xml")}, "hold-file:2", dir.File("errors.txt"));
    ASSERT_TRUE(tool.Held()) << ReadText(dir.File("errors.txt"));
    tool.Signal(SIGTERM);
    const int status = tool.Wait();
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_EQ(ReadKtxShape(dir.File("first.ktx")).width, 64u);
    EXPECT_EQ(ReadText(dir.File("second.ktx")), kOldContent);
    EXPECT_FALSE(std::filesystem::exists(dir.File("third.ktx")));
    EXPECT_TRUE(TemporaryFiles(dir.Path()).empty());
}

// A tool started with SIGINT ignored (a background job, nohup) keeps
// ignoring it; SIGTERM still cleans up.
TEST(InterruptedWrite, IgnoredInterruptStaysIgnored) {
    TempDir dir;
    ASSERT_TRUE(WriteTga(dir.File("in.tga"), 64, 64, PatternPixels(64, 64)));
    ToolChild tool({dir.File("in.tga"), dir.File("out.ktx"), "3DC X"}, "hold-file:1",
                   dir.File("errors.txt"), true);
    ASSERT_TRUE(tool.Held()) << ReadText(dir.File("errors.txt"));
    tool.Signal(SIGINT);
    tool.Signal(SIGTERM);
    const int status = tool.Wait();
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_TRUE(TemporaryFiles(dir.Path()).empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.ktx")));
}

}  // namespace
