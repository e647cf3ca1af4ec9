// TPlayAndEditDlg.cpp: the launcher: the disc search at creation, the full-screen layout, the
// thumbnail grid, and play, exit and edit and play.
#include "pictures/TPlayAndEditDlg.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "files/RegularFile.h"
#include "forms/ErrorBox.h"
#include "forms/FormLook.h"
#include "pictures/BitmapFile.h"

namespace {

const QColor Navy(0, 0, 128);
// How often the launcher looks whether the editor has ended: soon enough after it for the
// player, seldom enough to cost nothing.
constexpr int EditorPollInterval = 100;
const QColor PaleYellow(255, 255, 128);

// Names on the disc are bytes as the file system has them.
QString FromBytes(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

std::string ToBytes(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

// Every entry, hidden and system ones and folders too: the pattern alone decides. Links are left
// out, as they may lead off the disc. A folder of far more entries than pictures the launcher
// shows is read only so far, so it cannot hold up the start.
std::vector<std::string> EntryNames(const QString& folder) {
    std::vector<std::string> names;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System |
                                     QDir::NoDotAndDotDot | QDir::NoSymLinks);
    while (entries.hasNext() && names.size() < DiscEntryLimit) {
        entries.next();
        names.push_back(ToBytes(entries.fileName()));
    }
    return names;
}

TTextOrder LocaleOrderIgnoringCase() {
    auto collator = std::make_shared<QCollator>();
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    return [collator](const std::string& a, const std::string& b) {
        return collator->compare(FromBytes(a), FromBytes(b)) < 0;
    };
}

TBounds BoundsOf(const QWidget* control) {
    return {control->x(), control->y(), control->width(), control->height()};
}

QRect ToQRect(const TCellRect& cell) {
    return QRect(cell.Left, cell.Top, cell.Right - cell.Left, cell.Bottom - cell.Top);
}

// The per-user data folder, private to the player, instead of a folder all users share. One
// that is there already is made private too, and one that is not the player's own is not used.
std::string PrivateFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    const std::string path = ToBytes(folder);
    const std::runtime_error refused(
        QStringLiteral("Cannot create folder \"%1\"").arg(folder).toStdString());
    if (!QDir().mkpath(QFileInfo(folder).path())) {
        throw refused;
    }
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        throw refused;
    }
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid() ||
        ((info.st_mode & 077) != 0 && chmod(path.c_str(), 0700) != 0)) {
        throw refused;
    }
    return path;
}

// A copy of the picture's bytes under a new name of this launcher's own, so no other instance
// and no link put in its place can meet it. The copy is the player's to edit, whatever the disc
// file's permissions.
QString CopyPicture(const QString& source) {
    const TFileContents picture = ReadRegularFile(ToBytes(source), PictureFileLimit());
    if (picture.Failure != TFileFailure::None) {
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2")
                                     .arg(source, QString::fromLocal8Bit(picture.Why.c_str()))
                                     .toStdString());
    }
    std::string target = PrivateFolder() + "/" + TemporaryPicturePattern;
    const int fd = mkstemps(target.data(), static_cast<int>(TemporaryPictureSuffixLength));
    if (fd < 0) {
        const QString why = QString::fromLocal8Bit(strerror(errno));
        throw std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2")
                                     .arg(FromBytes(target), why)
                                     .toStdString());
    }
    bool written = WriteAll(fd, picture.Bytes);
    int error = errno;
    if (close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        unlink(target.c_str());
        throw std::runtime_error(
            QStringLiteral("Cannot write file \"%1\". %2")
                .arg(FromBytes(target), QString::fromLocal8Bit(strerror(error)))
                .toStdString());
    }
    return FromBytes(target);
}

// The windows that were showing and how, so they can be put back as they were.
using TWindowStates = std::vector<std::pair<QPointer<QWidget>, Qt::WindowStates>>;

TWindowStates MinimizeApplication() {
    TWindowStates shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isMinimized()) {
            shown.emplace_back(window, window->windowState());
            window->showMinimized();
        }
    }
    return shown;
}

void RestoreApplication(const TWindowStates& shown) {
    for (const auto& [window, state] : shown) {
        if (window) {
            window->setWindowState(state);
        }
    }
}

}  // namespace

TPlayAndEditDlg::TPlayAndEditDlg(IVolumeList& volumes, IEditorLauncher& editor, QWidget* parent)
    : QDialog(parent), Volumes(volumes), Editor(editor) {
    setupUi(this);
    SetUpLook();
    WireEvents();
    Guarded([this] { FormCreate(this); });
}

TPlayAndEditDlg::~TPlayAndEditDlg() {
    RemoveEditedCopy();
}

bool TPlayAndEditDlg::HasPictures() const {
    return !PictureFiles.isEmpty();
}

void TPlayAndEditDlg::SetUpLook() {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    UseFormFont(this);
    PlayBtn->setIcon(GlyphIcon(QStringLiteral(":/launcher/play.png")));
    ExitBtn->setIcon(GlyphIcon(QStringLiteral(":/launcher/exit.png")));
    // The scroll box's colour shows through its client area and the grid around the thumbnails.
    ScrollBox1->viewport()->setAutoFillBackground(true);
    ScrollBox1->viewport()->setBackgroundRole(QPalette::Window);
}

void TPlayAndEditDlg::On(QAbstractButton* button, void (TPlayAndEditDlg::*handler)(QObject*)) {
    connect(button, &QAbstractButton::clicked, this,
            [this, button, handler] { Guarded([&] { (this->*handler)(button); }); });
}

void TPlayAndEditDlg::WireEvents() {
    On(PlayBtn, &TPlayAndEditDlg::PlayBtnClick);
    On(EditPlayBtn, &TPlayAndEditDlg::EditPlayBtnClick);
    On(ExitBtn, &TPlayAndEditDlg::ExitBtnClick);
    PaintBox1->installEventFilter(this);
}

bool TPlayAndEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched != PaintBox1) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::Paint: {
            const QRect clip = static_cast<QPaintEvent*>(event)->rect();
            Guarded([&] { PaintBox1Paint(PaintBox1, clip); });
            return true;
        }
        // The second press of a double click is a press like any other.
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            Guarded([&] {
                PaintBox1MouseDown(PaintBox1, mouse->button(), mouse->modifiers(), at.x(), at.y());
            });
            return true;
        }
        default:
            return false;
    }
}

void TPlayAndEditDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window coming back from the taskbar is not shown anew.
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(this); });
    }
}

void TPlayAndEditDlg::FormCreate(QObject*) {
    PictureFiles.clear();
    if (const std::optional<std::string> root = FindPictureDisc()) {
        if (const auto folder = FindPictureFolder(EntryNames(FromBytes(*root)))) {
            const std::string path = *root + *folder;
            for (const std::string& picture :
                 ListPictures(path, EntryNames(FromBytes(path)), LocaleOrderIgnoringCase())) {
                PictureFiles << FromBytes(picture);
            }
        }
    }
    // Nothing is chosen before the first showing, so the first picture is selected.
    SelectedIndex = 0;
    DesignBounds = {BoundsOf(PlayBtn), BoundsOf(EditPlayBtn), BoundsOf(ExitBtn),
                    BoundsOf(ScrollBox1)};
    DesignClientWidth = width();
}

std::optional<std::string> TPlayAndEditDlg::FindPictureDisc() {
    return FindPictureDiscRoot(Volumes.Volumes());
}

void TPlayAndEditDlg::FormShow(QObject*) {
    // Without a border the maximised launcher covers the whole screen, also where no window
    // manager is there to maximise it.
    const QScreen* display = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    setGeometry(display->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);
    BackImage->setGeometry(rect());
    const int32_t clientWidth = width();
    const std::array<QWidget*, 4> controls = {PlayBtn, EditPlayBtn, ExitBtn, ScrollBox1};
    for (size_t i = 0; i < controls.size(); ++i) {
        const TBounds b = ScaleBounds(DesignBounds[i], clientWidth, DesignClientWidth);
        controls[i]->setGeometry(b.Left, b.Top, b.Width, b.Height);
    }
    QPalette pale = ScrollBox1->palette();
    pale.setColor(QPalette::Window, PaleYellow);
    ScrollBox1->setPalette(pale);
}

void TPlayAndEditDlg::PaintBox1Paint(QObject*, const QRect& clip) {
    if (ThumbnailCount <= 0) {
        QueueBuild();
        return;
    }
    QPainter painter(PaintBox1);
    const TCellRect area{clip.left(), clip.top(), clip.right() + 1, clip.bottom() + 1};
    for (int32_t i = 0; i < ThumbnailCount; ++i) {
        const TCellRect cell = CellRect(i, GridColumns);
        const std::optional<QImage>& thumbnail = Thumbnails[static_cast<size_t>(i)];
        if (!CellMeetsClip(cell, area) || !thumbnail) {
            continue;
        }
        if (i == SelectedIndex) {
            painter.fillRect(ToQRect(cell), Navy);
        }
        const TCellPoint at = ThumbnailOrigin(cell, {thumbnail->width(), thumbnail->height()});
        painter.drawImage(at.X, at.Y, *thumbnail);
    }
}

void TPlayAndEditDlg::QueueBuild() {
    // Building paints each thumbnail as it is made, which must not happen inside a paint; the
    // build follows the paint at once, so the player sees the same.
    if (BuildQueued) {
        return;
    }
    BuildQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            BuildQueued = false;
            Guarded([this] { BuildThumbnails(); });
        },
        Qt::QueuedConnection);
}

void TPlayAndEditDlg::BuildThumbnails() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    for (int32_t i = 0; i < ThumbnailCount; ++i) {
        Thumbnails[static_cast<size_t>(i)].reset();
    }
    ThumbnailCount = CellCountFor(static_cast<size_t>(PictureFiles.size()));

    const TGridShape grid = ShapeGrid(ThumbnailCount, ScrollBox1->viewport()->width());
    GridColumns = grid.Columns;
    GridRows = grid.Rows;
    PaintBox1->resize(grid.Width, grid.Height);
    ScrollBox1Client->resize(ScrollBox1->viewport()->width(), grid.Height);
    // The scroll box shows or hides its bar in a queued call; the grid is centred in the width
    // the bar leaves.
    QCoreApplication::sendPostedEvents(ScrollBox1, QEvent::MetaCall);
    const int32_t clientWidth = ScrollBox1->viewport()->width();
    ScrollBox1Client->resize(clientWidth, grid.Height);
    PaintBox1->move(GridLeft(clientWidth, grid.Width), 0);

    QScrollBar* scroll = ScrollBox1->verticalScrollBar();
    for (int32_t i = 0; i < ThumbnailCount; ++i) {
        try {
            const QImage source = LoadWindowsBitmap(PictureFiles[i]);
            const TThumbnailSize size = FitThumbnail(source.width(), source.height());
            Thumbnails[static_cast<size_t>(i)] = source.scaled(
                size.Width, size.Height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            if (const std::optional<int32_t> position =
                    ScrollToShowCell(i, GridColumns, ScrollBox1->viewport()->height(),
                                     scroll->value(), PaintBox1->height())) {
                scroll->setValue(*position);
            }
            InvalidateCell(i);
            PaintBox1->repaint(ToQRect(CellRect(i, GridColumns)));
        } catch (const std::exception& error) {
            // The rest stay empty, but can still be selected and played.
            ShowErrorBox(error);
            break;
        }
    }
}

void TPlayAndEditDlg::InvalidateCell(int32_t index) {
    PaintBox1->update(ToQRect(CellRect(index, GridColumns)));
}

void TPlayAndEditDlg::PaintBox1MouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers,
                                         int32_t x, int32_t y) {
    const int32_t index = CellIndexAt(x, y, GridColumns);
    if (index < ThumbnailCount) {
        InvalidateCell(SelectedIndex);
        SelectedIndex = index;
        InvalidateCell(index);
    }
}

void TPlayAndEditDlg::PlayBtnClick(QObject*) {
    if (PictureFiles.isEmpty()) {
        return;
    }
    SelectedPicture = PictureFiles[SelectedIndex];
    done(PlayResult);
}

void TPlayAndEditDlg::ExitBtnClick(QObject*) {
    done(ExitResult);
}

void TPlayAndEditDlg::reject() {
    done(ExitResult);
}

void TPlayAndEditDlg::EditPlayBtnClick(QObject*) {
    if (PictureFiles.isEmpty()) {
        return;
    }
    const QString source = PictureFiles[SelectedIndex];
    // The copy of the edit before has been played by now; only the new one is kept.
    RemoveEditedCopy();
    EditedCopy = CopyPicture(source);
    // The file's name goes to the editor as its one argument, never through a shell.
    if (!Editor.Start(ToBytes(EditedCopy))) {
        return;
    }
    // Only the editor can be used until it ends, but the game still handles its events: a
    // signal that ends the game closes the launcher, which ends the wait too.
    const TWindowStates shown = MinimizeApplication();
    setEnabled(false);
    bool closed = false;
    if (!Editor.HasEnded()) {
        QEventLoop wait;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &wait, [&] {
            if (Editor.HasEnded()) {
                wait.quit();
            }
        });
        connect(this, &QDialog::finished, &wait, [&] {
            closed = true;
            wait.quit();
        });
        poll.start(EditorPollInterval);
        wait.exec();
    }
    setEnabled(true);
    RestoreApplication(shown);
    if (closed) {
        return;
    }
    SelectedPicture = EditedCopy;
    done(PlayResult);
}

void TPlayAndEditDlg::RemoveEditedCopy() {
    if (!EditedCopy.isEmpty()) {
        QFile::remove(EditedCopy);
        EditedCopy.clear();
    }
}
