// SampleChooserTest.cpp: the five sample pictures, their chooser and the change-picture command.
#include <QFile>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "DialogLook.h"
#include "FormFixture.h"
#include "GuiTestKit.h"
#include "MainFormProbe.h"
#include "pictures/PictureFile.h"
#include "pictures/TSelSampDlg.h"
#include "settings/core/Infobank.h"

class TSampleChooserTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormFixture> World;

    static TBoard& Board(TMainForm& form) { return TMainFormProbe::Board(form); }
    static TClock& Clock(TMainForm& form) { return TMainFormProbe::Clock(form); }

    // Opens the chooser from the toolbar and lets `answer` close it.
    static void ChooseWith(TMainForm& form, const std::function<void(TSelSampDlg*)>& answer) {
        TModalWatcher dialogs;
        dialogs.Answer = [&](QWidget* modal) {
            auto* chooser = qobject_cast<TSelSampDlg*>(modal);
            QVERIFY(chooser);
            answer(chooser);
        };
        form.NewBtn->click();
        QCOMPARE(dialogs.Seen, QStringList{QStringLiteral("TSelSampDlg")});
    }

  private slots:
    void init() { World = std::make_unique<TFormFixture>(); }

    void SamplesAre256ColourBitmapsOf300By301() {
        for (int32_t id = 300; id <= 304; ++id) {
            // A bitmap file: its own header, a 40-byte information header, the whole palette and
            // rows of 300 bytes, uncompressed.
            QCOMPARE(QFile(QStringLiteral(":/samples/%1.bmp").arg(id)).size(),
                     14 + 40 + 1024 + 90300);
            const QImage picture = LoadSampleBitmap(id);
            QCOMPARE(picture.size(), QSize(300, 301));
            QCOMPARE(picture.format(), QImage::Format_Indexed8);
            QCOMPARE(picture.colorCount(), 256);
            QCOMPARE(picture.dotsPerMeterX(), 11808);
        }
    }

    void SamplesAreDifferentPictures() {
        for (int32_t a = 300; a <= 304; ++a) {
            for (int32_t b = a + 1; b <= 304; ++b) {
                QVERIFY(LoadSampleBitmap(a) != LoadSampleBitmap(b));
            }
        }
    }

    void MissingSampleIsAnErrorNamingIt() {
        try {
            LoadSampleBitmap(305);
            QFAIL("no error");
        } catch (const EPictureError& error) {
            QCOMPARE(QString::fromUtf8(error.what()),
                     QStringLiteral("Bitmap resource 305 not found"));
        }
    }

    void ChooserHasItsLayout() {
        TSelSampDlg chooser;
        QCOMPARE(chooser.windowTitle(), QStringLiteral("選擇圖片"));
        const QStringList problems = DialogLookProblems(chooser, QSize(446, 297));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
        QCOMPARE(chooser.SelectedSample, -1);
        QCOMPARE(chooser.Bevel1->geometry(), QRect(10, 8, 425, 245));
        QCOMPARE(chooser.BitBtn1->geometry(), QRect(26, 24, 121, 101));
        QCOMPARE(chooser.BitBtn2->geometry(), QRect(162, 24, 121, 101));
        QCOMPARE(chooser.BitBtn3->geometry(), QRect(298, 24, 121, 101));
        QCOMPARE(chooser.BitBtn4->geometry(), QRect(92, 136, 121, 101));
        QCOMPARE(chooser.BitBtn5->geometry(), QRect(232, 136, 121, 101));
        QCOMPARE(chooser.ExitBtn->geometry(), QRect(185, 264, 75, 25));
        QCOMPARE(chooser.ExitBtn->text(), QStringLiteral("離開"));
        QVERIFY(chooser.BitBtn1->text().isEmpty());
    }

    void EachButtonShowsItsSampleFittedInto90By91() {
        TSelSampDlg chooser;
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QList<QImage> glyphs;
        for (QPushButton* button : {chooser.BitBtn1, chooser.BitBtn2, chooser.BitBtn3,
                                    chooser.BitBtn4, chooser.BitBtn5}) {
            QCOMPARE(button->iconSize(), QSize(90, 91));
            const QPixmap glyph = button->icon().pixmap(QSize(90, 91));
            QCOMPARE(glyph.deviceIndependentSize().toSize(), QSize(90, 91));
            glyphs << glyph.toImage();
        }
        // Smoothed in true colour, the pictures take colours between their palette's; dithered
        // back to the palette, they would be speckled with at most 256.
        for (const QImage& glyph : glyphs) {
            QSet<QRgb> colours;
            for (int y = 0; y < glyph.height(); ++y) {
                for (int x = 0; x < glyph.width(); ++x) {
                    colours.insert(glyph.pixel(x, y));
                }
            }
            QVERIFY2(colours.size() > 256, qPrintable(QString::number(colours.size())));
        }
        for (int a = 0; a < glyphs.size(); ++a) {
            for (int b = a + 1; b < glyphs.size(); ++b) {
                QVERIFY(glyphs[a] != glyphs[b]);
            }
        }
    }

    void ClickOnASampleRecordsItsIdentifierAndCloses() {
        TSelSampDlg chooser;
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QTest::mouseClick(chooser.BitBtn4, Qt::LeftButton);
        QCOMPARE(chooser.SelectedSample, 303);
        QVERIFY(!chooser.isVisible());
        chooser.BitBtn1Click(chooser.ExitBtn);
        QCOMPARE(chooser.SelectedSample, -1);
    }

    void ChosenSampleBecomesThePictureOfANewGame() {
        TMainForm form(World->Seams());
        World->Ticks.Value = 5000;
        World->Calendar.Value += 1;
        const auto before = Board(form).BoardCells;
        ChooseWith(form, [&form](TSelSampDlg* chooser) {
            // Its owner is the main window, which a window manager then keeps it above.
            QCOMPARE(chooser->parentWidget(), static_cast<QWidget*>(&form));
            const QStringList problems = DialogLookProblems(*chooser, QSize(446, 297));
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
            QTest::mouseClick(chooser->BitBtn3, Qt::LeftButton);
        });
        QCOMPARE(form.FinalImage->Picture(), LoadSampleBitmap(302));
        QCOMPARE(Clock(form).StartTick, 5000u);
        QVERIFY(form.ClockTimer->isActive());
        QVERIFY(Board(form).BoardCells != before);
    }

    void ChoosingTheSameSampleAgainStillShufflesANewGame() {
        TMainForm form(World->Seams());
        ChooseWith(form, [](TSelSampDlg* chooser) { chooser->BitBtn1->click(); });
        const auto first = Board(form).BoardCells;
        World->Ticks.Value = 8000;
        World->Calendar.Value += 1;
        ChooseWith(form, [](TSelSampDlg* chooser) { chooser->BitBtn1->click(); });
        QCOMPARE(form.FinalImage->Picture(), LoadSampleBitmap(300));
        QCOMPARE(Clock(form).StartTick, 8000u);
        QVERIFY(Board(form).BoardCells != first);
    }

    void ChoiceNeverChangesTheStartUpPictureSetting() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("mine.bmp"));
        QImage mine(60, 40, QImage::Format_RGB32);
        mine.fill(Qt::red);
        QVERIFY(mine.save(path, "BMP"));
        World->Store.Put("Bitmap file name", TextValue(path.toStdString()));
        {
            TMainForm form(World->Seams());
            QCOMPARE(form.FinalImage->Picture().size(), QSize(60, 40));
            ChooseWith(form, [](TSelSampDlg* chooser) { chooser->BitBtn5->click(); });
            QCOMPARE(form.FinalImage->Picture().size(), QSize(300, 301));
            QCOMPARE(TMainFormProbe::Settings(form).BitmapFileName, path.toStdString());
        }
        QCOMPARE(*World->Store.Get("Bitmap file name"), TextValue(path.toStdString()));
    }

    void LeavingTheChooserKeepsThePictureAndTheGame_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("exit button") << 0;
        QTest::newRow("escape key") << 1;
        QTest::newRow("close box") << 2;
    }

    void LeavingTheChooserKeepsThePictureAndTheGame() {
        QFETCH(int, way);
        TMainForm form(World->Seams());
        World->Ticks.Value = 5000;
        World->Calendar.Value += 1;
        const QImage picture = form.FinalImage->Picture();
        const auto cells = Board(form).BoardCells;
        const uint32_t start = Clock(form).StartTick;
        ChooseWith(form, [way](TSelSampDlg* chooser) {
            if (way == 0) {
                QTest::mouseClick(chooser->ExitBtn, Qt::LeftButton);
            } else if (way == 1) {
                QTest::keyClick(chooser, Qt::Key_Escape);
            } else {
                chooser->close();
            }
            QVERIFY(!chooser->isVisible());
        });
        QCOMPARE(form.FinalImage->Picture(), picture);
        QVERIFY(Board(form).BoardCells == cells);
        QCOMPARE(Clock(form).StartTick, start);
        QVERIFY(form.ClockTimer->isActive());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TSampleChooserTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SampleChooserTest.moc"
