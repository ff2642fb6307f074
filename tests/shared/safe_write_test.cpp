// Every writer writes its file whole or not at all: missing directories,
// failed writes, permissions and symbolic links.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

struct Writer {
    const char* name;
    std::function<bool(const std::string&, TextureImage*, char*)> save;
    const char* cannotCreate;
    const char* writeFailed;
};

// Every writer, given a 64 x 64 format-1 record (16 KiB of data).
std::vector<Writer> Writers() {
    return {
        {"KTX",
         [](const std::string& path, TextureImage* image, char* message) {
             return SaveImageKTX(path.c_str(), &image, 1, message);
         },
         "SaveImageKTX: File could not be opened for writing.",
         "SaveImageKTX: Writing output file failed."},
        {"DDS",
         [](const std::string& path, TextureImage* image, char* message) {
             return SaveImageDDS(path.c_str(), &image, 1, message);
         },
         "SaveImageDDS: File could not be opened for writing.",
         "SaveImageDDS: Writing output file failed."},
        {"TGA",
         [](const std::string& path, TextureImage* image, char* message) {
             return SaveImageTGA(path.c_str(), image, message);
         },
         "SaveImageTGA: File could not be opened for writing.",
         "SaveImageTGA: Writing output file failed."},
        {"RAW",
         [](const std::string& path, TextureImage* image, char* message) {
             return SaveImageRAW(path.c_str(), image, message);
         },
         "SaveImageRAW: Writing output file failed.", "SaveImageRAW: Writing output file failed."},
    };
}

Record Picture() { return MakeRecord(1, 64, 64, 64 * 64 * 4); }

TEST(SafeWrites, DestinationInAMissingDirectoryFailsAndLeavesNothing) {
    TempDir dir;
    Record image = Picture();
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.name);
        char message[kMessageBufferSize] = "";
        EXPECT_FALSE(writer.save(dir.File("missing/out.bin"), image.get(), message));
        EXPECT_STREQ(message, writer.cannotCreate);
        EXPECT_TRUE(DirectoryEntries(dir.Path()).empty());
    }
}

TEST(SafeWrites, DestinationThatIsADirectoryFailsAndLeavesItAlone) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "target");
    Record image = Picture();
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.name);
        char message[kMessageBufferSize] = "";
        EXPECT_FALSE(writer.save(dir.File("target"), image.get(), message));
        EXPECT_STREQ(message, writer.cannotCreate);
        EXPECT_EQ(DirectoryEntries(dir.Path()), std::vector<std::string>{"target"});
        EXPECT_TRUE(DirectoryEntries(dir.Path() / "target").empty());
    }
}

TEST(SafeWrites, FailedWriteLeavesTheExistingDestinationByteForByte) {
    TempDir dir;
    const std::string path = dir.File("existing.out");
    const Bytes original = {'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't'};
    Record image = Picture();
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.name);
        WriteFileBytes(path, original);
        char message[kMessageBufferSize] = "";
        bool saved = true;
        WithFileSizeLimit(4096, [&] { saved = writer.save(path, image.get(), message); });
        EXPECT_FALSE(saved);
        EXPECT_STREQ(message, writer.writeFailed);
        EXPECT_EQ(ReadFileBytes(path), original);
        EXPECT_EQ(DirectoryEntries(dir.Path()), std::vector<std::string>{"existing.out"});
    }
}

TEST(SafeWrites, SuccessfulWriteReplacesTheDestinationAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.File("existing.out");
    Record image = Picture();
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.name);
        WriteFileBytes(path, Bytes{'o', 'l', 'd'});
        ASSERT_EQ(chmod(path.c_str(), 0640), 0);
        ASSERT_TRUE(writer.save(path, image.get(), nullptr));
        EXPECT_GT(ReadFileBytes(path).size(), 16384u - 1);
        struct stat status {};
        ASSERT_EQ(stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0640u);
        EXPECT_EQ(DirectoryEntries(dir.Path()), std::vector<std::string>{"existing.out"});
    }
}

TEST(SafeWrites, NewFileGetsTheUsualPermissions) {
    TempDir dir;
    Record image = Picture();
    const mode_t previous = umask(022);
    const std::string path = dir.File("new.raw");
    const bool saved = SaveImageRAW(path.c_str(), image.get(), nullptr);
    umask(previous);
    ASSERT_TRUE(saved);
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);
}

TEST(SafeWrites, WritingThroughASymbolicLinkReplacesItsTarget) {
    TempDir dir;
    const std::string target = dir.File("target.raw");
    const std::string link = dir.File("link.raw");
    WriteFileBytes(target, Bytes{'o', 'l', 'd'});
    std::filesystem::create_symlink(target, link);
    Record block = MakeRecord(23, 4, 4, 8);
    ASSERT_TRUE(SaveImageRAW(link.c_str(), block.get(), nullptr));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), RecordBytes(*block));
}

}  // namespace
