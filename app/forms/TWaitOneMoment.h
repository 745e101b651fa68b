#pragma once
// The wait form shown while the entry file is written; the entry-file writer
// builds and saves the file on the form's object-model component "XML".
#include "classlib/Animate.h"
#include "classlib/Form.h"
#include "xml/dom/XpObjModel.h"

struct EventState;

class TTWaitOneMoment : public TForm {
 public:
  TTWaitOneMoment(TComponent* owner, const EventState& state);

  // Builds the entry file (".VOV") of the ticked teams and saves it at
  // `path`. An existing file is replaced only after the user agreed (or
  // without asking when `askToReplace` is false), and only once the new one
  // is complete. False when refused or when saving failed; no partial file
  // is left and no exception reaches the caller.
  bool WriteEntryFile(const AnsiString& path, bool askToReplace = true);

  TAnimate* Animate1;
  TXpObjModel* XML;

 private:
  const EventState& FState;
};

// Shows the wait form without blocking under the wait cursor while the entry
// file is written; with `replace` an existing file is replaced without a
// question, otherwise only after two questions (a No is answered with a
// refusal box and gives false). The writer's result.
bool WriteEntryFileWithPrompt(const EventState& state, const AnsiString& path, bool replace);
