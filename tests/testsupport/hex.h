#pragma once

// Bytes as upper-case hex pairs separated by blanks ("00 08 01"), so that a failed
// comparison shows the bytes that differ.

#include <QByteArray>
#include <QString>

#include "virtualkeyboard.h"

QString hex(const QByteArray &bytes);
QString hex(const vkb::Bytes &bytes);
QString hex(const uint8_t *bytes, int count);
