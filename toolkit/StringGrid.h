// A grid of text cells drawn by ourselves: a fixed number of rows and columns, the first
// FixedCols columns drawn as fixed (button-face) cells, in-place editing through an edit box,
// a single cell, a range or whole rows selected, and rows dragged to a new place by their fixed
// cells. It scrolls up and down only: every column is always in view. While it can edit, Tab and
// Shift+Tab keep the cell being edited and move to the next (previous) cell.
#pragma once
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Edit.h"

namespace tk {

enum GridOptions : int { goEditing = 1, goRangeSelect = 2, goRowSelect = 4, goRowMoving = 8 };

struct GridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const GridRect&) const = default;
};

class StringGrid : public Control {
public:
    StringGrid() { Color = clWindow; }
    // p.value: RowCount, p.min: ColCount, p.style: GridOptions.
    void Create(Control& parent, const Ctl& p);

    // Selection changes by the keyboard run OnClick too, as a click would.
    std::function<void(int col, int row, const std::string& text)> OnSetEditText;  // every edit
    std::function<void(int from, int to)> OnRowMoved;

    int RowCount() const { return (int)cells_.size(); }
    void SetRowCount(int n);
    int ColCount() const { return (int)widths_.size(); }
    void SetColCount(int n);  // cells of new columns start empty; widths DefaultColWidth
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int n);
    int Options() const { return options_; }
    void SetOptions(int o);
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int h);
    int DefaultColWidth = 64;
    TColor FixedColor = clBtnFace;

    int ColWidths(int c) const { return widths_.at(c); }
    void SetColWidths(int c, int w);
    const std::string& Cells(int c, int r) const { return cells_.at(r).at(c); }
    void SetCells(int c, int r, const std::string& s);
    const std::vector<std::string>& Rows(int r) const { return cells_.at(r); }
    void SetRows(int r, const std::vector<std::string>& fields);  // extra fields are dropped
    void Clear();  // every cell empty

    int Row() const { return row_; }
    int Col() const { return col_; }
    // Moves the current cell (clamped to the grid and its editable columns), collapsing the selection.
    void FocusCell(int c, int r);
    GridRect Selection() const;
    int TopRow() const { return topRow_; }
    void SetTopRow(int r);
    int VisibleRowCount() const;
    // Takes row from out and puts it back at to; the current row follows it.
    void MoveRow(int from, int to);
    void MouseToCell(int x, int y, int& c, int& r) const;  // -1 outside
    RECT CellRect(int c, int r) const;

    bool EditorMode() const { return editing_; }
    void ShowEditor();                 // nothing unless goEditing without goRowSelect
    void HideEditor(bool keep = true);  // false puts the text back as it was
    Edit& InplaceEditor() { return editor_; }

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void Paint(TCanvas& c) override;

private:
    bool CanEdit() const { return (options_ & goEditing) && !(options_ & goRowSelect); }
    void MoveTo(int c, int r, bool extend);
    void KeyDown(WORD key);
    void EditorKey(WORD& key);
    void ScrollInView();
    void UpdateScrollBar();
    void PlaceEditor();
    int Pitch() const { return rowHeight_ + 1; }

    std::vector<std::vector<std::string>> cells_;
    std::vector<int> widths_;
    int fixedCols_ = 0, options_ = 0, rowHeight_ = 20;
    int row_ = 0, col_ = 0, anchorRow_ = 0, anchorCol_ = 0, topRow_ = 0;
    bool selecting_ = false, moving_ = false, editing_ = false;
    int moveFrom_ = -1, moveTo_ = -1;
    std::string before_;  // the cell's text when the editor opened
    Edit editor_;
};

}  // namespace tk
