// A release service on 127.0.0.1 for the update check: answers every request with the status
// and body set last, and keeps what was asked.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>

class LocalReleaseServer {
 public:
  LocalReleaseServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) serve(socket);
    });
  }

  QString url() const {
    return QStringLiteral("http://127.0.0.1:%1/repos/vantrel/tether/releases/latest")
        .arg(server_.serverPort());
  }
  void answer(int status, const QByteArray& body) {
    status_ = status;
    body_ = body;
  }
  // A release record as the service sends it.
  void answerRelease(const QString& tag, const QList<QPair<QString, QString>>& assets,
                     const QString& page) {
    QJsonArray list;
    for (const auto& [name, address] : assets) {
      list.append(QJsonObject{{QStringLiteral("name"), name},
                              {QStringLiteral("browser_download_url"), address}});
    }
    answer(200, QJsonDocument(QJsonObject{{QStringLiteral("tag_name"), tag},
                                          {QStringLiteral("html_url"), page},
                                          {QStringLiteral("assets"), list}})
                    .toJson());
  }
  void close() { server_.close(); }

  int requests() const { return requests_; }
  const QByteArray& lastRequest() const { return lastRequest_; }

 private:
  void serve(QTcpSocket* socket) {
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
      QByteArray& received = pending_[socket];
      received += socket->readAll();
      if (!received.contains("\r\n\r\n")) return;
      ++requests_;
      lastRequest_ = received;
      pending_.remove(socket);
      QByteArray reply = "HTTP/1.1 " + QByteArray::number(status_) +
                         (status_ == 200 ? " OK" : " Not Found") +
                         "\r\nContent-Type: application/json\r\nContent-Length: " +
                         QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_;
      socket->write(reply);
      socket->disconnectFromHost();
    });
  }

  QTcpServer server_;
  int status_ = 404;
  QByteArray body_;
  int requests_ = 0;
  QByteArray lastRequest_;
  QHash<QTcpSocket*, QByteArray> pending_;
};
