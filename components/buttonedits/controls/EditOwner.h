#pragma once
// What the popup lists and inner editors need of the edit with buttons that
// owns them. The edit implements it; a popup or editor finds it as its
// owner.
#include "classlib/Component.h"

class TEditOwner {
 public:
  // The edit's text changed (fires its OnChange).
  virtual void Change() = 0;
  // Closes the drop-down; with `accept` the popup's text becomes the edit's.
  virtual void CloseDropped(bool accept) = 0;
  virtual bool GetReadOnly() = 0;
  // Commits the edit's value.
  virtual void Term() = 0;
  // Whether the inner editor shows its focused look (DisplayFocused and not
  // Flat).
  virtual bool DisplayFocusedLook() = 0;
  // Sets the number of visible buttons and lays the edit out again.
  virtual void SetNumButtons(int count) = 0;
  // The inner editor's window exists: the edit replaces its window
  // procedure, so that it sees the editor's keys, focus and text changes.
  virtual void EditorHandleCreated(TComponent* editor) {}
  // Whether the edit edits a property for a designer (a picture editor
  // shows its picture only there).
  virtual bool IsPropertyEditor() { return false; }

 protected:
  ~TEditOwner() = default;
};

// Tells the owning edit that the editor's window was made.
inline void NotifyEditorHandleCreated(TComponent* editor);

inline TEditOwner* EditOwnerOf(TComponent* component) {
  return component ? dynamic_cast<TEditOwner*>(component->Owner()) : nullptr;
}

inline void NotifyEditorHandleCreated(TComponent* editor) {
  if (TEditOwner* owner = EditOwnerOf(editor)) owner->EditorHandleCreated(editor);
}
