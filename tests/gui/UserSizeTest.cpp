// UserSizeTest.cpp: the custom size dialog and the user-defined level it sets.
#include <QtTest>

#include "DialogLook.h"
#include "FormFixture.h"
#include "GuiTestKit.h"
#include "MainFormProbe.h"
#include "settings/TUserDefDlg.h"
#include "settings/core/Infobank.h"

class TUserSizeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormFixture> World;

    static TBoard& Board(TMainForm& form) { return TMainFormProbe::Board(form); }
    static TClock& Clock(TMainForm& form) { return TMainFormProbe::Clock(form); }

    // Types into a field as the player would: the old text selected and typed over.
    static void TypeInto(TSpinEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    // Runs the command through `trigger` and lets `answer` close the dialog.
    static void AskWith(const std::function<void()>& trigger,
                        const std::function<void(TUserDefDlg*)>& answer) {
        TModalWatcher dialogs;
        dialogs.Answer = [&](QWidget* modal) {
            auto* dialog = qobject_cast<TUserDefDlg*>(modal);
            QVERIFY(dialog);
            answer(dialog);
        };
        trigger();
        QCOMPARE(dialogs.Seen, QStringList{QStringLiteral("TUserDefDlg")});
    }

  private slots:
    void init() { World = std::make_unique<TFormFixture>(); }

    void DialogHasItsLayout() {
        TUserDefDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("自訂大小"));
        const QStringList problems = DialogLookProblems(dialog, QSize(203, 128));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
        QCOMPARE(dialog.OKBtn->geometry(), QRect(27, 96, 75, 25));
        QCOMPARE(dialog.CancelBtn->geometry(), QRect(107, 96, 75, 25));
        QCOMPARE(dialog.HSpinEdit->geometry(), QRect(80, 20, 85, 21));
        QCOMPARE(dialog.VSpinEdit->geometry(), QRect(80, 52, 85, 21));
        QCOMPARE(dialog.Bevel1->geometry(), QRect(8, 8, 185, 81));
        QCOMPARE(dialog.Label1->pos(), QPoint(24, 24));
        QCOMPARE(dialog.Label2->pos(), QPoint(24, 56));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("水平分割:"));
        QCOMPARE(dialog.Label2->text(), QStringLiteral("垂直分割:"));
        QCOMPARE(dialog.OKBtn->text(), QStringLiteral("確定"));
        QCOMPARE(dialog.CancelBtn->text(), QStringLiteral("取消"));
        QVERIFY(dialog.OKBtn->isDefault());
        for (TSpinEdit* field : {dialog.HSpinEdit, dialog.VSpinEdit}) {
            QCOMPARE(field->property("MinValue"), QVariant(2));
            QCOMPARE(field->property("MaxValue"), QVariant(11));
            QCOMPARE(field->text(), QStringLiteral("5"));
        }
        // The tab order: OK, Cancel, columns, rows.
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.OKBtn);
        for (QWidget* next : std::initializer_list<QWidget*>{dialog.CancelBtn, dialog.HSpinEdit,
                                                             dialog.VSpinEdit, dialog.OKBtn}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void DialogOpensWithTheStoredSizeAndOkFocused_data() {
        QTest::addColumn<int>("storedH");
        QTest::addColumn<int>("storedV");
        QTest::addColumn<QString>("shownH");
        QTest::addColumn<QString>("shownV");
        QTest::newRow("defaults") << 4 << 4 << QStringLiteral("4") << QStringLiteral("4");
        QTest::newRow("beyond the range") << 20 << 1 << QStringLiteral("11") << QStringLiteral("2");
    }

    void DialogOpensWithTheStoredSizeAndOkFocused() {
        QFETCH(int, storedH);
        QFETCH(int, storedV);
        QFETCH(QString, shownH);
        QFETCH(QString, shownV);
        World->Store.Put("User define number H", DwordValue(storedH));
        World->Store.Put("User define number V", DwordValue(storedV));
        TMainForm form(World->Seams());
        AskWith([&] { form.CmUser->trigger(); },
                [&](TUserDefDlg* dialog) {
                    QCOMPARE(dialog->parentWidget(), static_cast<QWidget*>(&form));
                    const QStringList problems = DialogLookProblems(*dialog, QSize(203, 128));
                    QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
                    QCOMPARE(dialog->HSpinEdit->text(), shownH);
                    QCOMPARE(dialog->VSpinEdit->text(), shownV);
                    // The focus it gets once the window manager activates it.
                    QCOMPARE(dialog->focusWidget(), dialog->OKBtn);
                    QTest::keyClick(dialog, Qt::Key_Return);
                });
        QCOMPARE(TMainFormProbe::Settings(form).UserDefineH, shownH.toInt());
        QCOMPARE(TMainFormProbe::Settings(form).UserDefineV, shownV.toInt());
    }

    void AcceptingTwoByElevenLaysOutThatBoardAndRestartsTheClock() {
        TMainForm form(World->Seams());
        QVERIFY(form.CmBasic->isChecked());
        World->Ticks.Value = 9000;
        World->Calendar.Value += 1;
        AskWith([&] { form.UserBtn->click(); },
                [](TUserDefDlg* dialog) {
                    TypeInto(dialog->HSpinEdit, QStringLiteral("2"));
                    TypeInto(dialog->VSpinEdit, QStringLiteral("11"));
                    QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
                });
        QCOMPARE(TMainFormProbe::Settings(form).UserDefineH, 2);
        QCOMPARE(TMainFormProbe::Settings(form).UserDefineV, 11);
        QVERIFY(form.CmUser->isChecked());
        QVERIFY(!form.CmBasic->isChecked());
        QVERIFY(form.UserBtn->isChecked());
        QVERIFY(!form.BasicBtn->isChecked());
        QCOMPARE(Board(form).ColCount, 2);
        QCOMPARE(Board(form).RowCount, 11);
        QCOMPARE(Clock(form).StartTick, 9000u);
        QVERIFY(form.ClockTimer->isActive());
    }

    void TypedSizesAreBroughtIntoRangeWhenAccepted_data() {
        QTest::addColumn<QString>("typedH");
        QTest::addColumn<QString>("typedV");
        QTest::addColumn<int>("storedH");
        QTest::addColumn<int>("storedV");
        QTest::newRow("one and ninety-nine")
            << QStringLiteral("1") << QStringLiteral("99") << 2 << 11;
        QTest::newRow("empty and too many digits")
            << QString() << QStringLiteral("99999999999") << 2 << 2;
        QTest::newRow("lone sign and decimal point")
            << QStringLiteral("-") << QStringLiteral("7.") << 2 << 2;
    }

    void TypedSizesAreBroughtIntoRangeWhenAccepted() {
        QFETCH(QString, typedH);
        QFETCH(QString, typedV);
        QFETCH(int, storedH);
        QFETCH(int, storedV);
        {
            TMainForm form(World->Seams());
            AskWith([&] { form.CmUser->trigger(); },
                    [&](TUserDefDlg* dialog) {
                        TypeInto(dialog->HSpinEdit, typedH);
                        TypeInto(dialog->VSpinEdit, typedV);
                        // Enter in a field presses the default button.
                        QTest::keyClick(dialog->VSpinEdit, Qt::Key_Return);
                    });
            QCOMPARE(Board(form).ColCount, storedH);
            QCOMPARE(Board(form).RowCount, storedV);
        }
        QCOMPARE(*World->Store.Get("User define number H"), DwordValue(storedH));
        QCOMPARE(*World->Store.Get("User define number V"), DwordValue(storedV));
        QCOMPARE(*World->Store.Get("Level"), DwordValue(3));
    }

    void AcceptingUnchangedSizeStillStartsANewGame() {
        World->Store.Put("Level", DwordValue(3));
        TMainForm form(World->Seams());
        const auto cells = Board(form).BoardCells;
        World->Ticks.Value = 4000;
        World->Calendar.Value += 1;
        AskWith([&] { form.CmUser->trigger(); },
                [](TUserDefDlg* dialog) { dialog->OKBtn->click(); });
        QCOMPARE(Board(form).ColCount, 4);
        QCOMPARE(Board(form).RowCount, 4);
        QCOMPARE(Clock(form).StartTick, 4000u);
        QVERIFY(Board(form).BoardCells != cells);
    }

    void CancelKeepsTheLevelBefore_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<int>("level");
        QTest::newRow("button at Basic, cancel button") << 0 << false << 0;
        QTest::newRow("button at Basic, escape key") << 1 << false << 0;
        QTest::newRow("button at Basic, close box") << 2 << false << 0;
        QTest::newRow("menu at Middle, cancel button") << 0 << true << 1;
        QTest::newRow("button at User, escape key") << 1 << false << 3;
        QTest::newRow("menu at User, close box") << 2 << true << 3;
    }

    void CancelKeepsTheLevelBefore() {
        QFETCH(int, way);
        QFETCH(bool, fromMenu);
        QFETCH(int, level);
        World->Store.Put("Level", DwordValue(level));
        TMainForm form(World->Seams());
        QAction* const items[] = {form.CmBasic, form.CmMiddle, form.CmAdvance, form.CmUser};
        QAbstractButton* const buttons[] = {form.BasicBtn, form.MiddleBtn, form.AdvanceBtn,
                                            form.UserBtn};
        World->Ticks.Value = 6000;
        World->Calendar.Value += 1;
        const auto cells = Board(form).BoardCells;
        const uint32_t start = Clock(form).StartTick;
        const int columns = Board(form).ColCount;
        QList<bool> pressedWhileOpen;
        AskWith([&] { fromMenu ? form.CmUser->trigger() : form.UserBtn->click(); },
                [&](TUserDefDlg* dialog) {
                    for (QAbstractButton* button : buttons) {
                        pressedWhileOpen << button->isChecked();
                    }
                    TypeInto(dialog->HSpinEdit, QStringLiteral("9"));
                    if (way == 0) {
                        QTest::mouseClick(dialog->CancelBtn, Qt::LeftButton);
                    } else if (way == 1) {
                        QTest::keyClick(dialog, Qt::Key_Escape);
                    } else {
                        dialog->close();
                    }
                    QVERIFY(!dialog->isVisible());
                });
        // While the dialog was open the level being chosen showed on the toolbar: its button
        // alone was pressed.
        QCOMPARE(pressedWhileOpen, (QList<bool>{false, false, false, true}));
        QCOMPARE(form.LevelGroup->checkedAction(), items[level]);
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(buttons[i]->isChecked() == (i == level), qPrintable(buttons[i]->objectName()));
        }
        QCOMPARE(TMainFormProbe::Settings(form).UserDefineH, 4);
        QVERIFY(Board(form).BoardCells == cells);
        QCOMPARE(Clock(form).StartTick, start);
        QCOMPARE(Board(form).ColCount, columns);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TUserSizeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "UserSizeTest.moc"
