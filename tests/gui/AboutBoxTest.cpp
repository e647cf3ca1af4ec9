// AboutBoxTest.cpp: the About box: its contents, and a game that goes on while it is open.
#include <QtTest>

#include "DialogLook.h"
#include "FormFixture.h"
#include "GuiTestKit.h"
#include "MainFormProbe.h"
#include "about/TAboutBox.h"
#include "settings/Infobank.h"

class TAboutBoxTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormFixture> World;

  private slots:
    void init() { World = std::make_unique<TFormFixture>(); }

    void BoxHasItsLayoutAndTexts() {
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("關於Zellipo"));
        const QStringList problems = DialogLookProblems(box, QSize(298, 238));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
        QCOMPARE(box.Panel1->geometry(), QRect(8, 8, 281, 193));
        QCOMPARE(box.ProgramIcon->parentWidget(), box.Panel1);
        QCOMPARE(box.ProgramIcon->geometry(), QRect(8, 8, 65, 57));
        QCOMPARE(box.ProgramIcon->Picture().size(), QSize(32, 32));
        QCOMPARE(box.ProductName->text(), QStringLiteral("Zellipo"));
        QCOMPARE(box.ProductName->pos(), QPoint(88, 16));
        QCOMPARE(box.Version->text(), QStringLiteral("Version:2.00"));
        QCOMPARE(box.Version->pos(), QPoint(88, 40));
        QCOMPARE(box.Comments->geometry(), QRect(12, 96, 153, 17));
        QCOMPARE(box.Label3->geometry(), QRect(12, 160, 148, 24));
        QCOMPARE(box.OKButton->geometry(), QRect(111, 208, 75, 25));
        QCOMPARE(box.OKButton->text(), QStringLiteral("確定"));
        QVERIFY(box.OKButton->isDefault());
        // Six lines of the maker, one under the other, each fitting inside the panel.
        const QList<QLabel*> lines{box.Copyright, box.Comments, box.Label4,
                                   box.Label1,    box.Label2,   box.Label3};
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(!lines[i]->text().isEmpty(), qPrintable(lines[i]->objectName()));
            QCOMPARE(lines[i]->parentWidget(), box.Panel1);
            QCOMPARE(lines[i]->x(), 12);
            QCOMPARE(lines[i]->y(), 80 + 16 * i);
            QVERIFY2(lines[i]->geometry().right() < box.Panel1->width() - 2,
                     qPrintable(lines[i]->objectName()));
        }
    }

    void VersionReadsTheSameEveryTimeTheBoxOpens() {
        TMainForm form(World->Seams());
        for (int i = 0; i < 2; ++i) {
            TModalWatcher dialogs;
            dialogs.Answer = [](QWidget* modal) {
                auto* box = qobject_cast<TAboutBox*>(modal);
                QVERIFY(box);
                QCOMPARE(box->Version->text(), QStringLiteral("Version:2.00"));
                box->OKButton->click();
            };
            form.CmAbout->trigger();
            QCOMPARE(dialogs.Seen, QStringList{QStringLiteral("TAboutBox")});
        }
    }

    void GameGoesOnWhileTheBoxIsOpenAndAfter_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("ok button") << 0;
        QTest::newRow("enter key") << 1;
        QTest::newRow("close box") << 2;
    }

    void GameGoesOnWhileTheBoxIsOpenAndAfter() {
        QFETCH(int, way);
        TMainForm form(World->Seams());
        TMainFormProbe::Show(form);
        const auto cells = TMainFormProbe::Board(form).BoardCells;
        const uint32_t start = TMainFormProbe::Clock(form).StartTick;
        const std::vector<std::string> music = World->Music.Log;
        const TSettings settings = Settings;
        TModalWatcher dialogs;
        dialogs.Answer = [&](QWidget* modal) {
            auto* box = qobject_cast<TAboutBox*>(modal);
            QVERIFY(box);
            QCOMPARE(box->parentWidget(), static_cast<QWidget*>(&form));
            const QStringList problems = DialogLookProblems(*box, QSize(298, 238));
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
            QVERIFY(form.ClockTimer->isActive());
            if (way == 0) {
                QTest::mouseClick(box->OKButton, Qt::LeftButton);
            } else if (way == 1) {
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                box->close();
            }
            QVERIFY(!box->isVisible());
        };
        form.CmAbout->trigger();
        QCOMPARE(dialogs.Seen, QStringList{QStringLiteral("TAboutBox")});
        QVERIFY(form.ClockTimer->isActive());
        QVERIFY(TMainFormProbe::Board(form).BoardCells == cells);
        QCOMPARE(TMainFormProbe::Clock(form).StartTick, start);
        QCOMPARE(World->Music.Log, music);
        QCOMPARE(Settings.Level, settings.Level);
        QCOMPARE(Settings.UserDefineH, settings.UserDefineH);
        QCOMPARE(Settings.BitmapFileName, settings.BitmapFileName);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TAboutBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AboutBoxTest.moc"
