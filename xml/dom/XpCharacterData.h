// Character data nodes: text, CDATA sections and comments. Offsets are
// 0-based character offsets into the node's value.
#pragma once

#include "xml/dom/XpNode.h"

class TXpCharacterData : public TXpNode {
public:
  void AppendData(const std::u16string& text);
  void InsertData(int32_t offset, const std::u16string& text);
  void DeleteData(int32_t offset, int32_t count);
  void ReplaceData(int32_t offset, int32_t count, const std::u16string& text);
  std::u16string SubStringData(int32_t offset, int32_t count) const;
  int32_t cdGetLength() const { return static_cast<int32_t>(NodeValue().size()); }

protected:
  // Raises ecIndexSizeErr for an offset outside 0..length.
  size_t cdCheckOffset(int32_t offset) const;
};

class TXpText : public TXpCharacterData {
public:
  TXpText();
  explicit TXpText(const std::u16string& text);

  // Splits the text at offset: this node keeps the head, a new following
  // sibling gets the rest. With a parent the tree holds the new node;
  // without one the caller gets its creation reference.
  TXpText* SplitText(int32_t offset);
  // Every character is XML whitespace.
  bool IsWhitespaceNode() const;

  void noOutput(std::u16string& out, int32_t level) const override;
  TXpNode* CloneNode(bool deep) const override;
};

class TXpCDataSection : public TXpText {
public:
  TXpCDataSection();
  explicit TXpCDataSection(const std::u16string& text);

  void noOutput(std::u16string& out, int32_t level) const override;
  TXpNode* CloneNode(bool deep) const override;
};

class TXpComment : public TXpCharacterData {
public:
  TXpComment();
  explicit TXpComment(const std::u16string& text);

  std::u16string noGetStringValue() const override { return NodeValue(); }
  void noOutput(std::u16string& out, int32_t level) const override;
  TXpNode* CloneNode(bool deep) const override;
};
