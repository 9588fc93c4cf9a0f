#pragma once
// The network as the program sees it: the connection state in the terms of the program's flags, one ICMP echo, and
// an HTTP download that blocks its caller while a local event loop keeps the windows live.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>

class QIODevice;
class QNetworkReply;

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
// The proxy flag joins a connection when the system names a proxy for the given address.
unsigned StanPolaczenia(const QUrl& adresDocelowy);

enum class WynikEcha {
  Odpowiedz,       // a reply came within the time limit
  BrakOdpowiedzi,  // sent, no reply in time
  Niedostepne,     // the system allows no unprivileged ICMP socket here, or the host has no IPv4 address
  Blad,            // the host cannot be resolved or the request cannot be sent
};

// One ICMP echo request through an unprivileged datagram socket; waits at most limitMs for the reply.
WynikEcha EchoIcmp(const QString& host, int limitMs = 1000);

// An HTTP GET whose body goes into a device as it arrives. Pobierz blocks until the transfer ends; the callbacks
// report its progress and may call Przerwij.
class PobieranieHttp : public QObject {
  Q_OBJECT
 public:
  explicit PobieranieHttp(const QUrl& adres, QObject* parent = nullptr);

  qint64 MaksRozmiar = qint64{1} << 31;  // a longer body ends the transfer as failed
  int LimitBezczynnosciMs = 30000;        // a transfer silent this long fails

  std::function<void()> Polaczono;                // the request went out to the server
  std::function<void(qint64 calosc)> Poczatek;   // a success status came; the announced size, -1 when unknown
  std::function<void(qint64 pobrane)> Postep;
  std::function<void()> Koniec;                   // the whole body arrived
  std::function<void()> Rozlaczono;               // after Polaczono, when the transfer is over either way

  // Empty on success; otherwise a text for the user saying what went wrong. The device is written only with the
  // body of a success response; the caller discards it on failure.
  QString Pobierz(QIODevice& cel);
  // Ends a running transfer as failed (a no-op otherwise).
  void Przerwij();
  bool Przerwane() const { return przerwane_; }
  // The body came over HTTPS: the address it finally came from, after any redirect, is an https one.
  bool Szyfrowane() const { return adresKoncowy_.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0; }

 private:
  QUrl adres_;
  QUrl adresKoncowy_;
  QPointer<QNetworkReply> odpowiedz_;
  bool przerwane_ = false;
};

}  // namespace platform
