#pragma once
// The base of the syntax-colouring parsers of the library's editors: it
// colours one line at a time into one byte per character and tells its
// listeners (event methods) of changes.
#include "classlib/Color.h"
#include "classlib/Component.h"
#include "classlib/Font.h"
#include "components/buttonedits/runtime/Notifiers.h"

#include <cstdint>
#include <vector>

class TSimpleParser : public TComponent {
 public:
  // The message listener components get from NotifyDestroying.
  static constexpr uint32_t spDestroying = 1;

  explicit TSimpleParser(TComponent* owner);
  // Calls NotifyDestroying first.
  ~TSimpleParser() override;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  // A listener method; when it belongs to a component, give it: its entries
  // go when that component is freed, and it hears of the parser's end.
  void AddListener(const TNotifierMethod& method, TComponent* listener = nullptr);
  void RemoveListener(const TNotifierMethod& method);
  TNotifierList& Listeners() { return FListeners; }

  TFont& Font() { return FFont; }
  TColor Color() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
  // The line being coloured.
  int32_t LinePos() const { return FLinePos; }
  void UpdateLinePos(int32_t line) { FLinePos = line; }

  // One colour byte per character of the line last prepared.
  const std::vector<uint8_t>& ColorData() const { return FColorData; }
  std::vector<uint8_t>& ColorData() { return FColorData; }
  // Sizes the colour data to the line's length, all zero.
  void PrepareColorData(const AnsiString& line);
  // Fills the colour data of the line.
  virtual void ColorString(const AnsiString& line) = 0;
  // Tells every listener component, from the last, that the parser goes.
  void NotifyDestroying();

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TNotifierList FListeners;
  std::vector<TComponent*> FListenerComponents;
  TFont FFont;
  TColor FColor = clWindow;
  int32_t FLinePos = 0;
  std::vector<uint8_t> FColorData;
  bool FNotified = false;
};
