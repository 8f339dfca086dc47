#include "linklog.h"

Q_LOGGING_CATEGORY(lcLink, "valdrin.link")
Q_LOGGING_CATEGORY(lcLinkIo, "valdrin.link.io", QtInfoMsg)
