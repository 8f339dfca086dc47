#pragma once

#include <QtGlobal>

// The hooks' callbacks as the shell sets them: the context is the main window, whose view
// passes the event on to the scene. A null context does nothing.
void deliverKeyToScene(quint8 usage, bool isDown, void *window);
void deliverButtonToScene(quint32 buttonCode, bool isDown, qint32 x, qint32 y, void *window);
