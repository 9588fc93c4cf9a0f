#pragma once
// The network as the program sees it: the connection state in the terms of the program's flags, one ICMP echo, and
// an HTTP download. The echo and the download never block: they report through callbacks from the event loop.

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QHostInfo;
class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class QSocketNotifier;
class QTimer;

namespace platform {

// Flags of the connection state; any of them means "connected".
enum FlagaPolaczenia : unsigned {
  PolaczenieModem = 1,
  PolaczenieLan = 2,
  PolaczenieProxy = 4,
  ModemZajety = 8,
};

// The current state as flags, 0 when no network is up. Qt's network information decides where a backend knows the
// state; otherwise any non-loopback interface that is up and has an address counts (a point-to-point one as a modem).
// The proxy flag joins a connection when the system names a proxy for the given address; asking may mean a look-up
// of the proxy's configuration on the network, so an empty address skips it (the connection itself does not depend
// on it).
unsigned StanPolaczenia(const QUrl& adresDocelowy);

enum class WynikEcha {
  Odpowiedz,       // a reply came within the time limit
  BrakOdpowiedzi,  // sent, no reply in time
  Niedostepne,     // the system allows no unprivileged ICMP socket here, or the host has no IPv4 address
  Blad,            // the host cannot be resolved (in time) or the request cannot be sent
};

// One ICMP echo request through an unprivileged datagram socket, without blocking: the name is resolved by Qt's
// look-up off the GUI thread and the reply awaited on the event loop. Gotowe comes once, from the event loop, at the
// latest when both limits have passed; destroying the object ends the echo without it.
class EchoIcmp : public QObject {
  Q_OBJECT
 public:
  explicit EchoIcmp(QObject* parent = nullptr);
  ~EchoIcmp() override;

  std::function<void(WynikEcha)> Gotowe;
  void Wyslij(const QString& host, int limitOdpowiedziMs = 1000, int limitNazwyMs = 5000);

 private:
  void Rozwiazano(const QHostInfo& informacja);
  void Odbierz();
  void Zakoncz(WynikEcha wynik);
  void Zamknij();

  QTimer* termin_;
  int zapytanie_ = -1;
  int gniazdo_ = -1;
  QSocketNotifier* powiadomienie_ = nullptr;
  int limitOdpowiedziMs_ = 1000;
  bool trwa_ = false;
};

// An HTTP GET whose body goes into a device as it arrives, without blocking: Rozpocznij returns at once and
// Zakonczono comes once, from the event loop, when the transfer is over either way. The other callbacks report its
// progress. Destroying the object ends a running transfer without any callback.
class PobieranieHttp : public QObject {
  Q_OBJECT
 public:
  explicit PobieranieHttp(const QUrl& adres, QObject* parent = nullptr);
  ~PobieranieHttp() override;

  qint64 MaksRozmiar = qint64{1} << 31;  // a longer body ends the transfer as failed
  int LimitBezczynnosciMs = 30000;        // a transfer silent this long fails
  int LimitCalkowityMs = 30 * 60 * 1000;  // a transfer not over by then fails, however busy it is

  std::function<void()> Polaczono;                // the request went out to the server
  std::function<void(qint64 calosc)> Poczatek;   // a success status came; the announced size, -1 when unknown
  std::function<void(qint64 pobrane)> Postep;
  std::function<void()> Koniec;                   // the whole body arrived
  std::function<void()> Rozlaczono;               // after Polaczono, when the transfer is over either way
  // Empty on success; otherwise a text for the user saying what went wrong. May destroy the object only through
  // deleteLater.
  std::function<void(const QString& blad)> Zakonczono;

  // Starts the transfer into the device, which the object keeps. The device is written only with the body of a
  // success response; on failure the caller discards it.
  void Rozpocznij(std::unique_ptr<QIODevice> cel);
  QIODevice* Cel() const { return cel_.get(); }
  // Ends a running transfer as failed (a no-op otherwise).
  void Przerwij();
  bool Przerwane() const { return przerwane_; }
  bool WToku() const { return odpowiedz_ != nullptr; }
  // The body came over HTTPS: the address it finally came from, after any redirect, is an https one.
  bool Szyfrowane() const { return adresKoncowy_.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0; }
  // The body is as long as the server announced. A body without an announced length ends wherever the connection
  // does, so a cut-off one cannot be told from a whole one.
  bool DlugoscPotwierdzona() const { return zapowiedziane_ >= 0 && zapisane_ == zapowiedziane_; }

 private:
  void MetaDane();
  void Dane();
  void Zakoncz();
  QString Blad() const;
  void Zglos(const QString& blad);

  QUrl adres_;
  QUrl adresKoncowy_;
  std::unique_ptr<QIODevice> cel_;
  QNetworkAccessManager* siec_;
  QNetworkReply* odpowiedz_ = nullptr;
  QTimer* termin_;
  bool polaczono_ = false;
  bool rozpoczeto_ = false;
  bool zaDuzy_ = false;
  bool bladZapisu_ = false;
  bool poTerminie_ = false;
  bool przerwane_ = false;
  bool bladCertyfikatu_ = false;
  qint64 zapowiedziane_ = -1;
  qint64 zapisane_ = 0;
};

}  // namespace platform
