// DialogKeys.cpp: Escape held back from dialogs that have nothing to cancel.
#include "forms/DialogKeys.h"

#include <QDialog>
#include <QKeyEvent>

namespace {

// Sees the key on its way up from the focused control, before the dialog's own handler would
// reject the dialog.
class TEscapeKeeper : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void KeepOpenOnEscape(QDialog* dialog) {
    dialog->installEventFilter(new TEscapeKeeper(dialog));
}
