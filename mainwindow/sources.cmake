# Units of this folder: orbal_logic() for window-free code, orbal_win() for the rest.
orbal_win(Main.cpp)
orbal_logic(CommandText.cpp TickMath.cpp)
orbal_win(Actions.cpp)
orbal_win(MainTick.cpp MainReminder.cpp Biorhythm.cpp title.cpp Pop_wind.cpp pop_born.cpp Picture.cpp)
orbal_win(Message.cpp)
orbal_win(DayView.cpp PopView.cpp)
orbal_logic(AroundRules.cpp)
orbal_win(MainTray.cpp WindowTools.cpp miniclck.cpp ToolWindow.cpp tray_icon.cpp)
