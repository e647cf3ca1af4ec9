// TPlayAndEditDlg.h: the full-screen launcher that shows the picture disc's pictures as
// thumbnails and hands the chosen one on for play.
#pragma once

#include <QDialog>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "pictures/ThumbnailGrid.h"
#include "pictures/platform/PictureDisc.h"
#include "ui_TPlayAndEditDlg.h"

// An editor that opens BMP files and whose process lives until the picture is closed; one that
// hands its files to an instance already running would end the wait at once.
inline constexpr char EditorProgram[] = "kolourpaint";

class TPlayAndEditDlg : public QDialog, public Ui::TPlayAndEditDlg {
    Q_OBJECT

  public:
    // Modal results: SelectedPicture names the picture to play, or there is no new choice.
    static constexpr int PlayResult = 1;
    static constexpr int ExitResult = 2;

    // Searches the volumes for the picture disc and lists its pictures; the launcher stays
    // hidden until it is shown modally. Edit and play runs the editor program found on the search
    // path.
    explicit TPlayAndEditDlg(IVolumeList& volumes,
                             const QString& editor = QString::fromLatin1(EditorProgram),
                             QWidget* parent = nullptr);

    // The disc was found and holds at least one picture.
    bool HasPictures() const { return !PictureFiles.isEmpty(); }

    // The full path of the picture chosen for play: a file of the disc, or the edited copy.
    QString SelectedPicture;

    void FormCreate(QObject* sender);
    void FormShow(QObject* sender);
    void PaintBox1Paint(QObject* sender, const QRect& clip);
    void PaintBox1MouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                            int32_t x, int32_t y);
    void PlayBtnClick(QObject* sender);
    void EditPlayBtnClick(QObject* sender);
    void ExitBtnClick(QObject* sender);

    // Closing the launcher by any other way counts as exit.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void On(QAbstractButton* button, void (TPlayAndEditDlg::*handler)(QObject*));
    void BuildThumbnails();
    void InvalidateCell(int32_t index) { PaintBox1->update(CellRect(index, GridColumns)); }

    friend struct TLauncherProbe;

    IVolumeList& Volumes;
    // Ended with the launcher when it is still running as the game ends.
    QProcess Editor;

    QStringList PictureFiles;
    // Nothing is chosen before the first showing, so the first picture is selected.
    int32_t SelectedIndex = 0;
    // An empty slot has no thumbnail; a slot may hold one without pixels, too thin to show.
    std::array<std::optional<QImage>, ThumbnailCapacity> Thumbnails;
    // 0 until the grid is built.
    int32_t ThumbnailCount = 0;
    int32_t GridColumns = 0;
    int32_t GridRows = 0;
    // PlayBtn, EditPlayBtn, ExitBtn and ScrollBox1 as laid out, for every showing to scale.
    std::array<QRect, 4> DesignBounds;
    int32_t DesignClientWidth = 0;
    QTimer BuildTimer;
    // Made at the first edit and play, with the copies in it; it goes with the launcher.
    std::unique_ptr<QTemporaryDir> CopyFolder;
    // The copy that edit and play made last; it goes at the next edit.
    std::unique_ptr<QTemporaryFile> EditedCopy;
};
