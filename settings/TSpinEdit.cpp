// TSpinEdit.cpp: the spin field's typing, stepping and repairs of its text.
#include "settings/TSpinEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QProxyStyle>
#include <algorithm>

namespace {

// Holding an arrow button steps first after 400 ms and then every 100 ms; Qt's own styles wait
// longer and repeat more slowly.
class TSpinRepeatStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        switch (hint) {
            case SH_SpinBox_ClickAutoRepeatThreshold:
                return 400;
            case SH_SpinBox_ClickAutoRepeatRate:
                return 100;
            default:
                return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    }
};

}  // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    // The field owns its style; a widget falls back to the application's once its own is gone.
    auto* style = new TSpinRepeatStyle(QApplication::style()->name());
    style->setParent(this);
    setStyle(style);
    SetValue(Min);
}

void TSpinEdit::SetMinValue(int32_t value) {
    Min = value;
    Max = std::max(Max, Min);
}

void TSpinEdit::SetMaxValue(int32_t value) {
    Max = std::max(value, Min);
}

std::optional<int32_t> TSpinEdit::Number() const {
    // An optional sign and digits; a number beyond the signed 32-bit range is none. The field
    // lets in no blanks, which this reading would pass over.
    bool isNumber = false;
    const int32_t number = text().toInt(&isNumber);
    return isNumber ? std::optional(number) : std::nullopt;
}

void TSpinEdit::SetValue(int64_t value) {
    lineEdit()->setText(QString::number(std::clamp<int64_t>(value, Min, Max)));
}

int32_t TSpinEdit::Value() {
    const std::optional<int32_t> number = Number();
    const int32_t value = number ? std::clamp(*number, Min, Max) : Min;
    if (number != value) {
        SetValue(value);
    }
    return value;
}

void TSpinEdit::stepBy(int steps) {
    SetValue(int64_t{Value()} + steps);
    selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
    // The arrows always answer; a step beyond a bound stays at the bound.
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State TSpinEdit::validate(QString& input, int&) const {
    // The text is the field's only state, so whatever may be typed stands as it is: digits, the
    // signs and the decimal point, as the player may be half-way to a number.
    if (std::all_of(input.cbegin(), input.cend(),
                    [](QChar c) { return QStringView(u"+-.0123456789").contains(c); })) {
        return QValidator::Acceptable;
    }
    QApplication::beep();
    return QValidator::Invalid;
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    // Only a number beyond the range is corrected here; any other text waits until it is read.
    const std::optional<int32_t> number = Number();
    if (number && *number != std::clamp(*number, Min, Max)) {
        SetValue(*number);
    }
    QAbstractSpinBox::focusOutEvent(event);
}
