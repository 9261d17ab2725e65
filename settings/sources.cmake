# Units of this folder: orbal_logic() for window-free code, orbal_win() for the rest.
orbal_win(Settings.cpp)
orbal_win(Setup.cpp SetupPages.cpp SetupPages2.cpp SetupLinks.cpp)
orbal_logic(DayCalcMath.cpp MenuList.cpp)
orbal_win(DayCalc.cpp)
orbal_win(Ext_exec.cpp execmenu.cpp)
orbal_logic(TelePhoneFile.cpp TouchTone.cpp)
orbal_win(TelePhone.cpp)
