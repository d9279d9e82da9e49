#include "platform/ui/NumberBox.h"

#include <cmath>

NumberBox::NumberBox(double minimum, double maximum, QWidget* parent) : QDoubleSpinBox(parent)
{
    setDecimals(0);
    setRange(minimum, maximum);
    setValue(minimum);
    setKeyboardTracking(false);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State NumberBox::validate(QString& input, int&) const
{
    for (const QChar c : input) {
        if (!c.isDigit())
            return QValidator::Invalid;
    }
    // Anything made of digits is taken; valueFromText clamps it.
    return input.isEmpty() ? QValidator::Intermediate : QValidator::Acceptable;
}

double NumberBox::valueFromText(const QString& text) const
{
    if (text.isEmpty())
        return minimum();
    return std::clamp(std::floor(text.toDouble()), minimum(), maximum());
}

QString NumberBox::textFromValue(double value) const
{
    return QString::number(value, 'f', 0);
}

void NumberBox::fixup(QString& input) const
{
    input = textFromValue(valueFromText(input));
}
