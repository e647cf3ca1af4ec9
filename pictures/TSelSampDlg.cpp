// TSelSampDlg.cpp: the sample chooser, its button pictures and the choice.
#include "pictures/TSelSampDlg.h"

#include "forms/ErrorBox.h"
#include "forms/FormLook.h"
#include "pictures/PictureFile.h"

TSelSampDlg::TSelSampDlg(QWidget* parent) : QDialog(parent) {
    setupUi(this);
    SetUpDialog(this);
    int32_t id = FirstSampleId;
    for (QPushButton* button : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5}) {
        Samples.addButton(button, id++);
    }
    connect(&Samples, &QButtonGroup::buttonClicked, this,
            [this](QAbstractButton* button) { BitBtn1Click(button); });
    connect(ExitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TSelSampDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A sample that cannot be loaded is reported as the chooser opens; it opens all the same.
    Guarded([this] { FormShow(this); });
}

void TSelSampDlg::FormShow(QObject*) {
    // Every button has the size of the first; its bevel takes five pixels on each side.
    const QSize target = BitBtn1->size() - QSize(10, 10);
    const qreal ratio = devicePixelRatioF();
    for (QAbstractButton* button : Samples.buttons()) {
        const QImage source = LoadSampleBitmap(Samples.id(button));
        // Fills the button on one side and fits on the other, shrinking or growing.
        const QSize size = source.size().scaled(target, Qt::KeepAspectRatio);
        // In true colour: a palette picture is smoothed, then dithered back to its palette.
        const QImage glyph =
            ScaledForScreen(source.convertToFormat(QImage::Format_RGB32), size, ratio);
        button->setIcon(QIcon(QPixmap::fromImage(glyph)));
        button->setIconSize(size);
    }
}

void TSelSampDlg::BitBtn1Click(QObject* sender) {
    // Any other sender chooses no sample.
    SelectedSample = Samples.id(qobject_cast<QAbstractButton*>(sender));
    close();
}
