#pragma once

#include <QDialog>

#include <functional>

// Shows a dialog application-modal without a nested event loop: the caller
// returns at once, and onClose runs with the dialog's result when it closes.
void showModal(QDialog& dialog, std::function<void(int result)> onClose);

// Shows a window without blocking the others, in front.
void showWindow(QWidget& window);
