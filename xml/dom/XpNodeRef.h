// A reference to a node that holds one of its reference counts and gives it
// back when it goes: what a caller holds between creating a node and
// handing it to the tree, so that a throw in between frees the node
// instead of leaking it. Copying takes another count, moving passes it on.
#pragma once

#include <utility>

#include "xml/dom/XpNode.h"

template <class T = TXpNode>
class TXpNodeRef {
public:
  TXpNodeRef() = default;
  // Takes over a count the caller already holds: the creation reference
  // of a new node, or a node a call returned with a reference.
  static TXpNodeRef Adopt(T* node) { return TXpNodeRef(node); }
  // Takes a count of its own on node (may be null).
  static TXpNodeRef Share(T* node) {
    if (node) node->AddRef();
    return TXpNodeRef(node);
  }

  TXpNodeRef(const TXpNodeRef& other) : FNode(other.FNode) {
    if (FNode) FNode->AddRef();
  }
  TXpNodeRef(TXpNodeRef&& other) noexcept : FNode(std::exchange(other.FNode, nullptr)) {}
  template <class U>
  TXpNodeRef(TXpNodeRef<U>&& other) noexcept : FNode(other.Detach()) {}
  TXpNodeRef& operator=(TXpNodeRef other) noexcept {
    std::swap(FNode, other.FNode);
    return *this;
  }
  ~TXpNodeRef() { Reset(); }

  T* Get() const { return FNode; }
  T* operator->() const { return FNode; }
  T& operator*() const { return *FNode; }
  explicit operator bool() const { return FNode != nullptr; }

  // Gives the count back now.
  void Reset() {
    if (T* node = std::exchange(FNode, nullptr)) node->Release();
  }
  // Hands the count to the caller.
  T* Detach() { return std::exchange(FNode, nullptr); }

private:
  explicit TXpNodeRef(T* node) : FNode(node) {}

  T* FNode = nullptr;
};
