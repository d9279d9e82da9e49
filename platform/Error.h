#pragma once

#include <QString>
#include <stdexcept>

// The one kind of error the client raises: a message meant for the operator.
// Handlers let it escape to the error box, or catch it and show message() on
// a label where the operator must keep working.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message);
    const QString& message() const noexcept { return message_; }

private:
    QString message_;
};

// The text of any exception, as the operator should read it.
QString messageOf(const std::exception& e);
