#include "toolkit/rtl/Streams.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace rtl {

#ifdef _WIN32
#define ORBAL_FSEEK _fseeki64
#define ORBAL_FTELL _ftelli64
#else
#define ORBAL_FSEEK fseeko
#define ORBAL_FTELL ftello
#endif

int64_t TStream::Size() {
    int64_t here = Position();
    int64_t end = Seek(0, SeekOrigin::End);
    Seek(here, SeekOrigin::Begin);
    return end;
}

void TStream::ReadBuffer(void* buf, long count) {
    if (count > 0 && Read(buf, count) != count) throw EReadError("ストリームの読み込みエラーです。");
}

void TStream::WriteBuffer(const void* buf, long count) {
    if (count > 0 && Write(buf, count) != count) throw EWriteError("ストリームの書き込みエラーです。");
}

int64_t TStream::CopyFrom(TStream& src, int64_t count) {
    if (count == 0) {
        src.SetPosition(0);
        count = src.Size();
    }
    char buf[16384];
    int64_t left = count;
    while (left > 0) {
        long n = (long)std::min<int64_t>(left, sizeof buf);
        src.ReadBuffer(buf, n);
        WriteBuffer(buf, n);
        left -= n;
    }
    return count;
}

long TMemoryStream::Read(void* buf, long count) {
    if (count <= 0 || pos_ >= (int64_t)data_.size()) return 0;
    long n = (long)std::min<int64_t>(count, (int64_t)data_.size() - pos_);
    std::memcpy(buf, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

// The classic runtime's limit (a Longint of bytes); positions may lie beyond it, data may not.
static constexpr int64_t kMaxMemorySize = 0x7FFFFFFF;

// Grows the bytes to n, or false when n is too large or memory runs out.
static bool Grow(std::string& data, int64_t n) {
    if (n > kMaxMemorySize || (uint64_t)n > data.max_size()) return false;
    try {
        data.resize((size_t)n);
    } catch (const std::exception&) {  // bad_alloc, length_error
        return false;
    }
    return true;
}

long TMemoryStream::Write(const void* buf, long count) {
    if (count <= 0 || count > kMaxMemorySize || pos_ > kMaxMemorySize - count) return 0;
    if (pos_ + count > (int64_t)data_.size() && !Grow(data_, pos_ + count)) return 0;
    std::memcpy(data_.data() + pos_, buf, count);
    pos_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
    int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? pos_ : (int64_t)data_.size();
    int64_t p;
    if (__builtin_add_overflow(base, offset, &p)) p = offset > 0 ? INT64_MAX : 0;
    pos_ = std::max<int64_t>(0, p);
    return pos_;
}

void TMemoryStream::SetSize(int64_t n) {
    if (!Grow(data_, std::max<int64_t>(0, n))) throw EStreamError("メモリストリームを広げるメモリが足りません。");
    pos_ = std::min<int64_t>(pos_, (int64_t)data_.size());
}

void TMemoryStream::Clear() {
    data_.clear();
    pos_ = 0;
}

void TMemoryStream::LoadFromString(const std::string& bytes) {
    data_ = bytes;
    pos_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
    TFileStream f(path, fmOpenRead);
    std::string d((size_t)f.Size(), '\0');
    f.ReadBuffer(d.data(), (long)d.size());
    LoadFromString(d);
}

void TMemoryStream::SaveToFile(const std::string& path) {
    TFileStream f(path, fmCreate);
    f.WriteBuffer(data_.data(), (long)data_.size());
}

TFileStream::TFileStream(const std::string& path, int mode) : FileName(path), Mode(mode) {
    const char* m = mode == fmCreate ? "w+b" : (mode & 3) == fmOpenRead ? "rb" : "r+b";
    f_ = std::fopen(path.c_str(), m);
    if (!f_) {
        throw EFOpenError(mode == fmCreate ? "ファイル " + path + " を作成できません。"
                                           : "ファイル " + path + " を開けません。");
    }
}

TFileStream::~TFileStream() {
    if (f_) std::fclose(f_);
}

long TFileStream::Read(void* buf, long count) {
    if (count <= 0) return 0;
    if (lastWrite_) {
        std::fflush(f_);
        lastWrite_ = false;
    }
    return (long)std::fread(buf, 1, (size_t)count, f_);
}

long TFileStream::Write(const void* buf, long count) {
    if (count <= 0 || (Mode != fmCreate && (Mode & 3) == fmOpenRead)) return 0;
    if (!lastWrite_) {
        ORBAL_FSEEK(f_, 0, SEEK_CUR);
        lastWrite_ = true;
    }
    long n = (long)std::fwrite(buf, 1, (size_t)count, f_);
    // A full disk shows only when the buffer goes out; report it here, not at close.
    if (n == count && std::fflush(f_) != 0) return 0;
    return n;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
    lastWrite_ = false;
    int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    if (ORBAL_FSEEK(f_, offset, whence) != 0) return -1;
    return ORBAL_FTELL(f_);
}

}  // namespace rtl
