// The framework's own control types that dialog templates may name.
#pragma once

// Registers "zTextPane", "zPaneControl", "zBitmapPane" and "zTabCtrl", in
// that order, once per process.
void zRegisterFrameworkControlTypes();
