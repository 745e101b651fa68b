#pragma once
// The main frame's commands that open windows: the class choice (12), the
// check of all classes (10) and the print choice (23).
class QuanteloApp;

int OpenClassCommand(QuanteloApp* frame);
int CheckAllCommand(QuanteloApp* frame);
int PrintCommand(QuanteloApp* frame);
