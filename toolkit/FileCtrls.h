// The file choosers: a drive box, a folder list, a file list and a file-type box, linked
// drive -> folder -> files and type -> files (DriveComboBox::SetDirList,
// DirectoryListBox::SetFileList, FilterComboBox::SetFileList). Paths are Shift-JIS; a folder is
// named without a trailing '\' except a drive's root ("c:\"). None of them moves the process's
// current folder.
#pragma once
#include "toolkit/Control.h"

namespace tk {

class DirectoryListBox;
class FileListBox;
class FilterComboBox;

// True when name matches one of masks ("*.bmp;*.jpg"): '*' any run of characters, '?' one
// character (a double-byte character counts one), letters ignoring case. "*.*" matches every
// name and "name.*" also a name without extension. An empty mask matches everything.
bool MatchesMask(const std::string& name, const std::string& masks);

// The drive letters of the system, each shown as "c: [volume label]".
class DriveComboBox : public Control {
public:
    DriveComboBox() { Color = clWindow; }
    ~DriveComboBox() override;
    // p.at.height is the closed height. Starts on the drive of the current folder.
    void Create(Control& parent, const Ctl& p);

    std::function<void()> OnChange;
    char Drive() const { return drive_; }  // lower case
    // A drive that cannot be read is refused with a beep and the box stays where it was.
    void SetDrive(char d);
    DirectoryListBox* DirList() const { return dirList_; }
    void SetDirList(DirectoryListBox* d);
    int Count() const { return (int)drives_.size(); }
    std::string Items(int i) const;

    bool HandleCommand(WORD code) override;
    bool HandleDrawItem(DRAWITEMSTRUCT* di) override;

private:
    friend class DirectoryListBox;
    struct DriveItem {
        char letter;
        UINT type;
        std::string text;
    };
    void Follow(char d);  // the folder list moved to drive d
    void Show(char d);
    std::vector<DriveItem> drives_;
    char drive_ = 0;
    DirectoryListBox* dirList_ = nullptr;
};

// The folder path as an indented list: the root, each folder down to the current one (open),
// then the current folder's subfolders. A double click or Enter opens the selected item.
class DirectoryListBox : public Control {
public:
    DirectoryListBox() { Color = clWindow; }
    ~DirectoryListBox() override;
    // Starts in the process's current folder.
    void Create(Control& parent, const Ctl& p);

    std::function<void()> OnChange;
    std::string Directory() const { return dir_; }
    // Returns false, changing nothing, when there is no such folder. Re-reads the subfolders.
    bool SetDirectory(const std::string& path);
    char Drive() const;
    // Moves to the drive's current folder (its root when it has none).
    void SetDrive(char d);
    FileListBox* FileList() const { return fileList_; }
    void SetFileList(FileListBox* f);

    int Count() const { return (int)entries_.size(); }
    std::string Items(int i) const { return entries_.at(i).name; }
    int ItemIndex() const;
    void SetItemIndex(int i);
    std::string GetItemPath(int i) const { return entries_.at(i).path; }
    void OpenCurrent();
    void Update() { SetDirectory(dir_); }

    bool HandleDrawItem(DRAWITEMSTRUCT* di) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend class DriveComboBox;
    friend class FileListBox;
    struct Entry {
        std::string name, path;
        int level;
        bool open;
    };
    void Rebuild();
    std::vector<Entry> entries_;
    std::string dir_;
    DriveComboBox* driveBox_ = nullptr;
    FileListBox* fileList_ = nullptr;
};

// Flags for Ctl::style.
enum FileListFlags : int { flShowGlyphs = 1 };

// The files of one folder that match Mask, sorted ignoring case (hidden and system files left
// out). OnChange fires whenever FileName changes: a selection, a new folder or mask.
class FileListBox : public Control {
public:
    FileListBox() { Color = clWindow; }
    ~FileListBox() override;
    // Starts in the process's current folder with the mask "*.*".
    void Create(Control& parent, const Ctl& p);

    std::function<void()> OnChange;
    std::string Mask() const { return mask_; }
    void SetMask(const std::string& m);
    std::string Directory() const { return dir_; }
    // Linked to a folder list, the folder list moves (and brings this list along).
    bool SetDirectory(const std::string& path);
    // Full path of the selected file, or empty.
    std::string FileName() const;
    // Moves to the file's folder (when it names one) and selects the file if it is listed.
    void SetFileName(const std::string& path);
    bool ShowGlyphs() const { return glyphs_; }
    void SetShowGlyphs(bool on);
    DirectoryListBox* DirList() const { return dirList_; }

    int Count() const { return (int)names_.size(); }
    std::string Items(int i) const { return names_.at(i); }
    int ItemIndex() const;
    void SetItemIndex(int i);
    // Reads the folder again; the selection is cleared.
    void Update();

    bool HandleCommand(WORD code) override;
    bool HandleDrawItem(DRAWITEMSTRUCT* di) override;

private:
    friend class DirectoryListBox;
    friend class FilterComboBox;
    bool ApplyDirectory(const std::string& path);
    void Changed();
    std::vector<std::string> names_;
    std::string dir_, mask_ = "*.*", last_;
    bool glyphs_ = false, quiet_ = false;
    DirectoryListBox* dirList_ = nullptr;
    FilterComboBox* filterBox_ = nullptr;
};

// The file types a file list may show, from a filter "Description|masks|Description|masks..."
// (masks split by ';'). The box shows the descriptions; choosing one gives the linked file list
// its masks. OnChange fires when the user chooses or SetItemIndex moves the choice.
class FilterComboBox : public Control {
public:
    FilterComboBox() { Color = clWindow; }
    ~FilterComboBox() override;
    // p.caption is the filter; the first type is chosen. p.at.height is the closed height.
    void Create(Control& parent, const Ctl& p);

    std::function<void()> OnChange;
    std::string Filter() const { return filter_; }
    // The first type is chosen again.
    void SetFilter(const std::string& f);
    int Count() const { return (int)types_.size(); }
    std::string Items(int i) const { return types_.at(i).first; }
    int ItemIndex() const { return index_; }
    void SetItemIndex(int i);
    // The masks of the chosen type ("*.*" when there is none).
    std::string Mask() const;
    FileListBox* FileList() const { return fileList_; }
    void SetFileList(FileListBox* f);

    bool HandleCommand(WORD code) override;

private:
    friend class FileListBox;
    void Choose(int i, bool notify);
    std::vector<std::pair<std::string, std::string>> types_;  // description, masks
    std::string filter_;
    int index_ = -1;
    FileListBox* fileList_ = nullptr;
};

}  // namespace tk
