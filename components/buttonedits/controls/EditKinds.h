#pragma once
// Registers the inner editors and popups of the edit kinds per property
// type, in this order: the list and the text editor for strings, the mask
// editor for strings under the qualifier " ", colour, pen-style and
// brush-style editors with their lists, and the check-box editor (no list)
// for Boolean. The edit with buttons adds its own classes (its simple
// editor, its empty popup and value adapter) for streaming.
void RegisterEditKinds();
// Removes the Boolean editor and popup again.
void UnRegisterBooleanEditor();
