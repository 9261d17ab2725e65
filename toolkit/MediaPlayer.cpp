#include "toolkit/MediaPlayer.h"

#include <windows.h>
#include <mmsystem.h>

#include "toolkit/rtl/SysUtils.h"

namespace tk {

static std::function<unsigned(const std::string&, std::string&)> gHook;
static unsigned gNextAlias = 1;

// Refused calls carry no MCI code of their own; these stand for them.
constexpr unsigned kNotOpen = MCIERR_DEVICE_NOT_READY;
constexpr unsigned kWrongThread = MCIERR_DEVICE_LOCKED;

void SetMciHookForTest(std::function<unsigned(const std::string&, std::string&)> hook) { gHook = std::move(hook); }

MediaPlayer::MediaPlayer() : alias_("orbal_mp" + rtl::IntToStr(gNextAlias++)) {}

MediaPlayer::~MediaPlayer() { Close(); }

bool MediaPlayer::Send(const std::string& command, std::string* reply) noexcept {
    try {
        std::string text;
        unsigned err;
        if (gHook) {
            err = gHook(command, text);
        } else {
            char buf[256] = {};
            err = mciSendStringA(command.c_str(), buf, sizeof buf, nullptr);
            text = buf;
        }
        Error = err;
        ErrorMessage.clear();
        if (err) {
            char msg[256] = {};
            if (mciGetErrorStringA(err, msg, sizeof msg)) ErrorMessage = msg;
        }
        if (reply) *reply = text;
        return err == 0;
    } catch (...) {
        Error = MCIERR_OUT_OF_MEMORY;
        ErrorMessage.clear();
        return false;
    }
}

bool MediaPlayer::OnOwnThread() noexcept {
    if (thread_ == GetCurrentThreadId()) return true;
    Error = kWrongThread;
    ErrorMessage.clear();
    return false;
}

bool MediaPlayer::Open() noexcept {
    if (open_ && !Close()) return false;
    if (FileName.empty()) {
        Error = MCIERR_FILENAME_REQUIRED;
        ErrorMessage.clear();
        return false;
    }
    try {
        std::string cmd = "open \"" + FileName + "\" alias " + alias_;
        if (Shareable) cmd += " shareable";
        if (!Send(cmd)) return false;
    } catch (...) {
        Error = MCIERR_OUT_OF_MEMORY;
        return false;
    }
    open_ = true;
    thread_ = GetCurrentThreadId();
    Send("set " + alias_ + " time format milliseconds");  // MIDI defaults to another unit
    Error = 0;
    ErrorMessage.clear();
    return true;
}

bool MediaPlayer::Play() noexcept {
    if (!open_) {
        Error = kNotOpen;
        ErrorMessage.clear();
        return false;
    }
    if (!OnOwnThread()) return false;
    // "play ... wait" is not used: some drivers refuse it outright, and it cannot be capped.
    if (!Send("play " + alias_ + " from 0")) return false;
    if (!Wait) return true;
    int length = Length();
    DWORD cap = length >= 0 ? DWORD(length) + 1000 : 60000;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < cap) {
        std::string mode;
        if (!Send("status " + alias_ + " mode", &mode) || mode != "playing") break;
        Sleep(15);
    }
    Error = 0;
    ErrorMessage.clear();
    return true;
}

bool MediaPlayer::Stop() noexcept {
    if (!open_) {
        Error = kNotOpen;
        ErrorMessage.clear();
        return false;
    }
    if (!OnOwnThread()) return false;
    return Send("stop " + alias_);
}

bool MediaPlayer::Close() noexcept {
    if (!open_) {
        Error = 0;
        ErrorMessage.clear();
        return true;
    }
    if (!OnOwnThread()) return false;
    // Always by our own alias: closing every device at once can hang once the opener has gone.
    open_ = false;
    return Send("close " + alias_);
}

int MediaPlayer::Length() noexcept {
    std::string reply;
    if (!open_ || !OnOwnThread() || !Send("status " + alias_ + " length", &reply)) return -1;
    int ms;
    return rtl::TryStrToInt(reply, ms) && ms >= 0 ? ms : -1;
}

std::string MediaPlayer::Mode() noexcept {
    std::string reply;
    if (!open_ || !OnOwnThread() || !Send("status " + alias_ + " mode", &reply)) return {};
    return reply;
}

}  // namespace tk
