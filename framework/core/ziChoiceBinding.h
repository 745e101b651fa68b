#pragma once
// The binding of a list or combo box's choice to a variable of its owner:
// the selected index or the selected text. The control's data exchange
// (isValid, validate, transferIn) reads and writes the variable through it.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/core/RcCString.h"

class ziChoiceBinding {
public:
    enum Mode : int32_t { NotBound = 0, BindIndex = 1, BindText = 2 };
    // No choice is a valid choice.
    enum : uint32_t { NoneOk = 0x100 };

    void bindIndex(int32_t* variable, uint32_t options = 0) { bind(variable, BindIndex, options); }
    void bindText(RcCString* variable, uint32_t options = 0) { bind(variable, BindText, options); }

protected:
    bool bound() const { return mode_ != NotBound && variable_; }

    // Valid when unbound, when chosen() says something is chosen, or when
    // no choice is allowed.
    template <class Chosen>
    int validWhen(Chosen chosen) const
    {
        return !bound() || chosen() || (options_ & NoneOk) ? 1 : 0;
    }

    // Stores the control's selected index, or the text that readText gives
    // (a false answer leaves the variable). 0 when unbound.
    template <class Control, class ReadText>
    int store(const Control& control, ReadText readText) const
    {
        if (!bound())
            return 0;
        if (mode_ == BindIndex) {
            *static_cast<int32_t*>(variable_) = control.selection();
        } else {
            RcCString text;
            if (readText(text))
                *static_cast<RcCString*>(variable_) = text;
        }
        return 1;
    }

    // Selects the bound index or the item of the bound text.
    template <class Control>
    int load(Control& control) const
    {
        if (!variable_)
            return 0;
        if (mode_ == BindIndex)
            control.setSelection(*static_cast<int32_t*>(variable_));
        else if (mode_ == BindText)
            control.selectString(static_cast<RcCString*>(variable_)->c_str());
        return 1;
    }

    // The text of an item through the control's length and text messages
    // (LB_GETTEXTLEN/LB_GETTEXT or the combo box's), sent by send; 0 when
    // there is none (index -1: no selection). Both controls answer -1 for an
    // error.
    template <class Send>
    static int readItem(Send send, int32_t index, UINT lengthMsg, UINT textMsg, RcCString& out)
    {
        if (index == -1)
            return 0;
        const LRESULT length = send(lengthMsg, static_cast<WPARAM>(index), 0);
        if (length == -1)
            return 0;
        std::vector<char> buffer(static_cast<size_t>(length) + 2, 0);
        if (send(textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data())) == -1)
            return 0;
        out = buffer.data();
        return 1;
    }

private:
    void bind(void* variable, Mode mode, uint32_t options)
    {
        variable_ = variable;
        mode_ = variable ? mode : NotBound;
        options_ = options;
    }

    void* variable_ = nullptr;
    Mode mode_ = NotBound;
    uint32_t options_ = 0;
};
