#pragma once

#include <Qt>

class QDialog;
class QFormLayout;

// Lays out a small dialog: its form on the left, OK (the default button, accepting) above
// Cancel (rejecting) on the right, the pair placed by buttonsAlignment.
void layOutFormWithOkCancel(QDialog& dialog, QFormLayout* form, Qt::Alignment buttonsAlignment = {});
