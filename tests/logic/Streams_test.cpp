// Byte streams: positions, growth, and files written and read back.
#include <gtest/gtest.h>

#include <cstdio>

#include "toolkit/rtl/Streams.h"

TEST(StreamsTest, MemoryStreamGrowsAndSeeks) {
    rtl::TMemoryStream m;
    m.WriteBuffer("abcdef", 6);
    EXPECT_EQ(m.Size(), 6);
    m.Seek(-2, rtl::SeekOrigin::End);
    m.WriteBuffer("XYZ", 3);  // overwrites two, appends one
    EXPECT_EQ(m.Bytes(), "abcdXYZ");
    m.SetPosition(5);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 8), 2);  // short at the end
    EXPECT_STREQ(buf, "YZ");
    EXPECT_EQ(m.Read(buf, 8), 0);
    EXPECT_THROW(m.ReadBuffer(buf, 1), rtl::EReadError);
    m.SetPosition(0);
    rtl::TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(m, 0), 7);
    EXPECT_EQ(copy.Bytes(), "abcdXYZ");
}

TEST(StreamsTest, FileStreamWritesAndReadsBack) {
    std::string path = testing::TempDir() + "orbal_streams_test.bin";
    {
        rtl::TFileStream f(path, rtl::fmCreate);
        f.WriteBuffer("hello", 5);
        f.SetPosition(0);
        char c = 0;
        f.ReadBuffer(&c, 1);  // read after write on the same file
        EXPECT_EQ(c, 'h');
        f.WriteBuffer("EL", 2);
        EXPECT_EQ(f.Size(), 5);
    }
    rtl::TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(m.Bytes(), "hELlo");
    {
        rtl::TFileStream r(path, rtl::fmOpenRead);
        EXPECT_EQ(r.Write("x", 1), 0);  // read-only
        EXPECT_EQ(r.FileName, path);
    }
    std::remove(path.c_str());
    EXPECT_THROW(rtl::TFileStream(path, rtl::fmOpenRead), rtl::EFOpenError);
}
