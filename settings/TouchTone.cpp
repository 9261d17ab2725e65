#include "settings/TouchTone.h"

#include <cctype>
#include <cmath>
#include <cstdint>

#include "toolkit/rtl/SysUtils.h"

namespace tone {

namespace {

const int kRate = 8000;
const int kToneMs = 120, kFadeMs = 5;

struct Pair {
    char key;
    int low, high;  // Hz; low 0 is a single tone
};
// The keypad's row and column frequencies.
const Pair kPairs[] = {{'1', 697, 1209}, {'2', 697, 1336}, {'3', 697, 1477}, {'4', 770, 1209},
                       {'5', 770, 1336}, {'6', 770, 1477}, {'7', 852, 1209}, {'8', 852, 1336},
                       {'9', 852, 1477}, {'k', 941, 1209}, {'0', 941, 1336}, {'s', 941, 1477},
                       {'n', 0, 480}};

void PutLE(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string ToneFor(const std::string& character) {
    if (character == "#") return "ps";
    if (character == "*") return "pk";
    std::string name = "p" + character;
    return WaveImage(name).empty() ? "pn" : name;
}

std::string WaveImage(const std::string& name) {
    if (name.size() != 2 || std::tolower((unsigned char)name[0]) != 'p') return {};
    char key = (char)std::tolower((unsigned char)name[1]);
    const Pair* pair = nullptr;
    for (const Pair& p : kPairs)
        if (p.key == key) pair = &p;
    if (!pair) return {};

    const int samples = kRate * kToneMs / 1000, fade = kRate * kFadeMs / 1000;
    const double pi = 3.14159265358979323846;
    std::string data;
    data.reserve(samples);
    for (int i = 0; i < samples; ++i) {
        double t = double(i) / kRate;
        double v = std::sin(2 * pi * pair->high * t);
        v = pair->low ? (v + std::sin(2 * pi * pair->low * t)) * 0.4 : v * 0.7;
        // Soft edges keep the speaker from clicking.
        int edge = std::min(i, samples - 1 - i);
        if (edge < fade) v *= double(edge) / fade;
        data += char(uint8_t(std::lround(128 + 127 * v)));
    }
    std::string out = "RIFF";
    PutLE(out, 36 + (uint32_t)data.size(), 4);
    out += "WAVEfmt ";
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);  // PCM
    PutLE(out, 1, 2);  // mono
    PutLE(out, kRate, 4);
    PutLE(out, kRate, 4);  // bytes per second
    PutLE(out, 1, 2);      // block size
    PutLE(out, 8, 2);      // bits per sample
    out += "data";
    PutLE(out, (uint32_t)data.size(), 4);
    return out + data;
}

void PlayNumber(const std::string& number, ToneSink& sink, const std::function<int()>& gap) {
    for (size_t i = 0; i < number.size(); i += rtl::SjisCharLen(number, i)) {
        std::string c = number.substr(i, rtl::SjisCharLen(number, i));
        if (c == ",") {
            sink.Pause(3000);
        } else if (c == "$") {
            sink.Pause(10000);
        } else {
            sink.Play(ToneFor(c));
            sink.Pause(gap());
        }
    }
}

}  // namespace tone
