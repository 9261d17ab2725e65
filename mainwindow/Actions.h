// The main window's sound cues and the actions that reminders and dropped files set off.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tk {
class MediaPlayer;
}

// Plays a built-in cue ("ope", "clo", "sav", ...) asynchronously, cutting off the cue still
// playing, unless [Form] Waveplay is off. A missing cue plays nothing.
void PlayWaveRes(const std::string& name);
// The start-up sound, played to its end: dataDir + "\orbal_data\title.wav" through player when
// that file exists, otherwise the built-in "tav". [Form] Waveplay does not apply.
void PlayStartupSound(tk::MediaPlayer& player, const std::string& dataDir);
// Plays a sound file through the main window's player: not shareable, asynchronous.
bool PlaySoundFile(tk::MediaPlayer& player, const std::string& path);

// Runs a command text ("program?parameters") with the program's folder as working directory.
// owner defaults to the main window. False when there is no program or the shell refused.
bool ExecuteCommand(const std::string& cmdText, HWND owner = nullptr);
// Sends WM_CLOSE to the first top-level window whose title contains text. False when none does.
bool CloseWindowsByTitle(const std::string& text);
// A reminder's actions from its section (the reminder file's full path): Execlose, then Execute.
void RunPopupExec(const std::string& section);
// Opens each dropped file with the program the association table names for its extension
// ([Ext_Exec] ".ext", else [Ext_Form] Exec), adding the quoted path to the parameters. Files
// without a program are skipped. An error ends the loop with a warning box; then false.
bool OpenDroppedFiles(HWND owner, const std::vector<std::string>& files);
