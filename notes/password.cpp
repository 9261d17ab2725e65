#include "notes/password.h"

#include <memory>
#include <tuple>

#include "mainwindow/Actions.h"
#include "settings/Settings.h"
#include "toolkit/Files.h"
#include "toolkit/MsgBox.h"
#include "toolkit/rtl/DateTime.h"

TForm34* Form34 = nullptr;
const char kDefaultPassword[] = "lor lor lor ! lor lor ! lor 97531864209753186420 !!";

namespace ik = inikey;

namespace {

const char kNoStamp[] = "アクセスありません。";

const char* const kWarnings[] = {
    "このパスワード機能はセキュリティとして機能しません。\r"
    "なぜなら、ある程度の知識を持った人なら簡単にパスワードを知ることができるからです。",
    "ですから、他のパスワードと同じパスワードを設定すると危険です。\r"
    "例えばE-Mailと同じパスワードだったら、この設定ファイルから簡単に盗めてしまうからです。\r"
    "もし同じにしてしまったら、ただちに変更することを強くお勧めします。",
    "また、データファイル自体も暗号化される訳ではありませんので直接なら参照できてしまうのです。\r"
    "意味がないじゃないかって？\r"
    "そうです意味ないんです。\r"
    "それなのに何故この機能があるのでしょうか？",
    "それは、これだけでも第三者のアクセスを防げる場合があるからです。\r"
    "（Orbal98ユーザには無理ですが。。家族などからは防げるかもしれません）",
    "単なる牽制でしかなく、セキュリティとして機能しません。\r"
    "くれぐれも簡単にパスワードが分かるということをお忘れなく。\r"
    "危険なことを知っているのが一番セキュリティが高いのです。\r"
    "中途半端なセキュリティ機能しかないのにパスワードを設定したから安心だ\r"
    "と思うことが一番危ない事でしょう？",
};

std::function<void(TForm34&)>& PromptHook() {
    static std::function<void(TForm34&)> hook;
    return hook;
}

void EnableEdit(tk::Edit& e, bool on) {
    e.SetEnabled(on);
    e.SetColor(on ? tk::clWindow : tk::clBtnFace);
}

// Enter does the given step and goes no further (no beep from the box).
void OnEnterKey(tk::Edit& e, std::function<void()> step) {
    e.OnKeyPress = [step = std::move(step)](char& key) {
        if (key != '\r') return;
        key = 0;
        step();
    };
}

}  // namespace

void SetPasswordPromptHookForTest(std::function<void(TForm34&)> hook) { PromptHook() = std::move(hook); }

TForm34::TForm34()
    : Form({.caption = "Password?", .width = 568, .height = 292, .border = tk::Border::Dialog, .clientSize = true}) {
    using namespace tk;
    GroupBox1.Create(*this, {.at = {8, 6, 240, 54}, .caption = "パスワード"});
    Edit5.Create(GroupBox1, {.at = {12, 20, 216, 22}, .style = esPassword});
    Edit5.OnChange = [this] { Edit5Change(); };
    OnEnterKey(Edit5, [this] {
        if (BitBtn2.Enabled()) BitBtn2Click();
    });
    BitBtn2.Create(*this, {.at = {256, 24, 76, 30}, .caption = "&Open", .hint = "パスワードを確認して開きます。",
                           .enabled = false});
    BitBtn2.OnClick = [this] { BitBtn2Click(); };

    GroupBox2.Create(*this, {.at = {8, 64, 324, 96}, .caption = "前回のアクセス"});
    int y = 20;
    for (auto [label, edit, caption] : {std::tuple{&Label1, &Edit1, "日記"}, std::tuple{&Label2, &Edit2, "電話"},
                                        std::tuple{&Label3, &Edit3, "周期"}}) {
        label->Create(GroupBox2, {.at = {12, y + 4, 32, 16}, .caption = caption});
        edit->Create(GroupBox2, {.at = {48, y, 264, 22}, .color = clBtnFace, .style = esReadOnly});
        y += 24;
    }

    Memo1.Create(*this, {.at = {8, 166, 324, 118}, .style = esVScroll});
    Memo1.Lines.Assign(std::vector<std::string>{"ここは自由に書きこめます。", "何かメッセージをどうぞ。", "",
                                                "例）ようこそ！！", "　　パスワードを入力し、Openボタンを",
                                                "　　押してください。"});
    Memo1.OnChange = [this] { Memo1Change(); };

    GroupBox3.Create(*this, {.at = {340, 6, 220, 278}, .caption = "パスワードの設定・変更"});
    Label5.Create(GroupBox3, {.at = {12, 22, 0, 0}, .caption = "現在のﾊﾟｽﾜｰﾄﾞ", .enabled = false});
    Edit4.Create(GroupBox3, {.at = {12, 40, 196, 22}, .enabled = false, .color = clBtnFace, .style = esPassword});
    Edit4.OnChange = [this] { Edit4Change(); };
    Label6.Create(GroupBox3, {.at = {12, 72, 0, 0}, .caption = "新しいﾊﾟｽﾜｰﾄﾞ", .enabled = false});
    Edit6.Create(GroupBox3, {.at = {12, 90, 196, 22}, .enabled = false, .color = clBtnFace, .style = esPassword});
    OnEnterKey(Edit6, [this] { Edit7.SetFocus(); });
    Label7.Create(GroupBox3, {.at = {12, 118, 0, 0}, .caption = "再入力", .enabled = false});
    Edit7.Create(GroupBox3, {.at = {12, 136, 196, 22}, .enabled = false, .color = clBtnFace, .style = esPassword});
    OnEnterKey(Edit7, [this] { BitBtn1Click(); });
    CheckBox1.Create(GroupBox3, {.at = {12, 168, 196, 20}, .caption = "簡易電話帳も対象", .enabled = false});
    Label8.Create(GroupBox3, {.at = {12, 194, 196, 32}, .caption = "新しいパスワードを2回入力して\r\nSetを押してください。",
                              .enabled = false, .style = lsNoAutoSize | lsWordWrap});
    BitBtn1.Create(GroupBox3, {.at = {128, 238, 80, 30}, .caption = "&Set", .hint = "パスワードを設定・変更します。",
                               .enabled = false});
    BitBtn1.OnClick = [this] { BitBtn1Click(); };

    SetBorderIcons(false, false);
    OnShow = [this] { FormShow(); };
    FormCreate();
}

void TForm34::FormCreate() {
    auto ini = settings::Open();
    CheckBox1.SetChecked(ini.ReadBool(ik::Password::Section, ik::Password::tel, false));
    Edit1.SetText(ini.ReadString(ik::Password::Section, ik::Password::Diary, kNoStamp));
    Edit2.SetText(ini.ReadString(ik::Password::Section, ik::Password::Telephone, kNoStamp));
    Edit3.SetText(ini.ReadString(ik::Password::Section, ik::Password::Period, kNoStamp));

    // The note lives in the data folder; while none is chosen there is nowhere to keep it.
    std::string dataDir = settings::DataDir();
    if (dataDir != ".") {
        std::string dir = dataDir + "\\Password";
        if (!tk::DirectoryExists(dir)) tk::ForceDirectories(dir);
        if (!tk::DirectoryExists(dir)) {
            tk::MessageDlg(Handle, "保存先ディレクトリが無いので\r処理を中断します。", Caption(), MB_OK | MB_ICONHAND);
        } else {
            notePath_ = dir + "\\message.txt";
            if (tk::FileExists(notePath_) && !Memo1.Lines.LoadFromFile(notePath_)) {
                // Whatever the file still holds must not be saved over with what is shown here.
                Memo1.Clear();
                Memo1.SetReadOnly(true);
                Memo1.SetColor(tk::clBtnFace);
                tk::MessageDlg(Handle, "メッセージを読み込めませんでした。\r" + notePath_, Caption(), MB_OK | MB_ICONWARNING);
                notePath_.clear();
            }
        }
    }
    Memo1.Tag = 1;  // armed: from here on a change is the user's and is saved

    if (!ini.ReadString(ik::Password::Section, ik::Password::Password, "").empty()) {
        Label5.SetEnabled(true);
        EnableEdit(Edit4, true);
    } else {
        // A password must be set first.
        EnableEdit(Edit5, false);
        BitBtn2.SetEnabled(false);
        EnableSetGroup();
    }
}

void TForm34::EnableSetGroup() {
    for (tk::Control* c : {(tk::Control*)&Label6, (tk::Control*)&Label7, (tk::Control*)&BitBtn1,
                           (tk::Control*)&CheckBox1, (tk::Control*)&Label8})
        c->SetEnabled(true);
    EnableEdit(Edit6, true);
    EnableEdit(Edit7, true);
}

void TForm34::FormShow() {
    PlayWaveRes("pas");
    if (Edit5.Enabled()) Edit5.SetFocus();
    else Edit6.SetFocus();
}

void TForm34::Edit4Change() { EnableSetGroup(); }

void TForm34::Edit5Change() { BitBtn2.SetEnabled(!Edit5.Text().empty()); }

void TForm34::Memo1Change() {
    if (Memo1.Tag != 1 || notePath_.empty()) return;
    bool failed = !tk::WriteFileSafely(notePath_, Memo1.Lines.Text());
    // Told once, not at every key, until a save goes through again.
    if (failed && !noteSaveFailed_)
        tk::MessageDlg(Handle, "メッセージを保存できませんでした。\r" + notePath_, Caption(), MB_OK | MB_ICONERROR);
    noteSaveFailed_ = failed;
}

void TForm34::BitBtn2Click() {
    ModalResult = tk::mrOk;
    Close();
}

void TForm34::BitBtn1Click() {
    auto ini = settings::Open();
    std::string stored = ini.ReadString(ik::Password::Section, ik::Password::Password, "");
    auto refuse = [this](const char* text) {
        Hide();
        tk::MessageDlg(Handle, text, Caption(), MB_OK | MB_ICONHAND);
        Close();
    };
    if (!stored.empty() && Edit4.Text() != stored) return refuse("パスワードが異なるので変更しませんでした。");
    // A password the settings file would give back altered would lock its owner out, or let
    // anyone in once it reads back empty.
    std::string fresh = Edit6.Text();
    if (fresh != Edit7.Text() || !PasswordStorable(fresh)) return refuse("パスワードが不正なので変更しませんでした。");

    ini.WriteString(ik::Password::Section, ik::Password::Password, fresh);
    ini.WriteBool(ik::Password::Section, ik::Password::tel, CheckBox1.Checked());
    Edit5.SetText(fresh);
    tk::MessageDlg(Handle, "パスワードを変更しました。", Caption(), MB_OK | MB_ICONINFORMATION, MB_OK);
    for (const char* warning : kWarnings) tk::MessageDlg(Handle, warning, Caption(), MB_OK, MB_ICONHAND);
    Close();
}

std::string PasswordForCheck(const tk::TIniFile& ini) {
    std::string stored = ini.ReadString(ik::Password::Section, ik::Password::Password, kDefaultPassword);
    return stored.empty() ? kDefaultPassword : stored;
}

bool PasswordStorable(const std::string& password) {
    return !password.empty() && password.size() <= 1023 && password.find_first_of("\r\n") == std::string::npos &&
           tk::IniKeepsValue(password);
}

namespace {

HHOOK gRelabel = nullptr;

// The box has one button; it reads Cancel, as nothing is opened.
LRESULT CALLBACK RelabelProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        char cls[16] = {};
        GetClassNameA((HWND)wp, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) SetDlgItemTextA((HWND)wp, IDOK, "キャンセル");
    }
    return CallNextHookEx(gRelabel, code, wp, lp);
}

const char* StampKey(PrivateTool tool) {
    switch (tool) {
        case PrivateTool::Telephone: return ik::Password::Telephone;
        case PrivateTool::Period: return ik::Password::Period;
        default: return ik::Password::Diary;
    }
}

}  // namespace

void ShowWrongPassword(HWND owner) {
    gRelabel = SetWindowsHookExA(WH_CBT, RelabelProc, nullptr, GetCurrentThreadId());
    tk::MessageDlg(owner, "パスワードが違います。", "Password?", MB_OK | MB_ICONEXCLAMATION);
    if (gRelabel) UnhookWindowsHookEx(gRelabel);
    gRelabel = nullptr;
}

std::string AskPassword() {
    std::unique_ptr<TForm34, void (*)(TForm34*)> prompt(new TForm34, [](TForm34* f) { f->Destroy(); });
    Form34 = prompt.get();
    prompt->ClearRef = [f = prompt.get()] {
        if (Form34 == f) Form34 = nullptr;
    };
    if (PromptHook()) PromptHook()(*prompt);
    else prompt->ShowModal();
    return prompt->Edit5.Text();
}

bool PasswordGate(HWND owner, PrivateTool tool) {
    auto ini = settings::Open();
    bool locked = ini.ReadBool(ik::Password::Section, ik::Password::Use, false) &&
                  (tool != PrivateTool::Telephone || ini.ReadBool(ik::Password::Section, ik::Password::tel, false));
    if (locked) {
        std::string entry = AskPassword();
        // Read afresh: the prompt may just have set the password.
        if (entry != PasswordForCheck(settings::Open())) {
            ShowWrongPassword(owner);
            return false;
        }
    }
    settings::Open().WriteString(ik::Password::Section, StampKey(tool),
                                 rtl::FormatDateTime("yyyy/mm/dd hh:nn:ss", rtl::Now()));
    return true;
}
