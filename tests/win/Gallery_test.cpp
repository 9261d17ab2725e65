// One form with every standard control, Japanese captions throughout, for a look at the screen.
// Run by hand: win_tests.exe --gtest_also_run_disabled_tests --gtest_filter=TkGallery.*
// (ORBAL_GALLERY_MS sets how long the form stays up.)
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "tests/win/WinTest.h"
#include "toolkit/Bevel.h"
#include "toolkit/Buttons.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/SpinEdit.h"

namespace {

struct Gallery : tk::Form {
    tk::Panel Panel1, Panel2, Panel3, Panel4;
    tk::Label Label1, Label2, Label3, Label4, Label5, Label6;
    tk::Bevel Bevel1, Bevel2;
    tk::Button Button1;
    tk::BitBtn BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6;
    tk::Edit Edit1, Edit2;
    tk::Memo Memo1;
    tk::CheckBox CheckBox1, CheckBox2;
    tk::RadioButton RadioButton1, RadioButton2;
    tk::GroupBox GroupBox1;
    tk::RadioGroup RadioGroup1, RadioGroup2;
    tk::ComboBox ComboBox1, ComboBox2;
    tk::ListBox ListBox1, ListBox2;
    tk::SpinEdit SpinEdit1, SpinEdit2;

    Gallery() : Form({.caption = "コントロール見本", .left = 0, .top = 0, .width = 1000, .height = 740}) {
        using namespace tk;
        Panel1.Create(*this, {.at = {0, 0, 0, 30}, .caption = "パネル：上揃え（浮き出し）", .align = Align::Top});
        Panel2.Create(*this, {.at = {0, 0, 0, 26}, .caption = "左寄せの表示　Popup 12:30", .align = Align::Bottom,
                              .color = clInfoBk, .style = pnOuterLowered | pnCaptionLeft});
        Panel3.Create(*this, {.at = {8, 40, 230, 120}, .caption = "二重の枠", .style = pnInnerLowered | pnBorderSingle});
        Panel3.SetBevelWidth(2);
        Panel3.SetBorderWidth(2);
        Label5.Create(Panel3, {.at = {4, 4, 0, 0}, .caption = "パネルの中のラベル"});
        Panel4.Create(Panel3, {.at = {0, 0, 0, 24}, .caption = "下揃えの子パネル", .align = Align::Bottom,
                               .color = clSilver, .style = pnCaptionRight});
        Label6.Create(Panel4, {.at = {4, 4, 0, 0}, .caption = "透明ラベル", .font = TFont{.Color = clNavy},
                               .style = lsTransparent});

        Label1.Create(*this, {.at = {250, 40, 0, 0}, .caption = "ラベル（自動サイズ）"});
        Label2.Create(*this, {.at = {250, 62, 200, 0}, .caption = "中央揃え・赤い文字",
                              .font = TFont{.Color = clRed, .Style = fsBold}, .style = lsNoAutoSize | lsCenter});
        Label2.SetHeight(18);
        Label3.Create(*this, {.at = {250, 84, 200, 0},
                              .caption = "折り返しのあるラベルです。長い文章は幅に合わせて次の行へ送られます。",
                              .style = lsWordWrap});
        Label4.Create(*this, {.at = {250, 130, 200, 0}, .caption = "使用不可のラベル", .enabled = false});

        Bevel1.Create(*this, {.at = {470, 40, 240, 120}, .style = bsFrame});
        Bevel2.Create(*this, {.at = {480, 140, 220, 10}, .style = bsTopLine});
        Button1.Create(*this, {.at = {480, 50, 100, 25}, .caption = "ボタン(&B)"});
        BitBtn1.Create(*this, {.at = {590, 50, 110, 25}, .style = bkOK});
        BitBtn2.Create(*this, {.at = {480, 80, 110, 25}, .style = bkCancel});
        BitBtn3.Create(*this, {.at = {595, 80, 105, 25}, .style = bkClose});
        BitBtn4.Create(*this, {.at = {480, 110, 70, 25}, .style = bkYes});
        BitBtn5.Create(*this, {.at = {555, 110, 70, 25}, .style = bkNo});
        BitBtn6.Create(*this, {.at = {630, 110, 70, 25}, .caption = "中止", .enabled = false, .style = bkAbort});

        Edit1.Create(*this, {.at = {8, 175, 230, 22}, .caption = "一行の入力欄ＡＢＣ"});
        Edit2.Create(*this, {.at = {8, 202, 230, 22}, .caption = "秘密", .style = esPassword});
        Memo1.Create(*this, {.at = {8, 230, 230, 120}, .style = esVScroll});
        Memo1.Lines.Assign(std::vector<std::string>{"複数行のメモ欄です。", "二行目：折り返しあり。とても長い行は右端で折り返されて表示されます。",
                                                "三行目～終わり"});

        CheckBox1.Create(*this, {.at = {250, 175, 200, 20}, .caption = "チェックボックス（オン）", .style = cbChecked});
        CheckBox2.Create(*this, {.at = {250, 197, 200, 20}, .caption = "使用不可の項目", .enabled = false});
        GroupBox1.Create(*this, {.at = {250, 222, 210, 70}, .caption = "グループボックス"});
        RadioButton1.Create(GroupBox1, {.at = {10, 18, 180, 20}, .caption = "ラジオ１（選択）"});
        RadioButton2.Create(GroupBox1, {.at = {10, 42, 180, 20}, .caption = "ラジオ２"});
        RadioButton1.SetChecked(true);
        RadioGroup1.Create(*this, {.at = {250, 298, 210, 90}, .caption = "休日なら",
                                   .items = {"そのまま", "前日へ", "翌日へ"}, .value = 0});
        RadioGroup2.Create(*this, {.at = {470, 170, 240, 70}, .caption = "曜日（２列）",
                                   .items = {"日曜", "月曜", "火曜", "水曜"}, .value = 3, .style = 2});

        ComboBox1.Create(*this, {.at = {470, 250, 240, 22}, .caption = "入力できるコンボ",
                                 .items = {"メモ１", "メモ２", "メモ３"}});
        ComboBox2.Create(*this, {.at = {470, 280, 240, 22}, .items = {"１分", "５分", "１０分"},
                                 .style = csDropDownList});
        ComboBox2.SetItemIndex(2);
        SpinEdit1.Create(*this, {.at = {470, 312, 80, 22}, .min = 1, .max = 9999, .value = 2024});
        SpinEdit2.Create(*this, {.at = {560, 312, 60, 22}, .min = 1, .max = 12, .value = 12});

        ListBox1.Create(*this, {.at = {720, 40, 260, 150},
                                .items = {"一月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月", "十月"}});
        ListBox1.SetItemIndex(2);
        ListBox2.Create(*this, {.at = {720, 200, 260, 190}, .style = lbOwnerDrawVariable});
        ListBox2.OnMeasureItem = [](int i, int& h) { h = i % 2 ? 30 : 18; };
        ListBox2.OnDrawItem = [this](int i, const RECT& r, int state) {
            TCanvas& c = ListBox2.Canvas;
            if (!(state & odSelected)) c.Brush.Color = i % 2 ? 0xE0F0FF : clWindow;
            c.FillRect(r);
            c.Brush.Style = BrushStyle::Clear;
            if (i % 2 && !(state & odSelected)) c.Font.Color = clBlue;
            c.TextOut(r.left + 2, r.top + 2, ListBox2.Items[i]);
        };
        for (const char* s : {"自作描画の行（高さ１８）", "高さ３０の行・青", "三行目", "四行目・青", "五行目"})
            ListBox2.Items.Add(s);
        ListBox2.SetItemIndex(2);
    }
};

}  // namespace

TEST(TkGallery, DISABLED_Screenshot) {
    Gallery g;
    g.Show();
    int ms = 4000;
    if (const char* e = std::getenv("ORBAL_GALLERY_MS")) ms = atoi(e);
    DWORD end = GetTickCount() + ms;
    while (GetTickCount() < end) wintest::Pump(1);
    EXPECT_TRUE(g.Visible());
}
