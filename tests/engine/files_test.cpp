#include "engine/files.h"

#include <cstring>

#include "support/temp_dir.h"

namespace {

using FilesTest = ScratchTest;

TEST_F(FilesTest, CreateKeepsTheTailOfALongerFile) {
    WriteBytes("data.bin", "0123456789");
    FileHandle out = FileCreate("data.bin");
    ASSERT_NE(out, INVALID_FILE);
    EXPECT_EQ(FileWrite(out, "abc", 3), 3u);
    FileClose(out);
    EXPECT_EQ(ReadBytes("data.bin"), "abc3456789");

    out = FileCreate("new.bin");
    ASSERT_NE(out, INVALID_FILE);
    FileClose(out);
    bool exists = false;
    EXPECT_EQ(ReadBytes("new.bin", &exists), "");
    EXPECT_TRUE(exists);
}

TEST_F(FilesTest, ReadSeekAndSize) {
    EXPECT_EQ(FileOpen("missing.bin"), INVALID_FILE);
    WriteBytes("data.bin", "0123456789");
    FileHandle in = FileOpen("data.bin");
    ASSERT_NE(in, INVALID_FILE);
    EXPECT_EQ(FileSize(in), 10u);

    char buffer[16] = {};
    EXPECT_EQ(FileRead(in, buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(FileSize(in), 10u) << "FileSize must not move the position";
    EXPECT_EQ(FileSeek(in, 2, 1), 6u);
    EXPECT_EQ(FileRead(in, buffer, 16), 4u) << "a short read returns what was there";
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(FileRead(in, buffer, 16), 0u) << "a read at the end returns 0";
    EXPECT_EQ(FileSeek(in, -3, 2), 7u);
    EXPECT_EQ(FileSeek(in, 1, 0), 1u);
    EXPECT_EQ(FileSeek(in, -5, 0), 0xFFFFFFFFu) << "before the start";
    EXPECT_EQ(FileSeek(in, 0, 7), 0xFFFFFFFFu) << "unknown origin";
    EXPECT_EQ(FileWrite(in, "x", 1), 0u) << "a read-only handle takes no writes";
    FileClose(in);
}

TEST_F(FilesTest, ReplaceSwapsTheWholeFile) {
    WriteBytes("target", "old contents");
    WriteBytes("target.tmp", "new");
    EXPECT_EQ(FileReplace("target.tmp", "target"), 1u);
    EXPECT_EQ(ReadBytes("target"), "new");
    bool exists = true;
    ReadBytes("target.tmp", &exists);
    EXPECT_FALSE(exists);

    EXPECT_EQ(FileReplace("no-such-file", "target"), 0u);
    EXPECT_EQ(ReadBytes("target"), "new");
    EXPECT_EQ(FileDelete("target"), 1u);
    EXPECT_EQ(FileDelete("target"), 0u);
}

}  // namespace
