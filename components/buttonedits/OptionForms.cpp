#include "components/buttonedits/OptionForms.h"

#include <algorithm>
#include <memory>

namespace {

struct Entry {
  TFormClass form;
  int order;
  AnsiString caption;
};

// Made on first use, freed at shut-down.
std::unique_ptr<std::vector<Entry>>& entries() {
  static std::unique_ptr<std::vector<Entry>> list;
  if (!list) list = std::make_unique<std::vector<Entry>>();
  return list;
}

}  // namespace

void RegisterOptionsFormOrder(TFormClass form, int order, const AnsiString& caption) {
  UnregisterOptionsForm(form);
  auto& list = *entries();
  auto at = std::upper_bound(list.begin(), list.end(), order,
                             [](int o, const Entry& e) { return o < e.order; });
  list.insert(at, Entry{form, order, caption});
}

void RegisterOptionsForm(TFormClass form, const AnsiString& caption) {
  RegisterOptionsFormOrder(form, -1, caption);
}

void UnregisterOptionsForm(TFormClass form) {
  auto& list = *entries();
  list.erase(std::remove_if(list.begin(), list.end(), [&](const Entry& e) { return e.form == form; }),
             list.end());
}

std::vector<TFormClass> OptionFormClasses() {
  std::vector<TFormClass> out;
  for (const Entry& e : *entries()) out.push_back(e.form);
  return out;
}

TFormClass OptionFormClass(int index) {
  return entries()->at(static_cast<size_t>(index)).form;
}

AnsiString GetOptionsFormCaption(TFormClass form) {
  for (const Entry& e : *entries())
    if (e.form == form) return e.caption;
  return AnsiString();
}

void FreeOptionForms() { entries().reset(); }
