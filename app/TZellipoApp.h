// TZellipoApp.h: the application object, whose event delivery catches what escapes a handler.
#pragma once

#include <QApplication>

class TZellipoApp : public QApplication {
  public:
    TZellipoApp(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
