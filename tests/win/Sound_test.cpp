// Built-in sound cues: every cue is in the program's resources as a clean, short PCM WAVE image,
// and playing one hands exactly that cue to the sound device.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "toolkit/Sound.h"

namespace {

const char* const kCues[] = {"ope", "clo", "sav", "del", "c1", "cop", "pop", "pas", "tav"};

std::string ResourceBytes(const char* name) {
    HMODULE m = GetModuleHandleA(nullptr);
    HRSRC r = FindResourceA(m, name, RT_RCDATA);
    if (!r) return {};
    const char* p = static_cast<const char*>(LockResource(LoadResource(m, r)));
    return p ? std::string(p, SizeofResource(m, r)) : std::string();
}

uint32_t U32(const std::string& s, size_t at) {
    uint32_t v;
    memcpy(&v, s.data() + at, 4);
    return v;
}
uint16_t U16(const std::string& s, size_t at) {
    uint16_t v;
    memcpy(&v, s.data() + at, 2);
    return v;
}

struct Pcm {
    uint16_t format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    std::vector<int16_t> samples;
};

// Walks the RIFF chunks; false when the image is not a well-formed WAVE file.
bool ParseWave(const std::string& b, Pcm& out) {
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return false;
    if (U32(b, 4) + 8 != b.size()) return false;
    bool fmt = false, data = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        std::string id = b.substr(at, 4);
        uint32_t len = U32(b, at + 4);
        if (at + 8 + len > b.size()) return false;
        if (id == "fmt " && len >= 16) {
            out.format = U16(b, at + 8);
            out.channels = U16(b, at + 10);
            out.rate = U32(b, at + 12);
            out.bits = U16(b, at + 22);
            fmt = true;
        } else if (id == "data") {
            out.samples.resize(len / 2);
            memcpy(out.samples.data(), b.data() + at + 8, out.samples.size() * 2);
            data = true;
        }
        at += 8 + len + (len & 1);
    }
    return fmt && data;
}

}  // namespace

TEST(SoundCues, EveryCueIsAShortCleanPcmWave) {
    std::set<std::string> distinct;
    for (const char* cue : kCues) {
        SCOPED_TRACE(cue);
        EXPECT_TRUE(tk::ResourceWaveExists(cue));
        std::string bytes = ResourceBytes(cue);
        Pcm w;
        ASSERT_TRUE(ParseWave(bytes, w));
        EXPECT_EQ(w.format, 1);  // PCM
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.rate, 22050u);
        EXPECT_EQ(w.bits, 16);
        double seconds = double(w.samples.size()) / w.rate;
        EXPECT_GE(seconds, 0.05);
        EXPECT_LE(seconds, std::string(cue) == "tav" ? 1.6 : 0.6);
        // Starts and ends at silence (no click), audible but never clipped.
        ASSERT_FALSE(w.samples.empty());
        EXPECT_LE(abs(w.samples.front()), 64);
        EXPECT_LE(abs(w.samples.back()), 64);
        int peak = 0;
        for (int16_t s : w.samples) peak = std::max(peak, abs(int(s)));
        EXPECT_GT(peak, 4000);
        EXPECT_LT(peak, 32000);
        distinct.insert(bytes);
    }
    EXPECT_EQ(distinct.size(), std::size(kCues));
}

TEST(SoundCues, NamesAreFoundIgnoringCase) {
    EXPECT_TRUE(tk::ResourceWaveExists("OPE"));
    EXPECT_TRUE(tk::ResourceWaveExists("C1"));
    EXPECT_FALSE(tk::ResourceWaveExists("nosuchcue"));
    EXPECT_FALSE(tk::ResourceWaveExists(""));
}

TEST(SoundPlay, HookSeesTheCueAndWhetherItBlocks) {
    std::vector<tk::SoundCall> calls;
    tk::SetSoundHookForTest([&](const tk::SoundCall& c) { calls.push_back(c); });
    EXPECT_TRUE(tk::PlayResourceWave("ope"));
    EXPECT_TRUE(tk::PlayResourceWave("tav", true));
    EXPECT_FALSE(tk::PlayResourceWave("nosuchcue"));  // nothing to play, nothing recorded
    tk::SetSoundHookForTest(nullptr);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].name, "ope");
    EXPECT_FALSE(calls[0].sync);
    EXPECT_EQ(calls[1].name, "tav");
    EXPECT_TRUE(calls[1].sync);
}

TEST(SoundPlay, RealDeviceNeverBlocksOnACue) {
    // Without a sound card the call fails quietly; with one it returns at once. Either way the
    // caller goes on, and a second cue may cut off the first.
    DWORD start = GetTickCount();
    tk::PlayResourceWave("tav");
    tk::PlayResourceWave("c1");
    tk::StopResourceWave();
    EXPECT_LT(GetTickCount() - start, 1000u);
}
