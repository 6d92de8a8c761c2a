#pragma once

#include <QFont>

// Arial bold (or its metric twin) whose line, ascent plus descent, is cellHeight pixels tall:
// the panel and chart fonts are given by the height of their text line, not their em size,
// which is about 12 % smaller.
QFont arialBoldCell(int cellHeight);
