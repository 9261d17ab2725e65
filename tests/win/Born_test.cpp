// The birthday register: the facts of a date, the age fields, the list, save and delete, and
// opening it from the main window and the birthday notice.
#include <gtest/gtest.h>
#include <windows.h>

#include "calendar/Rokuyo.h"
#include "mainwindow/Main.h"
#include "mainwindow/pop_born.h"
#include "schedule/Born.h"
#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Sound.h"

using rtl::EncodeDate;
using rtl::EncodeTime;

namespace {

class BirthdayRegister : public wintest::WindowTest {
protected:
    std::vector<UINT> boxTypes;
    std::vector<bool> lockedAtBox;  // the text and Save as each box comes up

    void SetUp() override {
        FreshDataFolder("orbal-born-", false);
        FixClock(EncodeDate(2001, 1, 14) + EncodeTime(9, 0, 0, 0));
        tk::SetMessageBoxHookForTest([this](const tk::MsgBoxCall& c) {
            boxes.push_back(c.text);
            boxTypes.push_back(c.type);
            lockedAtBox.push_back(Form16 && Form16->RichEdit1.ReadOnly() && !Form16->BitBtn1.Enabled());
            return answer;
        });
    }

    void TearDown() override {
        if (Form16) Form16->Destroy();
        if (Form23) Form23->Destroy();
        if (Form1) Form1->Destroy();
    }

    void At(int y, int m, int d) { clock = EncodeDate(y, m, d) + EncodeTime(9, 0, 0, 0); }

    void Open() {
        tk::Application.CreateForm(Form16);
        if (tk::Application.MainForm == Form16) tk::Application.MainForm = nullptr;
        Form16->Show();
    }

    // As the main window presets it: the day goes to 1 first.
    void SetDate(int y, int m, int d) {
        Form16->SpinEdit1.SetValue(y);
        Form16->SpinEdit3.SetValue(1);
        Form16->SpinEdit2.SetValue(m);
        Form16->SpinEdit3.SetValue(d);
    }

    std::string Date() const {
        return std::to_string(Form16->SpinEdit1.Value()) + "/" + std::to_string(Form16->SpinEdit2.Value()) + "/" +
               std::to_string(Form16->SpinEdit3.Value());
    }

    void Entry(const std::string& name, const std::string& text) {
        ASSERT_TRUE(tk::WriteFileBytes(dir + "\\" + name, text));
        tk::FolderIndex::For(dir).Invalidate();
    }

    std::vector<std::string> Lines() const {
        const auto& items = Form16->ListBox1.Items;
        std::vector<std::string> out;
        for (int i = 0; i < items.Count(); ++i) out.push_back(items[i]);
        return out;
    }

    static std::string Pixels(const tk::TBitmap& b) { return b.BmpFileBytes(); }
    static std::string Resource(const char* name) {
        tk::TBitmap b;
        b.LoadFromResourceName(GetModuleHandleA(nullptr), name);
        return b.BmpFileBytes();
    }
};

TEST_F(BirthdayRegister, FactsOfADateInBothSignVariants) {
    struct Case {
        int y, m, d, seiza;
        const char *sign, *range, *signPicture, *animal, *animalPicture, *stone, *old, *flower, *words, *flowers;
    } cases[] = {
        {2000, 12, 31, 0, "山羊座", "12/22～1/19", "yagi", "辰", "tatu", "トルコ石", "(師走)", "センリョウ", "可憐",
         "１２月の誕生花 ストレリチア／カトレア"},
        {2000, 12, 21, 0, "射手座", "11/23～12/21", "ite", "辰", "tatu", "トルコ石", "(師走)", nullptr, nullptr, nullptr},
        {2000, 12, 22, 0, "山羊座", "12/22～1/19", "yagi", "辰", "tatu", "トルコ石", "(師走)", nullptr, nullptr, nullptr},
        {1985, 12, 17, 1, "蛇遣い座", "11/30～12/17", "hebitukai", "丑", "usi", "トルコ石", "(師走)", nullptr, nullptr,
         nullptr},
        {1985, 12, 18, 1, "新射手座", "12/18～1/18", "ite", "丑", "usi", "トルコ石", "(師走)", nullptr, nullptr, nullptr},
        {2000, 2, 29, 0, "魚座", "2/19～3/20", "uo", "辰", "tatu", "アメジスト", "(如月)", "ハナムギ", "清らかな愛情",
         "２月の誕生花 マーガレット／フリージア"},
        {1971, 8, 11, 0, "獅子座", "7/23～8/22", "sisi", "亥", "i", "ペリドット", "(葉月)", "ゼラニウム(ピンク)", "決心",
         "８の誕生花 アンスリウム／ヒマワリ"},
        {1971, 8, 28, 1, "新獅子座", "8/20～9/15", "sisi", "亥", "i", "ペリドット", "(葉月)", "ゼラニウム(ピンク)", "堅実",
         nullptr},
    };
    Open();
    for (const Case& c : cases) {
        settings::Open().WriteInteger("Birthday", "Seiza", c.seiza);
        SetDate(c.y, c.m, c.d);
        SCOPED_TRACE(Date());
        EXPECT_EQ(Form16->Label9.Caption(), c.sign);
        EXPECT_EQ(Form16->Label9.Hint, c.range);
        EXPECT_EQ(Pixels(Form16->Image2.Picture()), Resource(c.signPicture));
        EXPECT_EQ(Form16->Label10.Caption(), c.animal);
        EXPECT_EQ(Pixels(Form16->Image1.Picture()), Resource(c.animalPicture));
        EXPECT_EQ(Form16->Label12.Caption(), c.stone);
        EXPECT_EQ(Form16->Label19.Caption(), c.old);
        EXPECT_EQ(Form16->Image3.Picture().Width(), 64);
        if (c.flower) {
            EXPECT_EQ(Form16->Label11.Caption(), c.flower);
            EXPECT_EQ(Form16->Label18.Caption(), c.words);
        }
        if (c.flowers) {
            EXPECT_EQ(Form16->Bevel4.Hint, c.flowers);
            EXPECT_EQ(Form16->Label11.Hint, c.flowers);
            EXPECT_EQ(Form16->Label13.Hint, c.flowers);
        }
    }
}

TEST_F(BirthdayRegister, ADayBeyondTheMonthStepsDown) {
    Open();
    SetDate(2000, 1, 31);
    Form16->SpinEdit2.SetValue(2);
    EXPECT_EQ(Date(), "2000/2/29");
    Form16->SpinEdit1.SetValue(2001);
    EXPECT_EQ(Date(), "2001/2/28");
    EXPECT_EQ(Form16->Label11.Caption(), "ヘリクリサム");  // the facts follow the stepped day
    Form16->SpinEdit2.SetValue(4);
    Form16->SpinEdit3.SetValue(31);
    EXPECT_EQ(Date(), "2001/4/30");
    EXPECT_EQ(Form16->Label7.Caption(), dir + "\\BORN0430.01");
}

TEST_F(BirthdayRegister, AgeAroundTheBirthdayAndTheYearFromAnAge) {
    Open();
    At(2001, 1, 14);
    SetDate(1971, 1, 15);
    EXPECT_EQ(Form16->SpinEdit4.Value(), 29);
    EXPECT_EQ(Form16->Label15.Caption(), "");
    // Real keys: "2100" is refused at its last digit; no year half typed reaches the age.
    SetForegroundWindow(Form16->Handle);
    Form16->SpinEdit1.SelectAll();
    SetFocus(Form16->SpinEdit1.Handle);
    const std::string keys = "2100";
    for (size_t i = 0; i < keys.size(); ++i) {
        wintest::PressKey(keys[i]);
        wintest::PumpUntil([&] { return Form16->SpinEdit1.Text() == keys.substr(0, i + 1) || !boxes.empty(); });
        EXPECT_EQ(Form16->SpinEdit4.Value(), 29) << keys.substr(0, i + 1);
    }
    SetFocus(Form16->SpinEdit2.Handle);
    EXPECT_EQ(Form16->SpinEdit4.Value(), 29);
    At(2001, 1, 15);
    Form16->SpinEdit1Change();
    EXPECT_EQ(Form16->SpinEdit4.Value(), 30);
    EXPECT_EQ(Form16->Label15.Caption(), "(而立)");

    At(2001, 1, 14);
    Form16->SpinEdit4.SetValue(30);
    Form16->BitBtn3Click();
    EXPECT_EQ(Date(), "1970/1/15");
    EXPECT_EQ(Form16->SpinEdit4.Value(), 30);
    // An age beyond the year field's range keeps the first year, and the age follows it.
    Form16->SpinEdit4.SetValue(150);
    Form16->BitBtn3Click();
    EXPECT_EQ(Form16->SpinEdit1.Value(), 1930);
    EXPECT_EQ(Form16->SpinEdit4.Value(), 70);
    Form16->SpinEdit4.SetValue(150);
    Form16->BitBtn3Click();  // the year does not move this time
    EXPECT_EQ(Form16->SpinEdit4.Value(), 70);

    struct Case {
        int age;
        const char *name, *celebration;
    } cases[] = {{59, "", ""}, {60, "(耳順)", "(還暦)"}, {61, "", ""}};
    for (const Case& c : cases) {
        Form16->SpinEdit4.SetValue(c.age);
        EXPECT_EQ(Form16->Label15.Caption(), c.name) << c.age;
        EXPECT_EQ(Form16->Label20.Caption(), c.celebration) << c.age;
    }
}

TEST_F(BirthdayRegister, RokuyoOnlyWhenTheOldCalendarIsOn) {
    Open();
    SetDate(1971, 1, 15);
    EXPECT_EQ(Form16->Label14.Caption(), "");
    settings::Open().WriteBool("Form", "Qreki", true);
    Form16->SpinEdit3.SetValue(16);
    std::string expected = "(";
    expected.append(Rokuyo(RokuyoDayCount(1971, 1, 16))).append(")");
    EXPECT_EQ(Form16->Label14.Caption(), expected);
}

TEST_F(BirthdayRegister, ListKeepsOnlyBirthdayNamesSortedWithTheDaysLeft) {
    At(2001, 2, 28);
    Entry("BORN0229.00", "うるう年");
    Entry("BORN0115.71", "山田");
    Entry("born1231.29", "小文字の名前");
    Entry("BORN0301.30", "祖母");
    for (const char* stray : {"BORN.txt", "BORN0115.71.bak", "BORN1301.71", "BORN0230.00", "BORN0115.7x", "BORNABCD.71"})
        Entry(stray, "迷子");
    ASSERT_TRUE(tk::ForceDirectories(dir + "\\BORN0505.55"));
    Open();
    std::vector<std::string> expected = {
        "01月15日【1971年】あと 321日",
        "02月29日【2000年】あと 1日",
        "03月01日【1930年】あと 1日",
        "12月31日【2029年】あと 306日",
    };
    EXPECT_EQ(Lines(), expected);

    // A line gives its date to the fields and loads that person's text.
    Form16->ListBox1.SetItemIndex(1);
    Form16->ListBox1Click();
    EXPECT_EQ(Date(), "2000/2/29");
    EXPECT_EQ(Form16->RichEdit1.Text(), "うるう年");
    EXPECT_FALSE(Form16->BitBtn1.Enabled());
    EXPECT_TRUE(Form16->BitBtn2.Enabled());
    Form16->ListBox1.SetItemIndex(3);
    Form16->ListBox1Click();
    EXPECT_EQ(Date(), "2029/12/31");
    EXPECT_EQ(Form16->RichEdit1.Text(), "小文字の名前");
}

TEST_F(BirthdayRegister, SaveWritesRichTextOneFilePerBirthDate) {
    Open();
    SetDate(1971, 1, 15);
    EXPECT_FALSE(Form16->BitBtn1.Enabled());
    EXPECT_FALSE(Form16->BitBtn2.Enabled());
    Form16->RichEdit1.SetText("山田 太郎");
    EXPECT_TRUE(Form16->BitBtn1.Enabled());
    cues.clear();
    Form16->BitBtn1Click();
    std::string bytes;
    ASSERT_TRUE(tk::ReadFileBytes(dir + "\\BORN0115.71", bytes));
    EXPECT_EQ(bytes.rfind("{\\rtf", 0), 0u);
    EXPECT_EQ(cues, std::vector<std::string>{"sav"});
    EXPECT_FALSE(Form16->BitBtn1.Enabled());
    EXPECT_TRUE(Form16->BitBtn2.Enabled());
    EXPECT_EQ(Lines(), std::vector<std::string>{"01月15日【1971年】あと 1日"});

    // A second person born the same day replaces the text: the date names the file.
    Form16->RichEdit1.SetText("鈴木 花子");
    Form16->BitBtn1Click();
    SetDate(1971, 1, 16);
    EXPECT_EQ(Form16->RichEdit1.Text(), "");
    SetDate(1971, 1, 15);
    EXPECT_EQ(Form16->RichEdit1.Text(), "鈴木 花子");
    EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(BirthdayRegister, ALoadedFileEnablesSaveWithDelete) {
    Entry("BORN0115.71", "山田");
    Open();
    for (int d : {15, 16, 15}) {  // only the 15th has a file
        SetDate(1971, 1, d);
        EXPECT_EQ(Form16->BitBtn1.Enabled(), d == 15) << d;
        EXPECT_EQ(Form16->BitBtn2.Enabled(), d == 15) << d;
    }
}

TEST_F(BirthdayRegister, DeleteAsksThenRemovesTheFile) {
    Entry("BORN0115.71", "山田");
    Entry("BORN0229.00", "うるう年");
    Open();
    SetDate(1971, 1, 15);
    ASSERT_TRUE(Form16->BitBtn2.Enabled());
    answer = IDNO;
    Form16->BitBtn2Click();
    EXPECT_EQ(boxes, std::vector<std::string>{"削除しますか？"});
    EXPECT_TRUE(tk::FileExists(dir + "\\BORN0115.71"));
    EXPECT_EQ(Form16->RichEdit1.Text(), "山田");

    answer = IDYES;
    cues.clear();
    Form16->BitBtn2Click();
    EXPECT_FALSE(tk::FileExists(dir + "\\BORN0115.71"));
    EXPECT_EQ(Form16->RichEdit1.Text(), "");
    EXPECT_EQ(cues, std::vector<std::string>{"del"});
    EXPECT_FALSE(Form16->BitBtn1.Enabled());
    EXPECT_FALSE(Form16->BitBtn2.Enabled());
    EXPECT_EQ(Lines(), std::vector<std::string>{"02月29日【2000年】あと 46日"});

    // Deleting without asking.
    settings::Open().WriteInteger("Form", "Delete", 1);
    SetDate(2000, 2, 29);
    boxes.clear();
    Form16->BitBtn2Click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(tk::FileExists(dir + "\\BORN0229.00"));
    EXPECT_TRUE(Lines().empty());
}

TEST_F(BirthdayRegister, AFailedDeleteKeepsTheTextAndSaysSo) {
    Entry("BORN0115.71", "山田");
    std::string path = dir + "\\BORN0115.71";
    settings::Open().WriteInteger("Form", "Delete", 1);
    Open();
    SetDate(1971, 1, 15);
    cues.clear();
    // Another program holds the file open.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    Form16->BitBtn2Click();
    CloseHandle(held);
    EXPECT_TRUE(tk::FileExists(path));
    EXPECT_EQ(Form16->RichEdit1.Text(), "山田");
    EXPECT_TRUE(cues.empty());
    ASSERT_EQ(boxTypes.size(), 1u);
    EXPECT_EQ(boxTypes[0] & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
    EXPECT_NE(boxes[0].find("削除できませんでした"), std::string::npos);
    EXPECT_TRUE(Form16->BitBtn2.Enabled());
    EXPECT_EQ(Lines().size(), 1u);
    // A file marked read-only is said as its day shows, before anything is typed.
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    SetDate(1971, 1, 15);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[1].find("読み取り専用"), std::string::npos);
    EXPECT_TRUE(Form16->RichEdit1.ReadOnly());
    EXPECT_FALSE(Form16->BitBtn1.Enabled() || Form16->BitBtn2.Enabled());
    // A file that could not be read is shown the same way: saved, the empty text would replace it.
    held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetDate(1971, 1, 15);
    CloseHandle(held);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[2].find("読み込めませんでした"), std::string::npos);
    EXPECT_EQ(lockedAtBox, (std::vector<bool>{false, true, true}));
}

TEST_F(BirthdayRegister, SignVariantFromTheMenu) {
    Open();
    SetDate(1985, 12, 10);
    Form16->PopupMenu1Popup();
    EXPECT_TRUE(Form16->K121->Checked());
    EXPECT_FALSE(Form16->K131->Checked());
    EXPECT_EQ(Form16->Label9.Caption(), "射手座");
    Form16->K131Click();
    EXPECT_EQ(settings::Open().ReadInteger("Birthday", "Seiza", 0), 1);
    EXPECT_EQ(Form16->Label9.Caption(), "蛇遣い座");
    Form16->PopupMenu1Popup();
    EXPECT_TRUE(Form16->K131->Checked());
    Form16->K121Click();
    EXPECT_EQ(Form16->Label9.Caption(), "射手座");
}

TEST_F(BirthdayRegister, PicturesLoadByNameInAnyCaseAndDiffer) {
    const char* names[] = {"ohituji", "ousi", "hutago", "kani", "sisi", "otome", "tenbin", "sasori", "ite", "yagi",
                           "midugame", "uo", "hebitukai", "ne", "usi", "tora", "u", "tatu", "mi", "uma", "hituji",
                           "saru", "tori", "inu", "i", "one", "two", "three", "four", "five", "six", "seven", "eight",
                           "nine", "ten", "eleven", "twelve"};
    std::vector<std::string> seen;
    for (const char* name : names) {
        std::string upper = rtl::UpperCaseAscii(name), mixed = name;
        mixed[0] = char(toupper(mixed[0]));
        tk::TBitmap b;
        ASSERT_TRUE(b.LoadFromResourceName(GetModuleHandleA(nullptr), name)) << name;
        EXPECT_EQ(b.Width(), 64) << name;
        EXPECT_EQ(b.Height(), 64) << name;
        EXPECT_EQ(Resource(upper.c_str()), b.BmpFileBytes()) << name;
        EXPECT_EQ(Resource(mixed.c_str()), b.BmpFileBytes()) << name;
        for (const std::string& other : seen) EXPECT_NE(other, b.BmpFileBytes()) << name;
        seen.push_back(b.BmpFileBytes());
    }
}

TEST_F(BirthdayRegister, OpenedFromTheMainWindowOnItsDate) {
    tk::Application.CreateForm(Form1);
    Form1->Timer1.SetEnabled(false);
    ASSERT_TRUE(Form1->BirthDay1->Enabled());
    Form1->CalendarEx1.SetYear(2000);
    Form1->CalendarEx1.SetDay(29);
    Form1->CalendarEx1.SetMonth(2);
    Form1->BirthDay1Click();
    ASSERT_NE(Form16, nullptr);
    TForm16* first = Form16;
    EXPECT_EQ(Date(), "2000/2/29");
    EXPECT_TRUE(Form1->BirthDay1->Checked());
    EXPECT_TRUE(Form16->Visible());
    Form1->BirthDay1Click();
    EXPECT_EQ(Form16, first);  // brought forward, not a second window

    Form16->Close();
    wintest::Pump();
    EXPECT_EQ(Form16, nullptr);
    EXPECT_FALSE(Form1->BirthDay1->Checked());
    EXPECT_TRUE(settings::Open().ValueExists("Birthday", "top"));

    // The birthday notice's button opens it too.
    tk::Application.CreateForm(Form23);
    ASSERT_TRUE(Form23->BitBtn1.Enabled());
    Form23->BitBtn1Click();
    EXPECT_NE(Form16, nullptr);
    wintest::Pump();
    EXPECT_EQ(Form23, nullptr);

    // Without a data folder nothing opens.
    Form16->Destroy();
    settings::Open().WriteString("Calendar", "Directory", ".");
    Form1->BirthDay1Click();
    EXPECT_EQ(Form16, nullptr);
}

}  // namespace
