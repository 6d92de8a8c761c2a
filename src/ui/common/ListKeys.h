#pragma once

#include <functional>

class QEvent;

// The keys of an editable list: Return or Enter opens the selected item (open), Delete removes
// the selection (remove). True when event was such a key press and was handled.
bool handleListEditKeys(QEvent* event, const std::function<void()>& open, const std::function<void()>& remove);
