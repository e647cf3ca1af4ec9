// main.cpp: the entry point of Zellipo.
#include "app/SignalRoute.h"
#include "app/TMainForm.h"
#include "app/TZellipoApp.h"
#include "app/Translation.h"
#include "app/platform/SystemClocks.h"
#include "app/platform/ToolkitArguments.h"
#include "audio/LazyAudio.h"
#include "forms/ErrorBox.h"
#include "forms/FormLook.h"
#include "pictures/PictureFile.h"
#include "pictures/TPlayAndEditDlg.h"
#include "pictures/platform/EditorLauncher.h"
#include "pictures/platform/MountVolumes.h"
#include "settings/platform/SettingsFile.h"

#include <QLocale>

#include <cstdlib>

int main(int argc, char** argv) {
    TToolkitArguments arguments(argc, argv, std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"));
    TZellipoApp app(arguments.Count, arguments.Values());
    TLazyAudio audio;
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
        // The launcher looks for the picture disc as it is created, hidden, after the window.
        TMountVolumes volumes;
        TEditorLauncher editor;
        TPlayAndEditDlg launcher(volumes, editor);
        form.AttachPictureDisc(&launcher);
        // A picture given to the game, as a file manager's "Open With" does, is played at once
        // but not remembered. The toolkit has taken out the options it understands.
        if (arguments.Count > 1 && !ending) {
            const QByteArray picture(arguments.Values()[1]);
            form.PlayGivenPicture([&picture] { return LoadPicture(picture); });
        }
        if (!ending) {
            form.show();
            // The sound module loads and opens the sound card while the window first paints; the
            // music waits for it after that.
            audio.Start();
            app.exec();
        }
        form.QuietEnd = ending;
    } catch (const std::exception& error) {
        ShowErrorBox(error);
        return 1;
    }
    return 0;
}
