#include "toolkit/StringGrid.h"

#include <algorithm>

namespace tk {

void StringGrid::Create(Control& parent, const Ctl& p) {
    CreateCustom(parent, WS_TABSTOP | WS_VSCROLL, WS_EX_CLIENTEDGE, p);
    rowHeight_ = std::max(8, EffectiveFont().Size * 2 + 2);
    SetColCount(std::max(1, p.min));
    SetRowCount(std::max(1, p.value));
    options_ = p.style;
    editor_.Create(*this, {.at = {0, 0, 10, 10}, .visible = false, .style = esNoBorder});
    editor_.WantTabs = true;  // Tab moves to the next cell, not out of the grid
    editor_.OnChange = [this] {
        if (!editing_) return;
        cells_[row_][col_] = editor_.Text();
        if (OnSetEditText) OnSetEditText(col_, row_, cells_[row_][col_]);
    };
    editor_.OnKeyDown = [this](WORD& key, int) { EditorKey(key); };
    editor_.OnKeyPress = [](char& key) {
        if (key == '\r' || key == 27 || key == '\t') key = 0;  // no beep for the keys that close the editor
    };
    editor_.OnExit = [this] { HideEditor(true); };
    UpdateScrollBar();
}

void StringGrid::SetRowCount(int n) {
    n = std::max(1, n);
    cells_.resize(n, std::vector<std::string>(ColCount()));
    FocusCell(col_, row_);
    SetTopRow(topRow_);
    UpdateScrollBar();
    Invalidate();
}

void StringGrid::SetColCount(int n) {
    n = std::max(1, n);
    if (editing_) HideEditor(true);
    widths_.resize(n, DefaultColWidth);
    for (auto& r : cells_) r.resize(n);
    fixedCols_ = std::min(fixedCols_, n - 1);
    FocusCell(col_, row_);
    Invalidate();
}

void StringGrid::SetFixedCols(int n) {
    if (editing_) HideEditor(true);
    fixedCols_ = std::clamp(n, 0, ColCount() - 1);
    FocusCell(col_, row_);
    Invalidate();
}

void StringGrid::SetOptions(int o) {
    options_ = o;
    if (editing_ && !CanEdit()) HideEditor(true);
    anchorCol_ = col_;
    anchorRow_ = row_;
    Invalidate();
}

void StringGrid::SetDefaultRowHeight(int h) {
    rowHeight_ = std::max(4, h);
    UpdateScrollBar();
    SetTopRow(topRow_);
    Invalidate();
}

void StringGrid::SetColWidths(int c, int w) {
    widths_.at(c) = std::max(0, w);
    PlaceEditor();
    Invalidate();
}

void StringGrid::SetCells(int c, int r, const std::string& s) {
    cells_.at(r).at(c) = s;
    if (editing_ && c == col_ && r == row_) editor_.SetText(s);
    Invalidate();
}

void StringGrid::SetRows(int r, const std::vector<std::string>& fields) {
    auto& row = cells_.at(r);
    for (int c = 0; c < ColCount(); ++c) row[c] = c < (int)fields.size() ? fields[c] : "";
    if (editing_ && r == row_) editor_.SetText(row[col_]);
    Invalidate();
}

void StringGrid::Clear() {
    if (editing_) HideEditor(false);
    for (auto& r : cells_) std::fill(r.begin(), r.end(), std::string());
    Invalidate();
}

void StringGrid::FocusCell(int c, int r) {
    if (editing_) HideEditor(true);
    col_ = std::clamp(c, fixedCols_, ColCount() - 1);
    row_ = std::clamp(r, 0, RowCount() - 1);
    anchorCol_ = col_;
    anchorRow_ = row_;
    ScrollInView();
    Invalidate();
}

GridRect StringGrid::Selection() const {
    if (options_ & goRowSelect) return {fixedCols_, row_, ColCount() - 1, row_};
    return {std::min(col_, anchorCol_), std::min(row_, anchorRow_), std::max(col_, anchorCol_),
            std::max(row_, anchorRow_)};
}

int StringGrid::VisibleRowCount() const {
    if (!Handle) return RowCount();
    return std::max(1, ClientHeight() / Pitch());
}

void StringGrid::SetTopRow(int r) {
    int top = std::clamp(r, 0, std::max(0, RowCount() - VisibleRowCount()));
    if (top == topRow_) return;
    topRow_ = top;
    UpdateScrollBar();
    PlaceEditor();
    Invalidate();
}

void StringGrid::ScrollInView() {
    if (row_ < topRow_) SetTopRow(row_);
    else if (row_ >= topRow_ + VisibleRowCount()) SetTopRow(row_ - VisibleRowCount() + 1);
}

void StringGrid::UpdateScrollBar() {
    if (!Handle) return;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, RowCount() - 1,
                  (UINT)VisibleRowCount(), topRow_, 0};
    SetScrollInfo(Handle, SB_VERT, &si, TRUE);
}

void StringGrid::MoveRow(int from, int to) {
    if (from < 0 || from >= RowCount() || to < 0 || to >= RowCount() || from == to) return;
    if (editing_) HideEditor(true);
    auto moved = std::move(cells_[from]);
    cells_.erase(cells_.begin() + from);
    cells_.insert(cells_.begin() + to, std::move(moved));
    if (row_ == from) FocusCell(col_, to);
    Invalidate();
    if (OnRowMoved) OnRowMoved(from, to);
}

RECT StringGrid::CellRect(int c, int r) const {
    int x = 0;
    for (int i = 0; i < c; ++i) x += widths_[i] + 1;
    int y = (r - topRow_) * Pitch();
    return {x, y, x + widths_.at(c), y + rowHeight_};
}

void StringGrid::MouseToCell(int x, int y, int& c, int& r) const {
    c = r = -1;
    if (x < 0 || y < 0) return;
    int row = topRow_ + y / Pitch();
    if (row < RowCount()) r = row;
    for (int i = 0, left = 0; i < ColCount(); left += widths_[i] + 1, ++i)
        if (x < left + widths_[i] + 1) {
            c = i;
            break;
        }
    if (c < 0 || r < 0) c = r = -1;
}

void StringGrid::MoveTo(int c, int r, bool extend) {
    int keepCol = anchorCol_, keepRow = anchorRow_;
    FocusCell(c, r);
    if (extend && (options_ & goRangeSelect) && !(options_ & goRowSelect)) {
        anchorCol_ = keepCol;
        anchorRow_ = keepRow;
    }
}

void StringGrid::ShowEditor() {
    if (editing_ || !CanEdit() || !Handle) return;
    before_ = cells_[row_][col_];
    editing_ = true;
    ScrollInView();
    editor_.SetText(before_);
    PlaceEditor();
    editor_.Show();
    editor_.SetFocus();
    editor_.SelectAll();
}

void StringGrid::HideEditor(bool keep) {
    if (!editing_) return;
    if (!keep && editor_.Text() != before_) editor_.SetText(before_);  // the change handler writes it back
    editing_ = false;
    bool hadFocus = GetFocus() == editor_.Handle;
    editor_.Hide();
    if (hadFocus) SetFocus();
    Invalidate();
}

void StringGrid::PlaceEditor() {
    if (!editing_) return;
    RECT r = CellRect(col_, row_);
    editor_.SetBounds(r.left + 2, r.top + 2, r.right - r.left - 2, r.bottom - r.top - 2);
}

void StringGrid::EditorKey(WORD& key) {
    switch (key) {
        case VK_RETURN: HideEditor(true); break;
        case VK_ESCAPE: HideEditor(false); break;
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_TAB:
            HideEditor(true);
            KeyDown(key);
            break;
        default: return;
    }
    key = 0;
}

void StringGrid::KeyDown(WORD key) {
    int shift = KeyShift();
    bool extend = shift & ssShift, ctrl = shift & ssCtrl;
    int page = VisibleRowCount();
    int c = col_, r = row_;
    switch (key) {
        case VK_UP: --r; break;
        case VK_DOWN: ++r; break;
        case VK_LEFT: --c; break;
        case VK_RIGHT: ++c; break;
        case VK_PRIOR: r -= page; break;
        case VK_NEXT: r += page; break;
        case VK_HOME: ctrl ? r = 0 : c = 0; break;
        case VK_END: ctrl ? r = RowCount() - 1 : c = ColCount() - 1; break;
        case VK_TAB:
            // Along the row, on to the next row's first cell (Shift: back); it stops at the grid's ends.
            extend = false;
            if (!(shift & ssShift)) {
                if (c < ColCount() - 1) ++c;
                else if (r < RowCount() - 1) c = fixedCols_, ++r;
            } else if (c > fixedCols_) {
                --c;
            } else if (r > 0) {
                c = ColCount() - 1, --r;
            }
            break;
        case VK_F2:
        case VK_RETURN: ShowEditor(); return;
        default: return;
    }
    int oldCol = col_, oldRow = row_;
    if ((key == VK_PRIOR || key == VK_NEXT) && !extend) SetTopRow(topRow_ + (r - row_));
    MoveTo(c, r, extend);
    if ((col_ != oldCol || row_ != oldRow) && OnClick) OnClick();
}

LRESULT StringGrid::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (CanEdit() ? DLGC_WANTTAB : 0);
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); break;
        case WM_SIZE: {
            LRESULT res = Control::WndProc(msg, wp, lp);
            UpdateScrollBar();
            SetTopRow(topRow_);
            return res;
        }
        case WM_VSCROLL: {
            int top = topRow_;
            switch (LOWORD(wp)) {
                case SB_LINEUP: --top; break;
                case SB_LINEDOWN: ++top; break;
                case SB_PAGEUP: top -= VisibleRowCount(); break;
                case SB_PAGEDOWN: top += VisibleRowCount(); break;
                case SB_TOP: top = 0; break;
                case SB_BOTTOM: top = RowCount(); break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: {
                    SCROLLINFO si{sizeof si, SIF_TRACKPOS};
                    GetScrollInfo(Handle, SB_VERT, &si);
                    top = si.nTrackPos;
                    break;
                }
            }
            SetTopRow(top);
            return 0;
        }
        case WM_MOUSEWHEEL: SetTopRow(topRow_ - 3 * (short)HIWORD(wp) / WHEEL_DELTA); return 0;
        case WM_KEYDOWN:
            if (KeyEvent(msg, wp)) return 0;
            KeyDown((WORD)wp);
            return 0;
        case WM_CHAR:
            if (KeyEvent(msg, wp)) return 0;
            // Typing over a cell opens the editor with what was typed (both bytes of a double-byte
            // character arrive here and go on to the editor).
            if (!editing_ && (unsigned char)wp >= ' ' && CanEdit()) {
                ShowEditor();
                editor_.SetText("");
            }
            if (editing_) SendMessageA(editor_.Handle, WM_CHAR, wp, lp);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetFocus();
            int c, r;
            MouseToCell((short)LOWORD(lp), (short)HIWORD(lp), c, r);
            if (r >= 0 && c < fixedCols_) {
                if (options_ & goRowMoving) {
                    moving_ = true;
                    moveFrom_ = moveTo_ = r;
                }
            } else if (r >= 0) {
                MoveTo(c, r, (wp & MK_SHIFT) != 0);
                selecting_ = msg == WM_LBUTTONDOWN;
                if (msg == WM_LBUTTONDBLCLK) ShowEditor();
            }
            break;
        }
        case WM_MOUSEMOVE:
            if (GetCapture() == Handle && (selecting_ || moving_)) {
                int y = (short)HIWORD(lp);
                if (y < 0) SetTopRow(topRow_ - 1);
                else if (y >= ClientHeight()) SetTopRow(topRow_ + 1);
                int r = std::clamp(topRow_ + std::max(0, y) / Pitch(), 0, RowCount() - 1), c, ignored;
                MouseToCell(std::max(0, (int)(short)LOWORD(lp)), 0, c, ignored);
                if (moving_) {
                    if (r != moveTo_) {
                        moveTo_ = r;
                        Invalidate();
                    }
                } else if (options_ & goRangeSelect && !(options_ & goRowSelect) && (r != row_ || (c >= 0 && c != col_))) {
                    MoveTo(c < 0 ? col_ : c, r, true);
                }
            }
            break;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED: {
            bool wasMoving = moving_;
            moving_ = selecting_ = false;
            if (wasMoving) {
                Invalidate();
                if (msg == WM_LBUTTONUP) MoveRow(moveFrom_, moveTo_);
            }
            break;
        }
    }
    return Control::WndProc(msg, wp, lp);
}

void StringGrid::Paint(TCanvas& cv) {
    RECT client = ClientRect();
    GridRect sel = Selection();
    bool focused = GetFocus() == Handle || GetFocus() == editor_.Handle;
    cv.Font = EffectiveFont();
    cv.Pen.Color = clSilver;
    int last = std::min(RowCount() - 1, topRow_ + (int)client.bottom / Pitch() + 1);
    for (int r = topRow_; r <= last; ++r) {
        for (int c = 0; c < ColCount(); ++c) {
            RECT cell = CellRect(c, r);
            if (cell.left >= client.right) break;
            bool fixed = c < fixedCols_;
            bool chosen = !fixed && r >= sel.Top && r <= sel.Bottom && c >= sel.Left && c <= sel.Right;
            bool current = !fixed && r == row_ && c == col_;
            // The current cell shows as a focus frame, except when whole rows are chosen.
            bool highlight = chosen && (!current || (options_ & goRowSelect));
            cv.Brush.Style = BrushStyle::Solid;
            cv.Brush.Color = fixed ? FixedColor : highlight ? clHighlight : EffectiveColor();
            cv.FillRect(cell);
            if (fixed) cv.DrawEdge(cell, BDR_RAISEDINNER, BF_RECT);
            cv.Font.Color = highlight ? clHighlightText : EffectiveFont().Color;
            cv.Brush.Style = BrushStyle::Clear;
            RECT text{cell.left + 2, cell.top, cell.right - 2, cell.bottom};
            cv.DrawText(cells_[r][c], text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            if (current && focused && !editing_ && !(options_ & goRowSelect)) DrawFocusRect(cv.Handle, &cell);
            // Grid lines right of and below the cell.
            cv.MoveTo(cell.right, cell.top);
            cv.LineTo(cell.right, cell.bottom + 1);
            cv.MoveTo(cell.left, cell.bottom);
            cv.LineTo(cell.right, cell.bottom);
        }
    }
    if (moving_ && moveTo_ >= 0) {
        // Where the dragged row will land: a bar at the edge it will take.
        RECT bar = CellRect(0, moveTo_);
        int y = moveTo_ > moveFrom_ ? bar.bottom : bar.top;
        RECT line{0, std::max(0, y - 1), client.right, y + 2};
        cv.Brush.Style = BrushStyle::Solid;
        cv.Brush.Color = clWindowText;
        cv.FillRect(line);
    }
}

}  // namespace tk
