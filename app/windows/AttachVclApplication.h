#pragma once
// Makes the class library's hidden application window a child of a window
// of the framework (the main frame), so that the program's modal forms
// belong to it. Answers the application window's previous parent.
#include <windows.h>

class zWindow;

HWND AttachVclApplication(zWindow* window);
