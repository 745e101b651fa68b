#pragma once
// The label an edit carries beside it: made on demand in the edit's
// parent, placed at one of thirteen positions a margin away from the edit,
// moved, shown, hidden and enabled with it.
#include <functional>

#include "classlib/Label.h"

enum TLabelPosition {
  lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft,
  lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter,
  lpRighBottom
};

// Where a label of size w x h goes beside an edit at `edit`, `margin`
// pixels away. The "...Left" positions put the label at the left edge of the
// edit's parent (x = margin) instead of right before the edit.
POINT EditLabelPlace(TLabelPosition position, int margin, const RECT& edit, int w, int h);

// The label control: clicks go to the edit's handlers.
class TAttachedLabel;
class TEditLabel : public TLabel {
 public:
  using TLabel::TLabel;
  ~TEditLabel() override;
  void MouseUp(int x, int y) override;
  void MouseDblClick(int x, int y) override;
  TNotifyEvent OnLabelClick;
  TNotifyEvent OnLabelDblClick;

 private:
  TAttachedLabel* FLink = nullptr;
  friend class TAttachedLabel;
};

class TAttachedLabel {
 public:
  TAttachedLabel() = default;
  ~TAttachedLabel();
  TAttachedLabel(const TAttachedLabel&) = delete;
  TAttachedLabel& operator=(const TAttachedLabel&) = delete;

  AnsiString Caption;
  TLabelPosition Position = lpLeftTop;
  int Margin = 4;
  bool Transparent = false;
  bool AlwaysEnabled = false;
  TFont Font;
  bool Bold = false;  // the focus look of the label
  TNotifyEvent OnLabelClick;
  TNotifyEvent OnLabelDblClick;

  // The label (null until a caption needs one).
  TEditLabel* Label() const { return FLabel; }
  // Makes, places and shows the label to match the edit.
  void Update(TWinControl& edit);

 private:
  TEditLabel* FLabel = nullptr;
  friend class TEditLabel;
};
