# Units of this folder: orbal_logic() for window-free code, orbal_win() for the rest.
orbal_logic(ScheduleName.cpp)
orbal_logic(DayRules.cpp)
orbal_logic(EntryRules.cpp)
orbal_win(EntryControls.cpp Choosers.cpp Pop_sel.cpp Popup.cpp to_do.cpp)
orbal_logic(Flower.cpp BornFacts.cpp)
orbal_win(Born.cpp)
orbal_logic(DataLines.cpp)
orbal_win(data.cpp)
