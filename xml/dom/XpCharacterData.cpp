#include "xml/dom/XpCharacterData.h"

#include <algorithm>

#include "xml/dom/XpDOMException.h"
#include "xml/dom/XpCharClasses.h"

size_t TXpCharacterData::cdCheckOffset(int32_t offset) const {
  if (offset < 0 || offset > cdGetLength()) throw TXpDOMException(ecIndexSizeErr);
  return static_cast<size_t>(offset);
}

void TXpCharacterData::AppendData(const std::u16string& text) { SetNodeValue(NodeValue() + text); }

void TXpCharacterData::InsertData(int32_t offset, const std::u16string& text) {
  std::u16string value = NodeValue();
  value.insert(cdCheckOffset(offset), text);
  SetNodeValue(value);
}

void TXpCharacterData::DeleteData(int32_t offset, int32_t count) {
  ReplaceData(offset, count, std::u16string());
}

void TXpCharacterData::ReplaceData(int32_t offset, int32_t count, const std::u16string& text) {
  const size_t start = cdCheckOffset(offset);
  if (count < 0) throw TXpDOMException(ecIndexSizeErr);
  std::u16string value = NodeValue();
  value.replace(start, static_cast<size_t>(count), text);
  SetNodeValue(value);
}

std::u16string TXpCharacterData::SubStringData(int32_t offset, int32_t count) const {
  const size_t start = cdCheckOffset(offset);
  if (count < 0) throw TXpDOMException(ecIndexSizeErr);
  return NodeValue().substr(start, static_cast<size_t>(count));
}

// --- text ---

TXpText::TXpText() { SetNodeType(TEXT_NODE); }

TXpText::TXpText(const std::u16string& text) : TXpText() { SetNodeValue(text); }

TXpText* TXpText::SplitText(int32_t offset) {
  const size_t at = cdCheckOffset(offset);
  auto* rest = static_cast<TXpText*>(CloneNode(false));
  rest->SetNodeValue(NodeValue().substr(at));
  SetNodeValue(NodeValue().substr(0, at));
  if (TXpNode* parent = ParentNode()) {
    TXpNode* next = noGetNextSibling();
    parent->InsertBefore(rest, next);
    rest->Release();
  }
  return rest;
}

bool TXpText::IsWhitespaceNode() const {
  return std::all_of(NodeValue().begin(), NodeValue().end(), XPIsSpace);
}

TXpNode* TXpText::CloneNode(bool deep) const {
  auto* clone = new TXpText();
  noCopyInto(clone, deep);
  return clone;
}

TXpCDataSection::TXpCDataSection() { SetNodeType(CDATA_SECTION_NODE); }

TXpCDataSection::TXpCDataSection(const std::u16string& text) : TXpCDataSection() {
  SetNodeValue(text);
}

TXpNode* TXpCDataSection::CloneNode(bool deep) const {
  auto* clone = new TXpCDataSection();
  noCopyInto(clone, deep);
  return clone;
}

TXpComment::TXpComment() { SetNodeType(COMMENT_NODE); }

TXpComment::TXpComment(const std::u16string& text) : TXpComment() { SetNodeValue(text); }

TXpNode* TXpComment::CloneNode(bool deep) const {
  auto* clone = new TXpComment();
  noCopyInto(clone, deep);
  return clone;
}
