#pragma once
// An animation control playing one of the system's standard animations.
#include "classlib/WinControl.h"

enum TCommonAVI {
  aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile,
  aviRecycleFile, aviEmptyRecycle, aviDeleteFile
};

class TAnimate : public TWinControl {
 public:
  explicit TAnimate(TComponent* owner);
  ~TAnimate() override;
  TCommonAVI CommonAVI() const { return FCommonAVI; }
  void SetCommonAVI(TCommonAVI avi);
  bool Active() const { return FActive; }
  void SetActive(bool v);
  int StartFrame() const { return FStartFrame; }
  void SetStartFrame(int v) { FStartFrame = v; }
  int StopFrame() const { return FStopFrame; }
  void SetStopFrame(int v) { FStopFrame = v; }
  // True when the animation could be opened.
  bool Opened() const { return FOpened; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

 private:
  void Open();
  void Play();
  TCommonAVI FCommonAVI = aviNone;
  bool FActive = false;
  bool FOpened = false;
  int FStartFrame = 1;
  int FStopFrame = 0;
  HMODULE FShell = nullptr;
};
