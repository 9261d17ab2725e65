// Where the settings window reaches windows that come with their own units: the tray window, the
// schedule list, the private graph register, the goal box and the sound chooser. Each link does
// what the settings window asks of that window; while the window does not exist it has nothing
// to reach.
#pragma once
#include <string>

#include "toolkit/Graphics.h"

// The tray icon's menu on a left click: switched off while the settings window is open.
void SetTrayAutoPopup(bool on);
// A pane colour of the open schedule list (pane 0 past, 1 today, 2 future; font or background).
void SetScheduleListPaneColour(int pane, bool background, tk::TColor colour);
// The main window's private graph register (its Panel18 double click).
void OpenPrivateGraphs();
// The main window's goal panel shown (its Panel2 double click) and left (its Panel17 double click).
void ShowGoalPanel();
void LeaveGoalPanel();
// The sound file chosen through the sound chooser, started on preset; preset again (when it
// exists) if the user closes it without choosing, and empty when there is none.
std::string ChooseSoundFile(const std::string& preset);
