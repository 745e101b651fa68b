#pragma once
// OLE on the user-interface thread, started the first time something needs
// it (drag and drop of an edit, loading a picture, the folder browser, the
// help viewer) rather than at start-up, where starting it costs time.

// Initialises OLE once for the process, on the calling thread; later calls
// return at once. The result of the first call is kept: false when OLE
// could not be initialised. OLE is uninitialised again when the program
// ends.
bool EnsureOleInitialized();
