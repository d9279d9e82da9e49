#include "platform/ui/ConfirmEdit.h"

#include "platform/ui/ErrorBox.h"

#include <QFocusEvent>
#include <QKeyEvent>

ConfirmEdit::ConfirmEdit(const ErrorHandler& errors, QWidget* parent) : QLineEdit(parent), errors_(errors)
{
    connect(this, &QLineEdit::textEdited, this, [this] { changed_ = true; });
}

void ConfirmEdit::setTextConfirming(const QString& text)
{
    if (text == this->text() && !changed_)
        return;
    setText(text);
    changed_ = true;
    confirm();
}

void ConfirmEdit::clearConfirmed()
{
    clear();
    changed_ = false;
}

void ConfirmEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirm();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void ConfirmEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The error box of our own handler takes the focus too; that is no
    // confirmation, and neither is the window losing the focus.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        confirm();
}

void ConfirmEdit::confirm()
{
    if (!changed_ || confirming_ || !onConfirm_)
        return;
    confirming_ = true;
    bool done = false;
    errors_.run([&] {
        onConfirm_(text());
        done = true;
    });
    confirming_ = false;
    if (done)
        changed_ = false;
}
