#pragma once

#include <memory>

class InputHooks;
class Widget;

// After the window is built: the first discovery pass, the input hooks delivering to the
// scene, then the window shown with its scene initialised and started. The caller keeps
// the hooks for the life of the event loop and removes them before the window goes.
[[nodiscard]] std::unique_ptr<InputHooks> startUtility(Widget &window);
