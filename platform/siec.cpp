#include "platform/siec.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
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

class Gniazdo {
 public:
  explicit Gniazdo(int fd) : fd_(fd) {}
  ~Gniazdo() {
    if (fd_ >= 0) ::close(fd_);
  }
  Gniazdo(const Gniazdo&) = delete;
  Gniazdo& operator=(const Gniazdo&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

constexpr unsigned char kIcmpEcho = 8;
constexpr unsigned char kIcmpOdpowiedzEcha = 0;

bool StatusUdany(int status) { return status >= 200 && status < 300; }

}  // namespace

unsigned StanPolaczenia(const QUrl& adresDocelowy) {
  const unsigned flagi = StanWedlugQt().value_or(StanWedlugInterfejsow());
  // A proxy alone is no connection: it is only reported on top of one.
  return flagi != 0 && JestProxy(adresDocelowy) ? flagi | PolaczenieProxy : flagi;
}

WynikEcha EchoIcmp(const QString& host, int limitMs) {
  const QHostInfo informacja = QHostInfo::fromName(host);
  if (informacja.error() != QHostInfo::NoError || informacja.addresses().isEmpty()) return WynikEcha::Blad;
  std::optional<quint32> adres;
  for (const QHostAddress& a : informacja.addresses())
    if (a.protocol() == QAbstractSocket::IPv4Protocol) {
      adres = a.toIPv4Address();
      break;
    }
  if (!adres) return WynikEcha::Niedostepne;

  // The kernel fills in the identifier and the checksum of a datagram ICMP socket.
  const Gniazdo gniazdo(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP));
  if (gniazdo.fd() < 0) return WynikEcha::Niedostepne;

  std::array<unsigned char, 8 + 32> pakiet{};
  pakiet[0] = kIcmpEcho;
  pakiet[7] = 1;  // sequence number
  for (std::size_t i = 8; i < pakiet.size(); ++i) pakiet[i] = static_cast<unsigned char>('a' + (i - 8) % 23);
  sockaddr_in cel{};
  cel.sin_family = AF_INET;
  cel.sin_addr.s_addr = htonl(*adres);
  if (::sendto(gniazdo.fd(), pakiet.data(), pakiet.size(), 0, reinterpret_cast<const sockaddr*>(&cel), sizeof cel) < 0)
    return WynikEcha::Blad;

  using Zegar = std::chrono::steady_clock;
  const auto termin = Zegar::now() + std::chrono::milliseconds(limitMs);
  for (;;) {
    const auto pozostalo = std::chrono::duration_cast<std::chrono::milliseconds>(termin - Zegar::now()).count();
    if (pozostalo <= 0) return WynikEcha::BrakOdpowiedzi;
    pollfd oczekiwanie{gniazdo.fd(), POLLIN, 0};
    const int gotowe = ::poll(&oczekiwanie, 1, static_cast<int>(pozostalo));
    if (gotowe < 0 && errno == EINTR) continue;
    if (gotowe <= 0) return WynikEcha::BrakOdpowiedzi;
    std::array<unsigned char, 1500> odebrane{};
    const ssize_t n = ::recv(gniazdo.fd(), odebrane.data(), odebrane.size(), 0);
    // An ICMP error about the request (host unreachable) arrives as a receive error: simply no reply.
    if (n < 0 && errno != EINTR && errno != EAGAIN) return WynikEcha::BrakOdpowiedzi;
    if (n >= 8 && odebrane[0] == kIcmpOdpowiedzEcha) return WynikEcha::Odpowiedz;
  }
}

PobieranieHttp::PobieranieHttp(const QUrl& adres, QObject* parent) : QObject(parent), adres_(adres) {}

void PobieranieHttp::Przerwij() {
  if (!odpowiedz_ || odpowiedz_->isFinished()) return;
  przerwane_ = true;
  odpowiedz_->abort();
}

QString PobieranieHttp::Pobierz(QIODevice& cel) {
  const QString schemat = adres_.scheme().toLower();
  if (!adres_.isValid() || adres_.host().isEmpty() || (schemat != QLatin1String("http") && schemat != QLatin1String("https")))
    return QStringLiteral("Nieprawidłowy adres serwera: %1").arg(adres_.toString());
  przerwane_ = false;
  adresKoncowy_.clear();

  QNetworkAccessManager siec;
  QNetworkRequest zadanie(adres_);
  zadanie.setRawHeader("Accept", "text/html, */*");
  zadanie.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("Mozilla/3.0 (compatible; Indy Library)"));
  zadanie.setTransferTimeout(LimitBezczynnosciMs);
  std::unique_ptr<QNetworkReply> odpowiedz(siec.get(zadanie));
  QNetworkReply* const odp = odpowiedz.get();
  odpowiedz_ = odp;

  bool polaczono = false;
  bool rozpoczeto = false;
  bool zaDuzy = false;
  bool bladZapisu = false;
  qint64 zapisane = 0;
  const auto status = [odp] { return odp->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); };

  connect(odp, &QNetworkReply::requestSent, this, [&] {
    if (polaczono) return;  // a redirect sends again
    polaczono = true;
    if (Polaczono) Polaczono();
  });
  connect(odp, &QNetworkReply::metaDataChanged, this, [&] {
    if (rozpoczeto || !StatusUdany(status())) return;
    rozpoczeto = true;
    bool znany = false;
    const qint64 calosc = odp->header(QNetworkRequest::ContentLengthHeader).toLongLong(&znany);
    if (znany && calosc > MaksRozmiar) {
      zaDuzy = true;
      odp->abort();
      return;
    }
    if (Poczatek) Poczatek(znany ? calosc : -1);
  });
  connect(odp, &QNetworkReply::readyRead, this, [&] {
    const QByteArray dane = odp->readAll();
    if (!rozpoczeto || zaDuzy || bladZapisu) return;  // an error page's body, or after the transfer failed
    if (zapisane + dane.size() > MaksRozmiar) {
      zaDuzy = true;
      odp->abort();
      return;
    }
    if (cel.write(dane) != dane.size()) {
      bladZapisu = true;
      odp->abort();
      return;
    }
    zapisane += dane.size();
  });
  connect(odp, &QNetworkReply::downloadProgress, this, [&](qint64 pobrane, qint64) {
    if (rozpoczeto && !zaDuzy && !bladZapisu && Postep) Postep(pobrane);
  });

  QEventLoop petla;
  connect(odp, &QNetworkReply::finished, &petla, &QEventLoop::quit);
  if (!odp->isFinished()) petla.exec();
  // The application's exit ends every event loop, this one too: what came so far is no whole file.
  if (!odp->isFinished()) {
    przerwane_ = true;
    odp->abort();
  }
  odpowiedz_ = nullptr;
  adresKoncowy_ = odp->url();
  // The rest of the body that came with the last notification.
  if (rozpoczeto && !zaDuzy && !bladZapisu && odp->error() == QNetworkReply::NoError && odp->bytesAvailable() > 0) {
    const QByteArray dane = odp->readAll();
    if (zapisane + dane.size() > MaksRozmiar) zaDuzy = true;
    else if (cel.write(dane) != dane.size()) bladZapisu = true;
  }

  QString blad;
  const int kod = status();
  if (bladZapisu) {
    blad = QStringLiteral("Nie można zapisać pobieranych danych.");
  } else if (zaDuzy) {
    blad = QStringLiteral("Plik na serwerze jest większy, niż program przyjmuje.");
  } else if (przerwane_) {
    blad = QStringLiteral("Pobieranie przerwano.");
  } else if (kod != 0 && !StatusUdany(kod)) {
    blad = QStringLiteral("Serwer odpowiedział: %1 %2")
               .arg(kod)
               .arg(odp->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
  } else if (odp->error() != QNetworkReply::NoError) {
    switch (odp->error()) {
      case QNetworkReply::OperationCanceledError:
      case QNetworkReply::TimeoutError: blad = QStringLiteral("Serwer nie odpowiada."); break;
      case QNetworkReply::ConnectionRefusedError:
      case QNetworkReply::HostNotFoundError:
        blad = QStringLiteral("Nie można połączyć się z serwerem %1.").arg(adres_.host());
        break;
      case QNetworkReply::RemoteHostClosedError: blad = QStringLiteral("Serwer przerwał połączenie."); break;
      default: blad = QStringLiteral("Błąd transmisji: %1").arg(odp->errorString()); break;
    }
  } else if (!rozpoczeto) {
    blad = QStringLiteral("Serwer nie przysłał pliku.");
  }

  if (blad.isEmpty() && Koniec) Koniec();
  if (polaczono && Rozlaczono) Rozlaczono();
  return blad;
}

}  // namespace platform
