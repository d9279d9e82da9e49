#include "platform/ui/Look.h"

#include <QLabel>
#include <QPushButton>

namespace look {

void tomatoWhilePressed(QPushButton& button)
{
    button.setStyleSheet(QStringLiteral("QPushButton:pressed { color: %1; }").arg(kTomato.name()));
}

void colourText(QLabel& label, const QColor& colour, bool bold)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
    QFont font = label.font();
    font.setBold(bold);
    label.setFont(font);
}

} // namespace look
