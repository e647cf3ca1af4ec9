// LanguageTest.cpp: the windows' texts under the desktop's language. The translation is chosen
// once, from the environment, as the game chooses it; each language is a run of its own, and
// ZELLIPO_EXPECTED says whether that run should read in English ("en") or as written ("zh").
#include <QtTest>

#include "DialogLook.h"
#include "FormFixture.h"
#include "GuiTestKit.h"
#include "about/TAboutBox.h"
#include "app/Translation.h"
#include "forms/ErrorBox.h"
#include "pictures/TSelSampDlg.h"
#include "settings/TInputNameDlg.h"
#include "settings/TRecordDlg.h"
#include "settings/TUserDefDlg.h"

#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

bool English() {
    return qEnvironmentVariable("ZELLIPO_EXPECTED") == u"en";
}

// Every text the window shows or hints with, each named by the widget or action it is on.
QStringList TextsOf(const QWidget& window) {
    QStringList texts{window.objectName() + QStringLiteral(" title: ") + window.windowTitle()};
    for (const QWidget* part : window.findChildren<QWidget*>()) {
        const QString name = part->objectName() + QStringLiteral(": ");
        if (const auto* label = qobject_cast<const QLabel*>(part)) {
            texts << name + label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(part)) {
            texts << name + button->text();
        } else if (const auto* group = qobject_cast<const QGroupBox*>(part)) {
            texts << name + group->title();
        } else if (const auto* menu = qobject_cast<const QMenu*>(part)) {
            texts << name + menu->title();
        }
        texts << name + part->toolTip();
    }
    for (const QAction* action : window.findChildren<QAction*>()) {
        texts << action->objectName() + QStringLiteral(": ") + action->text();
    }
    return texts;
}

// The labels, buttons and group titles whose text takes more room than the layout gives it.
QStringList ClippedTexts(const QWidget& window) {
    QStringList clipped;
    for (const QWidget* part : window.findChildren<QWidget*>()) {
        QString text;
        int room = 0;
        if (const auto* label = qobject_cast<const QLabel*>(part)) {
            if (!TextShowsWhole(*label)) {
                clipped << label->objectName() + QStringLiteral(": ") + label->text();
            }
        } else if (const auto* button = qobject_cast<const QPushButton*>(part)) {
            text = button->text().remove(u'&');
            // The frame and the icon take their share of the face.
            room = button->width() - 8 -
                   (button->icon().isNull() ? 0 : button->iconSize().width() + 4);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(part)) {
            text = group->title();
            room = group->width() - 16;
        }
        if (!text.isEmpty() && part->fontMetrics().horizontalAdvance(text) > room) {
            clipped << part->objectName() + QStringLiteral(": ") + text;
        }
    }
    return clipped;
}

}  // namespace

class TLanguageTest : public QObject {
    Q_OBJECT

    TFormFixture World;

    // One text of the window as written and in English; in English, the whole window is, and
    // each text fits where the layout made room for the Chinese one.
    void Check(const QWidget& window, const QString& shown, const QString& written,
               const QString& english) {
        QCOMPARE(shown, English() ? english : written);
        if (English()) {
            static const QRegularExpression han(QStringLiteral("\\p{Han}"));
            const QStringList untranslated = TextsOf(window).filter(han);
            QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u"; ")));
            const QStringList clipped = ClippedTexts(window);
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"; ")));
        }
    }

  private slots:
    void MainWindow() {
        TMainForm form(World.Seams());
        QCOMPARE(form.windowTitle(), QStringLiteral("Zellipo"));
        Check(form, form.PauseBtn->text(), QStringLiteral("暫停"), QStringLiteral("Pause"));
        Check(form, form.CmExit->text(), QStringLiteral("離開(&X)"), QStringLiteral("E&xit"));
    }

    void Dialogs() {
        TAboutBox about;
        Check(about, about.windowTitle(), QStringLiteral("關於Zellipo"),
              QStringLiteral("About Zellipo"));
        TInputNameDlg name;
        Check(name, name.Label2->text(), QStringLiteral("請輸入您的大名："),
              QStringLiteral("Please enter your name:"));
        TRecordDlg records{TSettings{}};
        Check(records, records.GroupBox3->title(), QStringLiteral("中級者"),
              QStringLiteral("Intermediate"));
        TSelSampDlg chooser;
        Check(chooser, chooser.windowTitle(), QStringLiteral("選擇圖片"),
              QStringLiteral("Choose a Picture"));
        TUserDefDlg size;
        Check(size, size.CancelBtn->text(), QStringLiteral("取消"), QStringLiteral("Cancel"));
    }

    void ErrorBoxButton() {
        TModalWatcher watcher;
        QString button;
        watcher.Answer = [&button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            button = box->buttons().value(0)->text();
            box->accept();
        };
        ShowErrorBox(QStringLiteral("Cannot open file \"x\""));
        QCOMPARE(button, English() ? QStringLiteral("OK") : QStringLiteral("確定"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    InstallTranslation(app, QStringLiteral(ZELLIPO_TRANSLATIONS_DIR),
                       QLocale::system().uiLanguages());
    TLanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LanguageTest.moc"
