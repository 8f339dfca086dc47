#include "scenedelivery.h"

#include "myqquickview.h"
#include "widget.h"

void deliverKeyToScene(quint8 usage, bool isDown, void *window)
{
    if (window)
        static_cast<Widget *>(window)->view()->detectKeyboard(isDown, usage);
}

void deliverButtonToScene(quint32 buttonCode, bool isDown, qint32 x, qint32 y, void *window)
{
    // A negative coordinate travels as its 32-bit two's complement.
    if (window)
        static_cast<Widget *>(window)->view()->detectMouse(isDown, buttonCode, quint32(x), quint32(y));
}
