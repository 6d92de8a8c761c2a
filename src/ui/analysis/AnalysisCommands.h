#pragma once

#include "ui/common/CommandContext.h"

// Projects > Projects Pie Chart: the pie chart dialog on the open file set. Nothing without
// an open set.
void pieChart(const CommandContext& context);

// File > Export: the export dialog on the open file set. Nothing without an open set.
void exportData(const CommandContext& context);
