#pragma once
// A non-visual component that offers a list of strings in a small form and
// returns the user's choice.
#include <memory>

#include "classlib/Button.h"
#include "classlib/Form.h"
#include "classlib/Label.h"
#include "classlib/ListBox.h"

enum TButtonPosition { bpBottom, bpRight, bpNone };
enum TDialogPosition { fposCenter, fposAbsolute, fposDefault };

using TClickItemEvent = std::function<void(TObject* sender, int index, const AnsiString& item)>;

class TPickDialog;

// The form of the pick dialog: a title, the list and OK and Cancel.
class TSelectForm : public TForm {
 public:
  TSelectForm(TComponent* owner, TPickDialog* dialog);

  TLabel* title;
  TListBox* SelectList;
  TButton* okbtn;
  TButton* cancelbtn;

  // Lays the controls out for the client size and the button position.
  void Arrange();
  int MinWidth = 0, MinHeight = 0;
  TButtonPosition ButtonPosition = bpBottom;
  bool AcceptDblClick = false;
  bool Grip = false;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TPickDialog* FDialog;
};

class TPickDialog : public TComponent {
 public:
  explicit TPickDialog(TComponent* owner);
  ~TPickDialog() override;

  TStringList& PickItems() { return FPickItems; }
  void SetPickList(const TStrings& items) { FPickItems.Assign(items); }
  AnsiString Caption;
  AnsiString Title;
  bool MultiSel = false;
  bool AcceptDblClick = false;
  bool Sort = false;
  bool ShowTitle = false;
  TButtonPosition ButtonPosition = bpBottom;
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Values up to 180 are ignored.
  void SetWidth(int w) { if (w > 180) FWidth = w; }
  void SetHeight(int h) { if (h > 180) FHeight = h; }
  int TopPosition = 0, LeftPosition = 0;
  TDialogPosition DialogPosition = fposCenter;
  AnsiString CancelCaption = "Cancel";
  AnsiString OkCaption = "OK";
  bool Sizeable = false;
  bool ToolWindow = false;
  TClickItemEvent OnClickItem;
  TClickItemEvent OnDblClickItem;
  AnsiString Version() const { return "1.2.0.0"; }

  // Shows the form modally: 1 for OK, 2 for Cancel, else as the form closed.
  int Execute();
  void Show();
  void Hide();

  int ItemIndex = -1;
  AnsiString SelectedString;
  intptr_t SelectedData = 0;
  TStringList& SelectedItems() { return FSelectedItems; }
  // The form while it exists (for tests and Show).
  TSelectForm* Form() const { return FForm; }

 private:
  void CreateSelect();
  TStringList FPickItems;
  TStringList FSelectedItems;
  int FWidth = 280, FHeight = 270;
  TSelectForm* FForm = nullptr;
  friend class TSelectForm;
};
