// TZellipoApp.cpp: the application object of the game.
#include "app/TZellipoApp.h"

#include "forms/ErrorBox.h"

TZellipoApp::TZellipoApp(int& argc, char** argv) : QApplication(argc, argv) {}

bool TZellipoApp::notify(QObject* receiver, QEvent* event) {
    // As a message loop would: an error that a handler did not catch is shown, and play goes on.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(error);
    }
    return false;
}
