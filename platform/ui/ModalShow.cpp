#include "platform/ui/ModalShow.h"

void showModal(QDialog& dialog, std::function<void(int result)> onClose)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    QObject::connect(&dialog, &QDialog::finished, &dialog, std::move(onClose), Qt::SingleShotConnection);
    showWindow(dialog);
}

void showWindow(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}
