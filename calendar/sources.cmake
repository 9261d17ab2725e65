# Units of this folder: orbal_logic() for window-free code, orbal_win() for the rest.
orbal_logic(moon.cpp)
orbal_logic(Julius.cpp SunLongitude.cpp HolidayRules.cpp Rokuyo.cpp)
