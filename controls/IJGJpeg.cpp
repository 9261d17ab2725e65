#include "controls/IJGJpeg.h"

#include "toolkit/Application.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace {

constexpr UINT WM_IJG_PROGRESS = WM_USER + 100;  // 1124
constexpr UINT WM_IJG_ERROR = WM_USER + 101;     // 1125
constexpr int kBufferSize = 4096;

// One set for the whole program (see the header): the window the reports go to, the stop
// request, the last progress pair, the bar's remembered maximum and the last message.
HWND gReportTarget = nullptr;
bool gRunning = false;
bool gAbort = false;
int gProgMax = 0, gProgPos = 0;
int gBarMax = 0;
std::string gLastMessage;

int gOwnBusyFlag = 0;
int* gBusyFlag = &gOwnBusyFlag;

// Messages of our own BMP reader and writer, shown like the library's.
enum {
    JERR_BMP_NOTBMP = 1000,
    JERR_BMP_BADHEADER,
    JERR_BMP_EMPTY,
    JERR_BMP_BADDEPTH,
    JERR_BMP_COMPRESSED,
    JERR_BMP_TRUNCATED,
    JERR_BMP_COLORSPACE,
    JERR_BMP_LAST = JERR_BMP_COLORSPACE
};
const char* const kBmpMessages[] = {
    "BMPファイルではありません。",
    "BMPファイルのヘッダーが正しくありません。",
    "BMPファイルの画像の幅または高さが正しくありません（1以上が必要です）。",
    "この色数のBMPファイルは読み込めません（8、24、32ビットのみ）。",
    "圧縮されたBMPファイルは読み込めません。",
    "BMPファイルが途中で切れています。",
    "この色空間の画像はBMPファイルに書き出せません。",
    nullptr,
};

enum class Outcome { Ok, Stopped, Fatal, Pending };

struct ErrorMgr {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

struct ProgressMgr {
    jpeg_progress_mgr pub;
    int completed_extra_passes;
    int total_extra_passes;
    int percent_done;
};

struct SourceMgr {
    jpeg_source_mgr pub;
    rtl::TStream* stream;
    bool start_of_file;
    JOCTET buffer[kBufferSize];
};

struct DestMgr {
    jpeg_destination_mgr pub;
    rtl::TStream* stream;
    JOCTET buffer[kBufferSize];
};

void PutLE16(unsigned char* p, unsigned v) {
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
}
void PutLE32(unsigned char* p, unsigned v) {
    PutLE16(p, v & 0xFFFF);
    PutLE16(p + 2, v >> 16);
}
unsigned GetLE16(const unsigned char* p) { return p[0] | (p[1] << 8); }
unsigned GetLE32(const unsigned char* p) { return GetLE16(p) | (GetLE16(p + 2) << 16); }

}  // namespace

// Everything the library calls back into, and the parts of a run that a fatal error can end.
// A libjpeg error leaves through longjmp, never through a C++ exception: exceptions cannot
// unwind the library's C frames. So the frames a jump crosses hold no objects with
// destructors, and exceptions of our own code are caught in the callback, kept in `pending`
// and raised again once the run is back in C++ frames.
struct TIJGJpeg::Codec {
    TIJGJpeg* owner;
    jpeg_decompress_struct d{};
    jpeg_compress_struct c{};
    ErrorMgr err{};
    ProgressMgr progress{};
    SourceMgr src{};
    DestMgr dst{};
    Outcome outcome = Outcome::Ok;
    bool inErrorExit = false;
    std::exception_ptr pending;

    // BMP writer: rows gathered bottom-up, written out at the end.
    struct {
        int width = 0, height = 0, bits = 0, rowBytes = 0;
        unsigned char palette[256 * 4] = {};
        std::vector<unsigned char> image;
        std::vector<JSAMPLE> row;
        JSAMPROW rows[1] = {nullptr};
        JDIMENSION next = 0;
    } wr;
    // BMP reader: the file body read whole (rows are stored bottom-up), handed out top-down.
    struct {
        int width = 0, height = 0, bits = 0, rowBytes = 0, colors = 0;
        unsigned char palette[256 * 3] = {};  // B, G, R
        std::vector<unsigned char> image;
        std::vector<JSAMPLE> row;
        JSAMPROW rows[1] = {nullptr};
        int next = 0;
    } rd;

    explicit Codec(TIJGJpeg* o) : owner(o) {}

    static Codec* Of(j_common_ptr cinfo) { return (Codec*)cinfo->client_data; }

    [[noreturn]] void Jump(Outcome o) {
        outcome = o;
        std::longjmp(err.jump, 1);
    }

    // Runs a piece of our own code that may raise; an exception ends the run by a jump.
    template <class F>
    void Guarded(F&& f) {
        bool failed = false;
        try {
            f();
        } catch (...) {
            pending = std::current_exception();
            failed = true;
        }
        if (failed) Jump(Outcome::Pending);
    }

    // After a report came back: a handler's exception or a stop request ends the run now.
    void AfterReport() {
        if (pending) Jump(Outcome::Pending);
        if (gAbort && !inErrorExit) Jump(Outcome::Stopped);
    }

    void Report(int maximum, int position) {
        gProgMax = maximum;
        gProgPos = position;
        SendMessageA(gReportTarget, WM_IJG_PROGRESS, 0, 0);
        AfterReport();
    }

    // --- error manager ---
    static void OutputMessage(j_common_ptr cinfo) {
        char text[JMSG_LENGTH_MAX];
        (*cinfo->err->format_message)(cinfo, text);
        Codec* k = Of(cinfo);
        gLastMessage = text;
        SendMessageA(gReportTarget, WM_IJG_ERROR, 0, 0);
        k->AfterReport();
    }
    static void ErrorExit(j_common_ptr cinfo) {
        Codec* k = Of(cinfo);
        k->inErrorExit = true;
        (*cinfo->err->output_message)(cinfo);
        k->Jump(k->pending ? Outcome::Pending : Outcome::Fatal);
    }
    void SetUpErrors(j_common_ptr cinfo) {
        cinfo->err = jpeg_std_error(&err.pub);
        err.pub.error_exit = ErrorExit;
        err.pub.output_message = OutputMessage;
        err.pub.addon_message_table = kBmpMessages;
        err.pub.first_addon_message = JERR_BMP_NOTBMP;
        err.pub.last_addon_message = JERR_BMP_LAST;
        cinfo->client_data = this;
    }

    // --- progress monitor ---
    static void ProgressMonitor(j_common_ptr cinfo) {
        Codec* k = Of(cinfo);
        ProgressMgr& p = k->progress;
        int total = p.pub.total_passes + p.total_extra_passes;
        int percent = p.pub.pass_limit > 0 ? (int)(p.pub.pass_counter * 100L / p.pub.pass_limit) : 0;
        if (percent != p.percent_done) {
            p.percent_done = percent;
            if (total > 1) {
                k->Report(total * 100, (p.pub.completed_passes + p.completed_extra_passes) * 100 + percent);
                return;
            }
        }
        k->AfterReport();
    }
    void InstallProgress(j_common_ptr cinfo) {
        progress.pub.progress_monitor = ProgressMonitor;
        progress.completed_extra_passes = 0;
        progress.total_extra_passes = 0;
        progress.percent_done = -1;
        cinfo->progress = &progress.pub;
    }
    // Extra passes of our reader and writer (their whole-image copies).
    void ExtraPassStep(j_common_ptr cinfo, long counter, long limit) {
        if (!cinfo->progress) return;
        progress.pub.pass_counter = counter;
        progress.pub.pass_limit = limit;
        (*progress.pub.progress_monitor)(cinfo);
    }

    // --- stream source manager ---
    static void InitSource(j_decompress_ptr cinfo) { ((SourceMgr*)cinfo->src)->start_of_file = true; }
    static boolean FillInputBuffer(j_decompress_ptr cinfo) {
        SourceMgr* s = (SourceMgr*)cinfo->src;
        Codec* k = Of((j_common_ptr)cinfo);
        long n = 0;
        k->Guarded([&] { n = s->stream->Read(s->buffer, kBufferSize); });
        if (n <= 0) {
            if (s->start_of_file) ERREXIT(cinfo, JERR_INPUT_EMPTY);
            WARNMS(cinfo, JWRN_JPEG_EOF);
            s->buffer[0] = (JOCTET)0xFF;
            s->buffer[1] = (JOCTET)JPEG_EOI;
            n = 2;
        }
        s->pub.next_input_byte = s->buffer;
        s->pub.bytes_in_buffer = (size_t)n;
        s->start_of_file = false;
        return TRUE;
    }
    static void SkipInputData(j_decompress_ptr cinfo, long num_bytes) {
        jpeg_source_mgr* s = cinfo->src;
        if (num_bytes <= 0) return;
        while (num_bytes > (long)s->bytes_in_buffer) {
            num_bytes -= (long)s->bytes_in_buffer;
            (*s->fill_input_buffer)(cinfo);
        }
        s->next_input_byte += (size_t)num_bytes;
        s->bytes_in_buffer -= (size_t)num_bytes;
    }
    static void TermSource(j_decompress_ptr) {}
    void AttachSource(rtl::TStream* stream) {
        src.pub.init_source = InitSource;
        src.pub.fill_input_buffer = FillInputBuffer;
        src.pub.skip_input_data = SkipInputData;
        src.pub.resync_to_restart = jpeg_resync_to_restart;
        src.pub.term_source = TermSource;
        src.pub.bytes_in_buffer = 0;
        src.pub.next_input_byte = nullptr;
        src.stream = stream;
        d.src = &src.pub;
    }

    // --- stream destination manager ---
    static void InitDestination(j_compress_ptr cinfo) {
        DestMgr* m = (DestMgr*)cinfo->dest;
        m->pub.next_output_byte = m->buffer;
        m->pub.free_in_buffer = kBufferSize;
    }
    void WriteOut(j_common_ptr cinfo, const void* data, long count) {
        long n = 0;
        Guarded([&] { n = dst.stream->Write(data, count); });
        if (n != count) ERREXIT(cinfo, JERR_FILE_WRITE);
    }
    static boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
        DestMgr* m = (DestMgr*)cinfo->dest;
        Of((j_common_ptr)cinfo)->WriteOut((j_common_ptr)cinfo, m->buffer, kBufferSize);
        m->pub.next_output_byte = m->buffer;
        m->pub.free_in_buffer = kBufferSize;
        return TRUE;
    }
    static void TermDestination(j_compress_ptr cinfo) {
        DestMgr* m = (DestMgr*)cinfo->dest;
        long count = kBufferSize - (long)m->pub.free_in_buffer;
        if (count > 0) Of((j_common_ptr)cinfo)->WriteOut((j_common_ptr)cinfo, m->buffer, count);
    }
    void AttachDestination(rtl::TStream* stream) {
        dst.pub.init_destination = InitDestination;
        dst.pub.empty_output_buffer = EmptyOutputBuffer;
        dst.pub.term_destination = TermDestination;
        dst.stream = stream;
        c.dest = &dst.pub;
    }

    // --- BMP writer (Windows BMP, 8-bit with a palette or 24-bit) ---
    void WriterInit() {
        // The file is written after the last row arrives: one more pass for the bar.
        if (d.progress) progress.total_extra_passes++;
    }
    void WriterStart() {
        j_common_ptr ci = (j_common_ptr)&d;
        wr.width = (int)d.output_width;
        wr.height = (int)d.output_height;
        if (d.quantize_colors) {
            wr.bits = 8;
            for (int i = 0; i < d.actual_number_of_colors && i < 256; ++i) {
                bool rgb = d.out_color_components == 3;
                wr.palette[i * 4 + 0] = d.colormap[rgb ? 2 : 0][i];
                wr.palette[i * 4 + 1] = d.colormap[rgb ? 1 : 0][i];
                wr.palette[i * 4 + 2] = d.colormap[0][i];
            }
        } else if (d.out_color_space == JCS_GRAYSCALE) {
            wr.bits = 8;
            for (int i = 0; i < 256; ++i) wr.palette[i * 4] = wr.palette[i * 4 + 1] = wr.palette[i * 4 + 2] = (unsigned char)i;
        } else if (d.out_color_space == JCS_RGB && d.output_components == 3) {
            wr.bits = 24;
        } else {
            ERREXIT(ci, JERR_BMP_COLORSPACE);
        }
        wr.rowBytes = ((wr.width * (wr.bits / 8)) + 3) & ~3;
        Guarded([&] {
            wr.image.assign((size_t)wr.rowBytes * wr.height, 0);
            wr.row.assign((size_t)wr.width * d.output_components, 0);
        });
        wr.rows[0] = wr.row.data();
        wr.next = 0;
    }
    void WriterPut(JDIMENSION n) {
        for (JDIMENSION i = 0; i < n && wr.next < (JDIMENSION)wr.height; ++i, ++wr.next) {
            unsigned char* out = wr.image.data() + (size_t)(wr.height - 1 - wr.next) * wr.rowBytes;
            const JSAMPLE* in = wr.rows[i];
            if (wr.bits == 8) {
                std::memcpy(out, in, wr.width);
            } else {
                for (int x = 0; x < wr.width; ++x, in += 3, out += 3) {
                    out[0] = in[2];
                    out[1] = in[1];
                    out[2] = in[0];
                }
            }
        }
    }
    void WriterFinish() {
        j_common_ptr ci = (j_common_ptr)&d;
        unsigned char head[54] = {};
        unsigned paletteBytes = wr.bits == 8 ? 256 * 4 : 0;
        unsigned imageBytes = (unsigned)wr.rowBytes * wr.height;
        head[0] = 'B';
        head[1] = 'M';
        PutLE32(head + 2, 54 + paletteBytes + imageBytes);
        PutLE32(head + 10, 54 + paletteBytes);
        PutLE32(head + 14, 40);
        PutLE32(head + 18, wr.width);
        PutLE32(head + 22, wr.height);
        PutLE16(head + 26, 1);
        PutLE16(head + 28, wr.bits);
        PutLE32(head + 34, imageBytes);
        if (d.density_unit == 2) {  // dots per centimetre
            PutLE32(head + 38, d.X_density * 100);
            PutLE32(head + 42, d.Y_density * 100);
        } else if (d.density_unit == 1) {  // dots per inch
            PutLE32(head + 38, (unsigned)(d.X_density * 100 / 2.54 + 0.5));
            PutLE32(head + 42, (unsigned)(d.Y_density * 100 / 2.54 + 0.5));
        }
        if (wr.bits == 8) PutLE32(head + 46, 256);
        WriteBytes(ci, head, sizeof head);
        if (paletteBytes) WriteBytes(ci, wr.palette, paletteBytes);
        for (int r = 0; r < wr.height; ++r) {
            ExtraPassStep(ci, r, wr.height);
            WriteBytes(ci, wr.image.data() + (size_t)r * wr.rowBytes, wr.rowBytes);
        }
        if (d.progress) progress.completed_extra_passes++;
    }
    void WriteBytes(j_common_ptr cinfo, const void* data, long count) {
        long n = 0;
        Guarded([&] { n = owner->out_->Write(data, count); });
        if (n != count) ERREXIT(cinfo, JERR_FILE_WRITE);
    }

    // --- BMP reader (8-bit with a palette, 24 and 32-bit, uncompressed, bottom-up) ---
    void ReadBytes(void* buf, long count) {
        long n = 0;
        Guarded([&] { n = owner->in_->Read(buf, count); });
        if (n != count) ERREXIT((j_common_ptr)&c, JERR_BMP_TRUNCATED);
    }
    void ReaderStart() {
        j_common_ptr ci = (j_common_ptr)&c;
        rtl::TStream* in = owner->in_.get();
        int64_t fileSize = 0;
        Guarded([&] { fileSize = in->Size(); });
        unsigned char fh[14], ih[64] = {};
        if (fileSize < 18) ERREXIT(ci, fileSize == 0 ? JERR_BMP_EMPTY : JERR_BMP_TRUNCATED);
        ReadBytes(fh, 14);
        if (fh[0] != 'B' || fh[1] != 'M') ERREXIT(ci, JERR_BMP_NOTBMP);
        unsigned offBits = GetLE32(fh + 10);
        ReadBytes(ih, 4);
        unsigned headSize = GetLE32(ih);
        long width = 0, height = 0;
        unsigned planes = 0, compression = 0, colors = 0, xppm = 0, yppm = 0;
        int paletteEntry = 4;
        if (headSize == 12) {  // OS/2 1.x
            ReadBytes(ih + 4, 8);
            width = (long)GetLE16(ih + 4);
            height = (long)GetLE16(ih + 6);
            planes = GetLE16(ih + 8);
            rd.bits = (int)GetLE16(ih + 10);
            paletteEntry = 3;
        } else if (headSize >= 40 && headSize <= 124) {
            ReadBytes(ih + 4, 36);
            width = (long)(int32_t)GetLE32(ih + 4);
            height = (long)(int32_t)GetLE32(ih + 8);
            planes = GetLE16(ih + 12);
            rd.bits = (int)GetLE16(ih + 14);
            compression = GetLE32(ih + 16);
            xppm = GetLE32(ih + 24);
            yppm = GetLE32(ih + 28);
            colors = GetLE32(ih + 32);
            Guarded([&] { in->Seek(14 + headSize, rtl::SeekOrigin::Begin); });
            paletteEntry = 4;
        } else {
            ERREXIT(ci, JERR_BMP_BADHEADER);
        }
        if (planes != 1) ERREXIT(ci, JERR_BMP_BADHEADER);
        // Top-down files (negative height) are refused with the empty ones.
        if (width <= 0 || height <= 0) ERREXIT(ci, JERR_BMP_EMPTY);
        if (rd.bits != 8 && rd.bits != 24 && rd.bits != 32) ERREXIT(ci, JERR_BMP_BADDEPTH);
        if (compression != 0) ERREXIT(ci, JERR_BMP_COMPRESSED);
        if (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION) ERREXIT1(ci, JERR_IMAGE_TOO_BIG, JPEG_MAX_DIMENSION);
        rd.width = (int)width;
        rd.height = (int)height;
        rd.colors = 0;
        if (rd.bits == 8) {
            rd.colors = colors == 0 ? 256 : (int)colors;
            if (rd.colors > 256) ERREXIT(ci, JERR_BMP_BADHEADER);
            for (int i = 0; i < rd.colors; ++i) {
                unsigned char e[4];
                ReadBytes(e, paletteEntry);
                rd.palette[i * 3 + 0] = e[0];
                rd.palette[i * 3 + 1] = e[1];
                rd.palette[i * 3 + 2] = e[2];
            }
        }
        int64_t here = 0;
        Guarded([&] { here = in->Position(); });
        if ((int64_t)offBits < here) ERREXIT(ci, JERR_BMP_BADHEADER);
        rd.rowBytes = ((rd.width * rd.bits + 31) / 32) * 4;
        // Checked before anything is allocated: a short file cannot claim a huge picture.
        int64_t lastRow = ((int64_t)rd.width * rd.bits + 7) / 8;
        if ((int64_t)offBits + (int64_t)rd.rowBytes * (rd.height - 1) + lastRow > fileSize)
            ERREXIT(ci, JERR_BMP_TRUNCATED);
        Guarded([&] {
            in->Seek(offBits, rtl::SeekOrigin::Begin);
            rd.image.assign((size_t)rd.rowBytes * rd.height, 0);
            rd.row.assign((size_t)rd.width * 3, 0);
        });
        rd.rows[0] = rd.row.data();
        if (c.progress) progress.total_extra_passes++;
        for (int r = 0; r < rd.height; ++r) {
            ExtraPassStep(ci, r, rd.height);
            long want = r == rd.height - 1 ? (long)lastRow : rd.rowBytes;
            ReadBytes(rd.image.data() + (size_t)r * rd.rowBytes, want);
        }
        if (c.progress) progress.completed_extra_passes++;
        rd.next = 0;
        c.in_color_space = JCS_RGB;
        c.input_components = 3;
        c.data_precision = 8;
        c.image_width = (JDIMENSION)rd.width;
        c.image_height = (JDIMENSION)rd.height;
        if (xppm > 0 && yppm > 0) {  // dots per centimetre
            c.X_density = (UINT16)(xppm / 100);
            c.Y_density = (UINT16)(yppm / 100);
            c.density_unit = 2;
        }
    }
    JDIMENSION ReaderGet() {
        const unsigned char* in = rd.image.data() + (size_t)(rd.height - 1 - rd.next) * rd.rowBytes;
        JSAMPLE* out = rd.row.data();
        for (int x = 0; x < rd.width; ++x, out += 3) {
            if (rd.bits == 8) {
                const unsigned char* p = rd.palette + in[x] * 3;
                out[0] = p[2];
                out[1] = p[1];
                out[2] = p[0];
            } else {
                const unsigned char* p = in + x * (rd.bits / 8);
                out[0] = p[2];
                out[1] = p[1];
                out[2] = p[0];
            }
        }
        ++rd.next;
        return 1;
    }

    // --- the runs; a fatal error or a stop returns through setjmp ---
    void DecompressCore() {
        if (setjmp(err.jump)) return;
        SetUpErrors((j_common_ptr)&d);
        jpeg_create_decompress(&d);
        Guarded([&] {
            owner->in_->SetPosition(0);
            owner->out_->SetPosition(0);
        });
        AttachSource(owner->in_.get());
        jpeg_read_header(&d, TRUE);
        if (owner->Grayscale) {
            d.out_color_space = JCS_GRAYSCALE;
            d.quantize_colors = TRUE;
        }
        if (owner->Color256) {
            d.desired_number_of_colors = 256;
            d.dct_method = owner->Dct == dctFast ? JDCT_IFAST : owner->Dct == dctFloat ? JDCT_FLOAT : JDCT_ISLOW;
            d.dither_mode = owner->Dither == dithOrdr ? JDITHER_ORDERED
                            : owner->Dither == dithNone ? JDITHER_NONE
                                                        : JDITHER_FS;
            d.quantize_colors = TRUE;
        }
        if (owner->ProgressReport) InstallProgress((j_common_ptr)&d);
        WriterInit();
        jpeg_start_decompress(&d);
        WriterStart();
        while (d.output_scanline < d.output_height && !gAbort) {
            JDIMENSION n = jpeg_read_scanlines(&d, wr.rows, 1);
            WriterPut(n);
        }
        // A stop leaves without finishing: finishing a short image is an error of its own.
        if (gAbort) {
            outcome = Outcome::Stopped;
            return;
        }
        WriterFinish();
        jpeg_finish_decompress(&d);
        if (owner->ProgressReport) Report(0, -1);
        outcome = Outcome::Ok;
    }

    void CompressCore() {
        if (setjmp(err.jump)) return;
        SetUpErrors((j_common_ptr)&c);
        jpeg_create_compress(&c);
        c.in_color_space = JCS_RGB;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, owner->quality_, TRUE);
        if (owner->Progressive) jpeg_simple_progression(&c);
        Guarded([&] {
            owner->in_->SetPosition(0);
            owner->out_->SetPosition(0);
        });
        if (owner->ProgressReport) InstallProgress((j_common_ptr)&c);
        ReaderStart();
        jpeg_default_colorspace(&c);
        AttachDestination(owner->out_.get());
        jpeg_start_compress(&c, TRUE);
        while (c.next_scanline < c.image_height && !gAbort) {
            JDIMENSION n = ReaderGet();
            jpeg_write_scanlines(&c, rd.rows, n);
        }
        if (gAbort) {
            outcome = Outcome::Stopped;
            return;
        }
        jpeg_finish_compress(&c);
        if (owner->ProgressReport) Report(0, -1);
        outcome = Outcome::Ok;
    }

    void Reset() {
        outcome = Outcome::Ok;
        inErrorExit = false;
        pending = nullptr;
    }
    void Release() {
        jpeg_destroy_decompress(&d);
        jpeg_destroy_compress(&c);
        d = jpeg_decompress_struct{};
        c = jpeg_compress_struct{};
        wr.image = {};
        wr.row = {};
        rd.image = {};
        rd.row = {};
    }
};

TIJGJpeg::TIJGJpeg() : codec_(std::make_unique<Codec>(this)) {
    window_ = tk::CreateMessageWindow("OrbalIJGJpeg", WndProc);
    SetWindowLongPtrA(window_, GWLP_USERDATA, (LONG_PTR)this);
}

TIJGJpeg::~TIJGJpeg() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (gReportTarget == window_) gReportTarget = nullptr;
}

void TIJGJpeg::SetQuality(int q) { quality_ = std::clamp(q, 0, 100); }

tk::ProgressBar* TIJGJpeg::ProgressBar() const {
    // The bar is gone once its window is (or is another control's now).
    if (bar_ && IsWindow(barWindow_) && tk::Control::FromHandle(barWindow_) == bar_) return bar_;
    return nullptr;
}

void TIJGJpeg::SetProgressBar(tk::ProgressBar* bar) {
    bar_ = bar;
    barWindow_ = bar ? bar->Handle : nullptr;
}

void TIJGJpeg::SetInStream(rtl::TStream* s) {
    if (s != in_.get()) in_.reset(s);
}

void TIJGJpeg::SetOutStream(rtl::TStream* s) {
    if (s != out_.get()) out_.reset(s);
}

void TIJGJpeg::FreeStreams() {
    in_.reset();
    out_.reset();
}

LRESULT CALLBACK TIJGJpeg::WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = (TIJGJpeg*)GetWindowLongPtrA(h, GWLP_USERDATA);
    if (self && (msg == WM_IJG_PROGRESS || msg == WM_IJG_ERROR)) {
        // Handlers run inside the library's call chain: nothing may leave here by exception.
        try {
            if (msg == WM_IJG_PROGRESS) self->WMProgress();
            else self->WMError();
        } catch (const EIJGInnerError&) {
            if (self->runState_) gAbort = true;
        } catch (...) {
            if (self->runState_) self->codec_->pending = std::current_exception();
        }
        return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

void TIJGJpeg::WMProgress() {
    if (OnCallback) OnCallback(gProgMax, gProgPos);
    if (tk::ProgressBar* bar = ProgressBar()) {
        if (progressBarFresh_) {
            progressBarFresh_ = false;
            bar->SetRange(0, gProgMax);
            gBarMax = gProgMax;
        }
        bar->SetPosition(gProgPos < 0 ? gBarMax : gProgPos);
    }
}

void TIJGJpeg::WMError() {
    if (OnError) OnError(gLastMessage);
    if (ErrorStop && runState_ != 0) gAbort = true;
}

bool TIJGJpeg::Decompress() { return Run(2); }
bool TIJGJpeg::Compress() { return Run(1); }

bool TIJGJpeg::Run(int state) {
    // A second run would overwrite the shared state under the first one (and, on this instance,
    // its library records); callers keep to the busy flag, this is the last line.
    if (gRunning) throw EIJGJpegError("JPEGの変換が実行中です。");
    gRunning = true;
    progressBarFresh_ = true;
    runState_ = state;
    gAbort = false;
    Codec& k = *codec_;
    k.Reset();
    bool finished = false;
    try {
        if (OnStart) OnStart();
        if (!in_ || !out_) throw EIJGJpegError("入出力ストリームの準備が出来ていません。");
        gReportTarget = window_;
        if (state == 2) k.DecompressCore();
        else k.CompressCore();
        if (k.outcome == Outcome::Ok) {
            finished = true;
            out_->SetPosition(0);
            try {
                if (OnFinish) OnFinish();
            } catch (const EIJGInnerError&) {
            }
        }
    } catch (...) {
        EndRun(false);
        throw;
    }
    EndRun(finished);
    if (k.outcome == Outcome::Pending) std::rethrow_exception(k.pending);
    if (k.outcome == Outcome::Fatal) throw EIJGJpegError(gLastMessage);
    return finished;
}

void TIJGJpeg::EndRun(bool finished) {
    codec_->Release();
    runState_ = 0;
    gRunning = false;
    // What an unfinished run wrote is no picture: a file made for it goes.
    std::string partial;
    if (!finished)
        if (auto* f = dynamic_cast<rtl::TFileStream*>(out_.get()); f && f->Mode == rtl::fmCreate) partial = f->FileName;
    FreeStreams();
    if (!partial.empty()) DeleteFileA(partial.c_str());
    if (tk::ProgressBar* bar = ProgressBar()) bar->SetPosition(0);
}

void BindJpegBusyFlag(int* flag) { gBusyFlag = flag ? flag : &gOwnBusyFlag; }

int& JpegBusyFlag() { return *gBusyFlag; }

bool RunJpegConversion(const std::function<void()>& conversion) {
    if (JpegBusyFlag() != 0) return false;
    JpegBusyFlag() = 1;
    try {
        conversion();
    } catch (...) {
        JpegBusyFlag() = 0;
        throw;
    }
    JpegBusyFlag() = 0;
    return true;
}

void SaveBitmapToStream(const tk::TBitmap& bmp, rtl::TStream& out) {
    if (bmp.Empty()) throw EIJGJpegError("画像がありません。");
    std::string bytes = bmp.BmpFileBytes();
    if (bytes.empty()) throw EIJGJpegError("画像を読み取れません。");
    out.WriteBuffer(bytes.data(), (long)bytes.size());
}

bool LoadBitmapFromStream(tk::TBitmap& bmp, rtl::TStream& in) {
    int64_t start = in.Position(), size = in.Size() - start;
    if (size < 54 || size > 0x7FFFFFFF) return false;
    std::vector<unsigned char> data((size_t)size);
    if (in.Read(data.data(), (long)size) != (long)size) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    unsigned offBits = GetLE32(&data[10]);
    auto* bi = (BITMAPINFO*)&data[14];
    const BITMAPINFOHEADER& h = bi->bmiHeader;
    if (h.biSize < 40 || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1) return false;
    if (h.biBitCount != 8 && h.biBitCount != 24 && h.biBitCount != 32) return false;
    if (h.biCompression != BI_RGB) return false;
    unsigned colors = h.biBitCount == 8 ? (h.biClrUsed ? h.biClrUsed : 256) : 0;
    if (colors > 256 || 14 + h.biSize + colors * 4 > offBits) return false;
    int rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    int64_t stride = (((int64_t)h.biWidth * h.biBitCount + 31) / 32) * 4;
    if ((int64_t)offBits + stride * rows > size) return false;
    // The header is copied so a V4/V5 header reads as a plain one.
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    std::memcpy(info.data(), &h, sizeof(BITMAPINFOHEADER));
    auto* bi2 = (BITMAPINFO*)info.data();
    bi2->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi2->bmiHeader.biClrUsed = colors;
    if (colors) std::memcpy(bi2->bmiColors, &data[14 + h.biSize], colors * 4);
    void* bits = nullptr;
    HBITMAP hb = CreateDIBSection(nullptr, bi2, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hb) return false;
    std::memcpy(bits, &data[offBits], (size_t)(stride * rows));
    bmp.Assign(hb);
    return true;
}
