// LauncherTest.cpp: the launcher on a fake disc of generated bitmaps: its list and grid, the
// selection, play and exit, edit and play with a script as the editor, and the full-screen layout
// on screens of three widths.
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include "GuiTestKit.h"
#include "fakes/FakeVolumes.h"
#include "pictures/PictureFile.h"
#include "pictures/TPlayAndEditDlg.h"

struct TLauncherProbe {
    static const QStringList& PictureFiles(TPlayAndEditDlg& dlg) { return dlg.PictureFiles; }
    static int32_t SelectedIndex(TPlayAndEditDlg& dlg) { return dlg.SelectedIndex; }
    static int32_t ThumbnailCount(TPlayAndEditDlg& dlg) { return dlg.ThumbnailCount; }
    static int32_t GridColumns(TPlayAndEditDlg& dlg) { return dlg.GridColumns; }
    static int32_t GridRows(TPlayAndEditDlg& dlg) { return dlg.GridRows; }
    static const std::optional<QImage>& Thumbnail(TPlayAndEditDlg& dlg, int32_t i) {
        return dlg.Thumbnails[static_cast<size_t>(i)];
    }
    static QString EditedCopy(TPlayAndEditDlg& dlg) { return dlg.EditedCopy->fileName(); }
};

namespace {

using Probe = TLauncherProbe;

const QRgb Navy = qRgb(0, 0, 128);
const QRgb PaleYellow = qRgb(255, 255, 128);
const QColor Red(255, 0, 0);
const QColor Green(0, 160, 0);
const QColor Blue(0, 0, 255);

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray BitmapBytes(int width, int height, const QColor& colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// Where a point of the grid lies in the launcher's own pixels.
QPoint InLauncher(TPlayAndEditDlg& dlg, QPoint inGrid) {
    return dlg.PaintBox1->mapTo(&dlg, inGrid);
}

QPoint CellCentre(int32_t index, int32_t columns) {
    return {index % columns * 100 + 50, index / columns * 80 + 40};
}

}  // namespace

class TLauncherTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> Disc;
    std::unique_ptr<TFakeVolumes> Volumes;
    // The editor stands in as a script beside the files it writes: "started" gets the count and
    // the first of its arguments, "handed-over" the picture as it came; then it waits for "go"
    // and puts "edited", if there is one, in the picture's place.
    std::unique_ptr<QTemporaryDir> Scratch;
    QString Editor;

    QStringList Started() const {
        return QString::fromLocal8Bit(ReadAll(Scratch->filePath(QStringLiteral("started"))))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    void Put(const QString& name, const QByteArray& bytes = {}) {
        QFile file(Scratch->filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString Folder() const { return Disc->path() + QStringLiteral("/Image2"); }
    QString PathOf(const QString& name) const { return Folder() + QLatin1Char('/') + name; }

    void AddFile(const QString& name, const QByteArray& bytes) {
        QDir().mkpath(Folder());
        QFile file(PathOf(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    void AddPicture(const QString& name, int width = 40, int height = 30,
                    const QColor& colour = Red) {
        AddFile(name, BitmapBytes(width, height, colour));
    }

    // Shows the launcher as the player would first see it: full screen, the grid built.
    void ShowBuilt(TPlayAndEditDlg& dlg) {
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTRY_VERIFY(Probe::GridColumns(dlg) > 0);
    }

    // Runs the launcher modally, as the game does, and acts once its grid is built.
    int ExecThen(TPlayAndEditDlg& dlg, std::function<void()> act) {
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, &dlg, [&] {
            if (dlg.isVisible() && Probe::GridColumns(dlg) > 0) {
                poll.stop();
                act();
            }
        });
        poll.start();
        // A launcher that never ends would hang the test; this ends it with a result no step gives.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &dlg, [&] { dlg.done(-1); });
        guard.start(10000);
        return dlg.exec();
    }

    void Click(TPlayAndEditDlg& dlg, int32_t index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(dlg.PaintBox1, button, {}, CellCentre(index, Probe::GridColumns(dlg)));
    }

  private slots:
    void init() {
        Disc = std::make_unique<QTemporaryDir>();
        Volumes = std::make_unique<TFakeVolumes>();
        Volumes->List = {TFakeVolumes::Disc(Disc->path())};
        Scratch = std::make_unique<QTemporaryDir>();
        Editor = Scratch->filePath(QStringLiteral("editor"));
        Put(QStringLiteral("editor"),
            "#!/bin/sh\ncd \"${0%/*}\"\nprintf '%s|%s\\n' \"$#\" \"$1\" >> started\n"
            "cp \"$1\" handed-over\nwhile [ ! -e go ]; do sleep 0.01; done\n"
            "if [ -e edited ]; then cp edited \"$1\"; fi\n");
        QVERIFY(QFile::setPermissions(Editor, QFile::ReadOwner | QFile::ExeOwner));
    }

    void CreationListsTheDiscPicturesInCaselessOrder() {
        for (const char* name : {"b.BMP", "d.Bmp", "A.bmp", "C.bmp"}) {
            AddPicture(QString::fromLatin1(name));
        }
        AddFile(QStringLiteral("notes.txt"), "not a picture");
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QCOMPARE(Volumes->Reads, 1);
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.HasPictures());
        QCOMPARE(Probe::PictureFiles(dlg),
                 QStringList({PathOf(QStringLiteral("A.bmp")), PathOf(QStringLiteral("b.BMP")),
                              PathOf(QStringLiteral("C.bmp")), PathOf(QStringLiteral("d.Bmp"))}));
        QCOMPARE(Probe::SelectedIndex(dlg), 0);
        QCOMPARE(Probe::ThumbnailCount(dlg), 0);
    }

    void HiddenEntriesAndFoldersMatchingThePatternAreListedToo() {
        AddPicture(QStringLiteral(".hidden.bmp"));
        QVERIFY(QDir().mkpath(PathOf(QStringLiteral("folder.bmp"))));
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QStringList listed = Probe::PictureFiles(dlg);
        listed.sort();
        QCOMPARE(listed, QStringList({PathOf(QStringLiteral(".hidden.bmp")),
                                      PathOf(QStringLiteral("folder.bmp"))}));
    }

    void TheListStaysOnTheDiscAndWithinItsLimit() {
        // Links may lead off the disc: one to a picture elsewhere, and a picture folder that is
        // itself a link, found before the real one would be.
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(QStringLiteral("secret.bmp"));
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(outside, "BMP"));
        AddPicture(QStringLiteral("a.bmp"));
        QVERIFY(QFile::link(outside, PathOf(QStringLiteral("link.bmp"))));
        {
            TPlayAndEditDlg dlg(*Volumes, Editor);
            QCOMPARE(Probe::PictureFiles(dlg), QStringList{PathOf(QStringLiteral("a.bmp"))});
        }
        QVERIFY(QDir(Folder()).removeRecursively());
        QVERIFY(QFile::link(elsewhere.path(), Folder()));
        {
            TPlayAndEditDlg dlg(*Volumes, Editor);
            QVERIFY(!dlg.HasPictures());
        }
        // A folder of thousands of entries is read only so far.
        QVERIFY(QFile::remove(Folder()));
        QVERIFY(QDir().mkpath(Folder()));
        for (int i = 0; i < int(DiscEntryLimit) + 200; ++i) {
            QFile entry(PathOf(QStringLiteral("%1.bmp").arg(i)));
            QVERIFY(entry.open(QIODevice::WriteOnly));
        }
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QCOMPARE(Probe::PictureFiles(dlg).size(), qsizetype(DiscEntryLimit));
    }

    void PictureFolderInCapitalsAsAnOpticalVolumeMayShowIt() {
        QVERIFY(QDir().mkpath(Disc->path() + QStringLiteral("/IMAGE2")));
        QImage(8, 8, QImage::Format_RGB32).save(Disc->path() + QStringLiteral("/IMAGE2/P.BMP"));
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QCOMPARE(Probe::PictureFiles(dlg),
                 QStringList{Disc->path() + QStringLiteral("/IMAGE2/P.BMP")});
    }

    void OnlyAnOpticalVolumeWithTheLabelIsTheDisc() {
        AddPicture(QStringLiteral("a.bmp"));
        Volumes->List = {{Disc->path(), "ext4", "/dev/sda1", "Pellawinto"},
                         {Disc->path(), "iso9660", "/dev/sr0", "Holidays"}};
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QVERIFY(!dlg.HasPictures());
    }

    void NoDiscGivesAnEmptyPaleYellowGridWherePlayDoesNothing() {
        Volumes->List.clear();
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QVERIFY(!dlg.HasPictures());
        ShowBuilt(dlg);
        QCOMPARE(Probe::GridRows(dlg), 0);
        QCOMPARE(dlg.PaintBox1->height(), 0);
        const QImage seen = dlg.grab().toImage();
        QCOMPARE(seen.pixel(dlg.ScrollBox1->geometry().center()), PaleYellow);

        dlg.PlayBtn->click();
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.SelectedPicture.isEmpty());
        dlg.EditPlayBtn->click();
        QVERIFY(Started().isEmpty());
        QVERIFY(dlg.isVisible());
        dlg.ExitBtn->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), TPlayAndEditDlg::ExitResult);
    }

    void DiscWithoutPicturesIsLikeNoDisc() {
        AddFile(QStringLiteral("readme.txt"), "no pictures here");
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QVERIFY(!dlg.HasPictures());
        QCOMPARE(ExecThen(dlg,
                          [&] {
                              dlg.PlayBtn->click();
                              dlg.ExitBtn->click();
                          }),
                 TPlayAndEditDlg::ExitResult);
        QCOMPARE(Probe::GridRows(dlg), 0);
        QVERIFY(dlg.SelectedPicture.isEmpty());
    }

    void GridIsBuiltAfterThePaintThatAsksForIt() {
        AddPicture(QStringLiteral("a.bmp"));
        AddPicture(QStringLiteral("b.bmp"));
        TPlayAndEditDlg dlg(*Volumes, Editor);
        dlg.show();
        dlg.PaintBox1->grab();
        QCOMPARE(Probe::ThumbnailCount(dlg), 0);
        QTRY_COMPARE(Probe::ThumbnailCount(dlg), 2);
        QVERIFY(Probe::Thumbnail(dlg, 1).has_value());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void ThumbnailsAreFittedIntoTheBoxAndCentred() {
        AddPicture(QStringLiteral("a.bmp"), 46, 36, Red);
        AddPicture(QStringLiteral("b.bmp"), 368, 144, Blue);
        // 92 / 43 x 43 is a hair under 92 in floating point; the box is still filled.
        AddPicture(QStringLiteral("c.bmp"), 43, 30, Blue);
        TPlayAndEditDlg dlg(*Volumes, Editor);
        ShowBuilt(dlg);
        QCOMPARE(Probe::Thumbnail(dlg, 0)->size(), QSize(92, 72));
        QCOMPARE(Probe::Thumbnail(dlg, 1)->size(), QSize(92, 36));
        QCOMPARE(Probe::Thumbnail(dlg, 2)->size(), QSize(92, 64));
        const QImage seen = dlg.grab().toImage();
        const auto at = [&](int x, int y) { return seen.pixel(InLauncher(dlg, {x, y})); };
        // The selected first cell is navy around its thumbnail.
        QCOMPARE(at(4, 4), QColor(Red).rgb());
        QCOMPARE(at(95, 75), QColor(Red).rgb());
        QCOMPARE(at(3, 3), Navy);
        QCOMPARE(at(96, 76), Navy);
        // The second is not selected: the scroll box's colour shows around it.
        QCOMPARE(at(104, 22), QColor(Blue).rgb());
        QCOMPARE(at(195, 57), QColor(Blue).rgb());
        QCOMPARE(at(104, 21), PaleYellow);
        QCOMPARE(at(104, 58), PaleYellow);
        QCOMPARE(at(100, 0), PaleYellow);
    }

    void AnyMouseButtonSelectsAndOnlyTheTwoCellsChange() {
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
            AddPicture(QString::fromLatin1(name));
        }
        TPlayAndEditDlg dlg(*Volumes, Editor);
        ShowBuilt(dlg);
        Click(dlg, 2, Qt::RightButton);
        QCOMPARE(Probe::SelectedIndex(dlg), 2);
        const QImage seen = dlg.grab().toImage();
        QCOMPARE(seen.pixel(InLauncher(dlg, {201, 1})), Navy);
        QCOMPARE(seen.pixel(InLauncher(dlg, {1, 1})), PaleYellow);
        Click(dlg, 1, Qt::MiddleButton);
        QCOMPARE(Probe::SelectedIndex(dlg), 1);
        QTest::mouseDClick(dlg.PaintBox1, Qt::LeftButton, {},
                           CellCentre(0, Probe::GridColumns(dlg)));
        QCOMPARE(Probe::SelectedIndex(dlg), 0);
        // A double click only selects: the launcher stays open.
        QVERIFY(dlg.isVisible());
    }

    void GridOfANarrowClientHasOneColumn() {
        for (int width : {99, 1, 0}) {
            QCOMPARE(GridColumnsFor(width), 1);
        }
    }

    void PressBeyondTheLastPictureChangesNothing() {
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
            AddPicture(QString::fromLatin1(name));
        }
        TPlayAndEditDlg dlg(*Volumes, Editor);
        ShowBuilt(dlg);
        QVERIFY(Probe::GridColumns(dlg) > 3);
        Click(dlg, 1);
        Click(dlg, 3);
        QCOMPARE(Probe::SelectedIndex(dlg), 1);
    }

    void PlayEndsWithTheSelectedPicturesPath() {
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
            AddPicture(QString::fromLatin1(name));
        }
        TPlayAndEditDlg dlg(*Volumes, Editor);
        const int result = ExecThen(dlg, [&] {
            Click(dlg, 1);
            dlg.PlayBtn->click();
        });
        QCOMPARE(result, TPlayAndEditDlg::PlayResult);
        QCOMPARE(dlg.SelectedPicture, PathOf(QStringLiteral("b.bmp")));
    }

    void PlayWithoutAClickTakesTheFirstPicture() {
        AddPicture(QStringLiteral("b.bmp"));
        AddPicture(QStringLiteral("a.bmp"));
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QCOMPARE(ExecThen(dlg, [&] { dlg.PlayBtn->click(); }), TPlayAndEditDlg::PlayResult);
        QCOMPARE(dlg.SelectedPicture, PathOf(QStringLiteral("a.bmp")));
    }

    void ExitEndsWithTwoAndNoNewChoice() {
        AddPicture(QStringLiteral("a.bmp"));
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QCOMPARE(ExecThen(dlg, [&] { dlg.ExitBtn->click(); }), TPlayAndEditDlg::ExitResult);
        QVERIFY(dlg.SelectedPicture.isEmpty());
        // Closed any other way, it is an exit too.
        QCOMPARE(ExecThen(dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); }),
                 TPlayAndEditDlg::ExitResult);
    }

    void ShownAgainItKeepsItsGridAndChoice() {
        AddPicture(QStringLiteral("a.bmp"));
        AddPicture(QStringLiteral("b.bmp"));
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QCOMPARE(ExecThen(dlg,
                          [&] {
                              Click(dlg, 1);
                              dlg.PlayBtn->click();
                          }),
                 TPlayAndEditDlg::PlayResult);
        const QRect playBounds = dlg.PlayBtn->geometry();
        QCOMPARE(ExecThen(dlg, [&] { dlg.ExitBtn->click(); }), TPlayAndEditDlg::ExitResult);
        QCOMPARE(Probe::SelectedIndex(dlg), 1);
        QCOMPARE(dlg.SelectedPicture, PathOf(QStringLiteral("b.bmp")));
        QCOMPARE(dlg.PlayBtn->geometry(), playBounds);
    }

    void PictureThatFailsToLoadIsReportedOnceAndLaterCellsStayEmpty() {
        AddPicture(QStringLiteral("a.bmp"), 40, 30, Green);
        AddFile(QStringLiteral("b.bmp"), "BM this is no bitmap");
        AddPicture(QStringLiteral("c.bmp"), 40, 30, Blue);
        QString expected;
        try {
            LoadPicture(PathOf(QStringLiteral("b.bmp")));
        } catch (const std::exception& error) {
            expected = QString::fromUtf8(error.what());
        }
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QStringList texts;
        int cursorDuringBox = -1;
        {
            TModalWatcher watcher;
            watcher.Answer = [&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                QVERIFY(box != nullptr);
                texts << box->text();
                cursorDuringBox = QApplication::overrideCursor() != nullptr
                                      ? QApplication::overrideCursor()->shape()
                                      : -1;
                box->accept();
            };
            ShowBuilt(dlg);
            QTRY_COMPARE(texts.size(), 1);
            // The build is over once its cursor is gone; a second box would have come before.
            QTRY_VERIFY(QApplication::overrideCursor() == nullptr);
        }
        QCOMPARE(texts, QStringList{expected});
        QCOMPARE(cursorDuringBox, int(Qt::WaitCursor));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(Probe::Thumbnail(dlg, 0).has_value());
        QVERIFY(!Probe::Thumbnail(dlg, 1).has_value());
        QVERIFY(!Probe::Thumbnail(dlg, 2).has_value());

        Click(dlg, 2);
        QCOMPARE(Probe::SelectedIndex(dlg), 2);
        // An empty cell shows nothing, not even when selected.
        QCOMPARE(dlg.grab().toImage().pixel(InLauncher(dlg, {201, 1})), PaleYellow);
        dlg.PlayBtn->click();
        QCOMPARE(dlg.result(), TPlayAndEditDlg::PlayResult);
        QCOMPARE(dlg.SelectedPicture, PathOf(QStringLiteral("c.bmp")));
    }

    void OnlyTheFirstHundredPicturesGetCells() {
        for (int i = 0; i <= 100; ++i) {
            AddPicture(QStringLiteral("p%1.bmp").arg(i, 3, 10, QLatin1Char('0')), 8, 8);
        }
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QCOMPARE(Probe::PictureFiles(dlg).size(), 101);
        ShowBuilt(dlg);
        QCOMPARE(Probe::ThumbnailCount(dlg), 100);
        QCOMPARE(Probe::GridColumns(dlg), 6);
        QCOMPARE(Probe::GridRows(dlg), 17);
        QCOMPARE(dlg.PaintBox1->height(), 1360);
        // Centred in the width the scroll bar leaves, also once everything pending has run.
        QCoreApplication::processEvents();
        QVERIFY(dlg.ScrollBox1->verticalScrollBar()->isVisible());
        QCOMPARE(dlg.PaintBox1->x(), (dlg.ScrollBox1->viewport()->width() - 600) / 2);
        for (int32_t i = 0; i < 100; ++i) {
            QVERIFY(Probe::Thumbnail(dlg, i).has_value());
        }
        // The newest row was kept in view: the grid is scrolled to its end.
        QScrollBar* scroll = dlg.ScrollBox1->verticalScrollBar();
        QCOMPARE(scroll->value(), 1360 - dlg.ScrollBox1->viewport()->height());
        QCOMPARE(scroll->value(), scroll->maximum());

        Click(dlg, 99);
        QCOMPARE(Probe::SelectedIndex(dlg), 99);
        dlg.PlayBtn->click();
        QCOMPARE(dlg.SelectedPicture, PathOf(QStringLiteral("p099.bmp")));
    }

    void LayoutFollowsTheScreenWidth_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QRect>("play");
        QTest::addColumn<QRect>("editPlay");
        QTest::addColumn<QRect>("exit");
        QTest::addColumn<QRect>("scroll");
        QTest::newRow("800") << 0 << QRect(116, 499, 112, 48) << QRect(344, 499, 112, 48)
                             << QRect(571, 499, 112, 48) << QRect(64, 153, 673, 334);
        QTest::newRow("1024") << 1 << QRect(149, 638, 143, 61) << QRect(440, 638, 143, 61)
                              << QRect(731, 638, 143, 61) << QRect(81, 196, 862, 428);
        QTest::newRow("1280") << 2 << QRect(186, 798, 179, 76) << QRect(550, 798, 179, 76)
                              << QRect(913, 798, 179, 76) << QRect(102, 245, 1077, 535);
    }

    void LayoutFollowsTheScreenWidth() {
        QFETCH(int, screen);
        QFETCH(QRect, play);
        QFETCH(QRect, editPlay);
        QFETCH(QRect, exit);
        QFETCH(QRect, scroll);
        AddPicture(QStringLiteral("a.bmp"));
        QScreen* display = QGuiApplication::screens().at(screen);
        TPlayAndEditDlg dlg(*Volumes, Editor);
        // The launcher covers the screen it opens on.
        dlg.move(display->geometry().topLeft());
        ShowBuilt(dlg);
        QCOMPARE(dlg.geometry(), display->geometry());
        QCOMPARE(dlg.PlayBtn->geometry(), play);
        QCOMPARE(dlg.EditPlayBtn->geometry(), editPlay);
        QCOMPARE(dlg.ExitBtn->geometry(), exit);
        QCOMPARE(dlg.ScrollBox1->geometry(), scroll);
        QCOMPARE(dlg.ScrollBox1->palette().color(QPalette::Window).rgb(), PaleYellow);
        // As many whole cells as the scroll box's client width holds, the grid centred in it.
        const int client = dlg.ScrollBox1->viewport()->width();
        QCOMPARE(Probe::GridColumns(dlg), client / 100);
        QCOMPARE(dlg.PaintBox1->x(), (client - Probe::GridColumns(dlg) * 100) / 2);
    }

    void LookOfTheLauncher() {
        TPlayAndEditDlg dlg(*Volumes, Editor);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Play and Edit"));
        QVERIFY(dlg.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(dlg.EditPlayBtn->isHidden());
        QCOMPARE(dlg.EditPlayBtn->text(), QStringLiteral("Edit && Play"));
        for (QToolButton* button : {dlg.PlayBtn, dlg.ExitBtn}) {
            QVERIFY(!button->icon().isNull());
            const QImage art = button->icon().pixmap(QSize(80, 37)).toImage();
            QCOMPARE(art.size(), QSize(80, 37));
            // Outside the plate's corners it is see-through; its middle is solid.
            QCOMPARE(qAlpha(art.pixel(0, 36)), 0);
            QCOMPARE(qAlpha(art.pixel(40, 18)), 255);
        }
    }

    void EditAndPlayHandsTheEditedCopyOn() {
        AddPicture(QStringLiteral("a.bmp"), 40, 30, Red);
        AddPicture(QStringLiteral("b.bmp"), 40, 30, Green);
        const QByteArray discBytes = ReadAll(PathOf(QStringLiteral("b.bmp")));
        const QByteArray edited = BitmapBytes(40, 30, Blue);
        Put(QStringLiteral("edited"), edited);
        auto dlg = std::make_unique<TPlayAndEditDlg>(*Volumes, Editor);
        ShowBuilt(*dlg);
        Click(*dlg, 1);

        bool enabledWhileWaiting = true;
        bool minimizedWhileWaiting = false;
        QTimer::singleShot(0, dlg.get(), [&] {
            enabledWhileWaiting = dlg->isEnabled();
            minimizedWhileWaiting = dlg->isMinimized();
            Put(QStringLiteral("go"));
        });
        dlg->EditPlayBtn->click();

        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->result(), TPlayAndEditDlg::PlayResult);
        const QString copy = dlg->SelectedPicture;
        // One argument, untouched: a shell would have expanded the dollars of the copy's name.
        QCOMPARE(Started(), QStringList{QStringLiteral("1|") + copy});
        // No link put in the copy's place beforehand can lead it elsewhere: its folder is new,
        // and only the player can enter it.
        const QFileInfo folder(QFileInfo(copy).path());
        QVERIFY(folder.path() != Disc->path());
        QCOMPARE(int(folder.permissions() & 0x0777), 0x0700);
        QVERIFY(QRegularExpression(QStringLiteral("^\\$ECBMP\\$\\.[A-Za-z0-9]{6}\\.tmp$"))
                    .match(QFileInfo(copy).fileName())
                    .hasMatch());
        QCOMPARE(ReadAll(Scratch->filePath(QStringLiteral("handed-over"))), discBytes);
        QVERIFY(!enabledWhileWaiting);
        QVERIFY(minimizedWhileWaiting);
        QVERIFY(dlg->isEnabled());
        // The edited copy stays for the game to load, until the next edit makes another.
        QCOMPARE(ReadAll(copy), edited);
        QCOMPARE(ReadAll(PathOf(QStringLiteral("b.bmp"))), discBytes);
        dlg->EditPlayBtn->click();
        QCOMPARE(Started().size(), 2);
        QVERIFY(Started()[1] != Started()[0]);
        QVERIFY(!QFile::exists(copy));
        // The folder goes with the launcher.
        dlg.reset();
        QVERIFY(!QFileInfo::exists(folder.filePath()));
    }

    void WhileTheEditorRunsTheGameHandlesItsEvents() {
        AddPicture(QStringLiteral("a.bmp"));
        struct TCase {
            const char* Name;
            // What happens while the editor runs; it may end the edit or close the launcher.
            std::function<void()> Meanwhile;
            int Result;
            bool Played;
        };
        const TCase cases[] = {
            {"the edit ends", [&] { Put(QStringLiteral("go")); }, TPlayAndEditDlg::PlayResult,
             true},
            // As a signal that ends the game does, while the editor keeps running.
            {"the game is told to end", [] { QApplication::closeAllWindows(); },
             TPlayAndEditDlg::ExitResult, false},
        };
        for (const TCase& c : cases) {
            QFile::remove(Scratch->filePath(QStringLiteral("go")));
            TPlayAndEditDlg dlg(*Volumes, Editor);
            const int result = ExecThen(dlg, [&] {
                QTimer::singleShot(0, &dlg, c.Meanwhile);
                dlg.EditPlayBtn->click();
            });
            QVERIFY2(result == c.Result, c.Name);
            QVERIFY2(dlg.SelectedPicture.isEmpty() != c.Played, c.Name);
            QVERIFY2(dlg.isEnabled(), c.Name);
        }
    }

    void EditorThatCannotStartLeavesTheLauncherAsItWas() {
        AddPicture(QStringLiteral("a.bmp"));
        TPlayAndEditDlg dlg(*Volumes, Scratch->filePath(QStringLiteral("no-such-editor")));
        ShowBuilt(dlg);
        TMessageBoxCatcher catcher;
        // The click is handled at once; a box, had there been one, would be caught in it.
        dlg.EditPlayBtn->click();
        QVERIFY(catcher.Texts.isEmpty());
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.isEnabled());
        QVERIFY(!dlg.isMinimized());
        QVERIFY(dlg.SelectedPicture.isEmpty());
        // The copy stays behind; the next edit replaces it.
        QVERIFY(QFile::exists(Probe::EditedCopy(dlg)));
    }

    void CopyThatFailsIsReportedAndTheLauncherStaysOpen() {
        AddPicture(QStringLiteral("a.bmp"));
        TPlayAndEditDlg dlg(*Volumes, Editor);
        ShowBuilt(dlg);
        QVERIFY(QFile::remove(PathOf(QStringLiteral("a.bmp"))));
        TMessageBoxCatcher catcher;
        dlg.EditPlayBtn->click();
        QTRY_COMPARE(catcher.Texts.size(), 1);
        QVERIFY(catcher.Texts.first().contains(PathOf(QStringLiteral("a.bmp"))));
        QVERIFY(Started().isEmpty());
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.SelectedPicture.isEmpty());
    }
};

int main(int argc, char** argv) {
    // Three screens side by side, of the widths whose layouts are worked out; the offscreen
    // platform reads them from a file.
    QTemporaryFile screens;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open()) {
        screens.write(R"({"screens": [
            {"name": "A", "x": 0, "y": 0, "width": 800, "height": 600},
            {"name": "B", "x": 800, "y": 0, "width": 1024, "height": 768},
            {"name": "C", "x": 1824, "y": 0, "width": 1280, "height": 1024}]})");
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    }
    QApplication app(argc, argv);
    PrepareApplication();
    TLauncherTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LauncherTest.moc"
