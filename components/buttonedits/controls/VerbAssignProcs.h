#pragma once
// The assign procedures of the standard components that verbs can be bound
// to: menu items follow the verb's visibility, enabled state and check
// mark; buttons and speed buttons its visibility and enabled state.
void RegisterStandardAssignVerbProcs();
