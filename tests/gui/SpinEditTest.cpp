// SpinEditTest.cpp: the custom size dialog's spin field: typing, the arrows, its repairs.
#include <QApplication>
#include <QLineEdit>
#include <QStyleOptionSpinBox>
#include <QtTest>

#include "GuiTestKit.h"
#include "settings/TSpinEdit.h"

class TSpinEditTest : public QObject {
    Q_OBJECT

    // A shown window with a field of 2 ... 11 and a line edit to move the focus to.
    std::unique_ptr<QWidget> Host;
    TSpinEdit* Spin = nullptr;
    QLineEdit* Elsewhere = nullptr;

    void Type(const QString& text) {
        Spin->setFocus();
        Spin->selectAll();
        QTest::keyClick(Spin, Qt::Key_Delete);
        QTest::keyClicks(Spin, text);
    }

    void LeaveTheField() {
        Elsewhere->setFocus();
        QVERIFY(!Spin->hasFocus());
    }

    QPoint ArrowCentre(QStyle::SubControl arrow) {
        QStyleOptionSpinBox option;
        option.initFrom(Spin);
        option.subControls = QStyle::SC_All;
        option.buttonSymbols = QAbstractSpinBox::UpDownArrows;
        option.frame = true;
        return Spin->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, Spin).center();
    }

    void ClickArrow(QStyle::SubControl arrow) {
        const QPoint at = ArrowCentre(arrow);
        QTest::mousePress(Spin, Qt::LeftButton, {}, at);
        QTest::mouseRelease(Spin, Qt::LeftButton, {}, at);
    }

  private slots:
    void init() {
        Host = std::make_unique<QWidget>();
        Spin = new TSpinEdit(Host.get());
        Spin->setGeometry(10, 10, 85, 21);
        Spin->SetMinValue(2);
        Spin->SetMaxValue(11);
        Spin->SetValue(5);
        Elsewhere = new QLineEdit(Host.get());
        Elsewhere->setGeometry(10, 40, 85, 21);
        Host->show();
        QApplication::setActiveWindow(Host.get());
        QVERIFY(QTest::qWaitForWindowActive(Host.get()));
    }

    void cleanup() { Host.reset(); }

    void AnyDigitsMayBeTyped() {
        Type(QStringLiteral("99"));
        QCOMPARE(Spin->text(), QStringLiteral("99"));
        Type(QStringLiteral("99999999999"));
        QCOMPARE(Spin->text(), QStringLiteral("99999999999"));
    }

    void LettersAreRefused() {
        Type(QStringLiteral("4a"));
        QCOMPARE(Spin->text(), QStringLiteral("4"));
        QTest::keyClicks(Spin, QStringLiteral("xyz"));
        QCOMPARE(Spin->text(), QStringLiteral("4"));
        QTest::keyClicks(Spin, QStringLiteral("1"));
        QCOMPARE(Spin->text(), QStringLiteral("41"));
    }

    void NumberBeyondTheRangeBecomesTheNearestBoundOnFocusLoss_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one") << QStringLiteral("1") << QStringLiteral("2");
        QTest::newRow("ninety-nine") << QStringLiteral("99") << QStringLiteral("11");
        QTest::newRow("negative") << QStringLiteral("-7") << QStringLiteral("2");
        QTest::newRow("within") << QStringLiteral("7") << QStringLiteral("7");
        // Only numbers are corrected on leaving; anything else waits until it is read.
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("lone sign") << QStringLiteral("-") << QStringLiteral("-");
        QTest::newRow("too many digits")
            << QStringLiteral("99999999999") << QStringLiteral("99999999999");
    }

    void NumberBeyondTheRangeBecomesTheNearestBoundOnFocusLoss() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Type(typed);
        LeaveTheField();
        QCOMPARE(Spin->text(), shown);
    }

    void ReadingGivesTheValueAndRepairsTheText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("one") << QStringLiteral("1") << 2;
        QTest::newRow("ninety-nine") << QStringLiteral("99") << 11;
        QTest::newRow("empty") << QString() << 2;
        QTest::newRow("lone sign") << QStringLiteral("+") << 2;
        QTest::newRow("decimal point") << QStringLiteral("5.") << 2;
        QTest::newRow("too many digits") << QStringLiteral("99999999999") << 2;
        QTest::newRow("within") << QStringLiteral("8") << 8;
        QTest::newRow("signed within") << QStringLiteral("+5") << 5;
        QTest::newRow("negative") << QStringLiteral("-3") << 2;
        QTest::newRow("sign after") << QStringLiteral("4-") << 2;
        QTest::newRow("largest 32-bit") << QStringLiteral("2147483647") << 11;
        QTest::newRow("beyond 32 bits") << QStringLiteral("2147483648") << 2;
    }

    void ReadingGivesTheValueAndRepairsTheText() {
        QFETCH(QString, typed);
        QFETCH(int, value);
        Type(typed);
        QCOMPARE(Spin->Value(), value);
        // A text that says the value, "+5" too, is left as typed.
        QCOMPARE(Spin->text().toInt(), value);
    }

    void SettingTheValueBringsItIntoTheRange() {
        Spin->SetValue(20);
        QCOMPARE(Spin->text(), QStringLiteral("11"));
        Spin->SetValue(-3);
        QCOMPARE(Spin->text(), QStringLiteral("2"));
        Spin->SetValue(6);
        QCOMPARE(Spin->text(), QStringLiteral("6"));
    }

    void UpAndDownKeysStepByOne() {
        Spin->setFocus();
        QTest::keyClick(Spin, Qt::Key_Up);
        QCOMPARE(Spin->text(), QStringLiteral("6"));
        QTest::keyClick(Spin, Qt::Key_Down);
        QTest::keyClick(Spin, Qt::Key_Down);
        QCOMPARE(Spin->text(), QStringLiteral("4"));
    }

    void KeysStepFromWhatATypedTextReadsAs() {
        Type(QStringLiteral("99"));
        QTest::keyClick(Spin, Qt::Key_Down);
        QCOMPARE(Spin->text(), QStringLiteral("10"));
        Type(QString());
        QTest::keyClick(Spin, Qt::Key_Up);
        QCOMPARE(Spin->text(), QStringLiteral("3"));
    }

    void ArrowButtonsStepByOne() {
        ClickArrow(QStyle::SC_SpinBoxUp);
        QCOMPARE(Spin->text(), QStringLiteral("6"));
        ClickArrow(QStyle::SC_SpinBoxDown);
        ClickArrow(QStyle::SC_SpinBoxDown);
        QCOMPARE(Spin->text(), QStringLiteral("4"));
    }

    void ArrowButtonsStopAtTheBounds() {
        Spin->SetValue(11);
        ClickArrow(QStyle::SC_SpinBoxUp);
        QCOMPARE(Spin->text(), QStringLiteral("11"));
        Spin->SetValue(2);
        ClickArrow(QStyle::SC_SpinBoxDown);
        QCOMPARE(Spin->text(), QStringLiteral("2"));
    }

    void HeldArrowRepeatsAfter400MsThenEvery100Ms() {
        QStyle* style = Spin->style();
        QCOMPARE(style->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, Spin), 400);
        QCOMPARE(style->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, Spin), 100);
        // Held well past the first repeat, the field climbs on its own and stops at the top.
        Spin->SetValue(2);
        const QPoint up = ArrowCentre(QStyle::SC_SpinBoxUp);
        QTest::mousePress(Spin, Qt::LeftButton, {}, up);
        QCOMPARE(Spin->text(), QStringLiteral("3"));
        QTRY_COMPARE_WITH_TIMEOUT(Spin->text(), QStringLiteral("11"), 5000);
        QTest::mouseRelease(Spin, Qt::LeftButton, {}, up);
    }

    void EnterIsLeftToTheDialog() {
        Spin->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(Spin, &enter);
        QVERIFY(!enter.isAccepted());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TSpinEditTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SpinEditTest.moc"
