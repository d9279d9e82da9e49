#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;

// The standard error box's text: a full stop is added when the message's
// last character sorts after the full stop ("Companie inexistenta." but
// "completati codBare !").
QString withFullStop(const QString& message);

// Where escaping errors are shown. The application shows a message box;
// tests put a recorder in its place.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void showError(const QString& text) = 0;
};

// Caption "Error", critical icon, one OK button.
class MessageBoxReporter : public ErrorReporter {
public:
    void showError(const QString& text) override;
};

// Every event handler runs through this guard, so no exception crosses Qt's
// event loop: an escaping error goes to the error box and the loop goes on.
class ErrorHandler {
public:
    ErrorHandler();

    void setReporter(std::unique_ptr<ErrorReporter> reporter);
    ErrorReporter& reporter() const { return *reporter_; }

    void run(const std::function<void()>& handler) const;

    // A slot that runs f through the guard. The return type lets Qt see
    // which of the signal's arguments f takes.
    template <typename F> auto wrap(F f) const
    {
        return [this, f](auto&&... args) -> decltype(f(args...), void()) { run([&] { f(args...); }); };
    }

private:
    std::unique_ptr<ErrorReporter> reporter_;
};
