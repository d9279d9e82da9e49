#include "platform/ui/ErrorBox.h"

#include "platform/Error.h"

#include <QApplication>
#include <QMessageBox>

QString withFullStop(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void MessageBoxReporter::showError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

ErrorHandler::ErrorHandler() : reporter_(std::make_unique<MessageBoxReporter>()) {}

void ErrorHandler::setReporter(std::unique_ptr<ErrorReporter> reporter)
{
    reporter_ = std::move(reporter);
}

void ErrorHandler::run(const std::function<void()>& handler) const
{
    try {
        handler();
    } catch (const std::exception& e) {
        reporter_->showError(withFullStop(messageOf(e)));
    } catch (...) {
        reporter_->showError(QStringLiteral("Unknown error."));
    }
}
