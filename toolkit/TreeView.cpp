#include "toolkit/TreeView.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "toolkit/ImageList.h"

namespace tk {

namespace {
const UINT_PTR kEditTimer = 0x7E01;  // slow second click on the selected node

std::string FromWide(const wchar_t* w) {
    if (!w) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, w, -1, s.data(), n, nullptr, nullptr);
    return s;
}
}  // namespace

bool PastDragThreshold(POINT from, POINT to) {
    return std::abs(to.x - from.x) > GetSystemMetrics(SM_CXDRAG) ||
           std::abs(to.y - from.y) > GetSystemMetrics(SM_CYDRAG);
}

TreeView::~TreeView() {
    // The window goes in the base destructor; what it reports then is nobody's business.
    quiet_ = true;
    if (Handle && GetCapture() == Handle) ReleaseCapture();
}

void TreeView::Create(Control& parent, const Ctl& p) {
    DWORD style = WS_TABSTOP | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP;
    if (!(p.style & tvNoLines)) style |= TVS_HASLINES;
    if (!(p.style & tvReadOnly)) style |= TVS_EDITLABELS;
    Ctl q = p;
    q.caption.clear();
    CreateChild(parent, WC_TREEVIEWA, style, WS_EX_CLIENTEDGE, q);
    for (auto& s : p.items) Add(nullptr, s);
}

void TreeView::SetImages(ImageList* images) {
    SendMessageA(Handle, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)(images ? images->Handle() : nullptr));
}

TreeNode TreeView::Insert(TreeNode parent, TreeNode after, const std::string& text) {
    TVINSERTSTRUCTA is{};
    is.hParent = parent ? parent : TVI_ROOT;
    is.hInsertAfter = after;
    is.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    is.item.pszText = const_cast<char*>(text.c_str());
    is.item.iImage = I_IMAGECALLBACK;
    is.item.iSelectedImage = I_IMAGECALLBACK;
    orderValid_ = false;
    return (TreeNode)SendMessageA(Handle, TVM_INSERTITEMA, 0, (LPARAM)&is);
}

TreeNode TreeView::Add(TreeNode parent, const std::string& text) { return Insert(parent, TVI_LAST, text); }
TreeNode TreeView::AddFirst(TreeNode parent, const std::string& text) { return Insert(parent, TVI_FIRST, text); }

void TreeView::Delete(TreeNode node) {
    if (!node) return;
    orderValid_ = false;
    SendMessageA(Handle, TVM_DELETEITEM, 0, (LPARAM)node);
}

void TreeView::Clear() {
    bool was = quiet_;
    quiet_ = true;
    orderValid_ = false;
    SendMessageA(Handle, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    quiet_ = was;
}

void TreeView::BeginUpdate() {
    if (updates_++ == 0) SendMessageA(Handle, WM_SETREDRAW, FALSE, 0);
}

void TreeView::EndUpdate() {
    if (updates_ > 0 && --updates_ == 0) {
        SendMessageA(Handle, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Handle, nullptr, TRUE);
    }
}

int TreeView::Count() const { return (int)SendMessageA(Handle, TVM_GETCOUNT, 0, 0); }

const std::vector<TreeNode>& TreeView::Order() const {
    if (orderValid_) return order_;
    order_.clear();
    TreeNode n = FirstRoot();
    while (n) {
        order_.push_back(n);
        if (TreeNode c = FirstChild(n)) {
            n = c;
            continue;
        }
        while (n && !NextSibling(n)) n = Parent(n);
        if (n) n = NextSibling(n);
    }
    orderValid_ = true;
    return order_;
}

TreeNode TreeView::NodeAt(int i) const {
    auto& o = Order();
    return i >= 0 && i < (int)o.size() ? o[i] : nullptr;
}

int TreeView::AbsoluteIndex(TreeNode node) const {
    if (!node) return -1;
    auto& o = Order();
    for (int i = 0; i < (int)o.size(); ++i)
        if (o[i] == node) return i;
    return -1;
}

std::string TreeView::NodeText(TreeNode node) const {
    if (!node) return {};
    char buf[1024] = {};
    TVITEMA it{};
    it.mask = TVIF_TEXT | TVIF_HANDLE;
    it.hItem = node;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessageA(Handle, TVM_GETITEMA, 0, (LPARAM)&it);
    return it.pszText ? it.pszText : "";
}

void TreeView::SetNodeText(TreeNode node, const std::string& text) {
    if (!node) return;
    TVITEMA it{};
    it.mask = TVIF_TEXT | TVIF_HANDLE;
    it.hItem = node;
    it.pszText = const_cast<char*>(text.c_str());
    SendMessageA(Handle, TVM_SETITEMA, 0, (LPARAM)&it);
}

TreeNode TreeView::Parent(TreeNode node) const {
    return node ? (TreeNode)SendMessageA(Handle, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)node) : nullptr;
}
TreeNode TreeView::FirstChild(TreeNode node) const {
    if (!node) return (TreeNode)SendMessageA(Handle, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    return (TreeNode)SendMessageA(Handle, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)node);
}
TreeNode TreeView::NextSibling(TreeNode node) const {
    return node ? (TreeNode)SendMessageA(Handle, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)node) : nullptr;
}
TreeNode TreeView::PrevSibling(TreeNode node) const {
    return node ? (TreeNode)SendMessageA(Handle, TVM_GETNEXTITEM, TVGN_PREVIOUS, (LPARAM)node) : nullptr;
}

int TreeView::Level(TreeNode node) const {
    if (!node) return -1;
    int level = 0;
    while ((node = Parent(node))) ++level;
    return level;
}

void TreeView::Expand(TreeNode node) {
    if (node) SendMessageA(Handle, TVM_EXPAND, TVE_EXPAND, (LPARAM)node);
}
void TreeView::Collapse(TreeNode node) {
    if (node) SendMessageA(Handle, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)node);
}
bool TreeView::Expanded(TreeNode node) const {
    return node && (SendMessageA(Handle, TVM_GETITEMSTATE, (WPARAM)node, TVIS_EXPANDED) & TVIS_EXPANDED);
}
void TreeView::FullExpand() {
    for (TreeNode n : Order())
        if (HasChildren(n)) Expand(n);
}
void TreeView::MakeVisible(TreeNode node) {
    if (node) SendMessageA(Handle, TVM_ENSUREVISIBLE, 0, (LPARAM)node);
}

TreeNode TreeView::Selected() const { return (TreeNode)SendMessageA(Handle, TVM_GETNEXTITEM, TVGN_CARET, 0); }

void TreeView::Select(TreeNode node) {
    if (node == Selected()) return;
    SendMessageA(Handle, TVM_SELECTITEM, TVGN_CARET, (LPARAM)node);
}

TreeNode TreeView::NodeAtPoint(int x, int y) const {
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    TreeNode n = (TreeNode)SendMessageA(Handle, TVM_HITTEST, 0, (LPARAM)&hit);
    return n && (hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)) ? n : nullptr;
}

RECT TreeView::NodeRect(TreeNode node, bool textOnly) const {
    RECT r{};
    if (!node) return r;
    std::memcpy(&r, &node, sizeof node);  // the message takes the node in the rectangle
    if (!SendMessageA(Handle, TVM_GETITEMRECT, textOnly, (LPARAM)&r)) return RECT{};
    return r;
}

bool TreeView::StartEdit(TreeNode node) {
    if (!node) return false;
    if (GetFocus() != Handle) ::SetFocus(Handle);
    if (!SendMessageA(Handle, TVM_EDITLABELA, 0, (LPARAM)node)) return false;
    FitEditor(true);
    return true;
}

// The control's editor starts at the label and ends at the right edge at the latest, so a title
// longer than that room shows cut at both ends (scrolled to the caret at its end). The editor
// moves left, down to the tree's left edge, until it holds the whole title where it can.
void TreeView::FitEditor(bool fromStart) {
    HWND edit = (HWND)SendMessageA(Handle, TVM_GETEDITCONTROL, 0, 0);
    TreeNode node = Selected();
    if (!edit || !node) return;
    int n = GetWindowTextLengthA(edit);
    std::string text(n, '\0');
    GetWindowTextA(edit, text.data(), n + 1);
    SIZE size{};
    TEXTMETRICA tm{};
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(edit, WM_GETFONT, 0, 0));
    GetTextExtentPoint32A(dc, text.data(), n, &size);
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    RECT box, inside;
    GetWindowRect(edit, &box);
    MapWindowPoints(nullptr, Handle, (POINT*)&box, 2);
    GetClientRect(edit, &inside);
    DWORD margins = (DWORD)SendMessageA(edit, EM_GETMARGINS, 0, 0);
    // Frame, margins and room for the caret after the last character.
    int need =
        size.cx + LOWORD(margins) + HIWORD(margins) + (box.right - box.left - inside.right) + tm.tmAveCharWidth;
    const int room = ClientWidth();
    int width = std::min(std::max(need, (int)(box.right - box.left)), room);
    int left = std::max(0, std::min((int)NodeRect(node).left - 2, room - width));
    if (left != box.left || width != box.right - box.left)
        SetWindowPos(edit, nullptr, left, box.top, width, box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Everything selected as the control has it, with the caret at the start so that a title
    // still wider than the tree shows from its beginning.
    if (fromStart) SendMessageA(edit, EM_SETSEL, GetWindowTextLengthW(edit), 0);
}

void TreeView::EndEdit(bool cancel) { SendMessageA(Handle, TVM_ENDEDITLABELNOW, cancel, 0); }

bool TreeView::IsEditing() const { return SendMessageA(Handle, TVM_GETEDITCONTROL, 0, 0) != 0; }

TreeNode TreeView::CopySubtree(TreeNode node, TreeNode parent, TreeNode after) {
    TreeNode copy = Insert(parent, after, NodeText(node));
    if (!copy) return nullptr;
    for (TreeNode c = FirstChild(node); c; c = NextSibling(c)) CopySubtree(c, copy, TVI_LAST);
    if (Expanded(node)) Expand(copy);
    return copy;
}

TreeNode TreeView::MoveNode(TreeNode node, TreeNode target, TreeMove where) {
    if (!node) return nullptr;
    bool sibling = where == TreeMove::AsSiblingBefore || where == TreeMove::AsSiblingAfter;
    if (sibling && !target) return nullptr;
    for (TreeNode t = target; t; t = Parent(t))
        if (t == node) return nullptr;  // onto itself or into its own branch
    TreeNode parent = target, after = TVI_LAST;
    switch (where) {
        case TreeMove::AsFirstChild: after = TVI_FIRST; break;
        case TreeMove::AsLastChild: after = TVI_LAST; break;
        case TreeMove::AsSiblingBefore: {
            parent = Parent(target);
            TreeNode prev = PrevSibling(target);
            after = prev ? prev : TVI_FIRST;
            break;
        }
        case TreeMove::AsSiblingAfter: parent = Parent(target); after = target; break;
    }
    // The selection is carried over by its offset inside the moved branch.
    int selOffset = -1;
    TreeNode sel = Selected();
    for (TreeNode t = sel; t; t = Parent(t))
        if (t == node) {
            selOffset = AbsoluteIndex(sel) - AbsoluteIndex(node);
            break;
        }
    bool was = quiet_;
    quiet_ = true;
    BeginUpdate();
    TreeNode copy = CopySubtree(node, parent, after);
    if (copy) {
        if (node == dragNode_ || node == pressNode_) EndPress();
        Delete(node);
        if (selOffset >= 0) SendMessageA(Handle, TVM_SELECTITEM, TVGN_CARET, (LPARAM)NodeAt(AbsoluteIndex(copy) + selOffset));
    }
    EndUpdate();
    quiet_ = was;
    return copy;
}

bool TreeView::DragAccepts(TreeNode target) {
    bool accept = true;
    if (OnDragOver) OnDragOver(dragNode_, target, accept);
    return accept;
}

void TreeView::ShowDropTarget(TreeNode target) {
    if (target == dropTarget_) return;
    dropTarget_ = target;
    SendMessageA(Handle, TVM_SELECTITEM, TVGN_DROPHILITE, (LPARAM)target);
}

void TreeView::EndPress() {
    ShowDropTarget(nullptr);
    pressNode_ = nullptr;
    dragNode_ = nullptr;
    dragging_ = false;
    if (GetCapture() == Handle) ReleaseCapture();
}

void TreeView::CancelDrag() { EndPress(); }

LRESULT TreeView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_LBUTTONDOWN: {
            KillTimer(Handle, kEditTimer);
            if (!OnStartDrag || IsEditing()) break;
            int x = (short)LOWORD(lp), y = (short)HIWORD(lp);
            TreeNode node = NodeAtPoint(x, y);
            bool allow = false;
            if (node) OnStartDrag(node, allow);
            if (!allow) break;  // the control's own click handling
            // A drag is only a wish until the mouse moves far enough; until then this is a click.
            pressWasSelected_ = Selected() == node;
            if (GetFocus() != Handle) ::SetFocus(Handle);
            Select(node);
            if (OnMouseDown) OnMouseDown(mbLeft, ShiftFromKeys(wp), x, y);
            if (Selected() != node) return 0;  // the selection change was refused
            pressNode_ = node;
            pressAt_ = {x, y};
            SetCapture(Handle);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (pressNode_) {
                POINT pt{(short)LOWORD(lp), (short)HIWORD(lp)};
                if (!dragging_ && PastDragThreshold(pressAt_, pt)) {
                    dragging_ = true;
                    dragNode_ = pressNode_;
                }
                if (dragging_) {
                    RECT rc;
                    GetClientRect(Handle, &rc);
                    int edge = (int)SendMessageA(Handle, TVM_GETITEMHEIGHT, 0, 0) / 2;
                    if (pt.y < rc.top + edge) SendMessageA(Handle, WM_VSCROLL, SB_LINEUP, 0);
                    else if (pt.y >= rc.bottom - edge) SendMessageA(Handle, WM_VSCROLL, SB_LINEDOWN, 0);
                    TreeNode target = NodeAtPoint(pt.x, pt.y);
                    bool ok = DragAccepts(target);
                    ShowDropTarget(ok ? target : nullptr);
                    SetCursor(LoadCursorA(nullptr, ok ? (LPCSTR)IDC_ARROW : (LPCSTR)IDC_NO));
                }
            }
            break;
        case WM_LBUTTONUP:
            if (pressNode_) {
                int x = (short)LOWORD(lp), y = (short)HIWORD(lp);
                bool dragged = dragging_;
                TreeNode node = dragNode_, target = NodeAtPoint(x, y);
                bool ok = dragged && DragAccepts(target);
                EndPress();
                if (OnMouseUp) OnMouseUp(mbLeft, ShiftFromKeys(wp), x, y);
                if (dragged) {
                    if (ok && OnDragDrop) OnDragDrop(node, target);
                } else {
                    if (OnClick) OnClick();
                    if (pressWasSelected_ && (GetWindowLongA(Handle, GWL_STYLE) & TVS_EDITLABELS))
                        SetTimer(Handle, kEditTimer, GetDoubleClickTime(), nullptr);
                }
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK: KillTimer(Handle, kEditTimer); break;
        case WM_TIMER:
            if (wp == kEditTimer) {
                KillTimer(Handle, kEditTimer);
                if (TreeNode n = Selected()) StartEdit(n);
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (pressNode_ && (HWND)lp != Handle) EndPress();
            break;
        case WM_KEYDOWN:
            if (dragging_ && wp == VK_ESCAPE) {
                EndPress();
                return 0;
            }
            break;
        case WM_COMMAND:
        case WM_HSCROLL: {
            // The control sizes its editor again as the title changes and leaves it in place when
            // the tree scrolls sideways; the editor is fitted after either.
            LRESULT r = Control::WndProc(msg, wp, lp);
            if (msg == WM_HSCROLL || HIWORD(wp) == EN_UPDATE) FitEditor(false);
            return r;
        }
    }
    return Control::WndProc(msg, wp, lp);
}

bool TreeView::HandleNotify(NMHDR* nm, LRESULT& result) {
    switch (nm->code) {
        case TVN_SELCHANGINGA:
        case TVN_SELCHANGINGW: {
            bool allow = true;
            if (!quiet_ && OnChanging) OnChanging(((NMTREEVIEWA*)nm)->itemNew.hItem, allow);
            result = allow ? FALSE : TRUE;
            return true;
        }
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            if (!quiet_ && OnChange) OnChange(((NMTREEVIEWA*)nm)->itemNew.hItem);
            result = 0;
            return true;
        case TVN_GETDISPINFOA:
        case TVN_GETDISPINFOW: {
            TVITEMA& it = ((NMTVDISPINFOA*)nm)->item;
            int image = -1, selectedImage = -1;
            if (OnGetImageIndex) OnGetImageIndex(it.hItem, image, selectedImage);
            if (it.mask & TVIF_IMAGE) it.iImage = image;
            if (it.mask & TVIF_SELECTEDIMAGE) it.iSelectedImage = selectedImage;
            result = 0;
            return true;
        }
        case TVN_BEGINLABELEDITA:
        case TVN_BEGINLABELEDITW: {
            bool allow = !dragging_;
            if (allow && OnEditing) OnEditing(((NMTVDISPINFOA*)nm)->item.hItem, allow);
            result = allow ? FALSE : TRUE;
            return true;
        }
        case TVN_ENDLABELEDITA:
        case TVN_ENDLABELEDITW: {
            TVITEMA& it = ((NMTVDISPINFOA*)nm)->item;
            result = FALSE;
            if (!it.pszText) return true;  // cancelled
            std::string text =
                nm->code == TVN_ENDLABELEDITA ? std::string(it.pszText) : FromWide((const wchar_t*)it.pszText);
            std::string typed = text;
            bool accept = true;
            if (OnEdited) OnEdited(it.hItem, text, accept);
            if (!accept) return true;
            if (text == typed) result = TRUE;
            else SetNodeText(it.hItem, text);
            return true;
        }
        case TVN_DELETEITEMA:
        case TVN_DELETEITEMW: {
            TreeNode gone = ((NMTREEVIEWA*)nm)->itemOld.hItem;
            orderValid_ = false;
            if (gone == pressNode_ || gone == dragNode_) EndPress();
            if (gone == dropTarget_) dropTarget_ = nullptr;
            result = 0;
            return true;
        }
        case NM_CLICK:
            if (OnClick) OnClick();
            result = 0;
            return true;
    }
    return false;
}

}  // namespace tk
