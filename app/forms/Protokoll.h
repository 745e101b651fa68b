#pragma once
// The log of the user's results (entry files written, mails handed over and
// their failures), kept in the event's log file, which is rewritten whole
// after every change.
#include "classlib/Button.h"
#include "classlib/Form.h"
#include "classlib/Memo.h"

struct EventState;

class TProtokoll : public TForm {
 public:
  TProtokoll(TComponent* owner, const EventState& state);

  // Appends the text (one line per line of the text), a line "-----" and an
  // empty line, and saves the log. A failure to save is shown and does not
  // reach the caller: 1 when saved, 0 when not.
  int AddLine(const AnsiString& text);
  // The log file of the loaded event.
  const AnsiString& LogPath() const { return FLogPath; }

  TMemo* Memo;
  TButton* Button1;
  TButton* Button2;

  void FormCreate(TObject* sender);
  void Button2Click(TObject* sender);

 private:
  const EventState& FState;
  // Writes every line, each ended by CR LF, through a temporary file in the
  // log's folder; raises the class library's file errors.
  void Save();

  AnsiString FLogPath;
};

// The program's log, made by the start routine (null before and after).
extern TProtokoll* gProtokoll;
