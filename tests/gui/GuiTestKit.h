// GuiTestKit.h: shared set-up for the widget tests: the application's resources, fonts and
// message boxes answered by the test.
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

// Registers the built-in images and the font substitutes, as main does.
void PrepareApplication();

// Answers every modal dialog that opens while it lives: records its class name, then hands it
// to Answer (which closes it unless told otherwise). One lives at a time.
class TModalWatcher {
  public:
    TModalWatcher();
    QStringList Seen;
    std::function<void(QWidget*)> Answer;

  private:
    QTimer Poll;
};

// Accepts every modal message box that opens while it lives and records its text.
class TMessageBoxCatcher {
  public:
    TMessageBoxCatcher();
    QStringList Texts;

  private:
    TModalWatcher Watcher;
};
