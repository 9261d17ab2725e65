# Units of this folder: orbal_logic() for window-free code, orbal_win() for the rest.
orbal_logic(SysUtils.cpp DateTime.cpp StringList.cpp)
orbal_logic(Real48.cpp)
orbal_logic(Streams.cpp IniText.cpp)
