#pragma once
// The registry of option pages: form classes in the order their pages are
// shown, each with the caption of its page.
#include <typeindex>
#include <vector>

#include "classlib/AnsiString.h"

using TFormClass = std::type_index;

// Adds the class (again: moved) at its place by `order`; classes of equal
// order keep the order they were registered in.
void RegisterOptionsFormOrder(TFormClass form, int order, const AnsiString& caption);
void RegisterOptionsForm(TFormClass form, const AnsiString& caption);
void UnregisterOptionsForm(TFormClass form);
// The registered classes in page order.
std::vector<TFormClass> OptionFormClasses();
// The class at `index` of that order (raises std::out_of_range outside it).
TFormClass OptionFormClass(int index);
// The caption of a registered class; empty when it is unknown.
AnsiString GetOptionsFormCaption(TFormClass form);
// Drops every registration (at the helpers' shut-down).
void FreeOptionForms();
