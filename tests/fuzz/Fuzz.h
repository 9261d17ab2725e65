// Shared by the fuzzing harnesses: the libFuzzer entry point, typed reads of the input bytes and
// the check whose failure is a finding (abort, which libFuzzer and the corpus replay both report).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

#define FUZZ_CHECK(cond)                                                                   \
    do {                                                                                   \
        if (!(cond)) {                                                                     \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

// The input read front to back; reads past the end give zeros, so every input is usable.
class FuzzBytes {
public:
    FuzzBytes(const uint8_t* data, size_t size) : p_(data), n_(size) {}

    bool Empty() const { return n_ == 0; }
    size_t Left() const { return n_; }
    uint8_t Byte() { return n_ ? (--n_, *p_++) : 0; }
    // sizeof(T) bytes, little-endian, zero-filled at the end of the input.
    template <class T>
    T Take() {
        unsigned char b[sizeof(T)] = {};
        size_t k = n_ < sizeof(T) ? n_ : sizeof(T);
        std::memcpy(b, p_, k);
        p_ += k;
        n_ -= k;
        T v;
        std::memcpy(&v, b, sizeof v);
        return v;
    }
    // lo..hi taken from the next four bytes.
    int IntIn(int lo, int hi) { return lo + (int)(Take<uint32_t>() % (uint32_t)(hi - lo + 1)); }
    // A byte of length, then that many bytes (fewer at the end).
    std::string Text() { return Bytes(Byte()); }
    std::string Bytes(size_t len) {
        size_t k = len < n_ ? len : n_;
        std::string s((const char*)p_, k);
        p_ += k;
        n_ -= k;
        return s;
    }
    std::string Rest() { return Bytes(n_); }

private:
    const uint8_t* p_;
    size_t n_;
};
