#include "schedule/EntryControls.h"

#include "mainwindow/Main.h"
#include "settings/Settings.h"
#include "schedule/Todo_list.h"
#include "schedule/data.h"
#include "toolkit/Edit.h"
#include "toolkit/Files.h"
#include "toolkit/FolderIndex.h"
#include "toolkit/MsgBox.h"
#include "toolkit/rtl/Streams.h"

namespace entry {

CloseMenuItems AddCloseMenu(tk::MenuItem& parent, std::function<void()> saveAndClose,
                            std::function<void()> deleteAndClose) {
    CloseMenuItems m;
    m.Close = &parent.Add("閉じる");
    m.SaveClose = &m.Close->Add("保存して終了", std::move(saveAndClose));
    m.DeleteClose = &m.Close->Add("削除して終了", std::move(deleteAndClose));
    return m;
}

CloseMenuItems BuildEditMenu(tk::PopupMenu& menu, std::function<void()> saveAndClose,
                             std::function<void()> deleteAndClose) {
    // Each command goes to the control the menu was opened on: the body or the rule-text box.
    auto on = [&menu](void (tk::RichEdit::*rich)(), void (tk::Edit::*edit)()) {
        return [&menu, rich, edit] {
            if (auto* r = dynamic_cast<tk::RichEdit*>(menu.PopupComponent)) (r->*rich)();
            else if (auto* e = dynamic_cast<tk::Edit*>(menu.PopupComponent)) (e->*edit)();
        };
    };
    auto& items = menu.Items;
    items.Add("やり直し(&U)", on(&tk::RichEdit::Undo, &tk::Edit::Undo));
    items.Add("切り抜き(&T)", on(&tk::RichEdit::CutToClipboard, &tk::Edit::CutToClipboard));
    items.Add("コピー(&C)", on(&tk::RichEdit::CopyToClipboard, &tk::Edit::CopyToClipboard));
    items.Add("貼り付け(&P)", on(&tk::RichEdit::PasteFromClipboard, &tk::Edit::PasteFromClipboard));
    items.Add("すべてを選択(&S)", on(&tk::RichEdit::SelectAll, &tk::Edit::SelectAll));
    items.Add("-");
    return AddCloseMenu(items, std::move(saveAndClose), std::move(deleteAndClose));
}

void DayOffGroupClick(tk::RadioGroup& ifDayOff, tk::RadioGroup& saturday) {
    if (ifDayOff.ItemIndex() <= 0) {
        saturday.SetItemIndex(0);
        saturday.SetEnabled(false);
    } else {
        saturday.SetEnabled(true);
    }
}

DayOffShift ShiftOf(const tk::RadioGroup& ifDayOff, const tk::RadioGroup& saturday) {
    return DayOffShift::FromRadio(ifDayOff.ItemIndex(), saturday.ItemIndex());
}

void WeekBoxControls::Create(tk::GroupBox& group, int column2) const {
    static const char* const kCaptions[5] = {"第１週", "第２週", "第３週", "第４週", "第５週"};
    for (int i = 0; i < 5; ++i)
        week[i]->Create(group, {.at = {i % 2 ? column2 : 10, 18 + i / 2 * 18, 70, 17}, .caption = kCaptions[i],
                                .style = tk::cbChecked});
    last->Create(group, {.at = {column2, 54, 70, 17}, .caption = "最終週"});
}

void CreateDateFields(tk::Form& form, tk::SpinEdit& year, tk::SpinEdit& month, tk::SpinEdit& day,
                      tk::Label* const (&units)[3], int y, int m, int d) {
    year.Create(form, {.at = {8, 8, 56, 22}, .min = kMinYear, .max = kMaxYear, .value = y});
    year.SetMaxLength(4);
    month.Create(form, {.at = {82, 8, 42, 22}, .min = 1, .max = 12, .value = m});
    month.SetMaxLength(2);
    day.Create(form, {.at = {142, 8, 42, 22}, .min = 1, .max = 31, .value = d});
    day.SetMaxLength(2);
    static const char* const kUnits[3] = {"年", "月", "日"};
    static const int kLefts[3] = {67, 127, 187};
    for (int i = 0; i < 3; ++i) units[i]->Create(form, {.at = {kLefts[i], 12, 14, 14}, .caption = kUnits[i]});
}

WeekBoxes WeekBoxControls::Read() const {
    WeekBoxes w;
    for (int i = 0; i < 5; ++i) w.week[i] = week[i]->Checked();
    w.last = last->Checked();
    return w;
}

int WeekBoxControls::Settle() {
    WeekBoxes w = Read();
    w.Settle();
    for (int i = 0; i < 5; ++i) week[i]->SetChecked(w.week[i]);
    return w.Mask();
}

bool SettleDateFields(tk::SpinEdit& year, tk::SpinEdit& month, tk::SpinEdit& day) {
    int y, m, d;
    // A field being typed into may hold no number for a moment; it is put right on leaving it.
    if (!rtl::TryStrToInt(year.Text(), y) || !rtl::TryStrToInt(month.Text(), m) || !rtl::TryStrToInt(day.Text(), d))
        return false;
    if (ClampYear(y) != y) {
        bool typed = year.Typed();
        year.SetValue(ClampYear(y));
        if (typed) year.TellRange();  // never another year without a word
        return false;
    }
    if (ClampMonth(m) != m) {
        month.SetValue(ClampMonth(m));
        return false;
    }
    if (day.Clamp(d) != d) {
        day.SetValue(d);
        return false;
    }
    if (!rtl::IsValidDate(y, m, d)) {
        day.SetValue(d - 1);
        return false;
    }
    return true;
}

void WarnEditsDiscarded(tk::Form& form) {
    tk::MessageDlg(form.Handle, "日付の設定が変更されたので\r編集中のものは破棄されました。", form.Caption(),
                   MB_OK | MB_ICONEXCLAMATION);
}

bool LoadBody(tk::Form& form, tk::RichEdit& body, const std::string& path) {
    if (body.Modified()) WarnEditsDiscarded(form);
    body.Clear();
    bool exists = tk::FileExists(path);
    if (exists) body.LoadFromFile(path);
    body.SetModified(false);
    return exists;
}

void SettleBody(tk::RichEdit& body) {
    body.SelectAll();
    body.SelAttributes.SetColor(body.EffectiveFont().Color);
    body.SetSelStart(0);
    body.SetModified(false);
}

bool ConfirmEntryDelete(tk::Form& form) {
    return settings::Open().ReadInteger(inikey::Form::Section, inikey::Form::Delete, 0) != 0 ||
           tk::ConfirmDelete(form.Handle, form.Caption());
}

bool DeleteDataFile(tk::Form& form, const std::string& path) {
    if (tk::FileExists(path) && !DeleteFileA(path.c_str())) {
        tk::MessageDlg(form.Handle, "ファイルを削除できませんでした。\r" + path, form.Caption(), MB_OK | MB_ICONERROR);
        return false;
    }
    DataFileChanged(path);
    return true;
}

bool SaveBody(tk::Form& form, const tk::RichEdit& body, const std::string& path) {
    rtl::TMemoryStream data;
    body.SaveToStream(data);
    if (tk::WriteFileSafely(path, data.Bytes())) {
        DataFileChanged(path);
        return true;
    }
    tk::MessageDlg(form.Handle, "ファイルに保存できませんでした。\r" + path, form.Caption(), MB_OK | MB_ICONERROR);
    return false;
}

void DataFileChanged(const std::string& path) { tk::FolderIndex::For(rtl::ExtractFileDir(path)).Invalidate(); }

void WritePosition(const tk::Form& form, const char* section, const char* topKey, const char* leftKey) {
    auto ini = settings::Open();
    ini.WriteInteger(section, topKey, form.Top());
    ini.WriteInteger(section, leftKey, form.Left());
}

void RefreshDayAndMarks() {
    if (!Form1) return;
    Form1->CalendarEx1Change();
    Form1->FormActivate();
}

void RefreshMarks() {
    RefreshManagement();
    if (!Form1) return;
    Form1->FormActivate();
}

void RefreshScheduleList(const std::vector<std::string>& names) {
    if (names.empty() || !Form1 || !Form1->List1 || !Form1->List1->Checked() || !Form2) return;
    rtl::TDateTime first, last;
    if (!Form2->ShownRange(first, last) || !ListNeedsRebuild(names, first, last)) return;
    Form2->BringForward();
    Form2->BitBtn2Click();
}

void RefreshManagement() {
    if (!Form1 || !Form1->Data2 || !Form1->Data2->Checked() || !Form29) return;
    Form29->SetFocus();
    Form29->RerunShownList();
}

}  // namespace entry
