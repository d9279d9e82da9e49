#include "tests/harness/HttpServer.h"

#include <QTcpSocket>

#include <stdexcept>

HttpServer::HttpServer()
{
    if (!server_.listen(QHostAddress::LocalHost))
        throw std::runtime_error("the test HTTP server cannot listen");
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(nullptr);
            sockets_.emplace_back(socket);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        }
    });
}

HttpServer::~HttpServer() = default;

QString HttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
}

void HttpServer::answer(QTcpSocket* socket)
{
    const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n"))
        return;
    const QString path = QString::fromLatin1(request.split(' ').value(1));
    ++requests_[path];
    const auto found = routes_.constFind(path);
    const Route route = found == routes_.cend() ? Route{404, "not here"} : *found;
    if (route.behaviour == Behaviour::Hang)
        return;
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(route.status) + (route.status == 200 ? " OK" : " Status") + "\r\n";
    if (!route.location.isEmpty())
        head += "Location: " + route.location + "\r\n";
    const qsizetype length = route.behaviour == Behaviour::DropMidBody ? route.body.size() * 2 : route.body.size();
    head += "Content-Length: " + QByteArray::number(length) + "\r\nConnection: close\r\n\r\n";
    socket->write(head + route.body);
    socket->flush();
    socket->disconnectFromHost();
}
