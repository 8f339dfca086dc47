#pragma once

class Widget;

// After the window is built: the first discovery pass, then the window shown with its
// scene initialised and started.
void startUtility(Widget &window);
