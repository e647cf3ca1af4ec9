// MainFormTest.cpp: the main window's start, end, level and number commands and board drawing.
#include <sys/stat.h>
#include <QDialog>
#include <QMimeData>
#include <QtTest>
#include <cstdio>

#include "FormFixture.h"
#include "GuiTestKit.h"
#include "MainFormProbe.h"
#include "app/TMainForm.h"
#include "forms/FormLook.h"

class TMainFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormFixture> World;

    TMainFormSeams Seams() { return World->Seams(); }
    static TBoard& Board(TMainForm& form) { return TMainFormProbe::Board(form); }
    static TClock& Clock(TMainForm& form) { return TMainFormProbe::Clock(form); }
    static QImage Screen(TMainForm& form) {
        return form.MainPaint->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

  private slots:
    void init() { World = std::make_unique<TFormFixture>(); }

    void FormCreateAppliesTheStoredLevelAndSwitches() {
        World->Store.Put("Level", DwordValue(2));
        World->Store.Put("Sound", DwordValue(0));
        World->Store.Put("Music", DwordValue(0));
        World->Store.Put("Number", DwordValue(5));
        TMainForm form(Seams());
        QVERIFY(form.CmAdvance->isChecked());
        QVERIFY(!form.CmBasic->isChecked());
        QVERIFY(form.AdvanceBtn->isChecked());
        QVERIFY(!form.BasicBtn->isChecked());
        QVERIFY(!form.CmSound->isChecked() && !form.SoundBtn->isChecked());
        QVERIFY(!form.CmMusic->isChecked() && !form.MusicBtn->isChecked());
        QVERIFY(form.CmNumber->isChecked() && form.NumberBtn->isChecked());
        QCOMPARE(Board(form).ColCount, 7);
        QVERIFY(form.ClockTimer->isActive());
    }

    void FormDestroyCollectsTheCheckMarks() {
        {
            TMainForm form(Seams());
            form.CmMiddle->trigger();
            form.NumberBtn->click();
            form.CmSound->trigger();
            QVERIFY(!form.CmNumber->isChecked());
            QVERIFY(!form.NumberBtn->isChecked());
        }
        QCOMPARE(*World->Store.Get("Level"), DwordValue(1));
        QCOMPARE(*World->Store.Get("Number"), DwordValue(0));
        QCOMPARE(*World->Store.Get("Sound"), DwordValue(0));
        QCOMPARE(*World->Store.Get("Music"), DwordValue(1));
        QCOMPARE(World->Store.WriteLog.size(), size_t{14});
    }

    void ToolbarAndMenuMirrorEachOther() {
        TMainForm form(Seams());
        // The music switch plays or stops the device that the first show opens.
        TMainFormProbe::Show(form);
        form.SoundBtn->click();
        QVERIFY(!form.CmSound->isChecked());
        QVERIFY(!form.SoundBtn->isChecked());
        form.CmSound->trigger();
        QVERIFY(form.CmSound->isChecked());
        QVERIFY(form.SoundBtn->isChecked());
        form.MusicBtn->click();
        QVERIFY(!form.CmMusic->isChecked() && !form.MusicBtn->isChecked());
        // The numbers switch keeps the game and its clock.
        const auto cells = Board(form).BoardCells;
        const uint32_t start = Clock(form).StartTick;
        form.NumberBtn->click();
        QVERIFY(!form.CmNumber->isChecked() && !form.NumberBtn->isChecked());
        QVERIFY(Board(form).BoardCells == cells && Clock(form).StartTick == start);
    }

    void WindowHasItsLayout() {
        TMainForm form(Seams());
        QCOMPARE(form.windowTitle(), QStringLiteral("Zellipo"));
        QCOMPARE(form.ClockText->text(), QStringLiteral("00:00:00"));
        QCOMPARE(form.FinalImage->Picture().size(), QSize(240, 180));
        // The built-in picture is a 256-colour bitmap.
        QCOMPARE(form.FinalImage->Picture().format(), QImage::Format_Indexed8);
        QCOMPARE(form.FinalImage->Picture().colorCount(), 256);
        QCOMPARE(form.CmReset->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(form.CmReset->text(), QStringLiteral("重新開始(&R)"));
        QCOMPARE(form.ScopeBtn->toolTip(), QStringLiteral("顯示最高記錄"));
        QVERIFY(!form.HotKey1->menuAction()->isVisible());
        QVERIFY(form.actions().contains(form.CmUp));
        QCOMPARE(form.ScopeBtn->icon().availableSizes().value(0), QSize(21, 22));
        // 16-colour glyphs whose files say what is see-through: the trophy's corner shows the
        // button.
        QCOMPARE(QImage(QStringLiteral(":/scope.png")).colorCount(), 16);
        QCOMPARE(qAlpha(form.ScopeBtn->icon().pixmap(QSize(21, 22)).toImage().pixel(0, 21)), 0);
        // A glyph keeps its pixels whole at any density. The sound switch's file holds its own
        // disabled look beside the normal one; the style greys the others.
        const auto glyph = [](const QIcon& icon, int density, QIcon::Mode mode) {
            return icon.pixmap(QSize(16, 16), density, mode)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        const QImage sound = QImage(QStringLiteral(":/sound.png"))
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (const int density : {1, 2, 3}) {
            for (const int half : {0, 1}) {
                const QImage shown =
                    glyph(form.SoundBtn->icon(), density, half ? QIcon::Disabled : QIcon::Normal);
                QCOMPARE(shown.size(), QSize(16, 16) * density);
                for (int y = 0; y < shown.height(); ++y) {
                    for (int x = 0; x < shown.width(); ++x) {
                        QCOMPARE(shown.pixel(x, y),
                                 sound.pixel(16 * half + x / density, y / density));
                    }
                }
            }
        }
        QVERIFY(glyph(form.ResetBtn->icon(), 1, QIcon::Disabled) !=
                glyph(form.ResetBtn->icon(), 1, QIcon::Normal));
        QVERIFY(GlyphIcon(QStringLiteral(":/no-such-glyph.png")).pixmap(QSize(16, 16)).isNull());
        // Where the player finds each part, in client pixels whatever holds it, and that nothing
        // covers it there: the board takes the clicks at the places the moves are worked out
        // for, the clock shows its whole text.
        QWidget* client = form.centralWidget();
        QCOMPARE(client->size(), QSize(567, 410));
        const struct {
            QWidget* Part;
            QRect Place;
        } parts[] = {
            {form.MainPaint, {12, 40, 360, 360}}, {form.ClockText, {440, 4, 120, 25}},
            {form.PauseBtn, {428, 40, 90, 40}},   {form.FinalImage, {388, 236, 165, 165}},
            {form.ResetBtn, {4, 4, 25, 25}},      {form.BasicBtn, {88, 4, 25, 25}},
            {form.NumberBtn, {264, 4, 25, 25}},   {form.ScopeBtn, {300, 4, 25, 25}},
        };
        for (const auto& part : parts) {
            const QString name = part.Part->objectName();
            const QRect place(part.Part->mapTo(client, QPoint(0, 0)), part.Part->size());
            QVERIFY2(place == part.Place, qPrintable(name));
            QWidget* shown = client->childAt(place.center());
            QVERIFY2(shown == part.Part || part.Part->isAncestorOf(shown), qPrintable(name));
        }
        const QRect clockText = form.ClockText->fontMetrics().boundingRect(form.ClockText->text());
        QVERIFY(clockText.width() < form.ClockText->contentsRect().width());
        QVERIFY(clockText.height() <= form.ClockText->contentsRect().height());
    }

    void DrawTileTakesEachPieceFromItsPlaceWithFrameNumberAndHole() {
        // Tiles of 90 x 180 on a grid of 4 x 2: a piece's column and row come from different
        // sizes.
        World->Store.Put("Level", DwordValue(LevelUser));
        World->Store.Put("User define number H", DwordValue(4));
        World->Store.Put("User define number V", DwordValue(2));
        TMainForm form(Seams());
        TMainFormProbe::Show(form);
        const QImage& work = TMainFormProbe::WorkBitmap(form);
        const QImage& canvas = form.MainPaint->Canvas();
        const int w = 90;
        const int h = 180;
        for (int value = 0; value < 7; ++value) {
            form.DrawTile(0, 0, value);
            // Inside the frame and clear of the number, the piece shows its own place.
            const QPoint piece((value % 4) * w, (value / 4) * h);
            for (QPoint at : {QPoint(45, 30), QPoint(80, 100)}) {
                QVERIFY2(canvas.pixel(at) == work.pixel(piece + at),
                         qPrintable(QString::number(value)));
            }
        }
        form.DrawTile(0, 0, 0);
        form.DrawTile(w, 0, 7);
        // Picture tile: white left and top, black bottom and right, top-right corner untouched.
        QCOMPARE(canvas.pixel(0, 5), qRgb(255, 255, 255));
        QCOMPARE(canvas.pixel(5, 0), qRgb(255, 255, 255));
        QCOMPARE(canvas.pixel(5, h - 1), qRgb(0, 0, 0));
        QCOMPARE(canvas.pixel(w - 1, 5), qRgb(0, 0, 0));
        QCOMPARE(canvas.pixel(0, h - 1), qRgb(0, 0, 0));
        QCOMPARE(canvas.pixel(w - 1, 0), work.pixel(w - 1, 0));
        // The number "1" in red inside its 16-pixel cell at (1, h - 16).
        int red = 0;
        for (int y = h - 16; y < h - 1; ++y) {
            for (int x = 1; x < 16; ++x) {
                red += canvas.pixel(x, y) == qRgb(255, 0, 0);
            }
        }
        QVERIFY(red > 5);
        // The hole: green inside its frame, no number.
        QCOMPARE(canvas.pixel(w + w - 1, 0), qRgb(0, 128, 0));
        for (int y = 1; y < h - 1; ++y) {
            for (int x = 1; x < w - 1; ++x) {
                QCOMPARE(canvas.pixel(w + x, y), qRgb(0, 128, 0));
            }
        }
        // DrawTile reaches the screen at once.
        QCOMPARE(Screen(form).pixel(w + 5, 60), qRgb(0, 128, 0));
    }

    void NumbersOffLeaveThePictureClean() {
        World->Store.Put("Number", DwordValue(0));
        TMainForm form(Seams());
        TMainFormProbe::Show(form);
        form.DrawTile(0, 0, 0);
        const QImage canvas = form.MainPaint->Canvas();
        for (int y = 1; y < 119; ++y) {
            for (int x = 1; x < 119; ++x) {
                QCOMPARE(canvas.pixel(x, y), TMainFormProbe::WorkBitmap(form).pixel(x, y));
            }
        }
    }

    void SolvedBoardShowsTheWholePicture() {
        World->Store.Put("Level", DwordValue(2));
        TMainForm form(Seams());
        TMainFormProbe::Show(form);
        Board(form).Solved = true;
        form.MainPaint->Invalidate();
        QCoreApplication::processEvents();
        const QImage screen = Screen(form);
        // Shifted by (1, 1) at 7 x 7; the picture's strip beyond the last tile shows too.
        QCOMPARE(screen.pixel(0, 0), qRgb(0, 128, 0));
        QCOMPARE(screen.pixel(1, 1), TMainFormProbe::WorkBitmap(form).pixel(0, 0));
        QCOMPARE(screen.pixel(359, 359), TMainFormProbe::WorkBitmap(form).pixel(358, 358));
        QCOMPARE(screen.pixel(52, 1), TMainFormProbe::WorkBitmap(form).pixel(51, 0));
    }

    void MarginsOfAnUnevenGridStayGreen() {
        World->Store.Put("Level", DwordValue(2));
        TMainForm form(Seams());
        TMainFormProbe::Show(form);
        const QImage screen = Screen(form);
        QCOMPARE(screen.pixel(0, 100), qRgb(0, 128, 0));
        QCOMPARE(screen.pixel(358, 100), qRgb(0, 128, 0));
        QCOMPARE(screen.pixel(100, 359), qRgb(0, 128, 0));
    }

    void AWronglyTypedSettingIsToldAndOnlyItTakesItsDefault() {
        World->Store.Put("Level", DwordValue(2));
        World->Store.Put("Sound", TextValue("oops"));
        World->Store.Put("Music", DwordValue(0));
        World->Store.Put("Number", DwordValue(0));
        TMessageBoxCatcher boxes;
        {
            TMainForm form(Seams());
            QCOMPARE(boxes.Texts, QStringList{QStringLiteral("Invalid data type for 'Sound'")});
            QVERIFY(form.CmAdvance->isChecked() && form.AdvanceBtn->isChecked());
            QVERIFY(form.CmSound->isChecked() && form.SoundBtn->isChecked());
            QVERIFY(!form.CmMusic->isChecked() && !form.MusicBtn->isChecked());
            QVERIFY(!form.CmNumber->isChecked() && !form.NumberBtn->isChecked());
            QCOMPARE(Board(form).ColCount, 7);
            QVERIFY(form.ClockTimer->isActive());
        }
        QCOMPARE(*World->Store.Get("Level"), DwordValue(2));
        QCOMPARE(*World->Store.Get("Sound"), DwordValue(1));
        QCOMPARE(*World->Store.Get("Music"), DwordValue(0));
        QCOMPARE(*World->Store.Get("Number"), DwordValue(0));
    }

    void LevelItemsAreRadioItemsOfOneGroup() {
        TMainForm form(Seams());
        // A menu draws radio bullets for the items of an exclusive group.
        for (QAction* item : {form.CmBasic, form.CmMiddle, form.CmAdvance, form.CmUser}) {
            QCOMPARE(item->actionGroup(), form.LevelGroup);
        }
        QVERIFY(form.LevelGroup->isExclusive());
        // Choosing a level, or the level already chosen, leaves exactly that one checked and
        // its button alone pressed.
        const QList<QAbstractButton*> buttons{form.BasicBtn, form.MiddleBtn, form.AdvanceBtn,
                                              form.UserBtn};
        // Each choice starts a new game, also of the level already chosen.
        const struct {
            QAction* Item;
            QAbstractButton* Button;
        } choices[] = {{form.CmMiddle, form.MiddleBtn},
                       {form.CmMiddle, form.MiddleBtn},
                       {form.CmAdvance, form.AdvanceBtn},
                       {form.CmBasic, form.BasicBtn}};
        for (const auto& choice : choices) {
            World->Ticks.Value += 1000;
            choice.Button->click();
            QCOMPARE(Clock(form).StartTick, World->Ticks.Value);
            QCOMPARE(form.LevelGroup->checkedAction(), choice.Item);
            for (QAbstractButton* button : buttons) {
                QCOMPARE(button->isChecked(), button == choice.Button);
            }
        }
    }

    void PictureNamedInBig5IsOpenedAndKeptByteForByte() {
        QTemporaryDir folder;
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(qRgb(0, 0, 255));
        QVERIFY(picture.save(folder.filePath(QStringLiteral("made.bmp")), "BMP"));
        // "圖片.bmp" in Big5, whose bytes are not UTF-8.
        const QByteArray name = QFile::encodeName(folder.path()) + "/\xb9\xcf\xa4\xf9.bmp";
        QCOMPARE(
            ::rename(QFile::encodeName(folder.filePath(QStringLiteral("made.bmp"))).constData(),
                     name.constData()),
            0);
        World->Store.Put("Bitmap file name", TextValue(name.toStdString()));
        TMessageBoxCatcher boxes;
        {
            TMainForm form(Seams());
            QCOMPARE(boxes.Texts, QStringList());
            QCOMPARE(form.FinalImage->Picture().size(), QSize(30, 20));
        }
        QCOMPARE(*World->Store.Get("Bitmap file name"), TextValue(name.toStdString()));
    }

    void DropOfAPictureStartsANewGameAndAnythingElseIsRefused() {
        QTemporaryDir folder;
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(qRgb(0, 0, 255));
        const QString file = folder.filePath(QStringLiteral("blue.png"));
        QVERIFY(picture.save(file));
        const QString note = folder.filePath(QStringLiteral("note.png"));
        QFile text(note);
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("no picture") > 0);
        text.close();
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(picture.scaled(40, 10).save(&buffer, "PNG"));
        const QStringList invalid{QStringLiteral("Bitmap image is not valid")};
        // A drop of a file address, image data or text, while a dialog is open or not.
        const struct {
            const char* Name;
            QString File;
            QByteArray Image;
            QString Text;
            bool DialogOpen;
            bool Taken;
            QStringList Boxes;
            QSize Picture;
        } cases[] = {
            {"file address", file, {}, {}, false, true, {}, {30, 20}},
            {"image data", {}, png, {}, false, true, {}, {40, 10}},
            {"file that is no picture", note, {}, {}, false, true, invalid, {240, 180}},
            {"text", {}, {}, file, false, false, {}, {240, 180}},
            {"while a dialog is open", file, {}, {}, true, false, {}, {240, 180}},
        };
        for (const auto& c : cases) {
            TMainForm form(Seams());
            QDialog dialog(&form);
            dialog.setModal(true);
            dialog.setVisible(c.DialogOpen);
            World->Ticks.Value += 1000;
            const uint32_t start = Clock(form).StartTick;
            QMimeData data;
            if (!c.File.isEmpty()) {
                data.setUrls({QUrl::fromLocalFile(c.File)});
            }
            if (!c.Image.isEmpty()) {
                data.setData(QStringLiteral("image/png"), c.Image);
            }
            if (!c.Text.isEmpty()) {
                data.setText(c.Text);
            }
            QDragEnterEvent enter({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&form, &enter);
            QVERIFY2(enter.isAccepted() == c.Taken, c.Name);
            TMessageBoxCatcher boxes;
            QDropEvent drop({9, 9}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&form, &drop);
            QCOMPARE(boxes.Texts, c.Boxes);
            QCOMPARE(form.FinalImage->Picture().size(), c.Picture);
            // Only a picture taken starts a new game.
            QVERIFY2((Clock(form).StartTick != start) == (c.Taken && c.Boxes.isEmpty()), c.Name);
        }
    }

    void StartupPictureThatIsNoWholeBitmapFileIsALoadFailure() {
        QTemporaryDir folder;
        const auto path = [&](const char* name) {
            return folder.filePath(QString::fromLatin1(name));
        };
        // An 8-bit picture, as the default one is, cut in its last row.
        QImage picture(64, 48, QImage::Format_Indexed8);
        picture.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
        picture.fill(1);
        QVERIFY(picture.save(path("whole.bmp"), "BMP"));
        QFile whole(path("whole.bmp"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        QFile cut(path("cut.bmp"));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(bytes.size() - 10));
        cut.close();
        // Headers alone, of a picture whose file is larger than the reader takes (sparse), and of
        // one in runs of 8 bits whose image would be as large.
        for (const auto& [name, side, bits] :
             {std::tuple("large.bmp", 7000, 24), {"runs.bmp", 16000, 8}}) {
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QDataStream header(&file);
            header.setByteOrder(QDataStream::LittleEndian);
            header.writeRawData("BM", 2);
            header << quint32(0) << quint32(0) << quint32(54) << quint32(40) << qint32(side)
                   << qint32(side) << quint16(1) << quint16(bits) << quint32(bits == 8 ? 1 : 0);
            QVERIFY(file.resize(bits == 8 ? 58 : 54 + 7000 * 21000));
        }
        // A FIFO would hold the start for good; a device would be read without end.
        QCOMPARE(mkfifo(QFile::encodeName(path("fifo.bmp")).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path("zero.bmp")));
        const struct {
            const char* Name;
            QString Text;
        } cases[] = {
            {"cut.bmp", QStringLiteral("Bitmap image is not valid")},
            {"large.bmp", QStringLiteral("Bitmap image is too large")},
            {"runs.bmp", QStringLiteral("Bitmap image is too large")},
            {"missing.bmp", QStringLiteral("Cannot open file \"%1\"").arg(path("missing.bmp"))},
            {"fifo.bmp", QStringLiteral("Cannot open file \"%1\"").arg(path("fifo.bmp"))},
            {"zero.bmp", QStringLiteral("Cannot open file \"%1\"").arg(path("zero.bmp"))},
        };
        for (const auto& c : cases) {
            World = std::make_unique<TFormFixture>();
            World->Store.Put("Bitmap file name",
                             TextValue(QFile::encodeName(path(c.Name)).toStdString()));
            TMessageBoxCatcher boxes;
            TMainForm form(Seams());
            QCOMPARE(boxes.Texts, QStringList{c.Text});
            QCOMPARE(form.FinalImage->Picture().size(), QSize(240, 180));
            QCOMPARE(TMainFormProbe::Settings(form).BitmapFileName, std::string());
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TMainFormTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainFormTest.moc"
