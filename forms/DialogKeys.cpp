// DialogKeys.cpp: Escape held back from dialogs that have nothing to cancel.
#include "forms/DialogKeys.h"

#include <QDialog>
#include <QShortcut>

void KeepOpenOnEscape(QDialog* dialog) {
    // A shortcut of the window takes the key before the dialog's own handler would reject the
    // dialog, and answers it with nothing.
    new QShortcut(QKeySequence(QKeySequence::Cancel), dialog);
}
