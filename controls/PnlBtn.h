// The flat glyph button: it lies flat on its parent until the mouse comes over it, then shows a
// thin raised edge, and a sunken one while pressed. It draws a glyph (one bitmap holding up to four
// state images side by side: up, disabled, down, flat) and a caption. The image of each state is
// made once and kept in image lists shared by every button whose glyphs have the same size.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/MouseTrack.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The button's looks: 0 raised (mouse over), 1 disabled, 2 pressed, 3 flat (mouse away).
enum TPanelButtonState { pbRaised = 0, pbDisabled = 1, pbPressed = 2, pbFlat = 3 };

// Where the glyph's top-left corner and the caption's rectangle go within the content rectangle.
struct TGlyphPlacement {
    POINT glyph;
    RECT text;
};
// margin -1 centres glyph and caption together; spacing -1 centres the caption in the room left.
TGlyphPlacement PlaceGlyph(const RECT& content, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                           int spacing);

// Images of one size. A slot freed by Delete is the next one Add fills.
class TGlyphList {
public:
    TGlyphList(int width, int height);
    ~TGlyphList();
    TGlyphList(const TGlyphList&) = delete;
    TGlyphList& operator=(const TGlyphList&) = delete;

    // image and its mask (1 = transparent); neither may be selected into a DC. Returns the slot.
    int Add(HBITMAP image, HBITMAP mask);
    void Delete(int index);
    int Count() const { return count_; }  // slots in use
    int Width() const { return width_; }
    int Height() const { return height_; }
    HIMAGELIST Handle() const { return list_; }

private:
    HIMAGELIST list_;
    int width_, height_;
    std::vector<bool> used_;
    int count_ = 0;
};

// The image lists of all buttons, one per glyph size; a list goes when its last image does.
class TGlyphCache {
public:
    TGlyphList* GetList(int width, int height);
    void ReturnList(TGlyphList* list);
    int ListCount() const { return (int)lists_.size(); }

private:
    std::vector<std::unique_ptr<TGlyphList>> lists_;
};

// A button's glyph bitmap with its state images.
class TBtnGlyph {
public:
    TBtnGlyph() = default;
    ~TBtnGlyph() { Invalidate(); }
    TBtnGlyph(const TBtnGlyph&) = delete;
    TBtnGlyph& operator=(const TBtnGlyph&) = delete;

    const tk::TBitmap& Glyph() const { return original_; }
    // Copies the bitmap; its bottom-left pixel names the transparent colour.
    void SetGlyph(const tk::TBitmap& bmp);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    // Drops the state images (they are made again when next drawn).
    void Invalidate();
    SIZE GlyphSize() const;
    // Draws glyph and caption of the state into the content rectangle (canvas font and colours set).
    void Draw(tk::TCanvas& canvas, const RECT& content, const std::string& caption, TButtonLayout layout,
              int margin, int spacing, int state);
    // The image list holding this glyph's state images, once one has been drawn.
    const TGlyphList* List() const { return list_; }

private:
    int StateImage(int state);
    tk::TBitmap original_;
    COLORREF transparent_ = 0;
    int numGlyphs_ = 1;
    TGlyphList* list_ = nullptr;
    int index_[4] = {-1, -1, -1, -1};
    COLORREF madeWith_[3] = {};  // face, highlight and shadow colours the images were made with
};

class TPanelButton : public tk::Control {
public:
    TPanelButton();
    ~TPanelButton() override;

    // Size 31 x 31 unless p.at gives one.
    void Create(tk::Control& parent, const tk::Ctl& p);

    const tk::TBitmap& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const tk::TBitmap& bmp);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int n);  // 1..4; above 4 gives 4, 0 is ignored
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout l);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);  // pixels between glyph and caption; -1 centres the caption
    int Margin() const { return margin_; }
    void SetMargin(int v);  // pixels from the edge to the glyph; -1 centres both; below -1 ignored
    int State() const { return state_; }
    // The image list of the glyph's state images (shared by same-size glyphs), or null.
    const TGlyphList* GlyphList() const { return glyph_.List(); }
    // Image lists alive for all buttons together.
    static int GlyphListCount();

    // Fires OnClick.
    virtual void Click();

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(tk::TCanvas& canvas) override;

private:
    void SetState(int s);
    void MouseDown();
    void MouseMove(int x, int y);
    void MouseUp(int x, int y);
    void MouseEnter();
    void MouseLeave();

    TBtnGlyph glyph_;
    bool pressedInside_ = false;  // the left button went down here and the mouse is over it
    bool held_ = false;           // the left button went down here and is not released
    bool releasing_ = false;      // our own ReleaseCapture is under way
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    int margin_ = -1;
    int state_ = pbFlat;
    tk::MouseTracker tracker_;
};
