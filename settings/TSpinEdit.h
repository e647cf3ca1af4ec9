// TSpinEdit.h: a numeric spin field that takes any digits typed and brings the number into its
// range only when it loses the focus or is read.
#pragma once

#include <QAbstractSpinBox>
#include <cstdint>
#include <optional>

class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(int MinValue MEMBER Min WRITE SetMinValue)
    Q_PROPERTY(int MaxValue MEMBER Max WRITE SetMaxValue)
    Q_PROPERTY(int Value READ Value WRITE SetValue)

  public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    void SetMinValue(int32_t value);
    void SetMaxValue(int32_t value);

    // The number in the text, brought into the range; a text that is no whole number within the
    // signed 32-bit range reads as the minimum. The text is replaced by the value whenever it
    // did not already say it.
    int32_t Value();
    // Shows the value brought into the range; wider than the range, so a step never overflows.
    void SetValue(int64_t value);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

  protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    std::optional<int32_t> Number() const;

    int32_t Min = 0;
    int32_t Max = 100;
};
