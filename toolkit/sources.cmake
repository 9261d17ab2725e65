# Units of this folder: orbal_logic() for window-free code, orbal_win() for the rest.
orbal_win(Graphics.cpp Control.cpp Application.cpp Form.cpp MsgBox.cpp IniFiles.cpp Files.cpp)
orbal_win(PageControl.cpp StatusBar.cpp Image.cpp Timer.cpp Menus.cpp ImageList.cpp)
orbal_win(ItemList.cpp Panel.cpp Label.cpp Bevel.cpp Buttons.cpp Edit.cpp CheckBox.cpp ComboBox.cpp ListBox.cpp SpinEdit.cpp)
orbal_win(Sound.cpp MediaPlayer.cpp Shell.cpp)
orbal_win(FolderIndex.cpp)
orbal_win(Power.cpp)
orbal_win(RichEdit.cpp ProgressBar.cpp FileCtrls.cpp Dialogs.cpp)
orbal_win(TabSet.cpp)
