// Translation.h: the program's texts in the desktop's language, where we have that language.
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// Installs the translation found in the folder for the first of the languages (most preferred
// first, as QLocale::uiLanguages lists them) that is Chinese or translated. The texts are written
// in Traditional Chinese, so a Chinese language before any translated one, or no translated
// language at all, keeps them. Returns whether a translation was installed.
bool InstallTranslation(QCoreApplication& app, const QString& folder, const QStringList& languages);
