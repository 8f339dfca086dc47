#pragma once

// Control mode: the library loaded into a program whose environment names a folder in
// VALDRIN_VKB_DIR. The keyboard's memory and plugged-in flag then live in DIR/state
// across runs, a thread takes one text command per connection on the Unix socket
// DIR/control (the commands of vkbctl), and plugging in or unplugging reaches the
// program's udev monitors (udev_virtual.cpp). Without the variable none of it exists.
// It starts at the program's first call that can reach the keyboard, so that programs
// that merely carry the preloaded library (a wrapper such as timeout, or the program's
// own helpers) leave the keyboard to the program that uses it.

#include <string>
#include <string_view>

namespace vkb::control {

constexpr const char *kDirVariable = "VALDRIN_VKB_DIR";

// Loads the state and starts serving commands, once; a no-op outside control mode.
void start();
bool active(); // starts first

// Runs one command line against the keyboard; the reply line without its newline,
// "ok ..." or "error ...". A refused command changes nothing.
std::string execute(std::string_view line);

// The event descriptor standing for this udev monitor's socket, made on first use;
// -errno when none can be made.
int monitorDescriptor(const void *monitor);
// Takes one plug or unplug event of this monitor; false when none is pending.
bool takeMonitorEvent(const void *monitor);

} // namespace vkb::control
