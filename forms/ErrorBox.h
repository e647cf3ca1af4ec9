// ErrorBox.h: the one way the program reports a failure: a message box with the error's text.
#pragma once

#include <QString>
#include <exception>

void ShowErrorBox(const QString& text);
void ShowErrorBox(const std::exception& error);

// Runs a handler; anything it throws is shown in the error box and the program goes on.
template <class THandler>
void Guarded(THandler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorBox(error);
    }
}
