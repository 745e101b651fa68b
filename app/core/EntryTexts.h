#pragma once
// Texts the user sees for stored numbers: performances laid into their input
// masks, and the message line of an error-list entry.
#include <cstdint>
#include <string>
#include <string_view>

struct EventState;

// Lays the digits of a performance into the input mask of discipline k of
// class c; a sprint relay with the relay flag set uses the mask "9".
std::string FormatPerformance(const EventState& state, int32_t c, int32_t k, std::string_view digits, int32_t relayFlag);
// The message of entry i of class c's error list.
std::string FormatEntryError(const EventState& state, int32_t i, int32_t c);
