// The steps the main window's commands share when they open a window: the open-window marks and
// the tool folders created on demand. The data-folder rule itself is TForm1::FolderCommand.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Application.h"
#include "toolkit/Form.h"

// An open window comes to the front instead of a second one. open is the window's mark (its
// main-menu item checked, or its Tag flag); a mark left over from a window already freed counts
// as closed. True when the window was brought forward.
bool BringOpenForward(bool open, tk::Form* window);

// A new window into its global with the application object as owner; preset fills it before it
// shows. Editors open this way every time; marked windows after BringOpenForward said no.
template <class T, class Preset>
T& ShowNewWindow(T*& global, Preset&& preset) {
    tk::Application.CreateForm(global);
    T& w = *global;
    preset(w);
    w.Show();
    return w;
}

// Creates the folder a tool keeps its files in when it is missing. When it is still missing (no
// parent, a file of that name, no right to write) the box "保存先ディレクトリが無いので
// 処理を中断します。" shows at owner's corner and the answer is false: the tool does not open.
bool EnsureToolFolder(HWND owner, const std::string& dir);

// The tray window, through which a hidden main window comes back.
bool TrayWindowExists();
