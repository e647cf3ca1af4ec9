// FormLook.cpp: fonts, centring and glyphs shared by the game's windows.
#include "forms/FormLook.h"

#include <algorithm>
#include <map>

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
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

namespace {

// A glyph drawn as pixel art: enlarged only by whole multiples of its pixels, which keeps it
// crisp on high-density screens where smooth scaling would blur it. Its file is read, and each
// size made, when it is first drawn, so a window is shown without waiting for its glyphs.
class TGlyphEngine : public QIconEngine {
  public:
    TGlyphEngine(const QString& resource, bool disabledBeside)
        : Resource(resource), DisabledBeside(disabledBeside) {}

    QIconEngine* clone() const override { return new TGlyphEngine(*this); }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        return Look(mode).size() * Factor(size);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State) override {
        const QSize glyph = Look(mode).size();
        return {glyph, glyph * 2, glyph * 3};
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal) override {
        const int factor = Factor(size);
        QPixmap& made = Made[{mode, factor}];
        if (made.isNull()) {
            const QImage& look = Look(mode);
            made = QPixmap::fromImage(
                look.scaled(look.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
            if (mode != QIcon::Normal && &look == &Normal) {
                // As Qt's own icons do: the style gives a disabled or selected glyph its look.
                QStyleOption option;
                option.palette = QGuiApplication::palette();
                made = QApplication::style()->generatedIconPixmap(mode, made, &option);
            }
        }
        return made;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }

  private:
    // The glyph's normal look, or its own disabled look where its file holds one beside it.
    const QImage& Look(QIcon::Mode mode) {
        if (Normal.isNull()) {
            const QImage file = ResourceImage(Resource);
            const int width = DisabledBeside ? file.width() / 2 : file.width();
            Normal = file.copy(0, 0, width, file.height());
            if (DisabledBeside) {
                OwnDisabled = file.copy(width, 0, width, file.height());
            }
        }
        return mode == QIcon::Disabled && DisabledBeside ? OwnDisabled : Normal;
    }

    // The largest whole multiple of the glyph that fits the size, and at least the glyph.
    int Factor(const QSize& size) {
        const QSize glyph = Look(QIcon::Normal).size();
        if (glyph.isEmpty()) {
            return 1;
        }
        return std::max(1, std::min(size.width() / glyph.width(), size.height() / glyph.height()));
    }

    QString Resource;
    bool DisabledBeside;
    QImage Normal;
    QImage OwnDisabled;
    std::map<std::pair<QIcon::Mode, int>, QPixmap> Made;
};

}  // namespace

QIcon GlyphIcon(const QString& resource, bool disabledBeside) {
    return QIcon(new TGlyphEngine(resource, disabledBeside));
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
