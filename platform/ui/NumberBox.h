#pragma once

#include <QDoubleSpinBox>

// A box for a whole number in [minimum, maximum]: a typed value outside the
// range is clamped, an emptied box takes the minimum. valueChanged fires when
// the typing is confirmed, not on every key.
class NumberBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    NumberBox(double minimum, double maximum, QWidget* parent);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    double valueFromText(const QString& text) const override;
    QString textFromValue(double value) const override;
    void fixup(QString& input) const override;
};
