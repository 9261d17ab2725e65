// The clock page's goal box, and the register of the private time bands.
#include "mainwindow/Main.h"

#include "mainwindow/MainCommands.h"
#include "notes/Entry.h"
#include "notes/MyGraph.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"

namespace ik = inikey;

namespace {
const char kNewGoal[] = "(新規登録はダブルクリック)";
}

void TForm1::BitBtn25Click() {
    auto ini = settings::Open();
    std::string folder = goal::Folder();
    ComboBox3.Items.Clear();
    // The name is the file's first paragraph; RichEdit4 lends itself for the reading.
    for (const std::string& name : goal::ReadNames(ini)) {
        std::string shown = name;
        try {
            if (tk::FileExists(folder + name)) shown = goal::LoadGoal(RichEdit4, folder + name).name;
        } catch (const rtl::Exception&) {
            // An unreadable file still holds its place in the list, under its file name.
        }
        ComboBox3.Items.Add(shown);
    }
    ComboBox3.Items.Add(kNewGoal);
    int index = ini.ReadInteger(ik::Entry_Cnt::Section, ik::Entry_Cnt::Index, 0);
    ComboBox3.SetItemIndex(index >= 0 && index < ComboBox3.Items.Count() ? index : ComboBox3.Items.Count() - 1);
    ComboBox3Change();
}

void TForm1::ComboBox3Change() {
    auto ini = settings::Open();
    int index = ComboBox3.ItemIndex();
    ini.WriteInteger(ik::Entry_Cnt::Section, ik::Entry_Cnt::Index, index);
    std::string name = ini.ReadString(ik::Entry::Section, rtl::IntToStr(index), "");
    std::string path = goal::Folder() + name;
    goal::Head head;
    bool loaded = false;
    if (!name.empty() && tk::FileExists(path)) {
        RichEdit4.Hide();
        try {
            head = goal::LoadGoal(RichEdit4, path);
            loaded = true;
        } catch (const rtl::Exception&) {
        }
    }
    if (!loaded) RichEdit4.Clear();
    // A goal without a span (none chosen, or date-times that do not read) shows no progress.
    GoalStart = head.start;
    GoalEnd = head.end;
    if (!head.hasSpan) SGauge1.SetPosition(0);
    RichEdit4.Hint = "項目の詳細説明";
    RichEdit4.Show();
    TickGoal(rtl::Now());
}

void TForm1::ComboBox3DblClick() {
    if (!FolderCommand() || ComboBox3.Tag == 1) return;
    ShowNewWindow(Form6, [](TForm6&) {});
}

void TForm1::Panel2DblClick() {
    PlayWaveRes("c1");
    settings::Open().WriteBool(ik::Form::Section, ik::Form::Entry, true);
    BitBtn25Click();
    Panel17.Show();
    Panel5.Hide();
    Panel1.Tag = 2;
}

void TForm1::Panel17DblClick() {
    PlayWaveRes("c1");
    settings::Open().WriteBool(ik::Form::Section, ik::Form::Entry, false);
    Panel17.Hide();
    Panel5.Show();
    Panel1.Tag = 0;
    Timer1Timer(false);
}

void TForm1::Panel18DblClick() {
    if (BringOpenForward(Panel8.Tag == 1, Form36)) return;
    Panel8.Tag = 1;
    ShowNewWindow(Form36, [](TForm36&) {});
}
