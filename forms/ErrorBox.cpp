// ErrorBox.cpp: the critical message box that shows errors under the application's title.
#include "forms/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "forms/FormLook.h"

namespace {

// Centred as every window is, frame included once the window manager has framed it. A message
// box takes its size from its text only as it is shown, and may change it again after, so the
// frame goes back to the middle at every change. The first box of a session may be framed only
// after it has reached the screen, which it shows by becoming active.
class TErrorBox : public QMessageBox {
  public:
    explicit TErrorBox(const QString& text)
        : QMessageBox(QMessageBox::Critical, QCoreApplication::applicationName(), text) {
        CentreOnScreen(this);
    }

  protected:
    bool event(QEvent* event) override {
        const bool handled = QMessageBox::event(event);
        if ((event->type() == QEvent::Resize && isVisible()) ||
            event->type() == QEvent::WindowActivate) {
            const QMargins frame = windowHandle()->frameMargins();
            setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size().grownBy(frame),
                                            screen()->availableGeometry())
                            .marginsRemoved(frame));
        }
        return handled;
    }
};

}  // namespace

void ShowErrorBox(const QString& text) {
    TErrorBox box(text);
    box.addButton(QCoreApplication::translate("ErrorBox", "確定"), QMessageBox::AcceptRole);
    box.exec();
}

void ShowErrorBox(const std::exception& error) {
    ShowErrorBox(QString::fromUtf8(error.what()));
}
