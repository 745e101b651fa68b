#pragma once
// The class chooser "Meldung öffnen": every class of the loaded event with
// its letter, its name and the number of its named teams.
#include <cstdint>

#include "classlib/Button.h"
#include "classlib/Form.h"
#include "classlib/ImageList.h"
#include "classlib/Label.h"
#include "components/edits/ColumnListBox.h"

struct EventState;

class TOpenDatei : public TForm {
 public:
  TOpenDatei(TComponent* owner, const EventState& state);

  TColumnListBox* ColumnListBox1;
  TLabel* Label2;
  TButton* Button1;
  TButton* Button2;
  TImageList* ImageList1;

  void FormCreate(TObject* sender);
  void ColumnListBox1DblClick(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void Button3Click(TObject*) {}
  void PageControl1Change(TObject*) {}

  // The state image of a class: 1 flagged entry errors, 2 unflagged ones,
  // 0 teams without errors, -1 no teams.
  static int ClassState(const EventState& state, int cls, int teams);

 private:
  const EventState& FState;
  int32_t FField = 0;
};
