#include "mainwindow/Actions.h"

#include "mainwindow/CommandText.h"
#include "settings/Ext_exec.h"
#include "settings/Settings.h"
#include "toolkit/Application.h"
#include "toolkit/Files.h"
#include "toolkit/Form.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/MsgBox.h"
#include "toolkit/Shell.h"
#include "toolkit/Sound.h"

namespace {

HWND MainWindow() { return tk::Application.MainForm ? tk::Application.MainForm->Handle : nullptr; }

bool Launch(HWND owner, const CommandText& c) {
    if (c.program.empty()) return false;
    return tk::ShellLaunch(owner ? owner : MainWindow(), "OPEN", c.program, c.parameters, c.folder, SW_SHOW);
}
}  // namespace

void PlayWaveRes(const std::string& name) {
    if (!settings::Open().ReadBool(inikey::Form::Section, inikey::Form::Waveplay, true)) return;
    tk::PlayResourceWave(name, false);
}

void PlayStartupSound(tk::MediaPlayer& player, const std::string& dataDir) {
    std::string file = dataDir + "\\orbal_data\\title.wav";
    bool played = false;
    if (tk::FileExists(file)) {
        player.Shareable = false;
        player.FileName = file;
        if (player.Open()) {
            player.Wait = true;
            played = player.Play();
        }
        player.Wait = false;
    }
    // A sound file that will not play falls back to the built-in one; the start goes on.
    if (!played) tk::PlayResourceWave("tav", true);
}

bool PlaySoundFile(tk::MediaPlayer& player, const std::string& path) {
    player.Shareable = false;
    player.FileName = path;
    return player.Open() && player.Play();
}

bool ExecuteCommand(const std::string& cmdText, HWND owner) { return Launch(owner, SplitCommandText(cmdText)); }

bool CloseWindowsByTitle(const std::string& text) { return !text.empty() && tk::CloseWindowByTitlePart(text); }

void RunPopupExec(const std::string& section) {
    tk::TIniFile ini = settings::Open();
    std::string closeText = ini.ReadString(section, inikey::Popup::Execlose, "");
    if (!closeText.empty()) CloseWindowsByTitle(closeText);
    std::string command = ini.ReadString(section, inikey::Popup::Execute, "");
    if (!command.empty()) ExecuteCommand(command);
}

bool OpenDroppedFiles(HWND owner, const std::vector<std::string>& files) {
    try {
        AssociationTable table = LoadAssociations(settings::Open());
        for (const std::string& f : files) {
            CommandText c = SplitCommandText(table.CommandFor(f));
            if (c.program.empty()) continue;
            c.parameters += " \"" + f + "\"";
            Launch(owner, c);
        }
        return true;
    } catch (const std::exception&) {
        tk::MessageDlg(owner, "現在ドロップ出来ません。\r一旦閉じてからまた開いて再度行って下さい。",
                       tk::Application.Title(), MB_OK | MB_ICONWARNING);
        return false;
    }
}
