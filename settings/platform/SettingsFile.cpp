// SettingsFile.cpp: reading the settings file and replacing it whole, never torn.
#include "settings/platform/SettingsFile.h"

#include "files/RegularFile.h"

#include <pwd.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace {

ERegistryError FileError(const char* what, const std::string& path, const QString& why) {
    return ERegistryError(what + ("\"" + path + "\": ") + why.toStdString());
}

// 0700, as the XDG base directory rules ask for folders an application creates for its files;
// QDir::mkpath would make them as the umask says. A folder that cannot be made is told by the
// save that needs it.
void MakeFolders(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists() && info.path() != folder) {
        MakeFolders(info.path());
        QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

}  // namespace

TSettingsFile::TSettingsFile(std::string filePath) : FilePath(std::move(filePath)) {}

std::string TSettingsFile::DefaultPath() {
    // Not QStandardPaths: Qt 6.4 takes a relative XDG_CONFIG_HOME as it is, which the XDG rules
    // say is to be ignored, and without HOME it gives the root folder rather than the user's.
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        return std::string(configHome) + "/Belnovia/Quorvel.reg";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* user = getpwuid(getuid());
        if (user == nullptr || user->pw_dir == nullptr || user->pw_dir[0] == '\0') {
            return {};
        }
        home = user->pw_dir;
    }
    return std::string(home) + "/.config/Belnovia/Quorvel.reg";
}

std::optional<std::string> TSettingsFile::ReadText() {
    // A FIFO or a device in the file's place counts as a file that cannot be read; an empty path
    // names no file.
    TFileContents file = ReadRegularFile(FilePath, SettingsFileLimit);
    if (file.Failure == TFileFailure::Missing) {
        return std::nullopt;
    }
    if (file.Failure != TFileFailure::None) {
        throw FileError("Cannot open file ", FilePath, QString::fromStdString(file.Why));
    }
    return std::move(file.Bytes);
}

void TSettingsFile::ReplaceText(const std::string& text) {
    if (FilePath.empty()) {
        return;
    }
    const QString path = QFile::decodeName(FilePath.c_str());
    // A file the player made read-only is left alone, as a read-only folder already is; root
    // may write any file, so the mode is asked as well.
    const QFileInfo old(path);
    const auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (old.exists() && (!old.isWritable() || !(old.permissions() & anyWrite))) {
        return;
    }
    // A file the game would refuse to read at the next start is not written at all.
    if (text.size() > SettingsFileLimit) {
        throw FileError("Cannot write file ", FilePath, QStringLiteral("the file is too large"));
    }
    MakeFolders(old.absolutePath());
    // QSaveFile writes into an unnamed file that gets its name only as it replaces the old one,
    // so a killed save leaves nothing behind and there is nothing of ours to clean up. Files
    // named like the temporary files of earlier versions cannot be told from the player's own
    // and are left alone. A link is written through, and the old file's permissions are kept.
    QSaveFile file(path);
    // Unbuffered, so that every failed write is seen here: QSaveFile's commit misses one that
    // fails as its buffer is flushed, and would put a cut-short file in place. A write cut short
    // is tried again for the rest, whose failure gives the reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw FileError("Cannot write file ", FilePath, file.errorString());
    }
    for (std::string_view rest = text; !rest.empty();) {
        const qint64 count = file.write(rest.data(), static_cast<qint64>(rest.size()));
        if (count <= 0) {
            throw FileError("Cannot write file ", FilePath, file.errorString());
        }
        rest.remove_prefix(static_cast<size_t>(count));
    }
    if (!old.exists()) {
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    // QSaveFile syncs the file too, but does not look at the outcome.
    if (fsync(file.handle()) != 0) {
        throw FileError("Cannot write file ", FilePath, qt_error_string(errno));
    }
    if (!file.commit()) {
        throw FileError("Cannot write file ", FilePath, file.errorString());
    }
}
