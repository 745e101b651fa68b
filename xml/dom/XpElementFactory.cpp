#include "xml/dom/XpElementFactory.h"

#include <vector>

#include "xml/dom/XpElement.h"

// The registry, with the base factory under "default" from the first use on.
std::vector<std::unique_ptr<TXpElementFactory>>& TXpElementFactory::Registry() {
  static std::vector<std::unique_ptr<TXpElementFactory>> registry = [] {
    std::vector<std::unique_ptr<TXpElementFactory>> list;
    auto base = std::make_unique<TXpElementFactory>();
    base->Initialize();
    base->FKey = u"default";
    list.push_back(std::move(base));
    return list;
  }();
  return registry;
}

TXpElement* TXpElementFactory::CreateElement(const std::u16string& name) {
  return new TXpElement(name);
}

void TXpElementFactory::RegisterInstance(std::unique_ptr<TXpElementFactory> factory,
                                         const std::u16string& key) {
  factory->Initialize();
  factory->FKey = key;
  Registry().push_back(std::move(factory));
}

void TXpElementFactory::UnregisterClass(const std::type_info& type) {
  auto& registry = Registry();
  for (size_t i = registry.size(); i-- > 0;) {
    const TXpElementFactory& factory = *registry[i];
    if (typeid(factory) == type) registry.erase(registry.begin() + static_cast<ptrdiff_t>(i));
  }
}

TXpElementFactory* TXpElementFactory::FindFactory(const std::u16string& key) {
  for (auto& factory : Registry())
    if (factory->FKey == key) return factory.get();
  return nullptr;
}
