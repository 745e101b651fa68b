#pragma once
// The print choice "Drucken": the event's level and place for the printed
// headings, and which entry forms and pupil lists are printed.
#include <cstdint>
#include <vector>

#include "classlib/Button.h"
#include "classlib/ComboBox.h"
#include "classlib/Edit.h"
#include "classlib/Form.h"
#include "classlib/Label.h"
#include "components/edits/CheckList.h"

struct EventState;
struct PrintState;

class TPrintFrm : public TForm {
 public:
  TPrintFrm(TComponent* owner, EventState& state, PrintState& print);

  // Sets level and place from the form and queues the ticked lines in
  // list order, then starts the print queue.
  void PrintChecked();

  struct Line {
    int32_t cls, team, type;
  };
  const std::vector<Line>& Lines() const { return FLines; }

  TLabel* Label1;
  TComboBox* Art;
  TLabel* Label2;
  TEdit* Ort;
  TLabel* Label3;
  TCheckList* CheckList1;
  TButton* Button1;
  TButton* Button2;

  void FormCreate(TObject* sender);
  void Button3Click(TObject*) {}

 private:
  EventState& FState;
  PrintState& FPrint;
  // One entry per line of CheckList1 (two per team with athletes).
  std::vector<Line> FLines;
};
