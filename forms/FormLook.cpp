// FormLook.cpp: fonts, centring and glyphs shared by the game's windows.
#include "forms/FormLook.h"

#include <QDialog>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

void RegisterFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("新細明體"), QStringLiteral("AR PL UMing TW"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
}

QFont FormFont() {
    QFont font(QStringLiteral("新細明體"));
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void UseFormFont(QWidget* form) {
    form->setFont(FormFont());
}

namespace {

// Where a window of that outer size sits in the middle of its screen.
QRect CentredOn(const QWidget* window, QSize size) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(), size);
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area);
}

// A window manager's frame is known only once it has framed the window, which it has done by
// the time it first shows it; then the whole frame is moved to the middle.
class TFrameCentrer : public QObject {
  public:
    explicit TFrameCentrer(QWidget* window) : QObject(window), Window(window) {
        Window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        QWindow* handle = Window->windowHandle();
        if (watched == Window && event->type() == QEvent::Show && handle != nullptr) {
            handle->installEventFilter(this);
        } else if (watched == handle && event->type() == QEvent::Expose && handle->isExposed()) {
            Window->removeEventFilter(this);
            handle->removeEventFilter(this);
            if (!handle->frameMargins().isNull()) {
                Window->move(CentredOn(Window, Window->frameGeometry().size()).topLeft());
            }
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* Window;
};

}  // namespace

void CentreOnScreen(QWidget* window) {
    // Without a window manager the inside is the whole window, and this is where it stays.
    window->setGeometry(CentredOn(window, window->size()));
    new TFrameCentrer(window);
}

QImage ResourceImage(const QString& resource) {
    QImageReader reader(resource, QFileInfo(resource).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon GlyphIcon(const QString& resource) {
    return PixelArtIcon(ResourceImage(resource));
}

QIcon PixelArtIcon(const QImage& image, QIcon::Mode mode, QIcon icon) {
    // Whole multiples of the glyph's pixels keep it crisp on high-density screens, where the
    // icon's own smooth scaling would blur it.
    for (int factor : {1, 2, 3}) {
        icon.addPixmap(QPixmap::fromImage(image.scaled(image.size() * factor, Qt::IgnoreAspectRatio,
                                                       Qt::FastTransformation)),
                       mode);
    }
    return icon;
}

void SetUpDialog(QDialog* dialog, std::initializer_list<QLabel*> autoSized) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    UseFormFont(dialog);
    for (QLabel* label : autoSized) {
        label->adjustSize();
    }
    dialog->setFixedSize(dialog->size());
    CentreOnScreen(dialog);
}
