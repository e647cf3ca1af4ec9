// TItemButton.h: a toolbar button that is a menu item on the toolbar, with a glyph of its own.
#pragma once

#include <QActionEvent>
#include <QToolButton>

// The button takes the item (setDefaultAction), so both show one state. The glyph stays off the
// item: a menu makes room for icons as soon as one of its items has any, hidden or not, and the
// button would take the item's empty icon at every change of the item.
class TItemButton : public QToolButton {
  public:
    using QToolButton::QToolButton;

    void ShowItem(QAction* item, const QIcon& glyph) {
        Glyph = glyph;
        setDefaultAction(item);
        setIcon(Glyph);
    }

  protected:
    void actionEvent(QActionEvent* event) override {
        QToolButton::actionEvent(event);
        setIcon(Glyph);
    }

  private:
    QIcon Glyph;
};
