// GuiTestKit.h: shared set-up for the widget tests: the application's resources, fonts and
// message boxes answered by the test.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Registers the built-in images and the font substitutes, as main does.
void PrepareApplication();

// Accepts every modal message box that opens while the test runs and records its text.
class TMessageBoxCatcher {
  public:
    TMessageBoxCatcher();
    ~TMessageBoxCatcher();
    QStringList Texts;
};

// Answers every modal dialog that opens while it lives: records its class name, then hands it
// to Answer (which closes it unless told otherwise).
class TModalWatcher {
  public:
    TModalWatcher();
    ~TModalWatcher();
    QStringList Seen;
    std::function<void(QWidget*)> Answer;
};
