#pragma once

// A dialog or message box as wide as its title needs: the window system cuts a title too long
// for the title bar ("mit O…tigen"), and a short question makes a narrow box.

class QDialog;

namespace ml::app {

// Widens `dialog` so that its title shows whole beside the title bar's icon and buttons, at the
// application's font as the chosen size has set it; run as it is shown.
void fitTitle(QDialog& dialog);

} // namespace ml::app
