#pragma once

#include <QMetaObject>
#include <QObject>
#include <QVariant>

// Calls a function of the scene's root object by name. Scene functions take untyped
// parameters, so every argument travels as a QVariant. A missing root or function is
// no error: the call has no effect.
template<typename... Args>
void callScene(QObject *root, const char *function, Qt::ConnectionType type, const Args &...args)
{
    if (!root)
        return;
    QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, QVariant::fromValue(args))...);
}
