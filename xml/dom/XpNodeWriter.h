#pragma once
// Writes the markup of a node and its subtree into an output filter, which
// encodes it as it goes. The markup as UTF-16 text comes from
// TXpNode::noomGetXpDocument.
class TXpNode;
class TXpOutCharFilter;

// Raises what writing the markup raises: EXpException for characters XML
// does not allow in text, TXpDOMException for comments and processing
// instructions that cannot be written, EXpStreamError (from the filter) for
// characters the output encoding cannot carry.
void XpWriteNode(TXpOutCharFilter& filter, const TXpNode* node);
