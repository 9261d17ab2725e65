// A sticky memo: one window per open memo, showing its rich text or its picture, floating on
// the desktop, shrinking to a 16 x 16 square ("プチ"), taking dropped files, and keeping its text
// and state in the memo store (the Memo folder's file and the settings sections named after
// that folder) when it closes or the program ends (its OnSave).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Buttons.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/IniFiles.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/RichEdit.h"
#include "toolkit/RichFind.h"
#include "toolkit/RichToolbar.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/SpinEdit.h"

// The Memo folder of the data folder, with its trailing backslash.
std::string MemoFolder();

// How a memo's picture is saved (SaveMemoPicture, below).
enum class MemoPicture { Jpeg, Bitmap, Wallpaper };

// What a memo window is made with, read from the settings before it exists.
struct MemoFrame {
    tk::Bounds at;
    bool small = false;  // the 16 x 16 square, without a border
    std::string caption;
    int group = 0;
};

struct TForm18 : tk::Form {
    // The memo's name ("Memo" + N): its file name, its key in the group list and its section.
    std::string Name;

    tk::Panel Panel2;  // formatting toolbar
    tk::ComboBox ComboBox1;
    tk::SpinEdit SpinEdit1;
    tk::SpeedButton SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6,
        SpeedButton7, SpeedButton8;
    tk::BitBtn BitBtn12;
    tk::Panel Panel4, Panel5, Panel6, Panel7, Panel8;  // colour history
    tk::Label Label4;
    tk::Panel Panel3;  // ruler
    tk::Label Label5, Label6, Label7;
    tk::RichEdit RichEdit1;
    tk::Image Image1;  // the picture; Tag 1 once loaded (made when first shown)
    tk::Panel Panel1;  // the small-mode square (made when first needed)
    tk::Image Image2;
    tk::Label Label2;  // hidden: the group-list prefix
    tk::FindDialog FindDialog1;
    tk::ReplaceDialog ReplaceDialog1;
    tk::OpenDialog OpenDialog1;
    tk::SaveDialog SaveDialog1, SaveDialog2;
    tk::ColorDialog ColorDialog1;
    tk::PopupMenu PopupMenu1;  // Tag 1: the memo was deleted, nothing is saved any more
    tk::PopupMenu PopupMenu2;  // the small square's menu
    tk::MenuItem *K3 = nullptr, *Undo1 = nullptr, *K5 = nullptr, *BackColor1 = nullptr, *Font1 = nullptr,
                 *ReadOnly1 = nullptr, *SaveAs1 = nullptr, *Open1 = nullptr, *Stretch1 = nullptr, *K2 = nullptr,
                 *JPG1 = nullptr, *BMP2 = nullptr, *WallPaper1 = nullptr, *BMPFile1 = nullptr,
                 *Clipbord1 = nullptr, *Cut1 = nullptr, *Copy1 = nullptr, *Paste1 = nullptr,
                 *SelectAll1 = nullptr, *Aline2 = nullptr, *Memo2 = nullptr, *Bmp1 = nullptr, *Auto1 = nullptr,
                 *Find1 = nullptr, *Replace1 = nullptr, *Print1 = nullptr, *Cloze1 = nullptr;
    tk::MenuItem *K4 = nullptr, *Close1 = nullptr;
    std::unique_ptr<tk::RichToolbar> Toolbar;  // made by Bar() when first needed
    std::unique_ptr<tk::RichFinder> Finder;  // made by Find() when first needed

    // Made where it will show, in its frame (none for the small square) and with its caption: a
    // top-level window moved, reframed or retitled before it shows costs round trips to the
    // server under Wine.
    explicit TForm18(const MemoFrame& f);
    // Binds the window to a memo of a group, once: the group stays the window's for its life.
    // Applies the memo font and colours ([Memo], then the memo's own) and loads the memo file.
    void Attach(const std::string& name, int group, const std::string& title);
    int Group() const { return Tag; }
    std::string MemoFile() const { return folder_ + Name; }
    std::string Section() const;
    std::string Title() const;
    void SetTitle(const std::string& title);
    bool IsSmall() const { return small_; }
    // Closed, or deleted: the window only waits to be freed.
    bool Closed() const { return closed_ || PopupMenu1.Tag == 1; }

    // Shown where it belongs, leaving the active window active (the reopening at start).
    void ShowInactive();

    // Window events.
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormResize();
    void FormCloseQuery(bool& canClose);
    void FormClose(tk::CloseAction& action);
    void WMDropFiles(const std::vector<std::string>& files);
    // System-menu commands 10 to 13; false for any other.
    bool SysCommand(WPARAM id);

    // Saving the state: text, group entry, stretch mark and bounds, quietly: empty when saved,
    // else the message naming the memo file (the window's OnSave).
    std::string SaveQuietly();
    // The same, false (the user told, unless quiet) when it failed.
    bool SaveState(bool quiet = false);

    // Small mode and back.
    void K3Click();  // from the menu: the state is saved first
    void EnterSmallMode(bool saveFirst);
    void K4Click();
    // The small square released after a press: restored when it did not move, else saved.
    void SquareReleased(bool moved);

    // Context-menu commands.
    void K5Click();
    void BackColor1Click();
    void Font1Click();
    void ReadOnly1Click();
    void SaveAs1Click();
    void Open1Click();
    void Stretch1Click();
    void K2Click();
    void JPG1Click();
    void BMP2Click();
    void WallPaper1Click();
    void BMPFile1Click();
    void Clipbord1Click();
    void Paste1Click();
    void SetKind(int kind);  // Memo2, Bmp1, Auto1
    void Print1Click();
    void DeleteMemo();
    // Rename through the title dialog: caption, group entry and the memo menu follow.
    void Caption1Click();
    // The formatting bar and the find dialogs, made now if they were not yet.
    tk::RichToolbar& Bar();
    tk::RichFinder& Find();

    // Bounds from the memo's section, else [Memo]'s when asked, else from the main window's.
    void PlaceNormal(bool memoDefaults);
    // Loads the memo's picture file once (BMP, or JPEG through the shared JPEG window).
    void EnsurePicture();

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void BuildMenus();
    void BuildSystemMenu();
    void SetBorderless(bool none);
    void ApplyKind();
    void DressSmall();
    bool TextShown() const;
    void ApplyReadOnly(bool on);
    void ApplyColors();
    void SetBack(tk::TColor c);
    void MakePictureView();
    void MakeSquare();
    void Place(int left, int top, int width, int height);
    // The system move with the mouse; true when the window moved.
    bool DragWindow();
    void SavePicture(MemoPicture as);
    void LoadDroppedFile(const std::string& file);
    tk::TIniFile Ini() const;
    std::string folder_;  // the Memo folder when the memo was attached
    bool attached_ = false;
    bool small_ = false;
    // Why the memo file is not written for the rest of the run, the text staying read-only: it
    // could not be read (or is not the program's text), or it is marked read-only.
    enum class Lock { None, Unreadable, ReadOnlyFile } lock_ = Lock::None;
    // Why files dropped on the memo cannot go into it; empty when they can.
    std::string DropRefusal() const;
    bool inSmallSwitch_ = false;
    bool closed_ = false;  // closed by the user: saved at its close query
    bool placed_ = false;  // attached in its place, not shown since
    HWND deactivatedTo_ = nullptr;
    tk::TColor back_ = tk::clWhite;
};

// The memo window created last.
extern TForm18* Form18;

// The window of a memo of a group, made in its place and frame, bound to the memo (settings and
// text) and not shown yet; it becomes Form18.
TForm18* CreateMemoWindow(const std::string& name, int group, const std::string& title);

// Every open memo window, oldest first.
std::vector<TForm18*> OpenMemoWindows();
// The open window of a memo (its name compared ignoring case), or nullptr.
TForm18* FindMemoWindow(const std::string& name);

// Deletes a memo from the store: its file in folder, its window state and its entry in the
// group list groupSection. A file that stays (read-only, in use) is reported at owner, and then
// the memo keeps its entries and the answer is false.
bool DeleteMemoFromStore(HWND owner, const std::string& caption, const std::string& folder, const std::string& name,
                         const std::string& groupSection);

// Save as for a memo's text: a name ending in ".RTF" gets rich text, any other plain text; the
// user is told when the file cannot be written.
void SaveMemoTextAs(tk::RichEdit& text, tk::SaveDialog& dialog, const std::string& name, HWND owner,
                    const std::string& caption);
// Saving a memo's picture: as JPEG (through the shared JPEG window), as a bitmap, or as a bitmap
// that becomes the desktop wallpaper ([MemoWall] File remembers it). The save dialog is preset
// for the kind; the user is told when there is no picture or it cannot be written.
void SaveMemoPicture(const tk::TBitmap& picture, tk::SaveDialog& dialog, const std::string& name, MemoPicture as,
                     HWND owner, const std::string& caption);
// The memo's text colour: the whole text and what is typed next.
void SetMemoTextColor(tk::RichEdit& text, tk::TColor c);
// A memo file read into text, unmodified; a missing file leaves text as it was. False, text left
// as it was, when the file is there but could not be read (held open by another program, a read
// error) or is not the program's text (rich text, or Shift-JIS text) but another program's
// (Unicode, binary): the file must then not be saved over with what text shows.
bool ReadMemoFile(tk::RichEdit& text, const std::string& file);
// Tells the user at owner that a memo file could not be read, once the memo is locked: a box runs
// messages, and the program's end may save meanwhile.
void SayMemoUnreadable(HWND owner, const std::string& file, const std::string& caption);
// A text or rich-text file chosen in dialog loaded into text; false when cancelled or unreadable
// (the user told).
bool OpenFileIntoMemo(tk::RichEdit& text, tk::OpenDialog& dialog, HWND owner, const std::string& caption);
