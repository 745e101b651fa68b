#include "framework/core/ziDialogReader.h"

#include "framework/core/zApplication.h"
#include "framework/core/zButton.h"
#include "framework/core/zComboBoxBase.h"
#include "framework/core/zControlType.h"
#include "framework/core/zDialogFrame.h"
#include "framework/core/zDialogUnit.h"
#include "framework/core/zEditBase.h"
#include "framework/core/zFont.h"
#include "framework/core/zGenericControl.h"
#include "framework/core/zListBoxBase.h"
#include "framework/core/zScrollBarBase.h"
#include "framework/core/zSizer.h"
#include "framework/core/zStaticText.h"
#include "framework/core/zWinDisplay.h"
#include "framework/core/ziInfoDisplay.h"

#include <memory>
#include <string>
#include <vector>

RcCString ziDialogReader::narrow(const std::u16string& text)
{
    if (text.empty())
        return RcCString();
    std::wstring wide(text.begin(), text.end());
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return RcCString(out.c_str());
}

HWND ziDialogReader::anchorWindow() const
{
    zWindow* parent = dialog_ ? dialog_->parent() : nullptr;
    if (parent && parent->handle())
        return parent->handle();
    if (theApplication && theApplication->mainFrame && theApplication->mainFrame != dialog_ && theApplication->mainFrame->handle())
        return theApplication->mainFrame->handle();
    return nullptr;
}

ziDialogReader::ziDialogReader(zDialogFrame* dialog, const zResId& id) : dialog_(dialog)
{
    // Load the template.
    HMODULE module = nullptr;
    if (id.library()) {
        module = LoadLibraryA(id.library());
        if (reinterpret_cast<uintptr_t>(module) < 32)
            module = nullptr;
        else
            moduleLoaded_ = true;
    } else {
        module = id.module() ? id.module() : (theApplication ? theApplication->instance : GetModuleHandleA(nullptr));
    }
    module_ = module;
    if (module || !id.library()) {
        HRSRC found = FindResourceA(module, id.resource(), MAKEINTRESOURCEA(5));
        if (found) {
            resource_ = LoadResource(module, found);
            const void* data = resource_ ? LockResource(resource_) : nullptr;
            template_.parse(data, SizeofResource(module, found));
        }
    }
    if (!template_.valid)
        return; // reads as an empty template

    style_ = template_.style & ~zDialogTemplate::StyleVisible;
    itemCount_ = template_.itemCount;
    if (template_.hasMenu) {
        hasMenu_ = 1;
        menuId_ = zResId(template_.menuId);
    }
    caption_ = narrow(template_.caption);

    std::unique_ptr<zDisplay> display;
    zWindow* measureWindow = nullptr;
    if (dialog_ && dialog_->parent() && dialog_->parent()->handle())
        measureWindow = dialog_->parent();
    else if (theApplication && theApplication->mainFrame && theApplication->mainFrame != dialog_ && theApplication->mainFrame->handle())
        measureWindow = theApplication->mainFrame;
    if (template_.hasFont) {
        if (measureWindow)
            display = std::make_unique<zWinDisplay>(measureWindow);
        else
            display = std::make_unique<ziInfoDisplay>();
        display->acquire();
        RcCString face = narrow(template_.faceName);
        const int32_t points = template_.pointSize & 0xFF;
        zFontSpec fontSpec(zPrPoint(0, points * 10, display.get()), theApplication ? theApplication->fontWeight() : FW_NORMAL);
        font_ = new zFont(face.c_str(), fontSpec);
        ownFont_ = true;
        display->pushFont(font_);
    }

    zDialogUnit pos(template_.x, template_.y, display.get());
    zDialogUnit ext(template_.cx, template_.cy, display.get());
    int32_t left = pos.deviceX(), top = pos.deviceY();
    if (HWND anchor = anchorWindow()) {
        RECT wr;
        GetWindowRect(anchor, &wr);
        left += wr.left;
        top += wr.top;
    }
    rect_ = RECT{left, top, left + ext.deviceX(), top + ext.deviceY()};

    if (display) {
        display->popFont().release();  // the reader's font stays the reader's
        display->release();
    }
    if (!font_ && dialog_) {
        font_ = dialog_->font();
        if (!font_ && dialog_->parent())
            font_ = dialog_->parent()->font();
    }
}

ziDialogReader::~ziDialogReader()
{
    if (resource_)
        FreeResource(resource_);
    if (moduleLoaded_ && module_)
        FreeLibrary(module_);
}

void ziDialogReader::applyRect(zSizer* sizer) const
{
    if (!sizer)
        return;
    sizer->setOrigin(rect_.left, rect_.top);
    sizer->setExtent(rect_.right - rect_.left, rect_.bottom - rect_.top);
}

void ziDialogReader::createControls()
{
    if (!dialog_ || template_.items.empty())
        return;
    std::unique_ptr<ziInfoDisplay> display;
    if (font_) {
        display = std::make_unique<ziInfoDisplay>();
        display->acquire();
        display->pushFont(font_);
    }
    for (const zDialogTemplate::Item& item : template_.items) {
        zDialogUnit pos(item.x, item.y, display.get());
        zDialogUnit ext(item.cx, item.cy, display.get());
        RcCString title;
        if (item.titleIsOrdinal) {
            // A resource number, in the text form the loading functions take.
            char number[16];
            wsprintfA(number, "#%u", static_cast<unsigned>(item.titleOrdinal));
            title = number;
        } else {
            title = narrow(item.title);
        }
        const DWORD style = item.style;
        const int32_t id = item.id;
        zSizer* sizer = new zSizer(pos.deviceX(), pos.deviceY(), ext.deviceX(), ext.deviceY(), dialog_->sizer());
        zWindow* control = nullptr;

        RcCString className;
        if (!item.classAtom)
            className = narrow(item.className);
        const uint16_t atom = item.classAtom;
        if (atom == zDialogTemplate::Button) {
            switch (style & 0xF) {
            case BS_PUSHBUTTON:
                control = new zPushButton(dialog_, sizer, style, title, id);
                break;
            case BS_DEFPUSHBUTTON:
                control = new zDefPushButton(dialog_, sizer, style, title, id);
                if ((style & 0xFFFF) == BS_DEFPUSHBUTTON && defaultButton_ == 0xFFFF)
                    defaultButton_ = id;
                break;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
                control = new zCheckBox(dialog_, sizer, style, title, id);
                break;
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                control = new zRadioButton(dialog_, sizer, style, title, id);
                break;
            case BS_3STATE:
            case BS_AUTO3STATE:
            case BS_GROUPBOX:
            case BS_USERBUTTON: {
                zButton* button = new zButton(dialog_, sizer, style, title, id);
                button->create();
                control = button;
                break;
            }
            default:
                break;
            }
        } else if (atom == zDialogTemplate::Edit) {
            control = new zEditBase(dialog_, sizer, style, title, id);
        } else if (atom == zDialogTemplate::Static) {
            control = new zStaticText(dialog_, sizer, style, title, id);
        } else if (atom == zDialogTemplate::ListBox) {
            zListBoxBase* list = new zListBoxBase(dialog_, sizer, style, title, id);
            list->create();
            control = list;
        } else if (atom == zDialogTemplate::ScrollBar || (!atom && className == "scrollbar")) {
            zScrollBarBase* bar = new zScrollBarBase(dialog_, sizer, style, title, id);
            bar->create();
            control = bar;
        } else if (atom == zDialogTemplate::ComboBox) {
            zComboBoxBase* combo = new zComboBoxBase(dialog_, sizer, style, title, id);
            combo->create();
            control = combo;
        } else if (!atom && zSuperClass::find(className.c_str())) {
            control = new zGenericControl(dialog_, sizer, style, title, id, className.c_str());
        } else if (!atom) {
            if (const zControlType* type = zControlType::find(className.c_str()))
                control = type->create(dialog_, sizer, style, title.c_str(), id);
        }

        if (!control) {
            delete sizer; // the item is passed over
            continue;
        }
        // Only items that the template shows are shown.
        if (style & WS_VISIBLE) {
            control->show(SW_SHOWNORMAL);
        } else if (control->handle()) {
            ShowWindow(control->handle(), SW_HIDE);
            control->setStyle(control->style() & ~static_cast<DWORD>(WS_VISIBLE));
        }
    }
    if (display) {
        display->popFont().release();  // the reader's font stays the reader's
        display->release();
    }
}
