// JPEG <-> Windows BMP conversion over libjpeg, with progress and codec-message reports.
// The codec keeps one set of state for the whole program, so one conversion runs at a time:
// callers go through the busy flag (RunJpegConversion) before they start one.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "toolkit/Control.h"
#include "toolkit/Graphics.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/rtl/Streams.h"
#include "toolkit/rtl/SysUtils.h"

// A usage error, or a conversion the codec could not finish (its message says why).
class EIJGJpegError : public rtl::Exception {
public:
    using Exception::Exception;
};
// Raised by an event handler to end the running conversion quietly.
class EIJGInnerError : public rtl::Exception {
public:
    using Exception::Exception;
};

enum TDctMode { dctInt, dctFast, dctFloat };
enum TDitherMode { dithFS, dithOrdr, dithNone };

class TIJGJpeg {
public:
    TIJGJpeg();
    ~TIJGJpeg();  // the streams are freed by the runs and FreeStreams, not here
    TIJGJpeg(const TIJGJpeg&) = delete;
    TIJGJpeg& operator=(const TIJGJpeg&) = delete;

    int Tag = 0;
    bool Progressive = false;
    bool ProgressReport = true;  // install the progress monitor
    bool ErrorStop = true;       // a codec message stops the run
    bool Color256 = false;       // decode to at most 256 colours
    bool Grayscale = false;
    TDctMode Dct = dctInt;
    TDitherMode Dither = dithFS;
    int Quality() const { return quality_; }
    void SetQuality(int q);  // clamped to 0..100

    // The bar the runs move, or none; it becomes none when its window goes.
    tk::ProgressBar* ProgressBar() const;
    void SetProgressBar(tk::ProgressBar* bar);

    std::function<void(int maximum, int position)> OnCallback;
    std::function<void(const std::string& errorMsg)> OnError;
    std::function<void()> OnStart, OnFinish;

    // The component owns the streams it is given; a different stream frees the current one.
    void SetInStream(rtl::TStream* s);
    void SetOutStream(rtl::TStream* s);
    rtl::TStream* InStream() const { return in_.get(); }
    rtl::TStream* OutStream() const { return out_.get(); }
    void FreeStreams();

    // One conversion each: JPEG in-stream to BMP out-stream, and BMP to JPEG. Both free both
    // streams however they end. True when the run finished (OnFinish ran, out-stream rewound
    // before it); false when a stop ended it (a file out-stream is then deleted). A fatal codec
    // error raises EIJGJpegError after the clean-up, as does a missing stream.
    bool Decompress();
    bool Compress();

    HWND Handle() const { return window_; }
    int RunState() const { return runState_; }  // 0 idle, 1 compressing, 2 decompressing

    struct Codec;  // libjpeg records and our managers

private:
    static LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void WMProgress();
    void WMError();
    bool Run(int state);
    void EndRun(bool finished);

    HWND window_ = nullptr;
    bool progressBarFresh_ = false;
    std::unique_ptr<Codec> codec_;
    std::unique_ptr<rtl::TStream> in_, out_;
    int quality_ = 75;
    tk::ProgressBar* bar_ = nullptr;
    HWND barWindow_ = nullptr;
    int runState_ = 0;
    friend struct Codec;
};

// The program's one codec busy flag. The main window binds it to its Setup2.Tag; until then
// the flag is a variable of its own.
void BindJpegBusyFlag(int* flag);
int& JpegBusyFlag();
// Runs one conversion under the busy flag. Refused (false, nothing run) while the flag is 1;
// otherwise sets it, runs, and clears it however the conversion ends (also when it raises).
bool RunJpegConversion(const std::function<void()>& conversion);

// BMP bytes and bitmaps: what the codec reads and writes.
void SaveBitmapToStream(const tk::TBitmap& bmp, rtl::TStream& out);  // 24-bit
bool LoadBitmapFromStream(tk::TBitmap& bmp, rtl::TStream& in);      // from the stream's position
