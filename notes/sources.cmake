# Units of this folder: orbal_logic() for window-free code, orbal_win() for the rest.
orbal_win(password.cpp)
orbal_logic(DiaryFile.cpp)
orbal_win(Nikki.cpp NikiList.cpp NikiSech.cpp)
orbal_win(Entry.cpp MyGraph.cpp)
orbal_win(Memo.cpp MemoDrop.cpp Memo_cap.cpp Memo_chg.cpp memo_Tree.cpp)
orbal_logic(MemoNames.cpp)
orbal_logic(PeriodData.cpp)
orbal_win(Period.cpp)
