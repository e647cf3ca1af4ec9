// DialogKeys.h: the keys a dialog answers beyond Qt's own.
#pragma once

class QDialog;

// A dialog without a cancel button has no answer for Escape, so the key leaves it open; Qt's
// dialogs would close on it. The close box still closes it.
void KeepOpenOnEscape(QDialog* dialog);
