#include "platform/siec.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSocketNotifier>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>
#include <optional>

namespace platform {
namespace {

unsigned FlagaMedium(QNetworkInformation::TransportMedium medium) {
  return medium == QNetworkInformation::TransportMedium::Cellular ? PolaczenieModem : PolaczenieLan;
}

// What Qt's network information knows; nullopt when no backend can tell.
std::optional<unsigned> StanWedlugQt() {
  if (!QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) return std::nullopt;
  const QNetworkInformation* informacja = QNetworkInformation::instance();
  if (!informacja) return std::nullopt;
  switch (informacja->reachability()) {
    case QNetworkInformation::Reachability::Unknown: return std::nullopt;
    case QNetworkInformation::Reachability::Disconnected: return 0u;
    case QNetworkInformation::Reachability::Local:
    case QNetworkInformation::Reachability::Site:
    case QNetworkInformation::Reachability::Online: break;
  }
  return informacja->supports(QNetworkInformation::Feature::TransportMedium)
             ? FlagaMedium(informacja->transportMedium())
             : unsigned{PolaczenieLan};
}

unsigned StanWedlugInterfejsow() {
  unsigned flagi = 0;
  for (const QNetworkInterface& interfejs : QNetworkInterface::allInterfaces()) {
    const auto f = interfejs.flags();
    if (!f.testFlag(QNetworkInterface::IsUp) || !f.testFlag(QNetworkInterface::IsRunning) ||
        f.testFlag(QNetworkInterface::IsLoopBack) || interfejs.addressEntries().isEmpty())
      continue;
    const bool punktPunkt = f.testFlag(QNetworkInterface::IsPointToPoint) ||
                            interfejs.type() == QNetworkInterface::Ppp || interfejs.type() == QNetworkInterface::Slip;
    flagi |= punktPunkt ? PolaczenieModem : PolaczenieLan;
  }
  return flagi;
}

bool JestProxy(const QUrl& adres) {
  for (const QNetworkProxy& proxy : QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(adres)))
    if (proxy.type() != QNetworkProxy::NoProxy && proxy.type() != QNetworkProxy::DefaultProxy) return true;
  return false;
}

constexpr unsigned char kIcmpEcho = 8;
constexpr unsigned char kIcmpOdpowiedzEcha = 0;

bool StatusUdany(int status) { return status >= 200 && status < 300; }

constexpr qint64 kBuforOdczytu = 256 * 1024;

}  // namespace

unsigned StanPolaczenia(const QUrl& adresDocelowy) {
  const unsigned flagi = StanWedlugQt().value_or(StanWedlugInterfejsow());
  // A proxy alone is no connection: it is only reported on top of one.
  return flagi != 0 && !adresDocelowy.isEmpty() && JestProxy(adresDocelowy) ? flagi | PolaczenieProxy : flagi;
}

EchoIcmp::EchoIcmp(QObject* parent) : QObject(parent), termin_(new QTimer(this)) {
  termin_->setSingleShot(true);
  // Still resolving when the time is up: the name cannot be resolved, as far as the echo is concerned.
  connect(termin_, &QTimer::timeout, this,
          [this] { Zakoncz(zapytanie_ >= 0 ? WynikEcha::Blad : WynikEcha::BrakOdpowiedzi); });
}

EchoIcmp::~EchoIcmp() { Zamknij(); }

void EchoIcmp::Zamknij() {
  termin_->stop();
  if (zapytanie_ >= 0) QHostInfo::abortHostLookup(zapytanie_);
  zapytanie_ = -1;
  delete powiadomienie_;
  powiadomienie_ = nullptr;
  if (gniazdo_ >= 0) ::close(gniazdo_);
  gniazdo_ = -1;
}

void EchoIcmp::Wyslij(const QString& host, int limitOdpowiedziMs, int limitNazwyMs) {
  Zamknij();
  trwa_ = true;
  limitOdpowiedziMs_ = limitOdpowiedziMs;
  termin_->start(limitNazwyMs);
  const int zapytanie = QHostInfo::lookupHost(host, this, &EchoIcmp::Rozwiazano);
  if (trwa_ && gniazdo_ < 0) zapytanie_ = zapytanie;
}

void EchoIcmp::Rozwiazano(const QHostInfo& informacja) {
  zapytanie_ = -1;
  if (!trwa_) return;
  if (informacja.error() != QHostInfo::NoError || informacja.addresses().isEmpty()) return Zakoncz(WynikEcha::Blad);
  std::optional<quint32> adres;
  for (const QHostAddress& a : informacja.addresses())
    if (a.protocol() == QAbstractSocket::IPv4Protocol) {
      adres = a.toIPv4Address();
      break;
    }
  if (!adres) return Zakoncz(WynikEcha::Niedostepne);

  // The kernel fills in the identifier and the checksum of a datagram ICMP socket.
  gniazdo_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, IPPROTO_ICMP);
  if (gniazdo_ < 0) return Zakoncz(WynikEcha::Niedostepne);
  std::array<unsigned char, 8 + 32> pakiet{};
  pakiet[0] = kIcmpEcho;
  pakiet[7] = 1;  // sequence number
  for (std::size_t i = 8; i < pakiet.size(); ++i) pakiet[i] = static_cast<unsigned char>('a' + (i - 8) % 23);
  sockaddr_in cel{};
  cel.sin_family = AF_INET;
  cel.sin_addr.s_addr = htonl(*adres);
  if (::sendto(gniazdo_, pakiet.data(), pakiet.size(), 0, reinterpret_cast<const sockaddr*>(&cel), sizeof cel) < 0)
    return Zakoncz(WynikEcha::Blad);
  powiadomienie_ = new QSocketNotifier(gniazdo_, QSocketNotifier::Read, this);
  connect(powiadomienie_, &QSocketNotifier::activated, this, &EchoIcmp::Odbierz);
  termin_->start(limitOdpowiedziMs_);
}

void EchoIcmp::Odbierz() {
  for (;;) {
    std::array<unsigned char, 1500> odebrane{};
    const ssize_t n = ::recv(gniazdo_, odebrane.data(), odebrane.size(), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    // An ICMP error about the request (host unreachable) arrives as a receive error: simply no reply.
    if (n < 0) return Zakoncz(WynikEcha::BrakOdpowiedzi);
    if (n >= 8 && odebrane[0] == kIcmpOdpowiedzEcha) return Zakoncz(WynikEcha::Odpowiedz);
  }
}

void EchoIcmp::Zakoncz(WynikEcha wynik) {
  if (!trwa_) return;
  trwa_ = false;
  Zamknij();
  QTimer::singleShot(0, this, [this, wynik] {
    if (const auto gotowe = Gotowe) gotowe(wynik);
  });
}

PobieranieHttp::PobieranieHttp(const QUrl& adres, QObject* parent)
    : QObject(parent), adres_(adres), siec_(new QNetworkAccessManager(this)), termin_(new QTimer(this)) {
  termin_->setSingleShot(true);
  connect(termin_, &QTimer::timeout, this, [this] {
    if (!odpowiedz_) return;
    poTerminie_ = true;
    odpowiedz_->abort();
  });
}

PobieranieHttp::~PobieranieHttp() {
  // Ended without a word: none of the callbacks may run on an object being destroyed.
  if (odpowiedz_) {
    odpowiedz_->disconnect(this);
    odpowiedz_->abort();
  }
}

void PobieranieHttp::Przerwij() {
  if (!odpowiedz_ || odpowiedz_->isFinished()) return;
  przerwane_ = true;
  odpowiedz_->abort();
}

void PobieranieHttp::Rozpocznij(std::unique_ptr<QIODevice> cel) {
  cel_ = std::move(cel);
  polaczono_ = rozpoczeto_ = zaDuzy_ = bladZapisu_ = poTerminie_ = przerwane_ = bladCertyfikatu_ = false;
  zapowiedziane_ = -1;
  zapisane_ = 0;
  adresKoncowy_.clear();
  const QString schemat = adres_.scheme().toLower();
  if (!adres_.isValid() || adres_.host().isEmpty() ||
      (schemat != QLatin1String("http") && schemat != QLatin1String("https"))) {
    const QString blad = QStringLiteral("Nieprawidłowy adres serwera: %1").arg(adres_.toString());
    QTimer::singleShot(0, this, [this, blad] { Zglos(blad); });
    return;
  }
  QNetworkRequest zadanie(adres_);
  zadanie.setRawHeader("Accept", "text/html, */*");
  zadanie.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Mozilla/3.0 (compatible; Indy Library)"));
  zadanie.setTransferTimeout(LimitBezczynnosciMs);
  odpowiedz_ = siec_->get(zadanie);
  // The network thread reads no further ahead than this, so a fast body is not held in memory while it is written.
  odpowiedz_->setReadBufferSize(kBuforOdczytu);
  connect(odpowiedz_, &QNetworkReply::requestSent, this, [this] {
    if (polaczono_) return;  // a redirect sends again
    polaczono_ = true;
    if (Polaczono) Polaczono();
  });
#if QT_CONFIG(ssl)
  // Left unignored, a certificate error fails the handshake; it is only noted to say why.
  connect(odpowiedz_, &QNetworkReply::sslErrors, this, [this] { bladCertyfikatu_ = true; });
#endif
  connect(odpowiedz_, &QNetworkReply::metaDataChanged, this, &PobieranieHttp::MetaDane);
  connect(odpowiedz_, &QNetworkReply::readyRead, this, &PobieranieHttp::Dane);
  connect(odpowiedz_, &QNetworkReply::downloadProgress, this, [this](qint64 pobrane, qint64) {
    if (rozpoczeto_ && !zaDuzy_ && !bladZapisu_ && Postep) Postep(pobrane);
  });
  connect(odpowiedz_, &QNetworkReply::finished, this, &PobieranieHttp::Zakoncz);
  termin_->start(LimitCalkowityMs);
}

void PobieranieHttp::MetaDane() {
  const int status = odpowiedz_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (rozpoczeto_ || !StatusUdany(status)) return;
  rozpoczeto_ = true;
  bool znany = false;
  const qint64 calosc = odpowiedz_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&znany);
  if (znany && calosc > MaksRozmiar) {
    zaDuzy_ = true;
    odpowiedz_->abort();
    return;
  }
  zapowiedziane_ = znany ? calosc : -1;
  if (Poczatek) Poczatek(zapowiedziane_);
}

void PobieranieHttp::Dane() {
  const QByteArray dane = odpowiedz_->readAll();
  if (!rozpoczeto_ || zaDuzy_ || bladZapisu_) return;  // an error page's body, or after the transfer failed
  if (zapisane_ + dane.size() > MaksRozmiar) {
    zaDuzy_ = true;
    odpowiedz_->abort();
    return;
  }
  if (cel_->write(dane) != dane.size()) {
    bladZapisu_ = true;
    odpowiedz_->abort();
    return;
  }
  zapisane_ += dane.size();
}

void PobieranieHttp::Zakoncz() {
  termin_->stop();
  adresKoncowy_ = odpowiedz_->url();
  // The rest of the body that came with the last notification.
  if (odpowiedz_->error() == QNetworkReply::NoError && odpowiedz_->bytesAvailable() > 0) Dane();
  const QString blad = Blad();
  odpowiedz_->disconnect(this);
  odpowiedz_->deleteLater();
  odpowiedz_ = nullptr;
  if (blad.isEmpty() && Koniec) Koniec();
  if (polaczono_ && Rozlaczono) Rozlaczono();
  // From the event loop, so whatever the caller does next runs outside the network's signal.
  QTimer::singleShot(0, this, [this, blad] { Zglos(blad); });
}

void PobieranieHttp::Zglos(const QString& blad) {
  if (const auto zakonczono = Zakonczono) zakonczono(blad);
}

QString PobieranieHttp::Blad() const {
  const QNetworkReply* odp = odpowiedz_;
  const int kod = odp->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (bladZapisu_) return QStringLiteral("Nie można zapisać pobieranych danych.");
  if (zaDuzy_) return QStringLiteral("Plik na serwerze jest większy, niż program przyjmuje.");
  if (poTerminie_) return QStringLiteral("Serwer nie przysłał pliku w wyznaczonym czasie.");
  if (przerwane_) return QStringLiteral("Pobieranie przerwano.");
  if (kod != 0 && !StatusUdany(kod))
    return QStringLiteral("Serwer odpowiedział: %1 %2")
        .arg(kod)
        .arg(odp->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
  switch (odp->error()) {
    case QNetworkReply::NoError: break;
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError: return QStringLiteral("Serwer nie odpowiada.");
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError: return QStringLiteral("Nie można połączyć się z serwerem %1.").arg(adres_.host());
    case QNetworkReply::RemoteHostClosedError: return QStringLiteral("Serwer przerwał połączenie.");
    case QNetworkReply::SslHandshakeFailedError:
      return (bladCertyfikatu_ ? QStringLiteral("Serwer %1 nie przedstawił certyfikatu, któremu program ufa, więc "
                                                "połączenie z nim nie jest bezpieczne.")
                               : QStringLiteral("Nie można nawiązać bezpiecznego połączenia z serwerem %1."))
          .arg(adres_.host());
    default: return QStringLiteral("Błąd transmisji: %1").arg(odp->errorString());
  }
  if (!rozpoczeto_) return QStringLiteral("Serwer nie przysłał pliku.");
  return {};
}

}  // namespace platform
