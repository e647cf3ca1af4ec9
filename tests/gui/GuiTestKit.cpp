// GuiTestKit.cpp: shared set-up for the widget tests.
#include "GuiTestKit.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "app/FormLook.h"

void InitBuiltInResources();

void PrepareApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    InitBuiltInResources();
    RegisterFontSubstitutes();
}

namespace {
TMessageBoxCatcher* ActiveCatcher = nullptr;
}

TMessageBoxCatcher::TMessageBoxCatcher() {
    ActiveCatcher = this;
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer] {
        if (ActiveCatcher == nullptr) {
            timer->deleteLater();
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ActiveCatcher->Texts << box->text();
            box->accept();
        }
    });
    timer->start();
}

TMessageBoxCatcher::~TMessageBoxCatcher() {
    ActiveCatcher = nullptr;
}

namespace {
TModalWatcher* ActiveWatcher = nullptr;
}

TModalWatcher::TModalWatcher() {
    ActiveWatcher = this;
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer] {
        if (ActiveWatcher == nullptr) {
            timer->deleteLater();
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ActiveWatcher->Seen << QString::fromLatin1(modal->metaObject()->className());
            if (ActiveWatcher->Answer) {
                ActiveWatcher->Answer(modal);
            } else {
                modal->close();
            }
        }
    });
    timer->start();
}

TModalWatcher::~TModalWatcher() {
    ActiveWatcher = nullptr;
}
