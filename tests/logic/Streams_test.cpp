// Byte streams: positions, growth, and files written and read back.
#include <gtest/gtest.h>

#include <cstdint>
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

TEST(StreamsTest, MemoryStreamAtTheEndsOfTheRange) {
    rtl::TMemoryStream m;
    m.WriteBuffer("abc", 3);
    // Seeking saturates instead of overflowing, and never goes below the start.
    EXPECT_EQ(m.Seek(INT64_MAX, rtl::SeekOrigin::End), INT64_MAX);
    EXPECT_EQ(m.Seek(INT64_MAX, rtl::SeekOrigin::Current), INT64_MAX);
    EXPECT_EQ(m.Seek(INT64_MIN, rtl::SeekOrigin::Current), 0);
    EXPECT_EQ(m.Seek(INT64_MIN, rtl::SeekOrigin::End), 0);
    // A write far beyond what memory can hold is a short write, not an escaping bad_alloc.
    for (int64_t at : {int64_t(1) << 62, INT64_MAX, int64_t(0x7FFFFFFF)}) {
        m.SetPosition(at);
        EXPECT_EQ(m.Write("x", 1), 0) << at;
        EXPECT_THROW(m.WriteBuffer("x", 1), rtl::EWriteError) << at;
        char c;
        EXPECT_EQ(m.Read(&c, 1), 0);
    }
    EXPECT_EQ(m.Bytes(), "abc");
    EXPECT_THROW(m.SetSize(int64_t(1) << 62), rtl::EStreamError);
    EXPECT_EQ(m.Size(), 3);
    // A write past the end fills the gap with zeros.
    m.SetPosition(5);
    m.WriteBuffer("z", 1);
    EXPECT_EQ(m.Bytes(), std::string("abc\0\0z", 6));
}
