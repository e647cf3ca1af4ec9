// DialogsTest.cpp: what the game's dialogs share beyond their layouts: the Escape key, and the
// classic frame of the records dialog's boxes.
#include <QtTest>
#include <functional>
#include <memory>

#include "GuiTestKit.h"
#include "about/TAboutBox.h"
#include "forms/ErrorBox.h"
#include "pictures/TSelSampDlg.h"
#include "settings/TInputNameDlg.h"
#include "settings/TRecordDlg.h"
#include "settings/TUserDefDlg.h"
#include "settings/core/Infobank.h"

using TDialogMaker = std::function<QDialog*()>;
Q_DECLARE_METATYPE(TDialogMaker)

class TDialogsTest : public QObject {
    Q_OBJECT

    // Rows of black text pixels, which neither the face nor the frame's lines are.
    static bool IsInk(QRgb pixel) { return qGray(pixel) < 64; }

  private slots:
    void EscapeClosesOnlyDialogsWithACancelButton_data() {
        QTest::addColumn<TDialogMaker>("make");
        QTest::addColumn<bool>("closes");
        QTest::newRow("name dialog") << TDialogMaker([] { return new TInputNameDlg; }) << false;
        QTest::newRow("records dialog")
            << TDialogMaker([] { return new TRecordDlg(TSettings{}); }) << false;
        QTest::newRow("About box") << TDialogMaker([] { return new TAboutBox; }) << false;
        QTest::newRow("sample chooser") << TDialogMaker([] { return new TSelSampDlg; }) << true;
        QTest::newRow("custom size dialog") << TDialogMaker([] { return new TUserDefDlg; }) << true;
    }

    void EscapeClosesOnlyDialogsWithACancelButton() {
        QFETCH(TDialogMaker, make);
        QFETCH(bool, closes);
        std::unique_ptr<QDialog> dialog(make());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        // Pressed where the player's keys go: the control with the focus.
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
        QCOMPARE(dialog->isVisible(), !closes);
        // The close box closes every dialog.
        dialog->close();
        QVERIFY(!dialog->isVisible());
    }

    // A long text, wrapped over lines, changes the box's size after it is shown.
    void ErrorBoxIsCentred() {
        TModalWatcher watcher;
        QPoint offset;
        watcher.Answer = [&offset](QWidget* box) {
            offset = box->geometry().center() - box->screen()->availableGeometry().center();
            static_cast<QDialog*>(box)->accept();
        };
        ShowErrorBox(QStringLiteral("No sound output ").repeated(20));
        QVERIFY2(offset.manhattanLength() <= 1,
                 qPrintable(QStringLiteral("off by %1, %2").arg(offset.x()).arg(offset.y())));
    }

    void RecordBoxTitlesInterruptTheFrameLine() {
        TRecordDlg dialog{TSettings{}};
        for (QGroupBox* box : {dialog.GroupBox2, dialog.GroupBox3, dialog.GroupBox1}) {
            const QImage image = box->grab().toImage();
            // The frame's top line, found right of the title: the first row off the face.
            const int x = image.width() - 8;
            int line = 0;
            while (line < image.height() && image.pixel(x, line) == image.pixel(x, 0)) {
                ++line;
            }
            // The title's ink, above the box's first labels at 20 pixels down.
            int top = -1;
            int bottom = -1;
            for (int y = 0; y < 20; ++y) {
                for (int i = 0; i < image.width() / 2; ++i) {
                    if (IsInk(image.pixel(i, y))) {
                        top = top < 0 ? y : top;
                        bottom = y;
                    }
                }
            }
            QVERIFY2(top >= 0, qPrintable(box->title()));
            QVERIFY2(top < line && line < bottom,
                     qPrintable(QStringLiteral("%1: title rows %2 to %3, frame line at row %4")
                                    .arg(box->title())
                                    .arg(top)
                                    .arg(bottom)
                                    .arg(line)));
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepareApplication();
    TDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DialogsTest.moc"
