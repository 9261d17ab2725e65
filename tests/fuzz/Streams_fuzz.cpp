// A memory stream against a model (bytes and a position): writes, reads, seeks from any int64,
// sizes, whole-buffer transfers and copies, as the input's operation bytes say.
#include <algorithm>

#include "tests/fuzz/Fuzz.h"
#include "toolkit/rtl/Streams.h"

namespace {

constexpr int64_t kMax = 0x7FFFFFFF;   // the stream's own limit
constexpr int64_t kRoom = 1 << 20;     // what the harness lets it allocate

struct Model {
    std::string bytes;
    int64_t pos = 0;
};

int64_t SaturatedSum(int64_t a, int64_t b) {
    if (b > 0 && a > INT64_MAX - b) return INT64_MAX;
    if (b < 0 && a < INT64_MIN - b) return 0;
    return std::max<int64_t>(0, a + b);
}

void Same(rtl::TMemoryStream& s, const Model& m) {
    FUZZ_CHECK(s.Bytes() == m.bytes);
    FUZZ_CHECK(s.Position() == m.pos);
    FUZZ_CHECK(s.Size() == (int64_t)m.bytes.size());
    FUZZ_CHECK(s.Position() == m.pos);  // Size leaves the position alone
}

// Expected count of a write at the model's position; -1 when the harness must not try it.
long WriteCount(const Model& m, long n) {
    if (n <= 0) return 0;
    if (m.pos > kMax - n) return 0;
    if (m.pos + n > kRoom) return -1;
    return n;
}

void ModelWrite(Model& m, const std::string& data) {
    if (m.pos + (int64_t)data.size() > (int64_t)m.bytes.size()) m.bytes.resize(m.pos + data.size());
    m.bytes.replace(m.pos, data.size(), data);
    m.pos += data.size();
}

std::string ModelRead(Model& m, long n) {
    if (n <= 0 || m.pos >= (int64_t)m.bytes.size()) return {};
    std::string r = m.bytes.substr(m.pos, n);
    m.pos += r.size();
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    rtl::TMemoryStream s;
    Model m;
    for (int ops = 0; !in.Empty() && ops < 200; ++ops) {
        switch (in.Byte() % 8) {
            case 0: {  // write
                std::string d = in.Text();
                long want = WriteCount(m, (long)d.size());
                if (want < 0) break;
                FUZZ_CHECK(s.Write(d.data(), (long)d.size()) == want);
                if (want) ModelWrite(m, d);
                break;
            }
            case 1: {  // read
                long n = in.Byte();
                char buf[256];
                std::string want = ModelRead(m, n);
                FUZZ_CHECK(s.Read(buf, n) == (long)want.size());
                FUZZ_CHECK(std::string(buf, want.size()) == want);
                break;
            }
            case 2:  // seek anywhere
            case 3: {  // seek nearby
                int64_t off = in.Byte() % 2 ? in.Take<int64_t>() : in.Take<int16_t>();
                int origin = in.Byte() % 3;
                int64_t base = origin == 0 ? 0 : origin == 1 ? m.pos : (int64_t)m.bytes.size();
                m.pos = SaturatedSum(base, off);
                FUZZ_CHECK(s.Seek(off, (rtl::SeekOrigin)origin) == m.pos);
                break;
            }
            case 4: {  // set size
                int64_t n = in.Byte() % 2 ? in.Take<int64_t>() : in.Take<uint16_t>();
                int64_t want = std::max<int64_t>(0, n);
                if (want > kMax) {
                    bool threw = false;
                    try {
                        s.SetSize(n);
                    } catch (const rtl::EStreamError&) {
                        threw = true;
                    }
                    FUZZ_CHECK(threw);
                    break;
                }
                if (want > kRoom) break;
                s.SetSize(n);
                m.bytes.resize(want);
                m.pos = std::min<int64_t>(m.pos, want);
                break;
            }
            case 5: {  // whole transfers
                std::string d = in.Text();
                long want = WriteCount(m, (long)d.size());
                if (want < 0) break;
                bool threw = false;
                try {
                    s.WriteBuffer(d.data(), (long)d.size());
                } catch (const rtl::EWriteError&) {
                    threw = true;
                }
                FUZZ_CHECK(threw == (want != (long)d.size()));
                if (want) ModelWrite(m, d);
                long n = in.Byte();
                char buf[256];
                bool whole = n == 0 || m.pos <= (int64_t)m.bytes.size() - n;
                threw = false;
                try {
                    s.ReadBuffer(buf, n);
                } catch (const rtl::EReadError&) {
                    threw = true;
                }
                FUZZ_CHECK(threw == !whole);
                std::string got = ModelRead(m, n);  // a short read still moves
                if (whole) FUZZ_CHECK(std::string(buf, n) == got);
                break;
            }
            case 6: {  // copy into another stream: the rest from here, or all of it
                rtl::TMemoryStream dst;
                bool all = in.Byte() % 2;
                int64_t left = std::max<int64_t>(0, (int64_t)m.bytes.size() - m.pos);
                std::string want = all ? m.bytes : left ? m.bytes.substr(m.pos) : std::string();
                if (!all && want.empty()) break;  // a count of 0 means all
                FUZZ_CHECK(dst.CopyFrom(s, all ? 0 : left) == (int64_t)want.size());
                FUZZ_CHECK(dst.Bytes() == want);
                m.pos = all ? (int64_t)m.bytes.size() : m.pos + left;
                break;
            }
            default:
                Same(s, m);
                break;
        }
    }
    Same(s, m);
    return 0;
}
