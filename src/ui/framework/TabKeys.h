#pragma once

class QTabWidget;

// Ctrl+PageDown shows the next tab of `tabs` and Ctrl+PageUp the one before, past the
// last back to the first and the other way round, wherever the focus is in the
// window: a window of the program holds one sheet of tabs. Ctrl+Tab and
// Ctrl+Shift+Tab keep doing the same from inside the sheet.
void switchTabsWithPageKeys(QTabWidget& tabs);

// The enabled tab next to the current one in `direction` (1 or -1), wrapping round;
// the current one when no other is enabled.
int neighbourTab(const QTabWidget& tabs, int direction);
