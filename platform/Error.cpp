#include "platform/Error.h"

Error::Error(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

QString messageOf(const std::exception& e)
{
    if (const auto* error = dynamic_cast<const Error*>(&e))
        return error->message();
    return QString::fromUtf8(e.what());
}
