// GuiTestKit.cpp: shared set-up for the widget tests.
#include "GuiTestKit.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "forms/FormLook.h"

void PrepareApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    RegisterFontSubstitutes();
}

TModalWatcher::TModalWatcher() {
    Poll.setInterval(10);
    QObject::connect(&Poll, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            Seen << QString::fromLatin1(modal->metaObject()->className());
            if (Answer) {
                Answer(modal);
            } else {
                modal->close();
            }
        }
    });
    Poll.start();
}

TMessageBoxCatcher::TMessageBoxCatcher() {
    Watcher.Answer = [this](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Texts << box->text();
            box->accept();
        }
    };
}
