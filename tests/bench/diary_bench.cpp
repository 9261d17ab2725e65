// How long the diary takes to open a day whose body is 50 KB of formatted rich text (from the main
// window's command to the painted window) and to save that day.
// Usage: diary_bench.exe [runs]   (default 21)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "mainwindow/Main.h"
#include "notes/DiaryFile.h"
#include "notes/Nikki.h"
#include "settings/Settings.h"
#include "tests/bench/BenchFolder.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Sound.h"

using bench::Median;
using bench::NowMs;

namespace {

std::string Escaped(const std::string& sjis) {
    std::string r;
    char hex[8];
    for (unsigned char c : sjis) {
        if (c >= 0x80 || c == '\\' || c == '{' || c == '}') {
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            r += hex;
        } else {
            r += (char)c;
        }
    }
    return r;
}

// Paragraphs of Japanese text in two faces, sizes, colours, bold, italic, underline, strike-out,
// bullets and indents, until the stream is at least size bytes.
std::string FormattedRtf(size_t size) {
    std::string r = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 \\'82\\'6c\\'82\\'72 "
                    "\\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}{\\f1\\fcharset128 \\'82\\'6c\\'82\\'72 "
                    "\\'96\\'be\\'92\\'a9;}}{\\colortbl ;\\red0\\green0\\blue128;\\red255\\green0\\blue0;"
                    "\\red0\\green128\\blue0;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    const char* lines[] = {"朝から快晴。表の通りの藤が満開で、紫の花がとてもきれいだった。",
                           "午後は友人と美術館へ。帰りに雨がぱらついたが、すぐに止んだ。",
                           "資料の下書きを仕上げる。十時に歯医者、ソファの配達は午前中。",
                           "長い文章は右の余白で折り返されて、次の行へ続きます。字下げした段落もあります。"};
    for (int i = 0; r.size() < size; ++i) {
        std::string text = Escaped(lines[i % 4]);
        switch (i % 6) {
            case 0: r += "\\pard\\qc\\cf1\\b\\fs28 " + text + "\\b0\\fs20\\cf0\\par "; break;
            case 1: r += "\\pard\\fi-240\\li480\\ri360 {\\cf2 " + text + "}\\par "; break;
            case 2: r += "\\pard{\\pntext\\f0 *\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb *}}\\fi-200\\li200 " + text + "\\par "; break;
            case 3: r += "\\pard{\\ul " + text + "}{\\strike  " + Escaped("取り消し") + "}\\par "; break;
            case 4: r += "\\pard\\qr\\f1\\i " + text + "\\i0\\f0\\par "; break;
            default: r += "\\pard{\\cf3\\fs24 " + text + "}\\par "; break;
        }
    }
    return r + "}\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    if (runs < 1) runs = 21;
    tk::Application.Initialize();
    tk::SetSoundHookForTest([](const tk::SoundCall&) {});
    char tmp[MAX_PATH];
    GetTempPathA(sizeof tmp, tmp);
    std::string data = std::string(tmp) + "orbal-diarybench";
    tk::ForceDirectories(data + "\\Diary");
    settings::SetIniPathForTest(data + "\\orbal98.ini");
    {
        auto ini = settings::Open();
        ini.WriteInteger("Horiday", "Set", 1);
        ini.WriteString("Calendar", "Directory", data);
        ini.WriteInteger("Form", "Open", 1);
    }
    const int y = 2024, m = 5, d = 3;
    int day = (int)rtl::EncodeDate(y, m, d);
    std::string path = data + "\\Diary\\" + diary::DayFileName(day);
    std::string rtf = FormattedRtf(50 * 1024);
    diary::DayHeader h;
    h.title = "五月三日";
    h.weather = "晴 のち 曇";
    tk::WriteFileBytes(path, diary::ComposeDayFile(h, rtf, diary::Layout::DayFile));

    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    Form1->CalendarEx1.SetYear(y);
    Form1->CalendarEx1.SetDay(1);
    Form1->CalendarEx1.SetMonth(m);
    Form1->CalendarEx1.SetDay(d);
    tk::Application.ProcessMessages();

    std::vector<double> open, save;
    int chars = 0, paragraphs = 0;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        Form1->Diary1Click();
        TForm8* w = FindOpenDiary(day);
        if (!w) {
            std::printf("the diary did not open\n");
            return 1;
        }
        RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        open.push_back(NowMs() - s);
        chars = w->RichEdit1.GetTextLen();
        paragraphs = w->RichEdit1.Lines.Count();
        s = NowMs();
        if (!w->SaveDay()) {
            std::printf("the save failed\n");
            return 1;
        }
        save.push_back(NowMs() - s);
        // Closed without a second save, so every run opens the same file.
        w->PanelButton9.Tag = 1;
        w->Close();
        tk::Application.ProcessMessages();
    }
    // Where the time of an opening goes.
    std::vector<double> create, load, paint;
    for (int i = 0; i < runs; ++i) {
        double s = NowMs();
        TForm8* w = new TForm8;
        create.push_back(NowMs() - s);
        w->StatusBar1.Tag = day;
        s = NowMs();
        w->Show();
        load.push_back(NowMs() - s);
        s = NowMs();
        RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        paint.push_back(NowMs() - s);
        w->PanelButton9.Tag = 1;
        w->Close();
        tk::Application.ProcessMessages();
    }
    std::string saved;
    tk::ReadFileBytes(path, saved);
    std::printf("day file %s: %d bytes (body %d bytes of rich text), %d characters in %d paragraphs\n",
                path.c_str(), (int)saved.size(), (int)rtf.size(), chars, paragraphs);
    std::printf("open (command to painted window, %d runs): median %.2f ms, first %.2f ms, max %.2f ms\n", runs,
                Median(open), open[0], *std::max_element(open.begin(), open.end()));
    std::printf("  of which the window %.2f ms, showing and reading the day %.2f ms, painting %.2f ms\n",
                Median(create), Median(load), Median(paint));
    std::printf("save (header and rich text in one safe replacement, %d runs): median %.2f ms, max %.2f ms\n", runs,
                Median(save), *std::max_element(save.begin(), save.end()));
    return 0;
}
