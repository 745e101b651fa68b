#pragma once
// Season roll-over of the birth-year bounds and the rule check of the
// entries of one competition class.
#include "app/core/EventDefinition.h"

#include <cstdint>

class Memory;
struct EventState;

// Moves the birth-year bounds of every class to the season (-1: the current
// season; November and December count for the next one).
void RollBirthYears(EventDefinition* def, int32_t season);
// The year of a two-digit birth year: below 80 in the 2000s, else the 1900s.
int32_t JGYear(int32_t twoDigits);
// Checks class c when an event is loaded; 1 when errors were found.
int32_t CheckClass(EventState& state, Memory* store, int32_t c);
// Checks class c and fills its entries of the error list; 1 when at least
// one error was found.
int32_t CheckClassEntries(EventState& state, Memory* store, int32_t c);
