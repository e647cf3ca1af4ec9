// FormLook.h: the look every window shares: its font, its place on the screen, built-in images.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QString>
#include <initializer_list>

class QWidget;

// The main window's face, which the board's hole and any transparency of a picture show.
inline const QColor WindowGreen(0, 128, 0);

// The dialogs ask for a Traditional Chinese Ming face and the clock for Times New Roman;
// both are mapped to faces that Debian installs.
void RegisterFontSubstitutes();

// "新細明體", 12 pixels high, unsmoothed as the face is drawn crisply at that size.
QFont FormFont();
void UseFormFont(QWidget* form);

// Centres the window's whole frame on the screen, window manager's decorations included.
void CentreOnScreen(QWidget* window);

// A built-in image, read by Qt's own PNG or BMP reader as its name says. Asked for a format no
// image plugin claims, Qt would otherwise load every plugin first to ask it: some 1.3 MiB and a
// few milliseconds at start for nothing.
QImage ResourceImage(const QString& resource);
// An icon of a built-in glyph, whose file carries its transparency, and beside the glyph its
// disabled look where one is drawn; kept sharp on screens of any density.
QIcon GlyphIcon(const QString& resource, bool disabledBeside = false);

// A fixed dialog frame with only a close box, the form font, centred on the screen. Labels
// listed as auto-sized take the width of their text.
class QDialog;
class QLabel;
void SetUpDialog(QDialog* dialog, std::initializer_list<QLabel*> autoSized = {});
