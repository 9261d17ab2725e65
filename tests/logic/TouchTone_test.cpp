// Speaker dialling: which tone each character plays, the pauses between them, and the WAVE images.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "settings/TouchTone.h"

namespace {

struct Recorder : tone::ToneSink {
    std::vector<std::string> steps;
    void Play(const std::string& t) override { steps.push_back(t); }
    void Pause(int ms) override { steps.push_back(std::to_string(ms)); }
};

// Strength of frequency f in the samples (Goertzel), 0..1 for a full-scale sine.
double Strength(const std::string& pcm, double f) {
    const double pi = 3.14159265358979323846;
    double re = 0, im = 0;
    for (size_t i = 0; i < pcm.size(); ++i) {
        double v = ((unsigned char)pcm[i] - 128) / 127.0;
        re += v * std::cos(2 * pi * f * i / 8000);
        im += v * std::sin(2 * pi * f * i / 8000);
    }
    return 2 * std::hypot(re, im) / pcm.size();
}

}  // namespace

TEST(TouchTone, NumberPlaysTonesAndPauses) {
    struct Case {
        const char* number;
        std::vector<std::string> steps;
    };
    const Case cases[] = {
        {"03,1234$5",
         {"p0", "70", "p3", "70", "3000", "p1", "70", "p2", "70", "p3", "70", "p4", "70", "10000", "p5", "70"}},
        {"#*", {"ps", "70", "pk", "70"}},
        {"-x", {"pn", "70", "pn", "70"}},
        {"ア", {"pn", "70"}},  // one character, one tone
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        Recorder r;
        tone::PlayNumber(c.number, r, [] { return 70; });
        EXPECT_EQ(r.steps, c.steps);
    }
}

TEST(TouchTone, GapIsAskedForEveryTone) {
    Recorder r;
    int gap = 0;
    tone::PlayNumber("11,1", r, [&] { return gap += 10; });
    EXPECT_EQ(r.steps, (std::vector<std::string>{"p1", "10", "p1", "20", "3000", "p1", "30"}));
}

TEST(TouchTone, WaveImagesCarryTheKeypadPairs) {
    struct Case {
        const char* name;
        double low, high;
    };
    const Case cases[] = {{"p1", 697, 1209}, {"P5", 770, 1336}, {"p9", 852, 1477},
                          {"p0", 941, 1336}, {"pk", 941, 1209}, {"ps", 941, 1477}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string w = tone::WaveImage(c.name);
        ASSERT_GT(w.size(), 44u);
        EXPECT_EQ(w.compare(0, 4, "RIFF"), 0);
        EXPECT_EQ(w.compare(8, 8, "WAVEfmt "), 0);
        uint32_t riff, data;
        std::memcpy(&riff, &w[4], 4);
        std::memcpy(&data, &w[40], 4);
        EXPECT_EQ(riff + 8, w.size());
        EXPECT_EQ(data + 44, w.size());
        std::string pcm = w.substr(44);
        EXPECT_GT(Strength(pcm, c.low), 0.3);
        EXPECT_GT(Strength(pcm, c.high), 0.3);
        EXPECT_LT(Strength(pcm, 1000), 0.05);  // no stray tone between them
    }
    EXPECT_FALSE(tone::WaveImage("pn").empty());
    for (const char* none : {"", "p", "px", "c1", "p10"}) EXPECT_TRUE(tone::WaveImage(none).empty()) << none;
}
