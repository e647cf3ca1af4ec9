// Translation.cpp: picks the translation for the desktop's languages and installs it.
#include "app/Translation.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTranslator>

bool InstallTranslation(QCoreApplication& app, const QString& folder,
                        const QStringList& languages) {
    for (const QString& tag : languages) {
        // Translations are kept per language: en_US and en_GB both read zellipo_en.qm.
        const QString language = QLocale(tag).name().section(u'_', 0, 0);
        if (language == u"zh") {
            return false;
        }
        const QString file = folder + QStringLiteral("/zellipo_%1.qm").arg(language);
        if (!QFile::exists(file)) {
            continue;
        }
        auto* translator = new QTranslator(&app);
        if (translator->load(file)) {
            return QCoreApplication::installTranslator(translator);
        }
        delete translator;
    }
    return false;
}
