#include "startup.h"

#include "inputhooks.h"
#include "myqquickview.h"
#include "scenedelivery.h"
#include "widget.h"

std::unique_ptr<InputHooks> startUtility(Widget &window)
{
    window.checkDevice();
    // The first pass leaves the layout type at 0 once the firmware is read.
    auto hooks = std::make_unique<InputHooks>(window.view()->sizing().kbLayoutType == 0);
    hooks->setKeyboardCallback(&deliverKeyToScene, &window);
    hooks->setMouseCallback(&deliverButtonToScene, &window);
    // Keyboards and mice plugged in later are read from the next pass on.
    QObject::connect(&window, &Widget::devicesChecked, hooks.get(), &InputHooks::rescanDevices);
    window.showAndStartScene();
    return hooks;
}
