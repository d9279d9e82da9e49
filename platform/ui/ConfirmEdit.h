#pragma once

#include <QLineEdit>

#include <functional>

class ErrorHandler;

// A line edit whose text is confirmed by Enter, by the focus leaving it, or
// by the program setting it, and only when it changed since it was last
// confirmed. The handler runs through the error guard; when it fails, the
// text stays unconfirmed, so the next Enter tries again.
class ConfirmEdit : public QLineEdit {
    Q_OBJECT
public:
    ConfirmEdit(const ErrorHandler& errors, QWidget* parent);

    void setOnConfirm(std::function<void(const QString& text)> handler) { onConfirm_ = std::move(handler); }
    // Sets the text as if typed and confirmed.
    void setTextConfirming(const QString& text);
    // Empties the box; an emptied box counts as confirmed.
    void clearConfirmed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void confirm();

    const ErrorHandler& errors_;
    std::function<void(const QString&)> onConfirm_;
    bool changed_ = false;
    bool confirming_ = false;
};
