#include "platform/Download.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

#include <memory>

Download downloadFile(const QUrl& url, const QString& path, int timeoutMs, int maxRedirects)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {file.errorString()};

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(maxRedirects);
    // The transfer time-out restarts with every byte received: it catches a
    // server that stops answering, in connecting, sending or receiving.
    request.setTransferTimeout(timeoutMs);
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QString failure;
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // No status at all: a local file:// folder, as the demo uses.
        const bool body = status == 0 || (status >= 200 && status < 300);
        if (body && file.write(reply->readAll()) < 0 && failure.isEmpty())
            failure = file.errorString();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    const bool redirectRefused =
        error == QNetworkReply::TooManyRedirectsError || error == QNetworkReply::InsecureRedirectError;
    if (error == QNetworkReply::OperationCanceledError)
        failure = QStringLiteral("no answer within %1 s").arg(timeoutMs / 1000.0);
    else if (status != 0 && (status < 200 || status >= 300) && !redirectRefused)
        failure = QStringLiteral("the server answered %1 %2")
                      .arg(status)
                      .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    else if (error != QNetworkReply::NoError)
        failure = reply->errorString(); // unreachable, too many redirects, cut off mid-body
    else if (failure.isEmpty() && file.write(reply->readAll()) < 0)
        failure = file.errorString();

    if (!failure.isEmpty()) {
        file.cancelWriting();
        return {failure, error == QNetworkReply::OperationCanceledError};
    }
    if (!file.commit())
        return {file.errorString()};
    return {};
}
