# Units of this folder: orbal_logic() for window-free code, orbal_win() for the rest.
orbal_win(Graphics.cpp Control.cpp Application.cpp Form.cpp MsgBox.cpp IniFiles.cpp Files.cpp)
orbal_win(PageControl.cpp StatusBar.cpp Image.cpp Timer.cpp Menus.cpp ImageList.cpp)
