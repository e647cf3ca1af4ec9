// AboutBoxTest.cpp: the About box: its contents, and a game that goes on while it is open.
#include <QtTest>

#include "DialogLook.h"
#include "FormFixture.h"
#include "GuiTestKit.h"
#include "MainFormProbe.h"
#include "about/TAboutBox.h"
#include "settings/core/Infobank.h"

class TAboutBoxTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormFixture> World;

  private slots:
    void init() { World = std::make_unique<TFormFixture>(); }

    void BoxShowsEveryPartWholeInItsPlace() {
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("關於Zellipo"));
        const QStringList problems = DialogLookProblems(box, QSize(298, 238));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
        QCOMPARE(box.ProductName->text(), QStringLiteral("Zellipo"));
        QCOMPARE(box.Version->text(), QStringLiteral("Version:2.00"));
        QCOMPARE(box.OKButton->text(), QStringLiteral("確定"));
        QVERIFY(box.OKButton->isDefault());
        QCOMPARE(box.ProgramIcon->Picture().size(), QSize(32, 32));
        // Left and top in the box or its panel, and the size where the layout fixes one; the six
        // lines of the maker follow one another 16 pixels apart.
        const struct {
            QWidget* Part;
            QWidget* Frame;
            QRect Place;
        } parts[] = {
            {box.Panel1, &box, {8, 8, 281, 193}},
            {box.OKButton, &box, {111, 208, 75, 25}},
            {box.ProgramIcon, box.Panel1, {8, 8, 65, 57}},
            {box.ProductName, box.Panel1, {88, 16, 0, 0}},
            {box.Version, box.Panel1, {88, 40, 0, 0}},
            {box.Copyright, box.Panel1, {12, 80, 0, 0}},
            {box.Comments, box.Panel1, {12, 96, 153, 17}},
            {box.Label4, box.Panel1, {12, 112, 0, 0}},
            {box.Label1, box.Panel1, {12, 128, 0, 0}},
            {box.Label2, box.Panel1, {12, 144, 0, 0}},
            {box.Label3, box.Panel1, {12, 160, 148, 24}},
        };
        for (const auto& part : parts) {
            const QString name = part.Part->objectName();
            QCOMPARE(part.Part->parentWidget(), part.Frame);
            QVERIFY2(part.Part->pos() == part.Place.topLeft(), qPrintable(name));
            QVERIFY2(part.Place.width() == 0 || part.Part->size() == part.Place.size(),
                     qPrintable(name));
            // Nothing else covers it.
            QWidget* shown = box.childAt(part.Part->mapTo(&box, part.Part->rect().center()));
            QVERIFY2(shown == part.Part || part.Part->isAncestorOf(shown), qPrintable(name));
            if (auto* label = qobject_cast<QLabel*>(part.Part)) {
                QVERIFY2(!label->text().isEmpty(), qPrintable(name));
                QVERIFY2(TextShowsWhole(*label), qPrintable(name));
                QVERIFY2(label->geometry().right() < box.Panel1->width() - 2, qPrintable(name));
            }
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
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TAboutBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AboutBoxTest.moc"
