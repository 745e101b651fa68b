// Validation of a loaded document against the declarations kept below its
// DOCTYPE node.
#include "xml/dom/XpObjModel.h"

bool TXpObjModel::ValidateDocument() { return false; }

bool TXpObjModel::ValidateElement(TXpElement*, TXpDocumentType*) { return false; }
