// main.cpp: the entry point of Zellipo.
#include "app/SignalRoute.h"
#include "app/StartupPhase.h"
#include "app/TMainForm.h"
#include "app/TZellipoApp.h"
#include "app/Translation.h"
#include "app/platform/SystemClocks.h"
#include "app/platform/ToolkitArguments.h"
#include "audio/LazyAudio.h"
#include "engine/TPaintBox.h"
#include "forms/ErrorBox.h"
#include "forms/FormLook.h"
#include "pictures/PictureFile.h"
#include "pictures/TPlayAndEditDlg.h"
#include "pictures/platform/PictureDisc.h"
#include "settings/platform/SettingsFile.h"

#include <QFontDatabase>
#include <QLocale>
#include <QProxyStyle>
#include <QTimer>

#include <cstdlib>
#include <memory>
#include <thread>

#include <fontconfig/fontconfig.h>

namespace {

// The application's style, but for the menu bar's overflow arrow, which Qt's style reads from a
// file in a way that loads every image plugin first (see ResourceImage); the game's menu bar,
// far narrower than its window, never shows it.
class TStyleWithoutOverflowArrow : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        return icon == SP_ToolBarHorizontalExtensionButton
                   ? QIcon()
                   : QProxyStyle::standardIcon(icon, option, widget);
    }
};

int RunGame(int argc, char** argv, TLazyAudio& audio) {
    // The window's first text makes fontconfig read its configuration and its caches of the
    // installed fonts, about half the work of building the window; a thread of its own does that
    // while the toolkit loads and connects to the display.
    std::jthread fontconfig(FcInit);
    TToolkitArguments arguments(argc, argv, std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"));
    TZellipoApp app(arguments.Count, arguments.Values());
    fontconfig.join();
    StartupPhaseDone("toolkit");
    // The toolkit lists the installed fonts on another thread while the form's widgets are made;
    // its font database is guarded for use from any thread.
    std::jthread fontList(QFontDatabase::families, QFontDatabase::Any);
    try {
        QCoreApplication::setOrganizationName(QStringLiteral("Belnovia"));
        QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
        // Lets the desktop match the windows to the installed entry and its icon.
        QGuiApplication::setDesktopFileName(QStringLiteral("org.belnovia.Zellipo"));
        // Before any window exists: the forms take their texts as they are built. The
        // translations lie beside the executable, as the music does.
        InstallTranslation(app, QCoreApplication::applicationDirPath(),
                           QLocale::system().uiLanguages());
        RegisterFontSubstitutes();
        QApplication::setStyle(new TStyleWithoutOverflowArrow);
        StartupPhaseDone("translation");

        TSystemTickCounter ticks;
        TSystemCalendarClock calendar;
        TSettingsFile store(TSettingsFile::DefaultPath());
        // Routed before the window exists: a signal during start-up closes the window once the
        // loop runs. One that comes while a box of the start-up is showing closes only the box,
        // as the window is not shown yet; the window is then never shown and saves as it goes.
        bool ending = false;
        RouteTerminationToClose([&ending] {
            ending = true;
            QApplication::closeAllWindows();
        });
        TMainForm form({ticks, calendar, store, audio.Effects(), audio.Music()});
        TMountVolumes volumes;
        std::unique_ptr<TPlayAndEditDlg> launcher;
        // A picture given to the game, as a file manager's "Open With" does, is played at once
        // but not remembered. The toolkit has taken out the options it understands.
        if (arguments.Count > 1 && !ending) {
            const QByteArray picture(arguments.Values()[1]);
            form.PlayGivenPicture([&picture] { return LoadPicture(picture); });
        }
        if (!ending) {
            // What the player cannot see waits for the board's first paint. The sound module
            // loads on a thread of its own; the window opens the music as it first paints, which
            // waits for the module; and only then the launcher, hidden, looks for the picture
            // disc, in the memory the music's check of its piece has given back.
            QObject::connect(
                form.MainPaint, &TPaintBox::Paint, &form,
                [&] {
                    StartupPhaseDone("first paint");
                    QTimer::singleShot(0, &form, [&] {
                        audio.Start([] { StartupPhaseDone("sound module"); });
                        QTimer::singleShot(0, &form, [&] {
                            launcher = std::make_unique<TPlayAndEditDlg>(volumes);
                            form.AttachPictureDisc(launcher.get());
                            StartupPhaseDone("disc search");
                        });
                    });
                },
                Qt::SingleShotConnection);
            form.show();
            StartupPhaseDone("shown");
            app.exec();
        }
        form.QuietEnd = ending;
    } catch (const std::exception& error) {
        ShowErrorBox(error);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // The sound module is left to the end of the process, which owns it here: closing the sound
    // card waits for the audio thread to finish the buffer it is on, tens of milliseconds at
    // every close, and the synthesizer's teardown frees every sample, while the end of the
    // process does both at once. The settings are saved as the game ends, before this; exit
    // leaves main's own objects as they are, so the module stays reachable to the last.
    TLazyAudio audio;
    std::exit(RunGame(argc, argv, audio));
}
