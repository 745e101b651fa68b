#pragma once
// The wizard control: pages shown one at a time above a button panel with
// Back, Next/Finish and Cancel. The buttons post their step to the wizard's
// own window, so that a step runs after the click has been handled; a
// forward step runs, in this order, the page's validation, OnNext,
// OnChanging, the page change (new page shown, old page hidden, buttons
// updated) and OnChange. Pages may be hidden from the steps (PageVisible).
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/Button.h"
#include "classlib/Exception.h"
#include "classlib/Filer.h"
#include "classlib/Form.h"

class TbsCustomWizard;

class EbsWizardError : public Exception {
 public:
  using Exception::Exception;
};

// The unit's texts, by string id.
namespace bswzrdconsts {
inline constexpr int32_t SWrongPageParent = 64592;
inline constexpr int32_t SPageIndexError = 64593;
inline constexpr int32_t SValidateMessage = 64594;
inline constexpr int32_t SBackButton = 64595;
inline constexpr int32_t SNextButton = 64596;
inline constexpr int32_t SCancelButton = 64597;
inline constexpr int32_t SFinishButton = 64598;
// The text of the id (empty for an unknown id).
AnsiString LoadText(int32_t id);
}  // namespace bswzrdconsts

enum TbsWizardPageKind { wpkNormal, wpkInterior, wpkWelcome, wpkCompletion };

using TbsWizardChangeEvent = std::function<void(TObject* sender, bool goForward)>;
using TbsWizardChangingEvent = std::function<void(TObject* sender, bool goForward, bool& allow)>;
using TbsWizardNavigateEvent = std::function<void(TObject* sender, bool& allow)>;
using TbsWizardPageValidateEvent =
    std::function<void(TObject* sender, bool& accept, AnsiString& message)>;

// Layout of a wizard whose page area is 497 pixels wide (Left, Top, Right,
// Bottom).
inline constexpr RECT PAGE_RECT{0, 0, 496, 305};
inline constexpr RECT INTERIOR_BOTTOM_RECT{0, 60, 497, 313};

class TbsWizardPage : public TWinControl {
 public:
  explicit TbsWizardPage(TComponent* owner);
  ~TbsWizardPage() override;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  TbsCustomWizard* Wizard() const { return FWizard; }
  void SetWizard(TbsCustomWizard* wizard);
  // The position in the wizard's page list; -1 without a wizard.
  int32_t PageIndex() const;
  // Moves the page within its wizard; an index outside the pages raises
  // EbsWizardError.
  void SetPageIndex(int32_t value);
  bool PageVisible() const { return FPageVisible; }
  void SetPageVisible(bool value);
  TbsWizardPageKind PageKind() const { return FPageKind; }
  void SetPageKind(TbsWizardPageKind kind);
  bool Valid() const { return FValid; }
  void SetValid(bool value);

  // Only a wizard (or none) is taken as parent; any other is ignored.
  void SetParent(TWinControl* parent) override;
  // Raises EbsWizardError with the handler's message when OnValidate refuses.
  void Validate() { DoValidate(); }
  // After its data, a page read inside a wizard joins that wizard.
  void ReadState(TReader& reader) override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TbsWizardPageValidateEvent OnValidate;

 protected:
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoValidate();
  void VisibleChanged() override;
  void PaintBackground(HDC dc, const RECT& r) override;

 private:
  TbsCustomWizard* FWizard = nullptr;
  bool FPageVisible = true;
  TbsWizardPageKind FPageKind = wpkNormal;
  bool FValid = true;
  friend class TbsCustomWizard;
};

// A push button of the wizard's button panel.
class TbsButton : public TButton {
 public:
  using TButton::TButton;
};

class TbsCustomWizard : public TWinControl {
 public:
  static constexpr UINT UM_NEXTPAGE = WM_USER + 100;
  static constexpr UINT UM_BACKPAGE = WM_USER + 101;
  static constexpr UINT UM_CANCELPAGE = WM_USER + 102;
  static constexpr int ButtonPanelHeight = 47;

  explicit TbsCustomWizard(TComponent* owner);
  ~TbsCustomWizard() override;

  // A new page owned by the wizard's form (or by the wizard's owner).
  TbsWizardPage* AddPage(TbsWizardPageKind kind);
  void DeletePage(int32_t index);
  void ClearPages();
  void MovePage(int32_t from, int32_t to);
  TbsWizardPage* Pages(int32_t index) const;
  int32_t PageCount() const { return static_cast<int32_t>(FPages.size()); }

  TbsWizardPage* ActivePage() const { return FActivePage; }
  // Fires no wizard event; a page of another wizard is ignored.
  void SetActivePage(TbsWizardPage* page);
  int32_t GetActivePageIndex() const;
  // An index outside the pages leaves no page active.
  void SetActivePageIndex(int32_t index);
  TCustomForm* GetWizardForm() const { return ParentForm(); }

  // The next page from `current` (none: from before the first or after the
  // last page), without wrapping; with `checkVisible` only visible pages.
  TbsWizardPage* FindNextPage(TbsWizardPage* current, bool goForward, bool checkVisible) const;
  void SelectNextPage(bool goForward, bool checkVisible);
  void SelectFirstPage();

  virtual void UpdateButtonState();
  virtual void UpdateActivePage();

  // Streaming: the pages in page order, then the other child controls the
  // root owns (the button panel and its controls are the wizard's own).
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  // A page read back takes the place it was written at.
  void SetChildOrder(TComponent* child, int32_t order) override;

  TWinControl* ButtonPanel;
  TGraphicControl* BottomLine;
  TbsButton* BackButton;
  TbsButton* NextButton;
  TbsButton* CancelButton;

  TbsWizardChangeEvent OnChange;
  TbsWizardChangingEvent OnChanging;
  TNotifyEvent OnCancel;
  TbsWizardNavigateEvent OnCanceling;
  TbsWizardNavigateEvent OnNext;
  TbsWizardNavigateEvent OnBack;
  TNotifyEvent OnFinish;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  virtual void DoBack(bool& allow);
  virtual void DoCancel();
  virtual void DoFinish();
  virtual bool CanChange(bool goForward);
  virtual void Change(bool goForward);
  virtual void DoNext(bool& allow);
  void BoundsChanged() override;

 private:
  void InsertPage(TbsWizardPage* page);
  void RemovePage(TbsWizardPage* page);
  void ChangeActivePage(TbsWizardPage* page);
  void LayoutChildren();
  void NextPage();
  void BackPage();
  void CancelPage();
  void EndHostForm(TModalResult result);

  std::vector<TbsWizardPage*> FPages;
  TbsWizardPage* FActivePage = nullptr;
  bool FDestroying = false;
  friend class TbsWizardPage;
};

class TbsWizard : public TbsCustomWizard {
 public:
  using TbsCustomWizard::TbsCustomWizard;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }
};

// A dialog form of the wizard's fixed size (503 x 385).
class TbsCustomWizardForm : public TForm {
 public:
  explicit TbsCustomWizardForm(TComponent* owner);
};

class TbsWizardForm : public TbsCustomWizardForm {
 public:
  using TbsCustomWizardForm::TbsCustomWizardForm;
};
