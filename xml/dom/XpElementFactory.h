// Maps a key to the class that makes a document's elements. The registry is
// process-wide and holds the base factory under "default".
#pragma once

#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

class TXpElement;

class TXpElementFactory {
public:
  virtual ~TXpElementFactory() = default;
  virtual void Initialize() {}
  virtual TXpElement* CreateElement(const std::u16string& name);
  const std::u16string& Key() const { return FKey; }

  // Creates an instance of T, initialises it and registers it under key.
  template <class T>
  static void Register(const std::u16string& key) {
    RegisterInstance(std::make_unique<T>(), key);
  }
  // Frees every registered instance of exactly the class T.
  template <class T>
  static void Unregister() {
    UnregisterClass(typeid(T));
  }
  // The first instance registered under exactly key, or null.
  static TXpElementFactory* FindFactory(const std::u16string& key);

private:
  static void RegisterInstance(std::unique_ptr<TXpElementFactory> factory,
                               const std::u16string& key);
  static void UnregisterClass(const std::type_info& type);
  static std::vector<std::unique_ptr<TXpElementFactory>>& Registry();

  std::u16string FKey;
};
