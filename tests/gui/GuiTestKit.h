// GuiTestKit.h: shared set-up for the widget tests: the application's resources, fonts and
// message boxes answered by the test.
#pragma once

#include <QString>
#include <QStringList>

// Registers the built-in images and the font substitutes, as main does.
void PrepareApplication();

// Accepts every modal message box that opens while the test runs and records its text.
class TMessageBoxCatcher {
  public:
    TMessageBoxCatcher();
    ~TMessageBoxCatcher();
    QStringList Texts;
};
