#pragma once
// The assign procedures of the standard components that verbs can be bound
// to: buttons and speed buttons follow the verb's visibility and enabled
// state.
void RegisterStandardAssignVerbProcs();
