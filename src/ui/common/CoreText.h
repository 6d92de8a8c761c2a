#pragma once

#include "core/Status.h"

#include <QString>

#include <string>

// The window's text for an English message of the core (which has no translations): the
// translation when the message matches one of the known message forms, its paths, names,
// numbers and dates kept as they are; otherwise the message itself.
QString coreText(const std::string& message);

// coreText() of the failure's message.
inline QString coreText(const ql::Status& failed) { return coreText(failed.message()); }
