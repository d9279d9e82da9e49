#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTcpServer>

#include <memory>
#include <vector>

class QTcpSocket;

// A small HTTP/1.1 server on loopback, in the test's own thread, for the
// sound downloads.
class HttpServer {
public:
    enum class Behaviour { Answer, DropMidBody, Hang };
    struct Route {
        int status = 200;
        QByteArray body;
        QByteArray location; // for redirects
        Behaviour behaviour = Behaviour::Answer;
    };

    HttpServer();
    ~HttpServer();

    QString url(const QString& path = QStringLiteral("/")) const;
    void route(const QString& path, Route route) { routes_[path] = std::move(route); }
    int requests(const QString& path) const { return requests_.value(path); }

private:
    void answer(QTcpSocket* socket);

    QTcpServer server_;
    QMap<QString, Route> routes_;
    QMap<QString, int> requests_;
    std::vector<std::unique_ptr<QTcpSocket>> sockets_;
};
