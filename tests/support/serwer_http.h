#pragma once
// A small HTTP/1.1 server on the loopback for the update's tests: fixed answers per path, every request's path and
// header fields recorded, plain or over TLS with the test certificate, and the misbehaviour of real servers on request.

#include <QObject>
#include <map>
#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace velmar_test {

class SerwerHttp : public QObject {
 public:
  struct Trasa {
    int status = 200;
    QByteArray cialo{};
    qint64 urwijPo = -1;       // >= 0: only this many bytes of the body are sent
    bool trzymaj = false;      // after them the connection stays open instead of dropping
    bool milczy = false;       // the request is read and never answered
    bool bezDlugosci = false;  // no Content-Length: the body ends when the connection does
    int bajtCoMs = 0;          // > 0: the body goes out one byte this often
  };
  std::map<QByteArray, Trasa> trasy;
  std::vector<QByteArray> zadania;
  std::vector<std::map<QByteArray, QByteArray>> naglowki;  // each request's header fields, names in lower case

  // Plain HTTP, or HTTPS with the test certificate, which the program's connections trust once one such server is
  // made, or with another one that nothing trusts.
  enum class Tls { Brak, Zaufany, Obcy };
  explicit SerwerHttp(Tls tls = Tls::Brak);
  ~SerwerHttp() override;
  QString Adres() const;
  void Rozlacz();  // drops every open connection, which ends a body without a length

 private:
  void Odpowiedz(QTcpSocket* gniazdo, const Trasa& trasa);

  Tls tls_;
  std::unique_ptr<QTcpServer> serwer_;
  std::vector<QTcpSocket*> gniazda_;
};

}  // namespace velmar_test
