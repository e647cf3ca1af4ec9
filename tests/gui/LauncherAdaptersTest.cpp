// LauncherAdaptersTest.cpp: the system's volumes with their labels, and the editor started
// without a shell, its end signalled.
#include <QSignalSpy>
#include <QtTest>

#include "pictures/platform/EditorLauncher.h"
#include "pictures/platform/MountVolumes.h"

class TLauncherAdaptersTest : public QObject {
    Q_OBJECT

  private slots:
    void ThisSystemsVolumesCarryTheirLabels() {
        const std::vector<TVolume> volumes = TMountVolumes().Volumes();
        const auto root = std::find_if(volumes.begin(), volumes.end(),
                                       [](const TVolume& v) { return v.MountPoint == "/"; });
        QVERIFY(root != volumes.end());
        QVERIFY(!root->FileSystem.empty() && !root->Device.empty());
        // Each label udev links to a mounted device is that volume's; none may be here.
        QDir links(QStringLiteral("/dev/disk/by-label"), {}, QDir::NoSort, QDir::System);
        for (const QFileInfo& link : links.entryInfoList()) {
            const std::string device = QFile::encodeName(link.canonicalFilePath()).toStdString();
            for (const TVolume& volume : volumes) {
                if (volume.Device == device && !link.fileName().contains(QLatin1Char('\\'))) {
                    QCOMPARE(QString::fromStdString(volume.Label), link.fileName());
                }
            }
        }
    }

    void FileNameReachesTheEditorAsOneArgumentUntouchedAndItsEndIsSignalled() {
        QTemporaryDir scratch;
        // The editor stands in as a script that edits only once the test lets it, then writes
        // what it was given.
        const QString go = scratch.filePath(QStringLiteral("go"));
        const QString editor = scratch.filePath(QStringLiteral("editor"));
        QFile script(editor);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nwhile [ ! -e '" + QFile::encodeName(go) +
                     "' ]; do sleep 0.01; done\nprintf '%s|%s' \"$#\" \"$1\" > \"$1\"\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        // A shell would split, expand or choke on this name.
        const QString file = scratch.filePath(QStringLiteral("a b;$HOME'*.tmp"));

        TEditorLauncher launcher(editor);
        QSignalSpy ended(&launcher, &IEditorLauncher::Ended);
        QVERIFY(launcher.Start(file));
        // One editor at a time: the script is still waiting.
        QVERIFY(!launcher.Start(file));
        QVERIFY(QFile(go).open(QIODevice::WriteOnly));
        QVERIFY(ended.wait(10000));
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(written.readAll()), QStringLiteral("1|") + file);
    }

    void MissingEditorCannotBeStarted() {
        TEditorLauncher launcher(QStringLiteral("zellipo-no-such-editor"));
        QVERIFY(!launcher.Start(QStringLiteral("/tmp/picture.tmp")));
    }
};

QTEST_GUILESS_MAIN(TLauncherAdaptersTest)
#include "LauncherAdaptersTest.moc"
