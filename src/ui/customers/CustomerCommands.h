#pragma once

#include "ui/common/CommandContext.h"

// Customers > Edit Customers (Ctrl+U): the customer list of the open file set, which writes
// each change as it is made. Print asks the views for the printed list (hint 2); Exit asks
// for nothing. Nothing without an open set.
void editCustomers(const CommandContext& context);
