#include "support/serwer_http.h"

#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTimer>
#include <algorithm>

#include "support/pliki.h"

namespace velmar_test {

SerwerHttp::SerwerHttp(Tls tls) : tls_(tls) {
  if (tls != Tls::Brak) {
    const QString folder = QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/tls/");
    const QString przedrostek = tls == Tls::Obcy ? QStringLiteral("obcy_") : QString();
    const auto certyfikat = QSslCertificate::fromData(CzytajPlik(folder + przedrostek + "certyfikat.pem"));
    const QSslKey klucz(CzytajPlik(folder + przedrostek + "klucz.pem"), QSsl::Rsa);
    if (certyfikat.isEmpty() || klucz.isNull()) qFatal("cannot read the test certificate");
    QSslConfiguration konfiguracja = QSslConfiguration::defaultConfiguration();
    if (tls == Tls::Zaufany) {
      konfiguracja.addCaCertificate(certyfikat.front());
      QSslConfiguration::setDefaultConfiguration(konfiguracja);
    }
    konfiguracja.setLocalCertificate(certyfikat.front());
    konfiguracja.setPrivateKey(klucz);
    auto serwer = std::make_unique<QSslServer>();
    serwer->setSslConfiguration(konfiguracja);
    serwer_ = std::move(serwer);
  } else {
    serwer_ = std::make_unique<QTcpServer>();
  }
  if (!serwer_->listen(QHostAddress::LocalHost, 0)) qFatal("cannot listen on the loopback");
  // A TLS connection is pending once its handshake is done.
  connect(serwer_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
    while (QTcpSocket* gniazdo = serwer_->nextPendingConnection()) {
      gniazda_.push_back(gniazdo);
      connect(gniazdo, &QTcpSocket::disconnected, this, [this, gniazdo] {
        gniazda_.erase(std::remove(gniazda_.begin(), gniazda_.end(), gniazdo), gniazda_.end());
        gniazdo->deleteLater();
      });
      auto bufor = std::make_shared<QByteArray>();
      connect(gniazdo, &QTcpSocket::readyRead, this, [this, gniazdo, bufor] {
        bufor->append(gniazdo->readAll());
        if (!bufor->contains("\r\n\r\n")) return;
        zadania.push_back(bufor->split(' ').value(1));
        auto& pola = naglowki.emplace_back();
        for (const QByteArray& linia : bufor->left(bufor->indexOf("\r\n\r\n")).split('\n').mid(1))
          if (const qsizetype dwukropek = linia.indexOf(':'); dwukropek > 0)
            pola[linia.left(dwukropek).trimmed().toLower()] = linia.mid(dwukropek + 1).trimmed();
        bufor->clear();
        const auto trasa = trasy.find(zadania.back());
        Odpowiedz(gniazdo, trasa != trasy.end() ? trasa->second : Trasa{404, "brak"});
      });
    }
  });
}

SerwerHttp::~SerwerHttp() {
  // The sockets die with the server; their last signals must not reach this half-destroyed object.
  for (QTcpSocket* gniazdo : gniazda_) gniazdo->disconnect(this);
  serwer_.reset();
}

QString SerwerHttp::Adres() const {
  return QStringLiteral("%1://127.0.0.1:%2").arg(tls_ == Tls::Brak ? "http" : "https").arg(serwer_->serverPort());
}

void SerwerHttp::Rozlacz() {
  for (QTcpSocket* gniazdo : std::vector<QTcpSocket*>(gniazda_)) gniazdo->disconnectFromHost();
}

void SerwerHttp::Odpowiedz(QTcpSocket* gniazdo, const Trasa& trasa) {
  if (trasa.milczy) return;
  gniazdo->write("HTTP/1.1 " + QByteArray::number(trasa.status) + (trasa.status == 200 ? " OK" : " Not Found") +
                 (trasa.bezDlugosci ? QByteArray() : "\r\nContent-Length: " + QByteArray::number(trasa.cialo.size())) +
                 "\r\nConnection: close\r\n\r\n");
  const QByteArray cialo = trasa.urwijPo >= 0 ? trasa.cialo.left(trasa.urwijPo) : trasa.cialo;
  // A trickle is never silent long enough for an idle limit, yet never done.
  auto* zegar = new QTimer(gniazdo);
  connect(zegar, &QTimer::timeout, gniazdo, [gniazdo, zegar, cialo, krok = trasa.bajtCoMs > 0 ? 1 : cialo.size(),
                                             wyslane = qsizetype{0}, trzymaj = trasa.trzymaj]() mutable {
    if (wyslane < cialo.size()) {
      wyslane += gniazdo->write(cialo.mid(wyslane, krok));
      return;
    }
    zegar->stop();
    if (!trzymaj) gniazdo->disconnectFromHost();
  });
  zegar->start(trasa.bajtCoMs);
}

}  // namespace velmar_test
