// PlayTest.cpp: moves by mouse and keys through the real event path, the slide, the clock's
// completion sequence, records, and minimizing.
#include <QtTest>

#include "FormFixture.h"
#include "GuiTestKit.h"
#include "MainFormProbe.h"
#include "engine/Cursors.h"
#include "settings/TInputNameDlg.h"
#include "settings/TRecordDlg.h"
#include "settings/core/Infobank.h"

namespace {

const QRgb Navy = qRgb(0, 0, 128);
const QRgb Lime = qRgb(0, 255, 0);

// Pointer motion without a button, as the paint box sees it while the mouse passes over it.
void MovePointer(QWidget* widget, QPoint point) {
    QMouseEvent motion(QEvent::MouseMove, point, widget->mapToGlobal(point), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &motion);
}

// The rectangles of the paint events a widget receives, in order.
class TPaintLog : public QObject {
  public:
    explicit TPaintLog(QWidget* widget) { widget->installEventFilter(this); }
    std::vector<QRect> Rects;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            Rects.push_back(static_cast<QPaintEvent*>(event)->rect());
        }
        return false;
    }
};

QRgb ClockBackground(TMainForm& form) {
    return form.ClockText->palette().color(QPalette::Window).rgb();
}

}  // namespace

class TPlayTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormFixture> World;

    TMainFormSeams Seams() { return World->Seams(); }

    static int HolePosition(TMainForm& form) {
        const TBoard& board = TMainFormProbe::Board(form);
        for (int p = 0; p < board.CellCount(); ++p) {
            if (board.BoardCells[p] == board.Hole()) {
                return p;
            }
        }
        return -1;
    }

  private slots:
    void init() {
        World = std::make_unique<TFormFixture>();
        World->Ticks.StepPerRead = 20;
    }

    void SolvingClickScrollsTheTileIntoTheHole() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 5, 6, 8, 7});
        const QImage before = form.MainPaint->Canvas().copy();
        std::vector<QImage> frames;
        TPaintLog paints(form.MainPaint);
        std::vector<size_t> paintsAtRead;
        World->Ticks.OnRead = [&] {
            frames.push_back(form.MainPaint->Canvas().copy());
            paintsAtRead.push_back(paints.Rects.size());
        };
        QTest::mouseClick(form.MainPaint, Qt::LeftButton, {}, TMainFormProbe::CellCentre(8));
        World->Ticks.OnRead = nullptr;

        // 120 pixels in five steps of 24; each step is read before and after its scroll.
        QCOMPARE(frames.size(), size_t{10});
        // The thread is held until the move ends, so a step reaches the screen only if it is
        // painted at once: the whole slide rectangle between the step's scroll and its wait.
        for (size_t read = 0; read < 10; read += 2) {
            QRegion unpainted(QRect(120, 240, 240, 120));
            for (size_t i = paintsAtRead[read]; i < paintsAtRead[read + 1]; ++i) {
                unpainted -= paints.Rects[i];
            }
            QVERIFY2(unpainted.isEmpty(), qPrintable(QStringLiteral("step %1").arg(read / 2 + 1)));
        }
        // So is the hole drawn in the vacated cell after the last step.
        QRegion unpaintedHole(QRect(240, 240, 120, 120));
        for (size_t i = paintsAtRead[9]; i < paints.Rects.size(); ++i) {
            unpaintedHole -= paints.Rects[i];
        }
        QVERIFY(unpaintedHole.isEmpty());
        const QImage& first = frames[1];
        for (int y : {250, 300, 355}) {
            for (int x = 240; x < 336; x += 7) {
                QCOMPARE(first.pixel(x - 24, y), before.pixel(x, y));
            }
            // The strip uncovered at the trailing side keeps what it showed.
            for (int x = 336; x < 360; ++x) {
                QCOMPARE(first.pixel(x, y), before.pixel(x, y));
            }
        }
        const QImage& last = frames[9];
        for (int x = 120; x < 240; x += 5) {
            QCOMPARE(last.pixel(x, 300), before.pixel(x + 120, 300));
        }
        // Then the vacated cell is the hole, and the board is solved.
        QCOMPARE(form.MainPaint->Canvas().pixel(300, 300), qRgb(0, 128, 0));
        QVERIFY(TMainFormProbe::Board(form).Solved);

        // Nothing moves after the solving move.
        World->Ticks.OnRead = [&] { QFAIL("a move after the solve"); };
        QTest::mouseClick(form.MainPaint, Qt::LeftButton, {}, TMainFormProbe::CellCentre(5));
        QTest::keyClick(form.windowHandle(), Qt::Key_Up);
        World->Ticks.OnRead = nullptr;
        MovePointer(form.MainPaint, TMainFormProbe::CellCentre(5));
        QCOMPARE(form.MainPaint->cursor().shape(), Qt::ArrowCursor);
    }

    void OnlyTheLeftButtonMoves() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 8, 5, 6, 7, 4});
        const auto cells = TMainFormProbe::Board(form).BoardCells;
        QTest::mouseClick(form.MainPaint, Qt::RightButton, {}, TMainFormProbe::CellCentre(5));
        QTest::mouseClick(form.MainPaint, Qt::MiddleButton, {}, TMainFormProbe::CellCentre(5));
        QCOMPARE(TMainFormProbe::Board(form).BoardCells, cells);
    }

    void ArrowKeysMoveTheTileOnTheirSideWhateverHasTheFocus() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 8, 5, 6, 7, 4});
        form.PauseBtn->setFocus();
        const struct {
            Qt::Key Key;
            int Hole;
        } steps[] = {
            {Qt::Key_Left, 5},   // the tile right of the hole moves left
            {Qt::Key_Up, 8},     // the tile below moves up
            {Qt::Key_Right, 7},  // the tile left of the hole moves right
            {Qt::Key_Down, 4},   // the tile above moves down
        };
        for (const auto& step : steps) {
            QTest::keyClick(form.windowHandle(), step.Key);
            QCOMPARE(HolePosition(form), step.Hole);
        }
    }

    void PointerShowsWhereTheTileWouldGo() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 8, 5, 6, 7, 4});
        const struct {
            int Cell;
            QPoint HotSpot;
            const char* Drawn;
        } cases[] = {{5, {7, 15}, ":/cursor_left.png"},
                     {3, {22, 15}, ":/cursor_right.png"},
                     {7, {16, 9}, ":/cursor_up.png"},
                     {1, {13, 24}, ":/cursor_down.png"}};
        for (const auto& c : cases) {
            MovePointer(form.MainPaint, TMainFormProbe::CellCentre(c.Cell));
            const QCursor cursor = form.MainPaint->cursor();
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(cursor.hotSpot(), c.HotSpot);
            // The hand of that direction, as its file has it: a colour image, which every
            // desktop shows, with only what a two-colour cursor has, black, white and clear, and
            // the black fingertip on the hot spot.
            const auto format = QImage::Format_ARGB32_Premultiplied;
            const QImage shown = cursor.pixmap().toImage().convertToFormat(format);
            QCOMPARE(shown, QImage(QString::fromLatin1(c.Drawn)).convertToFormat(format));
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    const QRgb pixel = shown.pixel(x, y);
                    QVERIFY(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255) || pixel == 0);
                }
            }
            QCOMPARE(shown.pixel(c.HotSpot), qRgb(0, 0, 0));
        }
        MovePointer(form.MainPaint, TMainFormProbe::CellCentre(0));
        QCOMPARE(form.MainPaint->cursor().shape(), Qt::ArrowCursor);
    }

    void CompletionFlashesThenAsksTheNewHolderForAName() {
        TMainForm form(Seams());
        World->Ticks.StepPerRead = 0;
        World->Ticks.Value = 0;
        form.CmReset->trigger();
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 5, 6, 8, 7});
        World->Ticks.Value = 83000;
        form.ClockTimerTimer(form.ClockTimer);
        QCOMPARE(form.ClockText->text(), QStringLiteral("00:01:23"));

        World->Ticks.StepPerRead = 20;
        QTest::mouseClick(form.MainPaint, Qt::LeftButton, {}, TMainFormProbe::CellCentre(8));
        World->Ticks.StepPerRead = 0;
        World->Ticks.Value = 83500;
        form.ClockTimerTimer(form.ClockTimer);
        QCOMPARE(TMainFormProbe::Clock(form).FinalSeconds, 83);
        QCOMPARE(form.ClockTimer->interval(), 500);
        // Six swaps: inverted during the first, third and fifth.
        for (int swap = 1; swap <= 6; ++swap) {
            if (swap > 1) {
                form.ClockTimerTimer(form.ClockTimer);
            }
            QCOMPARE(ClockBackground(form), swap % 2 == 1 ? Lime : Navy);
        }
        QCOMPARE(form.ClockText->text(), QStringLiteral("00:01:23"));

        TModalWatcher dialogs;
        dialogs.Answer = [](QWidget* modal) {
            auto* dialog = qobject_cast<TInputNameDlg*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("新的記錄保持者"));
            QCOMPARE(dialog->OKBtn->text(), QStringLiteral("確定"));
            dialog->NameEdit->insert(QStringLiteral(" 小明 "));
            QTest::keyClick(dialog, Qt::Key_Return);
        };
        form.ClockTimerTimer(form.ClockTimer);
        QCOMPARE(dialogs.Seen, QStringList{QStringLiteral("TInputNameDlg")});
        QCOMPARE(TMainFormProbe::Settings(form).BasicRecorder, std::string(" 小明 "));
        QCOMPARE(TMainFormProbe::Settings(form).BasicRecordTime, 83);
        // The new record is in the store at once, not only at exit.
        QCOMPARE(*World->Store.Get("Basic recorder"), TextValue(" 小明 "));
        QCOMPARE(*World->Store.Get("Basic record time"), DwordValue(83));
        QVERIFY(!form.ClockTimer->isActive());
        QCOMPARE(form.ClockTimer->interval(), 1000);
        QCOMPARE(ClockBackground(form), Navy);
    }

    void RecordsDialogShowsTheDefaultsOfFreshSettingsAndEachLevelsRecord() {
        TFakeSettingsStore empty;
        empty.KeyExists = false;
        TSettings settings;
        LoadSettings(settings, empty);
        TRecordDlg dialog(settings);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("最高記錄"));
        for (QLabel* name : {dialog.BasicName, dialog.MiddleName, dialog.AdvanceName}) {
            QCOMPARE(name->text(), QStringLiteral("???"));
        }
        for (QLabel* time : {dialog.BasicTime, dialog.MiddleTime, dialog.AdvanceTime}) {
            QCOMPARE(time->text(), QStringLiteral("09:59:59"));
        }
        // Each level's record stands in its own box.
        StoreRecord(settings, LevelMiddle, "", 83);
        StoreRecord(settings, LevelAdvance, "Ann", 360000);
        const TRecordDlg stored(settings);
        QCOMPARE(QStringList({stored.BasicName->text(), stored.BasicTime->text(),
                              stored.MiddleName->text(), stored.MiddleTime->text(),
                              stored.AdvanceName->text(), stored.AdvanceTime->text()}),
                 QStringList({"???", "09:59:59", "", "00:01:23", "Ann", "100:00:00"}));
    }

    void MinimizedTimeIsLeftOutOfTheGame() {
        TMainForm form(Seams());
        TMainFormProbe::Show(form);
        World->Ticks.StepPerRead = 0;
        World->Ticks.Value = 1000;
        form.CmReset->trigger();
        World->Ticks.Value = 10000;
        form.setWindowState(Qt::WindowMinimized);
        QVERIFY(!form.ClockTimer->isActive());
        World->Ticks.Value = 610000;
        form.setWindowState(Qt::WindowNoState);
        QVERIFY(form.ClockTimer->isActive());
        QCOMPARE(TMainFormProbe::Clock(form).StartTick, 601000u);
    }

    // The offscreen platform, as a desktop without a window manager, leaves the window on screen;
    // a tile moved by a click or a key a second after the pause ends it.
    void APauseLeftOnScreenEndsWithTheNextUse() {
        for (bool click : {true, false}) {
            TMainForm form(Seams());
            TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 5, 6, 7, 8});
            const uint32_t started = TMainFormProbe::Clock(form).StartTick;
            form.PauseBtn->click();
            World->Ticks.Value += 1500;
            click ? QTest::mouseClick(form.MainPaint, Qt::LeftButton, {},
                                      TMainFormProbe::CellCentre(7))
                  : QTest::keyClick(form.windowHandle(), Qt::Key_Right);
            QVERIFY(form.ClockTimer->isActive());
            // The pause is left out, give or take the counter's steps of 20 ms a read.
            QCOMPARE((TMainFormProbe::Clock(form).StartTick - started) / 100, 15u);
            QCOMPARE(HolePosition(form), 7);
        }
    }

    void NewGameDuringTheFlashingStartsWithANormalClock() {
        TMainForm form(Seams());
        TMainFormProbe::Arrange(form, {0, 1, 2, 3, 4, 5, 6, 8, 7});
        QTest::mouseClick(form.MainPaint, Qt::LeftButton, {}, TMainFormProbe::CellCentre(8));
        World->Ticks.Value += 5000;
        form.ClockTimerTimer(form.ClockTimer);
        QCOMPARE(ClockBackground(form), Lime);
        form.ResetBtn->click();
        QCOMPARE(ClockBackground(form), Navy);
        QCOMPARE(form.ClockTimer->interval(), 1000);
        QCOMPARE(TMainFormProbe::Clock(form).BlinkCount, 0);
        QVERIFY(!TMainFormProbe::Board(form).Solved);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TPlayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PlayTest.moc"
