#pragma once

#include <QLoggingCategory>

// The link's messages ("cmd Failed", "Device removed").
Q_DECLARE_LOGGING_CATEGORY(lcLink)
// Why an exchange failed, with the report bytes. Off unless enabled with
// QT_LOGGING_RULES="valdrin.link.io.debug=true": failed exchanges are otherwise silent.
Q_DECLARE_LOGGING_CATEGORY(lcLinkIo)
