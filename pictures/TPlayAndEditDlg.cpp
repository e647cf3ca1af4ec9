// TPlayAndEditDlg.cpp: the launcher: the disc search at creation, the full-screen layout, the
// thumbnail grid, and play, exit and edit and play.
#include "pictures/TPlayAndEditDlg.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "files/RegularFile.h"
#include "forms/ErrorBox.h"
#include "forms/FormLook.h"
#include "pictures/PictureFile.h"

namespace {

const QColor Navy(0, 0, 128);
const QColor PaleYellow(255, 255, 128);

// A copy of the picture's bytes for the player to edit, whatever the disc file's permissions,
// under a name no other copy has, in a folder of the launcher's own that only the player can
// enter.
std::unique_ptr<QTemporaryFile> CopyPicture(const QString& source, const QTemporaryDir& folder) {
    const TFileContents picture =
        ReadRegularFile(QFile::encodeName(source).toStdString(), PictureFileLimit());
    if (picture.Failure != TFileFailure::None) {
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2")
                                     .arg(source, QString::fromLocal8Bit(picture.Why.c_str()))
                                     .toStdString());
    }
    const QString pattern = folder.filePath(QStringLiteral("$ECBMP$.XXXXXX.tmp"));
    auto copy = std::make_unique<QTemporaryFile>(pattern);
    const auto size = static_cast<qint64>(picture.Bytes.size());
    if (!copy->open() || copy->write(picture.Bytes.data(), size) != size || !copy->flush()) {
        const QString name = copy->fileName().isEmpty() ? pattern : copy->fileName();
        throw std::runtime_error(QStringLiteral("Cannot write file \"%1\". %2")
                                     .arg(name, copy->errorString())
                                     .toStdString());
    }
    copy->close();
    return copy;
}

}  // namespace

TPlayAndEditDlg::TPlayAndEditDlg(IVolumeList& volumes, const QString& editor, QWidget* parent)
    : QDialog(parent), Volumes(volumes) {
    setupUi(this);
    Editor.setProgram(editor);
    // The editor is a program of its own: it talks to the game's terminal, not to the game.
    Editor.setProcessChannelMode(QProcess::ForwardedChannels);
    Editor.setInputChannelMode(QProcess::ForwardedInputChannel);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    UseFormFont(this);
    PlayBtn->setIcon(GlyphIcon(QStringLiteral(":/launcher/play.png")));
    ExitBtn->setIcon(GlyphIcon(QStringLiteral(":/launcher/exit.png")));
    // The scroll box's colour shows through its client area and the grid around the thumbnails.
    ScrollBox1->viewport()->setAutoFillBackground(true);
    ScrollBox1->viewport()->setBackgroundRole(QPalette::Window);
    On(PlayBtn, &TPlayAndEditDlg::PlayBtnClick);
    On(EditPlayBtn, &TPlayAndEditDlg::EditPlayBtnClick);
    On(ExitBtn, &TPlayAndEditDlg::ExitBtnClick);
    PaintBox1->installEventFilter(this);
    // Building paints each thumbnail as it is made, which must not happen inside a paint; the
    // build follows the paint at once, so the player sees the same.
    BuildTimer.setSingleShot(true);
    connect(&BuildTimer, &QTimer::timeout, this,
            [this] { Guarded([this] { BuildThumbnails(); }); });
    Guarded([this] { FormCreate(this); });
}

void TPlayAndEditDlg::On(QAbstractButton* button, void (TPlayAndEditDlg::*handler)(QObject*)) {
    connect(button, &QAbstractButton::clicked, this,
            [this, button, handler] { Guarded([&] { (this->*handler)(button); }); });
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
    PictureFiles = ListPictures(FindPictureDisc(Volumes.Volumes()));
    DesignBounds = {PlayBtn->geometry(), EditPlayBtn->geometry(), ExitBtn->geometry(),
                    ScrollBox1->geometry()};
    DesignClientWidth = width();
}

void TPlayAndEditDlg::FormShow(QObject*) {
    // Without a border the maximised launcher covers the whole screen, also where no window
    // manager is there to maximise it.
    const QScreen* display = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    setGeometry(display->geometry());
    setWindowState(windowState() | Qt::WindowFullScreen);
    BackImage->setGeometry(rect());
    // The layout keeps the design's proportions: every value, vertical ones too, is scaled by the
    // ratio of the client widths.
    const auto scale = [this](int value) { return width() * value / DesignClientWidth; };
    const std::array<QWidget*, 4> controls = {PlayBtn, EditPlayBtn, ExitBtn, ScrollBox1};
    for (size_t i = 0; i < controls.size(); ++i) {
        const QRect& design = DesignBounds[i];
        controls[i]->setGeometry(scale(design.x()), scale(design.y()), scale(design.width()),
                                 scale(design.height()));
    }
    QPalette pale = ScrollBox1->palette();
    pale.setColor(QPalette::Window, PaleYellow);
    ScrollBox1->setPalette(pale);
}

void TPlayAndEditDlg::PaintBox1Paint(QObject*, const QRect& clip) {
    if (ThumbnailCount <= 0) {
        BuildTimer.start();
        return;
    }
    QPainter painter(PaintBox1);
    for (int32_t i = 0; i < ThumbnailCount; ++i) {
        const QRect cell = CellRect(i, GridColumns);
        const std::optional<QImage>& thumbnail = Thumbnails[static_cast<size_t>(i)];
        if (!cell.intersects(clip) || !thumbnail) {
            continue;
        }
        if (i == SelectedIndex) {
            painter.fillRect(cell, Navy);
        }
        // Centred in the cell's box; the box's even sides put an odd pixel right and below.
        QRect placed({}, thumbnail->deviceIndependentSize().toSize());
        placed.moveCenter(ThumbnailBox.translated(cell.topLeft()).center());
        painter.drawImage(placed.topLeft(), *thumbnail);
    }
}

void TPlayAndEditDlg::BuildThumbnails() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    Thumbnails.fill(std::nullopt);
    ThumbnailCount =
        static_cast<int32_t>(std::min<qsizetype>(PictureFiles.size(), ThumbnailCapacity));

    GridColumns = GridColumnsFor(ScrollBox1->viewport()->width());
    GridRows = (ThumbnailCount + GridColumns - 1) / GridColumns;
    const QSize grid(GridColumns * CellSize.width(), GridRows * CellSize.height());
    PaintBox1->resize(grid);
    ScrollBox1Client->resize(ScrollBox1->viewport()->width(), grid.height());
    // The scroll box shows or hides its bar in a queued call; the grid is centred in the width
    // the bar leaves.
    QCoreApplication::sendPostedEvents(ScrollBox1, QEvent::MetaCall);
    const int32_t clientWidth = ScrollBox1->viewport()->width();
    ScrollBox1Client->resize(clientWidth, grid.height());
    // Centred; truncated toward zero, so a grid wider than the client reaches as far either way.
    PaintBox1->move((clientWidth - grid.width()) / 2, 0);

    QScrollBar* scroll = ScrollBox1->verticalScrollBar();
    for (int32_t i = 0; i < ThumbnailCount; ++i) {
        try {
            const QImage source = LoadPicture(PictureFiles[i]);
            // The chooser's rule. A sliver may come out too thin to show at all, where QImage's
            // own fit would make it a pixel thick.
            const QSize size = source.size().scaled(ThumbnailBox.size(), Qt::KeepAspectRatio);
            Thumbnails[static_cast<size_t>(i)] = ScaledForScreen(source, size, devicePixelRatioF());
            // A new row that does not show in full is scrolled to the top; near the end of the
            // grid the bar stops at its last full screen.
            const QRect cell = CellRect(i, GridColumns);
            if (scroll->value() + ScrollBox1->viewport()->height() < cell.top() + cell.height()) {
                scroll->setValue(cell.top());
            }
            // Shown at once, so thumbnails appear one by one as they are made.
            PaintBox1->repaint(cell);
        } catch (const std::exception& error) {
            // The rest stay empty, but can still be selected and played.
            ShowErrorBox(error);
            break;
        }
    }
}

void TPlayAndEditDlg::PaintBox1MouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers,
                                         int32_t x, int32_t y) {
    const int32_t index = CellIndexAt({x, y}, GridColumns);
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
    if (!CopyFolder || !CopyFolder->isValid()) {
        CopyFolder = std::make_unique<QTemporaryDir>();
    }
    if (!CopyFolder->isValid()) {
        throw std::runtime_error(QStringLiteral("Cannot create folder \"%1\". %2")
                                     .arg(QDir::tempPath(), CopyFolder->errorString())
                                     .toStdString());
    }
    EditedCopy = CopyPicture(PictureFiles[SelectedIndex], *CopyFolder);
    // The file's name goes to the editor as its one argument, never through a shell.
    Editor.setArguments({EditedCopy->fileName()});
    Editor.start();
    if (!Editor.waitForStarted()) {
        return;
    }
    // Only the editor can be used until it ends, but the game still handles its events: a
    // signal that ends the game closes the launcher, which ends the wait too.
    // The windows that were showing and how, so they can be put back as they were.
    std::vector<std::pair<QPointer<QWidget>, Qt::WindowStates>> shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isMinimized()) {
            shown.emplace_back(window, window->windowState());
            window->showMinimized();
        }
    }
    setEnabled(false);
    QEventLoop wait;
    connect(&Editor, &QProcess::finished, &wait, &QEventLoop::quit);
    connect(this, &QDialog::finished, &wait, &QEventLoop::quit);
    wait.exec();
    setEnabled(true);
    for (const auto& [window, state] : shown) {
        if (window) {
            window->setWindowState(state);
        }
    }
    if (isHidden()) {
        return;
    }
    SelectedPicture = EditedCopy->fileName();
    done(PlayResult);
}
