// A control of a window class that the framework registered as a
// superclass of another class, and the superclass records themselves.
#pragma once

#include "framework/core/zControl.h"

#include <windows.h>

// A window class registered under a new name on the procedure of an
// existing class; controls of it are routed through the framework.
class zSuperClass {
public:
    // Registers `name` as a superclass of `baseClass`; kept for the rest of
    // the process in the framework's superclass list.
    zSuperClass(const char* name, const char* baseClass);

    // The record whose name equals the given one exactly, or null.
    static zSuperClass* find(const char* name);
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    RcCString name;
    WNDPROC classProc = nullptr;
};

class zGenericControl : public zControl {
public:
    zGenericControl(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id,
                    const char* className, void* param = nullptr);
    ~zGenericControl() override;

    int create() override;
    LRESULT defWindowProc(zEvent* ev) override;

    zSuperClass* superClass() const { return record_; }
    zWindow* takenOverBy() const { return owner_; }
    void setOwner(zWindow* owner) { owner_ = owner; }

private:
    zSuperClass* record_ = nullptr;
    zWindow* owner_ = nullptr;
    void* param_;
};
