#pragma once

#include "core/Status.h"
#include "core/text/Messages.h"

#include <QString>

// The window's text of a core message: its id's translation, each part put in its place in one
// pass, the user's parts (paths, names, numbers, dates) kept as they are and the program's words
// translated. A free text is shown as it came.
QString coreText(const ql::Message& message);

// coreText() of the failure's message.
inline QString coreText(const ql::Status& failed) { return coreText(failed.userMessage()); }

// coreText() of the failure, then the system's reason in parentheses when there is one.
QString coreTextWithReason(const ql::Status& failed);

// The window's source text (context "CoreText") of id, as the translations know it; null for
// MessageId::FreeText, which has none.
const char* coreTextSource(ql::MessageId id);

// The window's words for a place, in its language.
QString placeText(ql::Place place);
