// BoardBench.cpp: how long drawing the whole board and shuffling a new game take, by grid size.
#include <QtTest>

#include "app/TMainForm.h"
#include "engine/core/Shuffle.h"
#include "gui/FormFixture.h"
#include "gui/GuiTestKit.h"
#include "gui/MainFormProbe.h"

class TBoardBench : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareApplication(); }

    void PaintWholeBoard_data() {
        QTest::addColumn<int32_t>("level");
        QTest::addColumn<int32_t>("size");
        QTest::newRow("3x3") << int32_t{LevelBasic} << 3;
        QTest::newRow("7x7") << int32_t{LevelAdvance} << 7;
        // The largest board there is, so the user-defined level at its upper bound.
        QTest::newRow("11x11") << int32_t{LevelUser} << 11;
    }

    void PaintWholeBoard() {
        QFETCH(int32_t, level);
        QFETCH(int32_t, size);
        TFormFixture world;
        TFakeSettingsStore& store = world.Store;
        store.Put("Level", DwordValue(level));
        store.Put("User define number H", DwordValue(size));
        store.Put("User define number V", DwordValue(size));
        // Music would mix on another thread while the board is timed.
        store.Put("Music", DwordValue(0));
        store.Put("Sound", DwordValue(0));
        TMainForm form(world.Seams());
        QCOMPARE(form.LevelGroup->checkedAction(), form.LevelGroup->actions().at(level));
        // The retained image exists from the first paint on; before it, drawing goes nowhere.
        TMainFormProbe::Show(form);

        QBENCHMARK {
            form.MainPaintPaint(nullptr);
        }
    }

    void ShuffleNewGame_data() {
        QTest::addColumn<int32_t>("size");
        QTest::newRow("3x3") << 3;
        QTest::newRow("7x7") << 7;
        QTest::newRow("11x11") << 11;
    }

    void ShuffleNewGame() {
        QFETCH(int32_t, size);
        TBoard board;
        LayOutBoard(board, {size, size});
        // A new seed each run, as the game's seed changes every second; the mend runs on about
        // half of them.
        uint32_t seed = 1700000000;
        QBENCHMARK {
            ShuffleBoard(board, seed++);
        }
        QVERIFY(IsSolvable(board));
    }
};

QTEST_MAIN(TBoardBench)
#include "BoardBench.moc"
