# Units of this folder: orbal_logic() for window-free code, orbal_win() for the rest.
orbal_win(CalEx.cpp)
orbal_win(FormRgn.cpp SplitControl.cpp IJGJpeg.cpp)
orbal_win(SGaugeEx.cpp DrClock.cpp MoonCtl.cpp)
orbal_win(Jpeg.cpp Bmp_sel.cpp)
orbal_win(PnlBtn.cpp TrayIcon.cpp)
orbal_win(EdDial.cpp)
