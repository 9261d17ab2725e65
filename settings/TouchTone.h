// Dialling by the speaker: the touch tones of a phone number, made as WAVE images in memory, and
// the order of tones and pauses a number plays in. No window code here.
#pragma once
#include <functional>
#include <string>

namespace tone {

// The tone a character of a number plays: "p0".."p9" for digits, "ps" for "#", "pk" for "*", and
// "pn" for any character that has no tone of its own.
std::string ToneFor(const std::string& character);

// A mono 8-bit PCM WAVE image of the tone ("p0".."p9", "ps", "pk", "pn"; the name ignores case);
// empty for any other name. Digits and the two signs are the two-frequency pairs of the keypad.
std::string WaveImage(const std::string& name);

class ToneSink {
public:
    virtual ~ToneSink() = default;
    virtual void Play(const std::string& tone) = 0;  // returns when the tone has played
    virtual void Pause(int ms) = 0;
};

// Plays number character by character: "," pauses 3 s, "$" 10 s, any other character plays its
// tone followed by gap() milliseconds (asked afresh for every tone).
void PlayNumber(const std::string& number, ToneSink& sink, const std::function<int()>& gap);

}  // namespace tone
