#pragma once
// A tool-bar bitmap button that draws a thin highlight frame while the
// mouse rests on it and, after a short delay, shows a hint bubble with its
// German text under the pointer. All hint buttons share one bubble.
#include "framework/controls3d/zBitmapButton.h"

class FlybyHelp;
class zTimer;

class InfoButton : public zBitmapButton {
public:
    // The hint text is the caller's and must outlive the button (null: no
    // bubble).
    InfoButton(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id, zBitmap* face,
               const char* hint);
    ~InfoButton() override;

    int mouseMove(zEvent* ev) override;
    int mouseButtonDown(zEvent* ev) override;

    bool hovered() const { return hovered_ != 0; }
    bool waiting() const { return delayTimer_ != nullptr; }

    // The shared state: the bubble showing (null when none), the command id
    // of the button that owns it (-1) and whether a delay has been started.
    static FlybyHelp* bubble();
    static int32_t bubbleOwner();
    static int32_t hintMode();

    static constexpr uint32_t DelayMs = 100;
    static constexpr uint32_t NextDelayMs = 75;

private:
    void cancelHints();
    void drawFrame(int32_t colourIndex, bool back);
    // True when the pointer is over the button (left + 1 .. right - 1).
    bool pointerInside() const;
    int delayFired();
    int bubbleWatch();
    int hoverWatch();

    int32_t commandId_;
    const char* hint_;
    zTimer* delayTimer_ = nullptr;
    zTimer* hoverTimer_ = nullptr;
    zBitmap* face_;
    int32_t hovered_ = 0;
};
