// Tree view over the common-controls tree. Nodes are the control's own item handles; every node
// also has an absolute index, its position when the whole tree is walked depth first (collapsed
// branches included), which stays the same however the tree is expanded.
// Node images are asked for whenever a node is drawn (OnGetImageIndex), so they can follow the
// node's state. Labels are edited in place (a slow second click on the selected node, or
// StartEdit). With OnStartDrag set, a node is dragged inside the tree once the mouse has moved
// past the system drag distance with the left button held; the node under the mouse is shown as
// the drop target.
#pragma once
#include "toolkit/Control.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace tk {

class ImageList;

using TreeNode = HTREEITEM;  // nullptr = no node

// Where MoveNode puts a node relative to its target.
enum class TreeMove { AsFirstChild, AsLastChild, AsSiblingBefore, AsSiblingAfter };

// Flags for Ctl::style.
enum TreeViewFlags : int { tvReadOnly = 1, tvNoLines = 2 };

// True when the mouse has gone from `from` to `to` farther than the system drag distance.
bool PastDragThreshold(POINT from, POINT to);

class TreeView : public Control {
public:
    TreeView() { Color = clWindow; }
    ~TreeView() override;
    void Create(Control& parent, const Ctl& p);

    void SetImages(ImageList* images);

    // Adding: under parent (nullptr = at the top level) as its last or its first child.
    TreeNode Add(TreeNode parent, const std::string& text);
    TreeNode AddFirst(TreeNode parent, const std::string& text);
    TreeNode AddRoot(const std::string& text) { return Add(nullptr, text); }
    // Deletes the node with its children.
    void Delete(TreeNode node);
    void Clear();
    // Stops repainting while many nodes change; EndUpdate repaints once.
    void BeginUpdate();
    void EndUpdate();

    int Count() const;
    // The node at absolute index i (depth-first position), or nullptr.
    TreeNode NodeAt(int i) const;
    // The node's depth-first position, or -1.
    int AbsoluteIndex(TreeNode node) const;

    std::string NodeText(TreeNode node) const;
    void SetNodeText(TreeNode node, const std::string& text);
    TreeNode Parent(TreeNode node) const;
    TreeNode FirstChild(TreeNode node) const;
    TreeNode NextSibling(TreeNode node) const;
    TreeNode PrevSibling(TreeNode node) const;
    TreeNode FirstRoot() const { return FirstChild(nullptr); }
    bool HasChildren(TreeNode node) const { return FirstChild(node) != nullptr; }
    // 0 for a top-level node.
    int Level(TreeNode node) const;

    void Expand(TreeNode node);
    void Collapse(TreeNode node);
    bool Expanded(TreeNode node) const;
    void FullExpand();
    void MakeVisible(TreeNode node);

    TreeNode Selected() const;
    // Selecting runs OnChanging (which may refuse) and OnChange, only when the selection changes.
    void Select(TreeNode node);

    // The node whose label or image lies under a client point, or nullptr.
    TreeNode NodeAtPoint(int x, int y) const;
    RECT NodeRect(TreeNode node, bool textOnly = true) const;

    // In-place editing of the node's label (OnEditing may refuse).
    bool StartEdit(TreeNode node);
    void EndEdit(bool cancel);
    bool IsEditing() const;

    // Moves node with its whole subtree; returns the node's new handle, or nullptr when the move
    // is impossible (onto itself or into its own subtree). Fires no selection events; a selected
    // node stays selected.
    TreeNode MoveNode(TreeNode node, TreeNode target, TreeMove where);

    // Selection about to change to node (nullptr: none); clear allow to keep the current one.
    std::function<void(TreeNode node, bool& allow)> OnChanging;
    std::function<void(TreeNode node)> OnChange;
    // Label editing about to start; clear allow to refuse.
    std::function<void(TreeNode node, bool& allow)> OnEditing;
    // Label edited: text may be changed; clear accept to keep the old label.
    std::function<void(TreeNode node, std::string& text, bool& accept)> OnEdited;
    // Images of a node as it is drawn.
    std::function<void(TreeNode node, int& image, int& selectedImage)> OnGetImageIndex;
    // Left button pressed on node: set allow to let it be dragged.
    std::function<void(TreeNode node, bool& allow)> OnStartDrag;
    // While dragging: target is the node under the mouse (nullptr: none); clear accept to refuse.
    std::function<void(TreeNode dragged, TreeNode target, bool& accept)> OnDragOver;
    // Dropped where OnDragOver accepted.
    std::function<void(TreeNode dragged, TreeNode target)> OnDragDrop;

    bool Dragging() const { return dragging_; }
    TreeNode DraggedNode() const { return dragNode_; }
    void CancelDrag();

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleNotify(NMHDR* nm, LRESULT& result) override;

private:
    TreeNode Insert(TreeNode parent, TreeNode after, const std::string& text);
    TreeNode CopySubtree(TreeNode node, TreeNode parent, TreeNode after);
    const std::vector<TreeNode>& Order() const;
    bool DragAccepts(TreeNode target);
    void ShowDropTarget(TreeNode target);
    void EndPress();
    void FitEditor(bool fromStart);

    mutable std::vector<TreeNode> order_;
    mutable bool orderValid_ = false;
    bool quiet_ = false;  // selection events held back (moves, clearing)
    int updates_ = 0;
    TreeNode pressNode_ = nullptr;
    POINT pressAt_{};
    bool pressWasSelected_ = false;
    bool dragging_ = false;
    TreeNode dragNode_ = nullptr;
    TreeNode dropTarget_ = nullptr;
};

}  // namespace tk
