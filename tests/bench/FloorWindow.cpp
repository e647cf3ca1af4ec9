// FloorWindow.cpp: the floors the game's costs are measured against: a bare Qt Widgets window
// with a clock label that ticks every second, as the game's does; given "ming", the label also
// shows the game's menu texts in its Ming face, read before the window shows as the game's is, so
// that the font's own cost shows apart.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include "app/SignalRoute.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool ming = argc > 1 && QByteArrayView(argv[1]) == "ming";
    const QString menu = ming ? QStringLiteral(
                                    "遊戲 重新開始 更換圖檔 初學者 中級者 進階者 自訂 "
                                    "音樂 音效 顯示註解數字 最高記錄 離開 說明\n")
                              : QString();
    QLabel window(menu + QStringLiteral("00:00:00"));
    if (ming) {
        QFont::insertSubstitution(QStringLiteral("新細明體"), QStringLiteral("AR PL UMing TW"));
        QFont font(QStringLiteral("新細明體"));
        font.setPixelSize(12);
        font.setStyleStrategy(QFont::NoAntialias);
        window.setFont(font);
    }
    window.setWindowTitle(QStringLiteral("Floor"));
    window.resize(567, 427);
    if (ming) {
        // The game's window takes its height from its menu bar, so it reads the face before it is
        // shown; this one sizes itself to its texts to do the same.
        window.resize(window.size().expandedTo(window.sizeHint()));
    }
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer clock;
    clock.setTimerType(Qt::PreciseTimer);
    QObject::connect(&clock, &QTimer::timeout, &window, [&] {
        const qint64 seconds = elapsed.elapsed() / 1000;
        window.setText(menu + QStringLiteral("%1:%2:%3")
                                  .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                                  .arg(seconds % 3600 / 60, 2, 10, QLatin1Char('0'))
                                  .arg(seconds % 60, 2, 10, QLatin1Char('0')));
    });
    clock.start(1000);
    RouteTerminationToClose([] { QApplication::closeAllWindows(); });
    window.show();
    return app.exec();
}
