// Byte streams: the abstract stream, a growable memory stream and a file stream.
// Window-free; file names are Shift-JIS paths handed to the C runtime's ANSI functions.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "toolkit/rtl/SysUtils.h"

namespace rtl {

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

enum class SeekOrigin { Begin, Current, End };

class TStream {
public:
    virtual ~TStream() = default;
    // Return the number of bytes moved; short at the end or on failure.
    virtual long Read(void* buf, long count) = 0;
    virtual long Write(const void* buf, long count) = 0;
    virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, SeekOrigin::Current); }
    void SetPosition(int64_t p) { Seek(p, SeekOrigin::Begin); }
    int64_t Size();
    // Whole transfers or EReadError / EWriteError.
    void ReadBuffer(void* buf, long count);
    void WriteBuffer(const void* buf, long count);
    // Copies count bytes from src's position (0: all of src from its start); returns the count.
    int64_t CopyFrom(TStream& src, int64_t count);
};

// At most 2 GB - 1 bytes: a write beyond that (or beyond free memory) writes nothing and returns 0,
// SetSize raises EStreamError. Seeking saturates and never goes below 0.
class TMemoryStream : public TStream {
public:
    long Read(void* buf, long count) override;
    long Write(const void* buf, long count) override;
    int64_t Seek(int64_t offset, SeekOrigin origin) override;

    const std::string& Bytes() const { return data_; }
    const char* Memory() const { return data_.data(); }
    void SetSize(int64_t n);
    void Clear();
    void LoadFromFile(const std::string& path);  // EFOpenError / EReadError
    void SaveToFile(const std::string& path);    // EFOpenError / EWriteError
    void LoadFromString(const std::string& bytes);

private:
    std::string data_;
    int64_t pos_ = 0;
};

enum FileMode { fmOpenRead = 0, fmOpenWrite = 1, fmOpenReadWrite = 2, fmCreate = 0xFFFF };

class TFileStream : public TStream {
public:
    // fmCreate makes a new, empty file (replacing one of that name); the others open an existing file.
    TFileStream(const std::string& path, int mode);
    ~TFileStream() override;
    long Read(void* buf, long count) override;
    long Write(const void* buf, long count) override;
    int64_t Seek(int64_t offset, SeekOrigin origin) override;

    const std::string FileName;
    const int Mode;

private:
    std::FILE* f_ = nullptr;
    bool lastWrite_ = false;  // C streams need a seek between a write and a read
};

}  // namespace rtl
