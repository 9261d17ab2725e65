// A media player over MCI command strings (WAVE and MIDI files). It never raises: every call
// reports failure through its result and Error/ErrorMessage. Use it from the UI thread only: the
// device belongs to the thread that opened it, and calls from any other thread are refused.
#pragma once
#include <functional>
#include <string>

namespace tk {

class MediaPlayer {
public:
    MediaPlayer();
    ~MediaPlayer();  // closes the device
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    std::string FileName;
    bool Shareable = false;
    bool Wait = false;  // Play returns only when the sound has ended

    // Opens FileName, closing the device opened before.
    bool Open() noexcept;
    // Plays from the start. With Wait, returns once the device stops playing, but no later than
    // the sound's length plus a margin (some drivers never report the end).
    bool Play() noexcept;
    bool Stop() noexcept;
    // Closes this player's own device. Closing a player that is not open does nothing and succeeds.
    bool Close() noexcept;
    bool IsOpen() const { return open_; }
    // Length in milliseconds, or -1 when not open or unknown.
    int Length() noexcept;
    // "playing", "stopped", "paused"...; empty when not open.
    std::string Mode() noexcept;

    unsigned Error = 0;  // MCI error code of the last call, 0 after a success
    std::string ErrorMessage;

private:
    bool Send(const std::string& command, std::string* reply = nullptr) noexcept;
    bool OnOwnThread() noexcept;
    std::string alias_;
    bool open_ = false;
    unsigned long thread_ = 0;
};

// Test seam: while set, every MCI command string goes to the hook instead of the system; the hook
// returns the MCI error code (0 = success) and may fill the reply text.
void SetMciHookForTest(std::function<unsigned(const std::string& command, std::string& reply)> hook);

}  // namespace tk
