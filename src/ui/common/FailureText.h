#pragma once

#include "core/Status.h"
#include "ui/common/CoreText.h"

#include <QString>

// The text of a box telling a failed output: the message, then the system's reason on a line
// of its own when there is one. A refusal (InvalidArgument) is said as it is: nothing was
// written, so there is no reason to give.
inline QString failureText(const ql::Status& failed) {
    const QString message = coreText(failed);
    if (failed.code() == ql::StatusCode::InvalidArgument || failed.reason().empty()) return message;
    return message + QLatin1Char('\n') + QString::fromStdString(failed.reason());
}
