// Small enumerations shared by the standard controls.
#pragma once

namespace tk {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Panel edges: none, sunken, raised, or an empty strip of the bevel width.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle { bsNone, bsSingle };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
// State bits handed to owner-drawn list items.
enum TOwnerDrawState { odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16 };

}  // namespace tk
