#pragma once

#include "ui/common/CommandContext.h"

// File > Properties: the Properties sheet on the open file set (a record it cannot read
// starts from this locale's defaults). The sheet writes the record itself when it ends with
// OK, and then the totals are refreshed (hint 3) so a switch of the date order shows at once.
// Nothing without an open set.
void editProperties(const CommandContext& context);
