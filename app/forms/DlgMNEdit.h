#pragma once
// The team record dialog "Mannschaftsdatensatz erfassen/ändern": one team's
// school data, supervisor, telephone numbers and relay times. It offers known
// school names, derives the list name from the school name, copies a known
// school's data, numbers a school's further teams in a class and can carry
// corrected school data over to the school's teams in all classes.
#include <cstdint>
#include <memory>

#include "app/core/TeamRecord.h"
#include "app/forms/FormAccelerators.h"
#include "classlib/Button.h"
#include "classlib/CheckBox.h"
#include "classlib/Edit.h"
#include "classlib/Form.h"
#include "classlib/Label.h"
#include "classlib/MaskEdit.h"
#include "classlib/PageControl.h"
#include "classlib/RadioGroup.h"
#include "classlib/SpeedButton.h"
#include "components/edits/AdvLUEdit.h"
#include "components/edits/PickDialog.h"

struct EventState;

class TDlgMNEdit : public TForm {
 public:
  TDlgMNEdit(TComponent* owner, EventState& state);
  ~TDlgMNEdit() override;

  // Fills the dialog from the team record of (class, team); edit flag 1
  // corrects an existing team, 0 enters a new one.
  void LoadTeam(int32_t cls, int32_t team, int32_t edit);
  // Shows the relay page with the focus on its first time.
  void ShowRelayTimes();
  // Copies the fields into the team record (and, when asked, the school data
  // into the same school's teams of all classes, which are saved); 1.
  int32_t StoreTeam();

  // The list name of a school name: the name itself up to 30 characters,
  // else with its first school type shortened.
  static AnsiString ListNameOf(const AnsiString& schoolName);
  // The edit mask of a relay time from a discipline's template.
  static AnsiString RelayMask(const AnsiString& tmpl);

  TPageControl* PageControl1;
  TTabSheet* TabSheet1;
  TTabSheet* TabSheet2;
  TTabSheet* TabSheet3;
  TTabSheet* TabSheet4;
  TAdvLUEdit* Schulname;
  TAdvLUEdit* Listenname;
  TAdvLUEdit* Reitername;
  TAdvLUEdit* LBK;
  TAdvLUEdit* Kreis;
  TAdvLUEdit* Strasse;
  TAdvLUEdit* Ort;
  TAdvLUEdit* EMail;
  TCheckBox* CheckBox1;
  TSpeedButton* SpeedButton1;
  TLabel* Label8;
  TLabel* MNR;
  TEdit* Betreuer;
  TEdit* Tel1;
  TEdit* Tel2;
  TLabel* Staffel[6];
  TMaskEdit* Staffelzeit[6];
  TRadioGroup* RadioGroup1;
  TButton* Button1;
  TButton* Button2;
  TPickDialog* PickDialog1;

  void FormCreate(TObject* sender);
  void SchulnameExit(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button3Click(TObject*) {}
  bool DialogChar(char key) override;

  int32_t RelayCount() const { return FRelayCount; }
  int32_t RelayDiscipline(int row) const { return FRelayDisciplines[row]; }
  // The answer asked for by the e-mail question; tests replace it.
  std::function<bool()> AskForMail;

 private:
  EventState& FState;
  TAdvLUEdit* MakeLookupEdit(TTabSheet* page, const char* name, const char* caption, int top,
                             int left, int width, int maxLength, bool upper);
  TEdit* MakeEdit(TTabSheet* page, const char* name, const char* caption, int top);
  TLabel* MakeLabel(TWinControl* parent, const char* name, const char* caption, int left, int top);
  void CopySchool(const TeamRecord& from);
  void NumberTeam();
  bool Require(bool filled, TTabSheet* page, TWinControl* field);

  std::unique_ptr<FormAccelerators> FAccelerators;
  int32_t FClass = 0;
  int32_t FTeam = 0;
  int32_t FEdit = 0;
  int32_t FMailAsked = 0;
  int32_t FRelayCount = 0;
  int32_t FRelayDisciplines[7];
  AnsiString FLoadedName;
  TeamRecord* FRecord = nullptr;
};
