#include "support/serwer_http.h"

#include <QFile>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

namespace velmar_test {
namespace {

QString PlikTls(const char* nazwa) { return QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/tls/") + QLatin1String(nazwa); }

QByteArray Powod(int status) { return status == 200 ? "OK" : status == 404 ? "Not Found" : "Error"; }

}  // namespace

SerwerHttp::SerwerHttp(bool szyfrowany) : szyfrowany_(szyfrowany) {
  if (szyfrowany) {
    auto serwer = std::make_unique<QSslServer>();
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(Certyfikat());
    QFile klucz(PlikTls("klucz.pem"));
    if (!klucz.open(QIODevice::ReadOnly)) qFatal("cannot read the test key");
    tls.setPrivateKey(QSslKey(&klucz, QSsl::Rsa));
    serwer->setSslConfiguration(tls);
    serwer_ = std::move(serwer);
  } else {
    serwer_ = std::make_unique<QTcpServer>();
  }
  if (!serwer_->listen(QHostAddress::LocalHost, 0)) qFatal("cannot listen on the loopback");
  // A TLS connection is pending once its handshake is done.
  connect(serwer_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
    while (QTcpSocket* gniazdo = serwer_->nextPendingConnection()) Obsluz(gniazdo);
  });
}

SerwerHttp::~SerwerHttp() {
  // The sockets die with the server; their last signals must not reach this half-destroyed object.
  for (QTcpSocket* gniazdo : gniazda_) gniazdo->disconnect(this);
  serwer_.reset();
}

QString SerwerHttp::Adres() const {
  return QStringLiteral("%1://127.0.0.1:%2").arg(szyfrowany_ ? "https" : "http").arg(serwer_->serverPort());
}

void SerwerHttp::Zamknij() { serwer_->close(); }

void SerwerHttp::Rozlacz() {
  for (QTcpSocket* gniazdo : std::vector<QTcpSocket*>(gniazda_)) gniazdo->disconnectFromHost();
}

QSslCertificate SerwerHttp::Certyfikat() {
  const auto certyfikaty = QSslCertificate::fromPath(PlikTls("certyfikat.pem"));
  if (certyfikaty.isEmpty()) qFatal("cannot read the test certificate");
  return certyfikaty.front();
}

void SerwerHttp::Ufaj() {
  QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
  tls.addCaCertificate(Certyfikat());
  QSslConfiguration::setDefaultConfiguration(tls);
}

void SerwerHttp::Obsluz(QTcpSocket* gniazdo) {
  gniazda_.push_back(gniazdo);
  auto bufor = std::make_shared<QByteArray>();
  connect(gniazdo, &QTcpSocket::disconnected, this, [this, gniazdo] {
    gniazda_.erase(std::remove(gniazda_.begin(), gniazda_.end(), gniazdo), gniazda_.end());
    gniazdo->deleteLater();
  });
  connect(gniazdo, &QTcpSocket::readyRead, this, [this, gniazdo, bufor] {
    bufor->append(gniazdo->readAll());
    const qsizetype koniec = bufor->indexOf("\r\n\r\n");
    if (koniec < 0) return;
    const QList<QByteArray> linie = bufor->left(koniec).split('\n');
    bufor->clear();
    Zadanie zadanie;
    zadanie.sciezka = linie.value(0).split(' ').value(1);
    for (qsizetype i = 1; i < linie.size(); ++i) {
      const qsizetype dwukropek = linie[i].indexOf(':');
      if (dwukropek > 0)
        zadanie.naglowki[linie[i].left(dwukropek).trimmed().toLower()] = linie[i].mid(dwukropek + 1).trimmed();
    }
    zadania.push_back(zadanie);
    const auto trasa = trasy.find(zadanie.sciezka);
    Odpowiedz(gniazdo, trasa != trasy.end() ? trasa->second : Trasa{404, "brak"});
  });
}

void SerwerHttp::Odpowiedz(QTcpSocket* gniazdo, const Trasa& trasa) {
  if (trasa.milczy) return;
  QByteArray naglowek = "HTTP/1.1 " + QByteArray::number(trasa.status) + ' ' + Powod(trasa.status) +
                        "\r\nContent-Type: application/octet-stream\r\n";
  if (!trasa.bezDlugosci) naglowek += "Content-Length: " + QByteArray::number(trasa.cialo.size()) + "\r\n";
  gniazdo->write(naglowek + "Connection: close\r\n\r\n");
  const QByteArray cialo = trasa.urwijPo >= 0 ? trasa.cialo.left(trasa.urwijPo) : trasa.cialo;
  if (trasa.bajtCoMs <= 0) {
    gniazdo->write(cialo);
    if (!trasa.trzymaj) gniazdo->disconnectFromHost();
    return;
  }
  // A trickle: never silent long enough for an idle limit, yet never done.
  auto* zegar = new QTimer(gniazdo);
  auto wyslane = std::make_shared<qsizetype>(0);
  connect(zegar, &QTimer::timeout, gniazdo, [gniazdo, zegar, cialo, wyslane, trzymaj = trasa.trzymaj] {
    if (*wyslane < cialo.size()) {
      gniazdo->write(cialo.mid((*wyslane)++, 1));
      return;
    }
    zegar->stop();
    if (!trzymaj) gniazdo->disconnectFromHost();
  });
  zegar->start(trasa.bajtCoMs);
}

}  // namespace velmar_test
