// DiscCommandTest.cpp: the game menu's picture disc command, there only with the disc, and a
// picture played from the disc starting a game with it.
#include <QtTest>

#include "FormFixture.h"
#include "GuiTestKit.h"
#include "MainFormProbe.h"
#include "fakes/FakeVolumes.h"
#include "pictures/TPlayAndEditDlg.h"

class TDiscCommandTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormFixture> World;
    std::unique_ptr<QTemporaryDir> Disc;
    TFakeVolumes Volumes;

    // A 60 x 40 bitmap of one colour on the disc's picture folder.
    void AddPicture(const QString& name, QColor colour) {
        QDir().mkpath(Disc->path() + QStringLiteral("/Image2"));
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(Disc->path() + QStringLiteral("/Image2/") + name, "BMP"));
    }

    static QStringList GameMenu(TMainForm& form) {
        QStringList items;
        for (QAction* item : form.G1->actions()) {
            if (item->isVisible()) {
                items << (item->isSeparator() ? QStringLiteral("-") : item->objectName());
            }
        }
        return items;
    }

  private slots:
    void init() {
        World = std::make_unique<TFormFixture>();
        Disc = std::make_unique<QTemporaryDir>();
        Volumes.List = {TFakeVolumes::Disc(Disc->path())};
    }

    void WithoutTheDiscTheMenuIsTheGamesOwn() {
        TMainForm form(World->Seams());
        Volumes.List.clear();
        TPlayAndEditDlg launcher(Volumes);
        form.AttachPictureDisc(&launcher);
        const QStringList expected = {"CmReset",   "CmNew",  "-",       "CmBasic", "CmMiddle",
                                      "CmAdvance", "CmUser", "-",       "CmMusic", "CmSound",
                                      "CmNumber",  "-",      "CmScope", "-",       "CmExit"};
        QCOMPARE(GameMenu(form), expected);
    }

    void AnEmptyDiscAddsNoCommand() {
        QDir().mkpath(Disc->path() + QStringLiteral("/Image2"));
        TMainForm form(World->Seams());
        TPlayAndEditDlg launcher(Volumes);
        form.AttachPictureDisc(&launcher);
        QVERIFY(!form.CmDisc->isVisible());
    }

    void DiscPicturePlayedStartsAGameWithIt() {
        AddPicture(QStringLiteral("a.bmp"), QColor(200, 40, 40));
        TMainForm form(World->Seams());
        TPlayAndEditDlg launcher(Volumes);
        form.AttachPictureDisc(&launcher);
        QCOMPARE(GameMenu(form).mid(0, 3), (QStringList{"CmReset", "CmNew", "CmDisc"}));
        QCOMPARE(form.CmDisc->text(), QStringLiteral("圖片光碟(&D)..."));

        World->Ticks.Value = 9000;
        TModalWatcher modal;
        modal.Answer = [&](QWidget* shown) {
            QCOMPARE(shown, &launcher);
            launcher.PlayBtn->click();
        };
        form.CmDisc->trigger();
        QCOMPARE(modal.Seen, QStringList{QStringLiteral("TPlayAndEditDlg")});
        QCOMPARE(form.FinalImage->Picture().size(), QSize(60, 40));
        QCOMPARE(form.FinalImage->Picture().pixel(5, 5), qRgb(200, 40, 40));
        QCOMPARE(TMainFormProbe::Clock(form).StartTick, 9000u);
    }

    void LeavingTheLauncherChangesNothing() {
        AddPicture(QStringLiteral("a.bmp"), QColor(200, 40, 40));
        TMainForm form(World->Seams());
        TPlayAndEditDlg launcher(Volumes);
        form.AttachPictureDisc(&launcher);
        const QImage before = form.FinalImage->Picture();
        const auto cells = TMainFormProbe::Board(form).BoardCells;
        TModalWatcher modal;
        modal.Answer = [&](QWidget*) { launcher.ExitBtn->click(); };
        form.CmDisc->trigger();
        QCOMPARE(form.FinalImage->Picture(), before);
        QCOMPARE(TMainFormProbe::Board(form).BoardCells, cells);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TDiscCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DiscCommandTest.moc"
