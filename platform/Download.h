#pragma once

#include <QString>
#include <QUrl>

// Fetches url into the file at path. The body goes to a temporary file in
// the same folder, moved into place only after a complete 2xx response, so
// a failed download leaves no file behind and the next attempt tries again.
// Waits without letting the user act on any window.
struct Download {
    QString failure;       // empty on success, otherwise why it failed
    bool timedOut = false; // the server stopped answering
};
Download downloadFile(const QUrl& url, const QString& path, int timeoutMs, int maxRedirects = 5);
