#pragma once

// What the keyboard keeps across runs of the program in control mode, as a file: the
// firmware's memory and whether the keyboard is plugged in.

#include "firmware.h"

#include <optional>
#include <string>

namespace vkb {

struct KeptState {
    Firmware firmware;
    bool pluggedIn = true;
};

Bytes encodeState(const Firmware &firmware, bool pluggedIn);
// Empty unless the bytes are one whole, intact state of this format.
std::optional<KeptState> decodeState(const Bytes &bytes);

// The contents of a regular file of at most maxSize bytes; empty for anything else.
std::optional<Bytes> readSmallFile(const std::string &path, size_t maxSize);
// Replaces the file in one step: readers see the old or the new contents, never a part.
bool replaceFile(const std::string &path, const Bytes &contents);

} // namespace vkb
