#pragma once
// An edit with buttons for one published property of an object, as a
// property list shows it: its inner editor and popup are those registered
// for the property's type (and name), its text is the property's value, and
// a commit writes the text back to the property.
#include "components/buttonedits/DCEdit.h"

class TCustomDCPropEditor : public TCustomDCEdit {
 public:
  using TCustomDCEdit::TCustomDCEdit;

  // Edits the property `propName` of `instance` (null or an unknown name:
  // none); the editor and the popup are exchanged for the property's type
  // and the text shows its value. A component edited is forgotten when it
  // is freed.
  void SetEditedProperty(TPersistent* instance, const AnsiString& propName);
  TPersistent* EditedInstance() const { return FInstance; }
  const TPropInfo* EditedProperty() const { return FProp; }

  // The value of the property as the editors show it: names for colours,
  // enumerations and sets, digits for numbers.
  static AnsiString PropertyText(const TPersistent& instance, const TPropInfo& prop);
  // Sets the property from such a text; a text that does not convert
  // raises EConvertError and changes nothing.
  static void SetPropertyText(TPersistent& instance, const TPropInfo& prop, const AnsiString& text);

  bool IsPropertyEditor() override { return true; }

 protected:
  // Writes the text to the property, then to the value adapter.
  void DoTerm() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TPersistent* FInstance = nullptr;
  const TPropInfo* FProp = nullptr;
};
