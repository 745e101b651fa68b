// Reads a dialog template resource for a dialog frame: its header when the
// frame is built, its items (as framework controls) when the frame's window
// exists.
#pragma once

#include "framework/core/RcCString.h"
#include "framework/core/zDialogTemplate.h"
#include "framework/core/zResId.h"

#include <windows.h>

class zDialogFrame;
class zFont;
class zSizer;
class zDisplay;

class ziDialogReader {
public:
    ziDialogReader(zDialogFrame* dialog, const zResId& id);
    ~ziDialogReader();
    ziDialogReader(const ziDialogReader&) = delete;
    ziDialogReader& operator=(const ziDialogReader&) = delete;

    void applyRect(zSizer* sizer) const;
    void createControls();

    uint32_t style() const { return style_; }
    const RcCString& caption() const { return caption_; }
    // The template's font (owned by whoever takes it), the dialog's or its
    // parent's font.
    zFont* font() const { return font_; }
    bool templateFont() const { return ownFont_; }
    bool hasMenu() const { return hasMenu_ != 0; }
    const zResId& menuId() const { return menuId_; }
    int32_t defaultButtonId() const { return defaultButton_; }
    int32_t itemCount() const { return itemCount_; }
    const RECT& rect() const { return rect_; }

    // A template text in the program's code page.
    static RcCString narrow(const std::u16string& text);

private:
    // The window whose rectangle template positions are relative to.
    HWND anchorWindow() const;

    zDialogTemplate template_;
    zResId menuId_{0};
    int32_t itemCount_ = 0;
    zDialogFrame* dialog_;
    RECT rect_{0, 0, 0, 0};
    zFont* font_ = nullptr;
    bool ownFont_ = false;
    HGLOBAL resource_ = nullptr;
    HMODULE module_ = nullptr;
    bool moduleLoaded_ = false;
    int32_t defaultButton_ = 0xFFFF;
    RcCString caption_;
    int32_t hasMenu_ = 0;
    uint32_t style_ = 0;
};
