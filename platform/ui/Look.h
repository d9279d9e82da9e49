#pragma once

#include <QColor>

class QLabel;
class QPushButton;

// The screens' common look.
namespace look {

inline const QColor kTomato{0xFF, 0x63, 0x47};    // #FF6347: button text while pressed, headers
inline const QColor kChocolate{0xD2, 0x69, 0x1E}; // #D2691E: information labels

void tomatoWhilePressed(QPushButton& button);
void colourText(QLabel& label, const QColor& colour, bool bold = false);

} // namespace look
