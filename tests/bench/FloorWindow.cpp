// FloorWindow.cpp: the floor the game's costs are measured against: a bare Qt Widgets window
// with a clock label that ticks every second, as the game's does.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include "app/SignalRoute.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("00:00:00"));
    window.setWindowTitle(QStringLiteral("Floor"));
    window.resize(567, 427);
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer clock;
    clock.setTimerType(Qt::PreciseTimer);
    QObject::connect(&clock, &QTimer::timeout, &window, [&] {
        const qint64 seconds = elapsed.elapsed() / 1000;
        window.setText(QStringLiteral("%1:%2:%3")
                           .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                           .arg(seconds % 3600 / 60, 2, 10, QLatin1Char('0'))
                           .arg(seconds % 60, 2, 10, QLatin1Char('0')));
    });
    clock.start(1000);
    RouteTerminationToClose([] { QApplication::closeAllWindows(); });
    window.show();
    return app.exec();
}
