// The biorhythm page: the birthdays to choose from and the three curves over the shown month.
#include "mainwindow/AroundRules.h"
#include "mainwindow/Main.h"
#include "schedule/ScheduleName.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"

namespace ik = inikey;

void TForm1::FillPersonList() {
    ComboBox2.Items.Clear();
    auto ini = settings::Open();
    std::string dir = ini.ReadString(ik::Calendar::Section, ik::Calendar::Directory, ".");
    if (dir == ".") return;
    rtl::TStringList people;
    people.Sorted = true;
    tk::TSearchRec r;
    for (int rc = tk::FindFirst(dir + "\\BORN*.*", tk::faAnyFile & ~tk::faDirectory, r); rc == 0; rc = tk::FindNext(r)) {
        NameFields f = DecodeName(r.Name);
        if (f.kind != NameKind::Birthday) continue;  // stray files are not people
        people.Add(rtl::ZeroPad(f.year, 4) + "/" + rtl::ZeroPad(f.month, 2) + "/" + rtl::ZeroPad(f.day, 2));
    }
    tk::FindClose(r);
    ComboBox2.Items.AddStrings(people.Strings);
    ComboBox2.SetText(ini.ReadString(ik::Bio::Section, ik::Bio::BD, rtl::FormatDateTime("yyyy/mm/dd", rtl::Date())));
    ComboBox2Change();
}

void TForm1::ComboBox2Change() {
    rtl::TDateTime D;
    if (!rtl::TryEncodeDate(CalendarEx1.Year(), CalendarEx1.Month(), CalendarEx1.Day(), D)) return;
    Panel16.SetCaption(rtl::FormatDateTime("yyyy", D));
    Panel11.SetCaption(rtl::FormatDateTime("m", D));
    tk::TCanvas& c = Image2.Canvas();
    const int W = Image2.Width(), H = Image2.Height(), col = W / 30, y0 = H / 2;
    c.Brush.Color = tk::clWhite;
    c.Brush.Style = tk::BrushStyle::Solid;
    c.FillRect({0, 0, W, H});
    // Today's line only in the current month; 0 never matches a day line.
    int today = 0;
    if (rtl::FormatDateTime("yyyymm", D) == rtl::FormatDateTime("yyyymm", rtl::Date()))
        today = std::atoi(rtl::FormatDateTime("d", rtl::Date()).c_str());
    for (int k = 0; k <= 31; ++k) {
        static const tk::TPen kLines[4] = {{.Color = tk::clRed}, {.Color = tk::clBlack},
                                           {.Color = tk::clBlack, .Style = tk::PenStyle::Dot},
                                           {.Color = tk::clSilver, .Style = tk::PenStyle::Dot}};
        c.Pen = kLines[(int)BioGridLine(k, today)];
        c.MoveTo(col * k, 0);
        c.LineTo(col * k, H);
    }
    c.Pen = {.Color = tk::clBlack, .Width = 2};
    c.MoveTo(0, y0);
    c.LineTo(W, y0);

    std::string text = ComboBox2.Text();
    // Characters 1-4, 6-7 and 9-10, as far as the text reaches.
    auto field = [&](size_t at, size_t n) { return rtl::StrToIntDef(at < text.size() ? text.substr(at, n) : "", 0); };
    rtl::TDateTime born;
    if (!rtl::TryEncodeDate(field(0, 4), field(5, 2), field(8, 2), born)) {
        Image2.Invalidate();
        return;
    }
    long long n = (long long)(rtl::EncodeDate(CalendarEx1.Year(), CalendarEx1.Month(), 1) - born) - 1;
    const struct {
        int period;
        tk::TColor colour;
    } curves[3] = {{23, tk::clRed}, {28, tk::clBlue}, {33, tk::clGreen}};
    // Half the height less the pen's width: with the full half a peak's 2-pixel line ran along
    // the picture's edge and lost its outer row there.
    const int amplitude = H / 2 - 2;
    for (auto& curve : curves) {
        c.Pen = {.Color = curve.colour, .Width = 2};
        auto y = [&](int k) { return y0 - BiorhythmValue(n, k, curve.period, amplitude); };
        c.MoveTo(0, y(0));
        for (int k = 0; k <= 31; ++k) c.LineTo(col * k, y(k));
    }
    Image2.Invalidate();
    settings::Open().WriteString(ik::Bio::Section, ik::Bio::BD, text);
}
