#include "startup.h"

#include "widget.h"

void startUtility(Widget &window)
{
    window.checkDevice();
    window.showAndStartScene();
}
