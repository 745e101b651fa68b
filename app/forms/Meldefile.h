#pragma once
// The wizard "Meldedatei erstellen/verschicken": which teams go into the
// entry file, whether it is only saved or also handed to the mail program,
// the folder and file name, and the organiser's mail address. The form only
// fills its team list and steers its pages; its caller presets the fields,
// reads them back and writes the file.
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/Edit.h"
#include "classlib/Form.h"
#include "classlib/Image.h"
#include "classlib/Label.h"
#include "classlib/RadioGroup.h"
#include "components/buttonedits/FileDirEdit.h"
#include "components/edits/BsWizard.h"
#include "components/edits/CheckList.h"

struct EventState;

// True when the team place holds a team with a school name and at least one
// athlete (within the class's athletes per team) with a name and a
// discipline.
bool TeamHasEntries(const EventState& state, int32_t cls, int32_t team);

class TMeldefile : public TForm {
 public:
  TMeldefile(TComponent* owner, const EventState& state);

  // Class and team place of check-list line i.
  int32_t LineCount() const { return static_cast<int32_t>(FLineClass.size()); }
  int32_t LineClass(int32_t i) const { return FLineClass.at(static_cast<size_t>(i)); }
  int32_t LineTeam(int32_t i) const { return FLineTeam.at(static_cast<size_t>(i)); }

  TbsWizard* bsWizard1;
  TRadioGroup* RadioGroup1;
  TCheckList* CheckList1;
  TDCDirectoryEdit* Path;
  TEdit* FileName;
  TEdit* MailAdress;

  void FormCreate(TObject* sender);
  void bsWizard1Next(TObject* sender, bool& allow);
  void bsWizard1Back(TObject* sender, bool& allow);
  void bsWizard1Changing(TObject* sender, bool goForward, bool& allow);
  void bsWizard1Change(TObject* sender, bool goForward);
  void PathButton2Click(TObject* sender);

  // Shows the confirmation after the folder was made (a message dialog
  // unless replaced).
  std::function<void(const AnsiString& text)> Confirm;

 private:
  const EventState& FState;
  TbsWizardPage* AddPage(TbsWizardPageKind kind, const char* title, const char* subtitle);
  TLabel* AddLabel(TWinControl* parent, int left, int top, int width, int height, const char* text);

  std::vector<int32_t> FLineClass;
  std::vector<int32_t> FLineTeam;
};
