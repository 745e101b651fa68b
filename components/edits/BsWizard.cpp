#include "components/edits/BsWizard.h"

#include <algorithm>

#include "classlib/Format.h"

namespace bswzrdconsts {

AnsiString LoadText(int32_t id) {
  switch (id) {
    case SWrongPageParent:
      return "The parent is wrong. The TbsWizardPage can have only a TbsWizard as a parent.";
    case SPageIndexError:
      return "%d is an invalid PageIndex value.  PageIndex must be between 0 and %d";
    case SBackButton:
      return "< &Zurück";
    case SNextButton:
      return "&Weiter >";
    case SCancelButton:
      return "&Abbruch";
    case SFinishButton:
      return "&Fertigstellen";
    default:
      return AnsiString();  // SValidateMessage is empty
  }
}

}  // namespace bswzrdconsts

using namespace bswzrdconsts;

namespace {

// The line above the buttons: a shadow line with a highlight line below it.
class TBottomLine : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  void PaintOn(HDC dc) override {
    RECT shadow{0, FHeight - 2, FWidth, FHeight - 1};
    RECT light{0, FHeight - 1, FWidth, FHeight};
    FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
    FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  }
};

bool contains(const TControl* outer, const TControl* c) {
  for (; c; c = c->Parent())
    if (c == outer) return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// Page

TbsWizardPage::TbsWizardPage(TComponent* owner) : TWinControl(owner) { FVisible = false; }

TbsWizardPage::~TbsWizardPage() { SetWizard(nullptr); }

const TClassInfo TbsWizardPage::Info = PublishClass<TbsWizardPage>("TbsWizardPage", "bsWzrd", TComponent::Info, {});

void TbsWizardPage::ReadState(TReader& reader) {
  TWinControl::ReadState(reader);
  if (auto* wizard = dynamic_cast<TbsCustomWizard*>(Parent())) SetWizard(wizard);
}

void TbsWizardPage::SetWizard(TbsCustomWizard* wizard) {
  if (wizard == FWizard) return;
  if (FWizard) FWizard->RemovePage(this);
  FWizard = wizard;
  if (wizard) wizard->InsertPage(this);
}

int32_t TbsWizardPage::PageIndex() const {
  if (!FWizard) return -1;
  const auto& l = FWizard->FPages;
  return static_cast<int32_t>(std::find(l.begin(), l.end(), this) - l.begin());
}

void TbsWizardPage::SetPageIndex(int32_t value) {
  if (!FWizard) return;
  const int32_t last = FWizard->PageCount() - 1;
  if (value < 0 || value > last) throw EbsWizardError(Format(LoadText(SPageIndexError).c_str(), value, last));
  FWizard->MovePage(PageIndex(), value);
}

void TbsWizardPage::SetPageVisible(bool value) {
  if (value == FPageVisible) return;
  FPageVisible = value;
  if (FWizard) FWizard->UpdateActivePage();
}

void TbsWizardPage::SetPageKind(TbsWizardPageKind kind) {
  if (kind == FPageKind) return;
  FPageKind = kind;
  // Controls that take their parent's colour match the page.
  SetColor(kind == wpkWelcome || kind == wpkCompletion ? clWindow : clBtnFace);
  Invalidate();
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TbsWizardPage::SetValid(bool value) {
  if (value == FValid) return;
  FValid = value;
  if (FWizard) FWizard->UpdateButtonState();
}

void TbsWizardPage::SetParent(TWinControl* parent) {
  if (parent && !dynamic_cast<TbsCustomWizard*>(parent)) return;
  TWinControl::SetParent(parent);
}

void TbsWizardPage::DoShow() {
  if (OnShow) OnShow(this);
}

void TbsWizardPage::DoHide() {
  if (OnHide) OnHide(this);
}

void TbsWizardPage::DoValidate() {
  if (!OnValidate) return;
  bool accept = true;
  AnsiString message = LoadText(SValidateMessage);
  OnValidate(this, accept, message);
  if (!accept) throw EbsWizardError(message);
}

void TbsWizardPage::VisibleChanged() {
  TWinControl::VisibleChanged();
  if (FVisible) DoShow();
  else DoHide();
}

void TbsWizardPage::PaintBackground(HDC dc, const RECT& r) {
  switch (FPageKind) {
    case wpkInterior: {
      RECT band{0, 0, r.right, INTERIOR_BOTTOM_RECT.top};
      FillRect(dc, &band, GetSysColorBrush(COLOR_WINDOW));
      RECT lower{0, INTERIOR_BOTTOM_RECT.top, r.right, r.bottom};
      FillRect(dc, &lower, GetSysColorBrush(COLOR_BTNFACE));
      RECT line{0, 58, r.right, 59};
      FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
      break;
    }
    case wpkWelcome:
    case wpkCompletion:
      FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
      break;
    default:
      FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      break;
  }
}

// ---------------------------------------------------------------------------
// Wizard

TbsCustomWizard::TbsCustomWizard(TComponent* owner) : TWinControl(owner) {
  ButtonPanel = new TWinControl(this);
  ButtonPanel->SetName("ButtonPanel");
  ButtonPanel->SetParent(this);
  BottomLine = new TBottomLine(this);
  BottomLine->SetName("BottomLine");
  BottomLine->SetParent(ButtonPanel);

  auto makeButton = [this](const char* name, int left, int32_t text, UINT message) {
    auto* b = new TbsButton(this);
    b->SetName(name);
    b->SetParent(ButtonPanel);
    b->SetBounds(left, 14, 75, 23);
    b->SetCaption(LoadText(text));
    b->OnClick = [this, message](TObject*) {
      if (message == UM_CANCELPAGE) {
        bool allow = true;
        if (OnCanceling) OnCanceling(this, allow);
        if (!allow) return;
      }
      if (FHandle) PostMessageA(FHandle, message, 0, 0);
    };
    return b;
  };
  BackButton = makeButton("BackButton", 252, SBackButton, UM_BACKPAGE);
  NextButton = makeButton("NextButton", 327, SNextButton, UM_NEXTPAGE);
  NextButton->SetDefault(true);
  CancelButton = makeButton("CancelButton", 412, SCancelButton, UM_CANCELPAGE);
  CancelButton->SetCancel(true);
  UpdateButtonState();
}

TbsCustomWizard::~TbsCustomWizard() {
  FDestroying = true;
  FActivePage = nullptr;
  while (!FPages.empty()) delete FPages.front();
}

const TClassInfo TbsWizard::Info = PublishClass<TbsWizard>("TbsWizard", "bsWzrd", TComponent::Info, {});

void TbsCustomWizard::GetChildren(const TGetChildProc& proc, TComponent* root) {
  const std::vector<TbsWizardPage*> pages(FPages);
  for (TbsWizardPage* page : pages) proc(page);
  const std::vector<TControl*> children(FControls);
  for (TControl* c : children) {
    if (c->Owner() != root || dynamic_cast<TbsWizardPage*>(c)) continue;
    if (c == ButtonPanel || c == BackButton || c == NextButton || c == CancelButton || c == BottomLine) continue;
    proc(c);
  }
}

void TbsCustomWizard::SetChildOrder(TComponent* child, int32_t order) {
  auto* page = dynamic_cast<TbsWizardPage*>(child);
  if (!page || page->Wizard() != this) return;
  // Pages are written first, so the order is a page index; a stream that
  // puts other children before them cannot push a page past the last place.
  page->SetPageIndex(std::min(order, PageCount() - 1));
}

TbsWizardPage* TbsCustomWizard::AddPage(TbsWizardPageKind kind) {
  TComponent* owner = GetWizardForm();
  auto* page = new TbsWizardPage(owner ? owner : Owner());
  page->SetPageKind(kind);
  page->SetWizard(this);
  return page;
}

void TbsCustomWizard::InsertPage(TbsWizardPage* page) {
  FPages.push_back(page);
  page->TWinControl::SetParent(this);
  // The buttons come after the pages in the tab order.
  ButtonPanel->SetTabOrder(-1);
  LayoutChildren();
}

void TbsCustomWizard::RemovePage(TbsWizardPage* page) {
  if (FDestroying) {
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    return;
  }
  TbsWizardPage* next = FindNextPage(page, true, true);
  if (next == page) next = nullptr;
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  // Only the removal of the active page moves the active page.
  if (page == FActivePage) SetActivePage(next);
  else UpdateButtonState();
}

void TbsCustomWizard::DeletePage(int32_t index) { delete Pages(index); }

void TbsCustomWizard::ClearPages() {
  while (!FPages.empty()) delete FPages.front();
}

void TbsCustomWizard::MovePage(int32_t from, int32_t to) {
  const int32_t n = PageCount();
  if (from < 0 || from >= n || to < 0 || to >= n || from == to) return;
  TbsWizardPage* page = FPages[static_cast<size_t>(from)];
  FPages.erase(FPages.begin() + from);
  FPages.insert(FPages.begin() + to, page);
  UpdateButtonState();
}

TbsWizardPage* TbsCustomWizard::Pages(int32_t index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return FPages[static_cast<size_t>(index)];
}

void TbsCustomWizard::SetActivePage(TbsWizardPage* page) {
  if (page && page->FWizard != this) return;
  ChangeActivePage(page);
}

int32_t TbsCustomWizard::GetActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TbsCustomWizard::SetActivePageIndex(int32_t index) { SetActivePage(Pages(index)); }

TbsWizardPage* TbsCustomWizard::FindNextPage(TbsWizardPage* current, bool goForward,
                                             bool checkVisible) const {
  const int32_t n = PageCount();
  if (n == 0) return nullptr;
  int32_t start = static_cast<int32_t>(std::find(FPages.begin(), FPages.end(), current) - FPages.begin());
  if (start == n) start = goForward ? -1 : n;
  int32_t i = start;
  for (;;) {
    if (goForward) {
      if (++i >= n) return nullptr;
    } else {
      if (i <= 0) return nullptr;
      --i;
    }
    if (i == start) return nullptr;
    TbsWizardPage* p = FPages[static_cast<size_t>(i)];
    if (!checkVisible || p->FPageVisible) return p;
  }
}

void TbsCustomWizard::SelectNextPage(bool goForward, bool checkVisible) {
  TbsWizardPage* page = FindNextPage(FActivePage, goForward, checkVisible);
  if (!page || page == FActivePage) return;
  if (!CanChange(goForward)) return;
  SetActivePage(page);
  Change(goForward);
}

void TbsCustomWizard::SelectFirstPage() {
  TbsWizardPage* page = FindNextPage(nullptr, true, true);
  if (!page || page == FActivePage) return;
  if (!CanChange(true)) return;
  SetActivePage(page);
  Change(true);
}

void TbsCustomWizard::ChangeActivePage(TbsWizardPage* page) {
  if (page == FActivePage) return;
  TCustomForm* form = GetWizardForm();
  TbsWizardPage* old = FActivePage;
  if (old && form && form->ActiveControl() && contains(old, form->ActiveControl())) {
    form->SetActiveControl(old);
    if (form->ActiveControl() != old) {
      SetActivePageIndex(old->PageIndex());
      return;
    }
  }
  if (page) {
    page->SetBounds(0, 0, FWidth, std::max(0, FHeight - ButtonPanelHeight));
    if (page->HandleAllocated())
      SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    page->SetVisible(true);
    if (old && form && form->ActiveControl() == old) {
      if (page->CanFocus()) form->SetActiveControl(page);
      else if (CanFocus()) form->SetActiveControl(this);
    }
  }
  if (old) old->SetVisible(false);
  FActivePage = page;
  if (page && form && form->ActiveControl() == page) page->SelectNext(nullptr, true, true);
  UpdateButtonState();
}

void TbsCustomWizard::UpdateButtonState() {
  if (FActivePage) {
    BackButton->SetEnabled(FindNextPage(FActivePage, false, true) != nullptr);
    BackButton->SetCaption(LoadText(SBackButton));
    NextButton->SetCaption(LoadText(FindNextPage(FActivePage, true, true) ? SNextButton : SFinishButton));
    NextButton->SetEnabled(FActivePage->FValid);
  } else {
    BackButton->SetEnabled(false);
    NextButton->SetEnabled(false);
  }
}

void TbsCustomWizard::UpdateActivePage() {
  if (FActivePage && !FActivePage->FPageVisible) SelectNextPage(false, true);
  UpdateButtonState();
}

void TbsCustomWizard::DoBack(bool& allow) {
  if (OnBack) OnBack(this, allow);
}

void TbsCustomWizard::DoCancel() {
  if (OnCancel) OnCancel(this);
}

void TbsCustomWizard::DoFinish() {
  if (OnFinish) OnFinish(this);
}

bool TbsCustomWizard::CanChange(bool goForward) {
  bool allow = true;
  if (OnChanging) OnChanging(this, goForward, allow);
  return allow;
}

void TbsCustomWizard::Change(bool goForward) {
  if (OnChange) OnChange(this, goForward);
}

void TbsCustomWizard::DoNext(bool& allow) {
  if (OnNext) OnNext(this, allow);
}

void TbsCustomWizard::EndHostForm(TModalResult result) {
  TCustomForm* form = GetWizardForm();
  if (!form) return;
  if (form->Modal()) form->SetModalResult(result);
  else form->Close();
}

void TbsCustomWizard::NextPage() {
  if (FActivePage) FActivePage->Validate();
  bool allow = true;
  DoNext(allow);
  if (!allow) return;
  if (!FindNextPage(FActivePage, true, true)) {
    DoFinish();
    EndHostForm(mrOk);
    return;
  }
  SelectNextPage(true, true);
}

void TbsCustomWizard::BackPage() {
  bool allow = true;
  DoBack(allow);
  if (allow) SelectNextPage(false, true);
}

void TbsCustomWizard::CancelPage() {
  DoCancel();
  EndHostForm(mrCancel);
}

LRESULT TbsCustomWizard::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case UM_NEXTPAGE:
      NextPage();
      return 0;
    case UM_BACKPAGE:
      BackPage();
      return 0;
    case UM_CANCELPAGE:
      CancelPage();
      return 0;
    default:
      return TWinControl::WndProc(msg, w, l);
  }
}

void TbsCustomWizard::BoundsChanged() {
  TWinControl::BoundsChanged();
  LayoutChildren();
}

void TbsCustomWizard::LayoutChildren() {
  const int pageHeight = std::max(0, FHeight - ButtonPanelHeight);
  ButtonPanel->SetBounds(0, pageHeight, FWidth, ButtonPanelHeight);
  BottomLine->SetBounds(0, 0, FWidth, 2);
  for (TbsWizardPage* p : FPages) p->SetBounds(0, 0, FWidth, pageHeight);
}

// ---------------------------------------------------------------------------

TbsCustomWizardForm::TbsCustomWizardForm(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons(0);
  SetBounds(Left(), Top(), 503, 385);
}
