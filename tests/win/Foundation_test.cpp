// The platform facts the program relies on, and the toolkit services under them.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "settings/Settings.h"
#include "tests/win/WinTest.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/IniFiles.h"
#include "toolkit/ListBox.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"

namespace {

std::string TempDir(const std::string& name) {
    std::string d = wintest::TempPath(name);
    tk::ForceDirectories(d);
    return d;
}

RECT* gBoxOut;
void CALLBACK CloseBoxLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND b = FindWindowA("#32770", "位置")) {
        GetWindowRect(b, gBoxOut);
        PostMessageA(b, WM_COMMAND, IDOK, 0);
        PostMessageA(b, WM_COMMAND, IDABORT, 0);
    }
}

int CALLBACK FoundFont(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *(bool*)found = true;
    return 0;
}

}  // namespace

TEST(FoundationPlatform, AnsiCodePageIsJapanese) { EXPECT_EQ(GetACP(), 932u); }

// Window frames draw their caption buttons from this font; without it they show letters.
TEST(FoundationPlatform, CaptionButtonFontIsInstalled) {
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(lf.lfFaceName, "Marlett");
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExA(dc, &lf, FoundFont, (LPARAM)&found, 0);
    ReleaseDC(nullptr, dc);
    EXPECT_TRUE(found);
}

// Rich text draws a bullet as 0xB7 of Symbol in the symbol character set. Without a Symbol face
// that request gets Marlett, which has no such glyph (a box); with a Symbol face whose cmap is
// wrong it gets another glyph. Either way the mark is no small filled blob on the text's line.
TEST(FoundationPlatform, RichTextBulletIsADotOnTheLine) {
    tk::Form form{{.caption = "bullet", .width = 300, .height = 120}};
    tk::RichEdit re;
    re.Create(form, {.at = {8, 8, 260, 60}, .style = tk::reNoBorder});
    re.SetText("日本語");
    re.Paragraph.SetNumbering(tk::nsBullet);
    form.Show();
    wintest::Pump();
    RECT rc;
    GetClientRect(re.Handle, &rc);
    tk::TBitmap shot(rc.right, rc.bottom);
    tk::TCanvas& c = shot.Canvas();
    SendMessageA(re.Handle, WM_PRINTCLIENT, (WPARAM)c.Handle, PRF_CLIENT);
    POINTL text{};
    SendMessageA(re.Handle, EM_POSFROMCHAR, (WPARAM)&text, 0);
    ASSERT_GT(text.x, 0);
    // The bounding box and count of the pixels within columns [x0, x1) that are not background
    // (smoothed edges count too).
    struct Ink { int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, n = 0; };
    auto paper = c.GetPixel(rc.right - 1, rc.bottom - 1);
    auto inkOf = [&](int x0, int x1) {
        Ink k;
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < rc.bottom; ++y) {
                if (c.GetPixel(x, y) == paper) continue;
                k.left = std::min(k.left, x), k.right = std::max(k.right, x);
                k.top = std::min(k.top, y), k.bottom = std::max(k.bottom, y);
                ++k.n;
            }
        return k;
    };
    Ink line = inkOf(text.x, rc.right), dot = inkOf(0, text.x);
    ASSERT_GT(line.n, 0);
    ASSERT_GT(dot.n, 0) << "no bullet drawn";
    int w = dot.right - dot.left + 1, h = dot.bottom - dot.top + 1, lineH = line.bottom - line.top + 1;
    EXPECT_LE(h, lineH / 2);
    EXPECT_LE(std::abs(w - h), 2);  // round, not a bar or a bracket
    EXPECT_GE(dot.n * 10, w * h * 6) << "a hollow or thin mark";
    int mid = (dot.top + dot.bottom) / 2;
    EXPECT_GT(mid, line.top + lineH / 4);
    EXPECT_LT(mid, line.bottom - lineH / 4);
}

TEST(FoundationIni, ShiftJisValuesWithBackslashTrailBytesRoundTrip) {
    std::string dir = TempDir("表ソ能");  // folder name with 0x5C trail bytes
    std::string path = dir + "\\orbal98.ini";
    DeleteFileA(path.c_str());
    tk::TIniFile ini(path);
    ini.WriteString("Horiday", "01/01", "【元旦】");
    ini.WriteString("表示", "ソフト", "C:\\表\\ソ\\");
    ini.WriteInteger("Form", "Interval", 1500);
    ini.WriteInteger("CalendarEx", "HolidayColor", (int)0x80000018u);
    EXPECT_EQ(ini.ReadString("Horiday", "01/01", ""), "【元旦】");
    EXPECT_EQ(ini.ReadString("表示", "ソフト", ""), "C:\\表\\ソ\\");
    EXPECT_EQ(ini.ReadInteger("Form", "Interval", 0), 1500);
    EXPECT_EQ(ini.ReadInteger("calendarex", "HOLIDAYCOLOR", 0), (int)0x80000018u);  // names ignore case
    EXPECT_EQ(ini.ReadInteger("Form", "absent", 77), 77);
    ini.WriteString("Form", "bad", "abc");
    EXPECT_EQ(ini.ReadInteger("Form", "bad", 5), 5);
    EXPECT_TRUE(ini.ReadBool("Form", "Interval", false));
    // Key names come back in file order.
    ini.WriteString("Order", "b", "1");
    ini.WriteString("Order", "a", "2");
    ini.WriteString("Order", "表", "3");
    rtl::TStringList keys;
    ini.ReadSection("Order", keys);
    EXPECT_EQ(keys.CommaText(), "b,a,表");
    ini.EraseSection("Order");
    EXPECT_FALSE(ini.SectionExists("Order"));
    ini.DeleteKey("Form", "bad");
    EXPECT_FALSE(ini.ValueExists("Form", "bad"));
}

TEST(FoundationIni, ValuesTheProfileFunctionsWouldAlter) {
    std::string path = TempDir("orbal-ini") + "\\trim.ini";
    tk::TIniFile ini(path);
    for (std::string v : {" lead", "trail ", "\"quoted\"", "plain", "in \"middle\"", "表 示"}) {
        ini.WriteString("T", "k", v);
        EXPECT_EQ(ini.ReadString("T", "k", "") == v, tk::IniKeepsValue(v)) << v;
    }
    // A long Japanese value is cut to whole characters within 1023 bytes.
    std::string longv;
    for (int i = 0; i < 700; ++i) longv += "あ";
    ini.WriteString("T", "long", "x" + longv);
    std::string got = ini.ReadString("T", "long", "");
    EXPECT_LE(got.size(), 1023u);
    EXPECT_EQ(got.size() % 2, 1u);  // "x" plus whole two-byte characters
}

// A section written whole replaces its keys where it stood, leaving the file key-by-key writes would.
TEST(FoundationIni, SectionWriteReplacesTheKeysInPlace) {
    using Keys = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* name;
        Keys keys;
    } cases[] = {
        {"plain", {{"0", "C:\\a\\a.exe"}, {"1", "C:\\表\\ソ.exe?-x 能"}, {"Count", "2"}}},
        {"altered", {{"0", " lead"}, {"1", "trail "}, {"2", "\"quoted\""}, {"3", "a=b"}, {"4", ""}, {"5", "\ttab\t"}, {"6", "  "}}},
        {"none", {}},
    };
    std::string dir = TempDir("orbal-ini-section");
    for (const Case& c : cases) {
        std::string bytes[2];
        for (int way = 0; way < 2; ++way) {
            std::string path = dir + "\\" + c.name + std::to_string(way) + ".ini";
            DeleteFileA(path.c_str());
            tk::TIniFile ini(path);
            ini.WriteString("Before", "k", "1");
            ini.WriteString("S", "old", "gone");
            ini.WriteString("S", "0", "replaced");
            ini.WriteString("After", "k", "2");
            EXPECT_EQ(ini.ReadString("S", "old", ""), "gone");  // parsed before the write
            if (way == 1) {
                ini.WriteSection("S", c.keys);
            } else if (c.keys.empty()) {
                ini.EraseSection("S");
            } else {
                for (const char* k : {"old", "0"}) ini.DeleteKey("S", k);
                for (const auto& [k, v] : c.keys) ini.WriteString("S", k, v);
            }
            ASSERT_TRUE(tk::ReadFileBytes(path, bytes[way])) << c.name;
            char raw[32];  // the profile functions themselves no longer find the old key
            GetPrivateProfileStringA("S", "old", "absent", raw, sizeof raw, path.c_str());
            EXPECT_STREQ(raw, "absent") << c.name;
            // The object's reads see its own write.
            EXPECT_EQ(ini.ReadString("S", "old", "absent"), "absent") << c.name;
            for (const auto& [k, v] : c.keys) {
                if (!tk::IniKeepsValue(v)) continue;
                EXPECT_EQ(ini.ReadString("S", k, "?"), v) << c.name << " " << k;
            }
            rtl::TStringList sections;
            ini.ReadSections(sections);
            EXPECT_EQ(sections.CommaText(), c.keys.empty() ? "Before,After" : "Before,S,After") << c.name;
        }
        EXPECT_EQ(bytes[0], bytes[1]) << c.name;
    }
}

// Every section, key and value of a file as the profile functions read it.
static std::string ProfileDump(const std::string& path) {
    std::vector<char> names(1 << 16), keys(1 << 16);
    GetPrivateProfileSectionNamesA(names.data(), (DWORD)names.size(), path.c_str());
    std::string out;
    for (const char* s = names.data(); *s; s += strlen(s) + 1) {
        out += std::string("[") + s + "]";
        GetPrivateProfileStringA(s, nullptr, "", keys.data(), (DWORD)keys.size(), path.c_str());
        for (const char* k = keys.data(); *k; k += strlen(k) + 1) {
            char v[1024] = {};
            GetPrivateProfileStringA(s, k, "<absent>", v, sizeof v, path.c_str());
            out += std::string(" ") + k + "=" + v;
        }
    }
    return out;
}

// The same writes made by the profile functions on one file and by the settings object on its
// twin leave files that read the same, and the object reads each write back at once.
TEST(FoundationIni, WritesReadAsTheProfileFunctionsWrites) {
    struct Op {
        char kind;  // w: write, e: erase section, d: delete key, s: write section ("k=v|k=v")
        const char *section, *key, *value;
    };
    struct Row {
        const char* what;
        std::string before;
        std::vector<Op> ops;
        const char* after = nullptr;  // the object's file, where every line the writes did not touch stays
    } rows[] = {
        {"settings with comments and unknown keys",
         "; orbal\r\n[Form]\r\nOpen=1\r\n  Left = 40 \r\nUnknown=x\r\nflag\r\n\r\n[表示]\r\nソフト=C:\\表\\ソ\\\r\n",
         {{'w', "Form", "Left", "120"}, {'w', "form", "Top", " 8 "}, {'w', "表示", "ソフト", "C:\\能\\"},
          {'w', "表示", "十", "\"申\""}, {'w', "Calendar", "Directory", "C:\\表\\Schedule"}, {'w', "Form", "flag", "1"}},
         "; orbal\r\n[Form]\r\nOpen=1\r\n  Left =120\r\nUnknown=x\r\nflag=1\r\nTop=8\r\n\r\n[表示]\r\n"
         "ソフト=C:\\能\\\r\n十=\"申\"\r\n[Calendar]\r\nDirectory=C:\\表\\Schedule\r\n"},
        {"names of the same spelling", "[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\nj=4\r\n",
         {{'w', "a", "K", "5"}, {'d', "A", "k", ""}, {'d', "A", "j", ""}, {'w', "A", "j", "6"}}},
        {"values the functions alter", "[T]\r\nq='x'\r\n",
         {{'w', "T", "lead", "  a"}, {'w', "T", "trail", "b  "}, {'w', "T", "q", "\"c d\""}, {'w', "T", "e", ""},
          {'w', "T", "eq", "a=b"}}},
        {"sections erased and written whole", "top=1\r\n[S]\r\nold=1\r\n; note\r\n0=x\r\n[T]\r\nk=1\r\n[U]\r\n",
         {{'s', "s", "", "0=a|1=b  |Count=2"}, {'e', "T", "", ""}, {'e', "None", "", ""}, {'s', "New", "", "k=v"},
          {'e', "U", "", ""}}},
        {"line ends of LF, no end on the last line", "[A]\nk=1\n[B]\nx=2", {{'w', "A", "n", "1"}, {'w', "B", "y", "3"}}},
        {"line ends of CR", "[Calendar]\rDirectory=C:\\表\rj=a\n\n[Form]\rOpen=1\r",
         {{'w', "Form", "Open", "0"}, {'d', "Calendar", "j", ""}, {'w', "Calendar", "before", "5"}},
         "[Calendar]\rDirectory=C:\\表\r\nbefore=5\r\n[Form]\rOpen=0\r"},
        {"empty file", "", {{'w', "Horiday", "Set", "1"}, {'w', "Horiday", "01/01", "【元旦】"}}},
        {"Unicode file", std::string("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0001\0\r\0\n\0", 22),
         {{'w', "A", "k", "2"}, {'w', "B", "表", "示"}, {'e', "A", "", ""}}},
    };
    std::string dir = TempDir("orbal-ini-twins");
    for (const Row& r : rows) {
        std::string a = dir + "\\profile.ini", b = dir + "\\object.ini";
        ASSERT_TRUE(tk::WriteFileBytes(a, r.before) && tk::WriteFileBytes(b, r.before));
        tk::TIniFile ini(b);
        for (const Op& op : r.ops) {
            std::string block, old;
            switch (op.kind) {
            case 'w':
                WritePrivateProfileStringA(op.section, op.key, op.value, a.c_str());
                ini.WriteString(op.section, op.key, op.value);
                break;
            case 'e':
                WritePrivateProfileStringA(op.section, nullptr, nullptr, a.c_str());
                ini.EraseSection(op.section);
                break;
            case 'd':
                WritePrivateProfileStringA(op.section, op.key, nullptr, a.c_str());
                ini.DeleteKey(op.section, op.key);
                break;
            case 's': {
                tk::IniKeys keys;
                std::string text = std::string(op.value) + "|";
                for (size_t p = 0, bar; (bar = text.find('|', p)) != std::string::npos; p = bar + 1) {
                    std::string line = text.substr(p, bar - p);
                    size_t eq = line.find('=');
                    keys.emplace_back(line.substr(0, eq), line.substr(eq + 1));
                    block += line.substr(0, line.find_last_not_of(' ') + 1) + std::string(1, '\0');
                }
                WritePrivateProfileSectionA(op.section, (block + '\0').c_str(), a.c_str());
                ini.WriteSection(op.section, keys);
                break;
            }
            }
            if (op.kind == 'w' || op.kind == 'd') {
                char v[1024] = {};
                GetPrivateProfileStringA(op.section, op.key, "<absent>", v, sizeof v, a.c_str());
                EXPECT_EQ(ini.ReadString(op.section, op.key, "<absent>"), v) << r.what << ": " << op.key;
            }
        }
        EXPECT_EQ(ProfileDump(b), ProfileDump(a)) << r.what;
        std::string bytes;
        if (r.after) {
            EXPECT_TRUE(tk::ReadFileBytes(b, bytes) && bytes == r.after) << r.what << ":\n" << bytes;
        }
    }
}

// A write stopped part way, as a crash stops it, leaves the file as it was, and says so.
TEST(FoundationIni, WriteStoppedPartWayLeavesTheOldFile) {
    std::string path = TempDir("orbal-ini-stopped") + "\\orbal98.ini";
    const std::string before = "[Calendar]\r\nDirectory=C:\\表\\Schedule\r\n[Form]\r\nLeft=10\r\n";
    for (const char* step : {"temp", "flushed"}) {
        ASSERT_TRUE(tk::WriteFileBytes(path, before));
        static std::string stopAt;
        stopAt = step;
        tk::WriteFileSafelyStep = [](const char* s) { return stopAt != s; };
        tk::TIniFile ini(path);
        EXPECT_THROW(ini.WriteInteger("Form", "Left", 20), tk::EIniFileError) << step;
        EXPECT_THROW(ini.EraseSection("Calendar"), tk::EIniFileError) << step;
        tk::WriteFileSafelyStep = nullptr;
        std::string bytes;
        EXPECT_TRUE(tk::ReadFileBytes(path, bytes) && bytes == before) << step;
        // What could not be written is what the program uses, and the next write makes it first.
        EXPECT_EQ(ini.ReadInteger("Form", "Left", 0), 20) << step;
        ini.WriteInteger("Form", "Left", 30);
        EXPECT_EQ(tk::TIniFile(path).ReadInteger("Form", "Left", 0), 30) << step;
        EXPECT_FALSE(tk::TIniFile(path).SectionExists("Calendar")) << step;
    }
}

TEST(FoundationIni, WriteToAnUnwritableFileReports) {
    // (Read-only attributes do not stop root under Wine; a folder that is not there does.)
    tk::TIniFile missing(TempDir("orbal-ro") + "\\no such folder\\x.ini");
    EXPECT_THROW(missing.WriteString("A", "k", "2"), tk::EIniFileError);
    tk::TIniFile folder(TempDir("orbal-ro"));
    EXPECT_THROW(folder.WriteInteger("A", "k", 2), tk::EIniFileError);
    // Another program reads the file without letting it be replaced: the value is read as
    // written meanwhile, and written by the next write once the file is free.
    std::string path = TempDir("orbal-ro") + "\\held.ini";
    ASSERT_TRUE(tk::WriteFileBytes(path, "[A]\r\nk=1\r\n"));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_THROW(tk::TIniFile(path).WriteString("A", "k", "2"), tk::EIniFileError);
    EXPECT_EQ(tk::TIniFile(path).ReadString("A", "k", ""), "2");
    CloseHandle(held);
    tk::TIniFile(path).WriteString("B", "j", "3");
    std::string bytes;
    EXPECT_TRUE(tk::ReadFileBytes(path, bytes) && bytes == "[A]\r\nk=2\r\n[B]\r\nj=3\r\n") << bytes;
    tk::DropKeptIniChangesForTest();  // the two above, never to be written
}

TEST(FoundationFiles, FoldersAreNotFilesAndFindListsWithAttributes) {
    std::string dir = TempDir("orbal-find\\表");
    tk::WriteFileBytes(dir + "\\a.txt", "1");
    tk::WriteFileBytes(dir + "\\ソ.txt", "22");
    tk::ForceDirectories(dir + "\\sub");
    EXPECT_FALSE(tk::FileExists(dir));
    EXPECT_TRUE(tk::DirectoryExists(dir));
    EXPECT_TRUE(tk::FileExists(dir + "\\ソ.txt"));
    EXPECT_EQ(rtl::ExtractFileName(dir + "\\ソ.txt"), "ソ.txt");
    std::vector<std::string> files, all;
    tk::TSearchRec r;
    for (int rc = tk::FindFirst(dir + "\\*", tk::faAnyFile & ~tk::faDirectory, r); rc == 0; rc = tk::FindNext(r))
        files.push_back(r.Name);
    tk::FindClose(r);
    for (int rc = tk::FindFirst(dir + "\\*", tk::faAnyFile, r); rc == 0; rc = tk::FindNext(r)) all.push_back(r.Name);
    tk::FindClose(r);
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(all.size(), 3u);
}

TEST(FoundationSettings, PathIsBesideTheExecutable) {
    settings::SetIniPathForTest("");
    std::string p = settings::IniPath();
    EXPECT_EQ(rtl::ExtractFileName(p), "orbal98.ini");
    EXPECT_EQ(rtl::ExcludeTrailingBackslash(rtl::ExtractFilePath(p)), tk::ExeDir());
}

TEST(FoundationMsgBox, HookAnswersAndRecords) {
    std::vector<tk::MsgBoxCall> calls;
    tk::SetMessageBoxHookForTest([&](const tk::MsgBoxCall& c) {
        calls.push_back(c);
        return IDNO;
    });
    EXPECT_FALSE(tk::ConfirmDelete(nullptr, "Orbal98"));
    tk::SetMessageBoxHookForTest({});
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "削除しますか？");
    EXPECT_EQ(calls[0].type & MB_ICONMASK, (UINT)MB_ICONQUESTION);
}

// At the owner's corner, but inside the work area: an owner at the screen's right or bottom edge
// (the main window's default place is the top right) keeps every button of the box on the screen.
TEST(FoundationMsgBox, BoxSitsAtTheOwnersTopLeftCornerInsideTheWorkArea) {
    const RECT room = tk::WorkAreaAt({0, 0});
    const int w = room.right - room.left, h = room.bottom - room.top;
    const struct {
        int left, top;
        UINT type;
    } rows[] = {{123, 77, MB_OK}, {w - 300, 0, MB_ABORTRETRYIGNORE}, {w - 150, h - 100, MB_ABORTRETRYIGNORE}};
    for (const auto& r : rows) {
        tk::Form f({.caption = "配置", .left = r.left, .top = r.top, .width = 300, .height = 200});
        f.Show();
        RECT box{};
        // Close the box from a timer once it is up, noting where it was.
        gBoxOut = &box;
        SetTimer(nullptr, 0, 300, CloseBoxLater);
        tk::MessageDlg(f.Handle, "場所の確認。ボタンがすべて画面の中にあること。", "位置", r.type | MB_ICONINFORMATION);
        SCOPED_TRACE(r.left);
        EXPECT_EQ(box.left, std::min<int>(r.left, room.right - (box.right - box.left)));
        EXPECT_EQ(box.top, std::min<int>(r.top, room.bottom - (box.bottom - box.top)));
        EXPECT_LE(box.right, room.right);
        EXPECT_LE(box.bottom, room.bottom);
    }
}

TEST(FoundationForm, ExceptionInAHandlerBecomesAnErrorBoxNotACrash) {
    std::vector<std::string> shown;
    tk::SetMessageBoxHookForTest([&](const tk::MsgBoxCall& c) {
        shown.push_back(c.text);
        return IDOK;
    });
    tk::Form f({.caption = "例外"});
    f.OnResize = [] { throw rtl::EConvertError("'abc' は整数ではありません。"); };
    f.SetBounds(10, 10, 321, 222);
    tk::SetMessageBoxHookForTest({});
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0], "'abc' は整数ではありません。");
}

TEST(FoundationForm, ClosedFormIsFreedLaterAndItsGlobalCleared) {
    struct TFormX : tk::Form {
        TFormX() : Form({.caption = "X"}) {}
    };
    static TFormX* FormX = nullptr;
    tk::Application.CreateForm(FormX);
    tk::Application.MainForm = nullptr;  // not the program's main window here
    bool destroyed = false;
    FormX->OnClose = [](tk::CloseAction& a) { a = tk::CloseAction::Free; };
    FormX->OnDestroy = [&] { destroyed = true; };
    FormX->Show();
    FormX->Close();
    FormX->Close();  // a second close before the queue runs frees it once
    EXPECT_NE(FormX, nullptr);  // still alive inside the close
    wintest::Pump();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(FormX, nullptr);

    // A release still queued for a form freed another way leaves a newer form alone, even at the
    // same address.
    tk::Application.CreateForm(FormX);
    tk::Application.MainForm = nullptr;
    FormX->OnClose = [](tk::CloseAction& a) { a = tk::CloseAction::Free; };
    FormX->Close();
    void* old = FormX;
    FormX->Destroy();
    tk::Application.CreateForm(FormX);
    tk::Application.MainForm = nullptr;
    bool newerFreed = false;
    FormX->OnDestroy = [&] { newerFreed = true; };
    SCOPED_TRACE(old == FormX ? "same address" : "another address");
    wintest::Pump();
    EXPECT_FALSE(newerFreed);
    ASSERT_NE(FormX, nullptr);
    FormX->Destroy();
}

TEST(FoundationForm, DroppedFilesArriveWhole) {
    tk::Form f({.caption = "ドロップ", .acceptFiles = true});
    std::vector<std::string> got;
    f.OnDropFiles = [&](const std::vector<std::string>& v) { got = v; };
    std::string longName = "C:\\表\\" + std::string(300, 'a') + ".txt";
    std::vector<std::string> names = {"C:\\ソフト\\a.txt", longName};
    std::string list;
    for (auto& n : names) list += n + '\0';
    list += '\0';
    HGLOBAL g = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* df = (DROPFILES*)GlobalLock(g);
    df->pFiles = sizeof(DROPFILES);
    memcpy((char*)df + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(g);
    PostMessageA(f.Handle, WM_DROPFILES, (WPARAM)g, 0);
    wintest::Pump();
    EXPECT_EQ(got, names);
}

// The reads answered from one parse of the file must say what the profile functions say.
TEST(FoundationIni, ParsedReadsAgreeWithTheProfileFunctions) {
    std::string path = TempDir("orbal-ini") + "\\compare.ini";
    tk::WriteFileBytes(path,
                       "top=before any section\r\n"
                       "[Form]\r\n"
                       "  Interval = 1500  \r\n"
                       "Quoted=\"  a b  \"\r\n"
                       "Single='x'\r\n"
                       "Half=\"open\r\n"
                       "NoValue\r\n"
                       "Empty=\r\n"
                       "dup=first\r\n"
                       "DUP=second\r\n"
                       "; comment=not a key\r\n"
                       "[ spaced ]\r\n"
                       "k=v\r\n"
                       "[C:\\表\\ソ\\12300115.71]\r\n"
                       "closetime=-1\r\n"
                       "Execute=C:\\表\\ソフト.exe?-x\r\n"
                       "[‐]\r\n"  // its trail byte is ']'
                       "dash=1\r\n"
                       "[form]\r\n"
                       "Interval=2\r\n"
                       "Later=3\r\n");
    tk::TIniFile ini(path);
    const char* probes[][2] = {{"Form", "Interval"}, {"FORM", "quoted"}, {"Form", "Single"}, {"Form", "Half"},
                               {"Form", "NoValue"}, {"Form", "Empty"}, {"Form", "dup"}, {"Form", "; comment"},
                               {" spaced ", "k"}, {"spaced", "k"}, {"C:\\表\\ソ\\12300115.71", "closetime"},
                               {"c:\\表\\ソ\\12300115.71", "Execute"}, {"‐", "dash"}, {"Form", "Later"},
                               {"", "top"}, {"None", "x"}};
    for (auto& p : probes) {
        char buf[1024] = {};
        GetPrivateProfileStringA(p[0], p[1], "<absent>", buf, sizeof buf, path.c_str());
        EXPECT_EQ(ini.ReadString(p[0], p[1], "<absent>"), std::string(buf)) << p[0] << " / " << p[1];
    }
    for (const char* section : {"Form", "", "c:\\表\\ソ\\12300115.71"}) {
        char buf[4096] = {};
        GetPrivateProfileStringA(section, nullptr, "", buf, sizeof buf, path.c_str());
        rtl::TStringList api, ours;
        for (const char* k = buf; *k; k += strlen(k) + 1) api.Add(k);
        ini.ReadSection(section, ours);
        EXPECT_EQ(ours.Strings, api.Strings) << section;
    }
    // A write by the program is seen by the next read of the same object.
    ini.WriteString("Form", "Interval", "3000");
    EXPECT_EQ(ini.ReadInteger("Form", "Interval", 0), 3000);
    // A change made behind the program's back is seen by the next object.
    tk::TIniFile other(path);
    EXPECT_EQ(other.ReadString("Form", "Single", ""), "x");
    Sleep(20);
    WritePrivateProfileStringA("Form", "Later", "4", path.c_str());
    EXPECT_EQ(tk::TIniFile(path).ReadString("Form", "Later", ""), "4");
}

TEST(FoundationControl, WindowsLeadToTheirControlsOnlyWhileTheyLive) {
    tk::Form f({.caption = "lookup"});
    // Windows come and go first, so that handles are handed out again.
    for (int i = 0; i < 40; ++i) {
        tk::ListBox gone;
        gone.Create(f, {.at = {0, 0, 50, 50}});
    }
    tk::ListBox list;
    list.Create(f, {.at = {0, 0, 120, 80}, .items = {"a", "b"}});
    auto panel = std::make_unique<tk::Panel>();  // drawn by the toolkit itself
    panel->Create(f, {.at = {130, 0, 50, 50}});
    HWND plain = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, f.Handle, nullptr, nullptr, nullptr);
    struct Case {
        const char* what;
        HWND window;
        tk::Control* expected;
    } cases[] = {
        {"form", f.Handle, &f},
        {"standard control", list.Handle, &list},
        {"own control", panel->Handle, panel.get()},
        {"window of no control", plain, nullptr},
        {"desktop", GetDesktopWindow(), nullptr},
        {"none", nullptr, nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(tk::Control::FromHandle(c.window), c.expected) << c.what;

    // A notice reaches the control that lives now, not one that had the handle before.
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    list.SetItemIndex(1);
    SendMessageA(f.Handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list.Handle), LBN_SELCHANGE), (LPARAM)list.Handle);
    EXPECT_EQ(clicks, 1);

    HWND old = panel->Handle;
    panel.reset();
    EXPECT_EQ(tk::Control::FromHandle(old), nullptr);
    DestroyWindow(plain);
}

TEST(FoundationControl, EnablingFollowsTheLastRequest) {
    tk::Form f({.caption = "enable"});
    tk::ListBox list;
    list.Create(f, {.at = {0, 0, 50, 50}});
    tk::Panel panel;
    panel.Create(f, {.at = {60, 0, 50, 50}});
    const std::vector<bool> requests[] = {{false}, {false, false}, {false, true}, {true, true, false}, {false, false, true, true}};
    for (const auto& seq : requests)
        for (tk::Control* c : std::initializer_list<tk::Control*>{&list, &panel}) {
            for (bool on : seq) c->SetEnabled(on);
            EXPECT_EQ(c->Enabled(), seq.back());
            EXPECT_EQ(IsWindowEnabled(c->Handle) != 0, seq.back());
        }
}

HWND gPosWindow = nullptr;
int gPosChanges = 0;
LRESULT CALLBACK CountPosChanges(int code, WPARAM wp, LPARAM lp) {
    auto* m = (CWPSTRUCT*)lp;
    if (code == HC_ACTION && m->hwnd == gPosWindow && m->message == WM_WINDOWPOSCHANGING) ++gPosChanges;
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Bounds are set only when they differ, compared in the parent's client coordinates: a child
// inside an offset panel of a framed form, and the form itself on the screen.
TEST(FoundationControl, BoundsAreSetWhereTheyDifferAndOnlyThere) {
    tk::Form f({.caption = "bounds", .left = 40, .top = 30, .width = 300, .height = 200});
    tk::Panel panel, child;
    panel.Create(f, {.at = {17, 11, 200, 120}, .style = tk::pnOuterLowered});
    child.Create(panel, {.at = {5, 7, 30, 20}});
    struct Case {
        const char* what;
        tk::Control* c;
        int l, t, w, h;
        bool moves;
    } cases[] = {
        {"child, same", &child, 5, 7, 30, 20, false},
        {"child, one right", &child, 6, 7, 30, 20, true},
        {"child, one taller", &child, 6, 7, 30, 21, true},
        {"panel, same", &panel, 17, 11, 200, 120, false},
        {"panel, moved", &panel, 0, 0, 200, 120, true},
        {"form, same", &f, 40, 30, 300, 200, false},
        {"form, wider", &f, 40, 30, 320, 200, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gPosWindow = c.c->Handle;
        gPosChanges = 0;
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountPosChanges, nullptr, GetCurrentThreadId());
        c.c->SetBounds(c.l, c.t, c.w, c.h);
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(gPosChanges > 0, c.moves);
        EXPECT_EQ(c.c->Left(), c.l);
        EXPECT_EQ(c.c->Top(), c.t);
        EXPECT_EQ(c.c->Width(), c.w);
        EXPECT_EQ(c.c->Height(), c.h);
    }
}

TEST(FoundationForm, FormsTakeConstructorArguments) {
    struct TFormY : tk::Form {
        explicit TFormY(const std::string& caption) : Form({.caption = caption, .left = 10, .top = 20}) {}
    };
    static TFormY* FormY = nullptr;
    tk::Application.CreateForm(FormY, "made with an argument");
    tk::Application.MainForm = nullptr;  // not the program's main window here
    ASSERT_NE(FormY, nullptr);
    EXPECT_EQ(FormY->Caption(), "made with an argument");
    EXPECT_EQ(FormY->Left(), 10);
    FormY->Release();
    wintest::Pump();
    EXPECT_EQ(FormY, nullptr);
}
