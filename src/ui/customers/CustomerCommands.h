#pragma once

#include "core/store/FileSystem.h"

#include <QString>

class Prompter;
class QWidget;

// Edit Customers: the customer list of the file set of settingsPath. Each change is written
// as it is made. True when the user asked for the printed list (Print), false on Exit.
bool editCustomers(QWidget* parent, ql::FileSystem& fs, Prompter& prompter, const QString& settingsPath);
