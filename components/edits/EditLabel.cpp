#include "components/edits/EditLabel.h"

namespace {

// Half of d, rounded away from zero.
int halfAway(int d) { return d >= 0 ? (d + 1) / 2 : -((1 - d) / 2); }

}  // namespace

POINT EditLabelPlace(TLabelPosition position, int m, const RECT& e, int w, int h) {
  int left = e.left, top = e.top, W = e.right - e.left, H = e.bottom - e.top;
  switch (position) {
    case lpLeftTop: return {left - w - m, top};
    case lpLeftCenter: return {left - w - m, top + halfAway(H - h)};
    case lpLeftBottom: return {left - w - m, top + H - h};
    case lpTopLeft: return {left, top - h - m};
    case lpBottomLeft: return {left, top + H + m};
    case lpLeftTopLeft: return {m, top};
    case lpLeftCenterLeft: return {m, top + halfAway(H - h)};
    case lpLeftBottomLeft: return {m, top + H - h};
    case lpTopCenter: return {left + (W - w) / 2, top - h - m};
    case lpBottomCenter: return {left + (W - w) / 2, top + H + m};
    case lpRightTop: return {left + W + m, top};
    case lpRightCenter: return {left + W + m, top + halfAway(H - h)};
    case lpRighBottom: return {left + W + m, top + H - h};
  }
  return {left, top};
}

void TEditLabel::MouseUp(int x, int y) {
  if (x >= 0 && y >= 0 && x < FWidth && y < FHeight) {
    if (OnLabelClick) OnLabelClick(this);
    Click();
  }
}

void TEditLabel::MouseDblClick(int, int) {
  if (OnLabelDblClick) OnLabelDblClick(this);
}

TEditLabel::~TEditLabel() {
  if (FLink) FLink->FLabel = nullptr;
}

TAttachedLabel::~TAttachedLabel() {
  // The label is a control of the edit's parent: it goes with the edit, or
  // earlier with the parent, which then tells this link.
  if (FLabel) {
    FLabel->FLink = nullptr;
    delete FLabel;
  }
}

void TAttachedLabel::Update(TWinControl& edit) {
  if (!FLabel) {
    if (Caption.empty()) return;
    FLabel = new TEditLabel(nullptr);
    FLabel->FLink = this;
    FLabel->OnLabelClick = [this](TObject* sender) {
      if (OnLabelClick) OnLabelClick(sender);
    };
    FLabel->OnLabelDblClick = [this](TObject* sender) {
      if (OnLabelDblClick) OnLabelDblClick(sender);
    };
  }
  FLabel->Font().Assign(Font);
  FLabel->Font().SetStyle(Bold ? (Font.Style() | fsBold) : Font.Style());
  FLabel->SetTransparent(Transparent);
  FLabel->SetCaption(Caption);
  if (FLabel->Parent() != edit.Parent()) FLabel->SetParent(edit.Parent());
  POINT at = EditLabelPlace(Position, Margin, edit.BoundsRect(), FLabel->Width(),
                            FLabel->Height());
  FLabel->SetBounds(at.x, at.y, FLabel->Width(), FLabel->Height());
  FLabel->SetVisible(edit.Visible() && !Caption.empty());
  FLabel->SetEnabled(AlwaysEnabled || edit.Enabled());
}
