// Builds the object model's document from the events of its parser: a
// stack of open nodes with the document at the bottom, attributes collected
// until their start tag arrives, DTD declarations as nodes below the
// DOCTYPE.
#pragma once

#include <functional>
#include <vector>

#include "classlib/Component.h"
#include "xml/dom/XpNodeRef.h"
#include "xml/dom/XpObjModel.h"
#include "xml/parser/XpParser.h"

class TXpAttribute;

class TXpTreeBuilder : public TComponent {
 public:
  // Owned by `model`; creates the parser and hooks its events.
  explicit TXpTreeBuilder(TXpObjModel* model);
  ~TXpTreeBuilder() override;

  TXpParser* Parser() const { return FParser; }
  // Runs one load through `parse`; false (or the exception, with
  // RaiseErrors) on failure, leaving an empty document.
  bool Load(const std::function<bool(TXpParser&)>& parse);

 private:
  void Begin();
  void Fail();
  void Push(TXpNodeRef<> node);
  void Pop();
  TXpNode* Top() const { return FStack.back().Get(); }
  // Appends a new node to the top; the reference goes with the call.
  void AppendNew(TXpNodeRef<> node);
  // Appends a new node to the top and makes it the top.
  void AppendAndPush(TXpNodeRef<> node);
  template <class T>
  static TXpNodeRef<T> Adopt(T* node) {
    return TXpNodeRef<T>::Adopt(node);
  }

  TXpObjModel* FModel;
  TXpParser* FParser;
  std::vector<TXpNodeRef<>> FStack;  // the open nodes
  struct TPendingAttribute {
    WideString Name;
    WideString Value;
    bool Specified;
  };
  // The attributes of the start tag being read: the first FPendingCount
  // entries (the rest keep their strings' memory for the next tag).
  std::vector<TPendingAttribute> FPending;
  size_t FPendingCount = 0;
  // One entry per open OnDTDExternalStart: whether it pushed a subset node.
  std::vector<bool> FExternalPushed;
  bool FInDTD = false;
};
