// The online update: the versions, the connection test, the two downloads, the check and the connection report.

#include "main/aktualizacja_siec.h"

#include <QAction>
#include <QBuffer>
#include <QCryptographicHash>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QSaveFile>
#include <algorithm>
#include <limits>

#include "main/aktualizacja.h"
#include "platform/dialogi.h"
#include "platform/siec.h"
#include "platform/system.h"
#include "platform/ustawienia.h"

namespace aktualizacja {
namespace {

const QString kSciezkaNaSerwerze = QStringLiteral("/aktualizacja/velmar2008/");

}  // namespace

QString AdresOpisu(const QString& serwer) { return serwer + kSciezkaNaSerwerze + QStringLiteral("update.ini"); }

QString AdresInstalatora(const QString& serwer, const QString& plik) {
  return serwer + kSciezkaNaSerwerze + QString::fromLatin1(QUrl::toPercentEncoding(plik));
}

QString PlikOpisu(const QString& folderProgramu) { return folderProgramu + QStringLiteral("update.ini"); }

QString FolderInstalatora(const QString& folderProgramu) { return folderProgramu + QStringLiteral("update/"); }

bool JestNazwaPliku(const QString& nazwa) {
  if (nazwa.isEmpty() || nazwa.size() > 255 || nazwa == QLatin1String(".") || nazwa == QLatin1String("..")) return false;
  return std::none_of(nazwa.cbegin(), nazwa.cend(), [](QChar c) {
    return c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control;
  });
}

bool JestOpisemAktualizacji(const QByteArray& dane) {
  if (dane.size() > kMaksRozmiarOpisu || dane.contains('\0')) return false;
  for (const QByteArray& linia : dane.split('\n'))
    if (linia.trimmed().compare("[UPDATE]", Qt::CaseInsensitive) == 0) return true;
  return false;
}

std::optional<QByteArray> SumaZOpisu(const QString& tekst) {
  if (tekst.isEmpty()) return QByteArray();
  const bool szesnastkowa = tekst.size() == 64 && std::all_of(tekst.cbegin(), tekst.cend(), [](QChar c) {
                              return (c >= u'0' && c <= u'9') || (c.toLower() >= u'a' && c.toLower() <= u'f');
                            });
  if (!szesnastkowa) return std::nullopt;
  return tekst.toLower().toLatin1();
}

QByteArray SumaPliku(const QString& sciezka) {
  QFile plik(sciezka);
  QCryptographicHash suma(QCryptographicHash::Sha256);
  if (!plik.open(QIODevice::ReadOnly) || !suma.addData(&plik)) return {};
  return suma.result().toHex();
}

}  // namespace aktualizacja

unsigned TTools::UslugiSystemu::StanPolaczenia(const QUrl& serwer) { return platform::StanPolaczenia(serwer); }

bool TTools::UslugiSystemu::Echo(const QString& host) {
  return platform::EchoIcmp(host, 1000) != platform::WynikEcha::Blad;
}

bool TTools::UslugiSystemu::Otworz(const QString& plik, const QString& folder) {
  if (QFileInfo(plik).isExecutable()) return QProcess::startDetached(plik, {}, folder);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(plik));
}

bool TTools::UslugiSystemu::OtworzAdres(const QUrl& adres) { return QDesktopServices::openUrl(adres); }

bool TTools::UslugiSystemu::Uruchom(const QString& program, const QString& folder) {
  return QProcess::startDetached(program, {}, folder);
}

namespace {

constexpr unsigned kWszystkieFlagi = platform::PolaczenieModem | platform::PolaczenieLan | platform::PolaczenieProxy |
                                     platform::ModemZajety;

// While a transfer runs, no second check may start from the toolbar.
class TransferWToku {
 public:
  explicit TransferWToku(TTools& tools) : tools_(tools), przyciskWlaczony_(tools.ToolButton10->isEnabled()) {
    tools_.PobieranieWToku = true;
    tools_.ToolButton10->setEnabled(false);
  }
  ~TransferWToku() {
    tools_.PobieranieWToku = false;
    tools_.ToolButton10->setEnabled(przyciskWlaczony_);
  }
  TransferWToku(const TransferWToku&) = delete;
  TransferWToku& operator=(const TransferWToku&) = delete;

 private:
  TTools& tools_;
  bool przyciskWlaczony_;
};

const QString kBrakPolaczenia = QStringLiteral("Brak połączenia z siecią Internet.");
const QString kTytulAktualizacji = QStringLiteral("Aktualizacja on-line");

}  // namespace

TTools::UslugiSystemu& TTools::UslugiWUzyciu() const {
  static UslugiSystemu systemowe;  // holds no state
  return Uslugi ? *Uslugi : systemowe;
}

QString TTools::WersjaProgramu() const { return platform::WersjaPliku(); }

QString TTools::WersjaAktualizacji() const {
  return platform::TIniFile(aktualizacja::PlikOpisu(FolderProgramu))
      .ReadString(QStringLiteral("UPDATE"), QStringLiteral("Ver"), QString());
}

QString TTools::NazwaPlikuAktualizacji() const {
  return platform::TIniFile(aktualizacja::PlikOpisu(FolderProgramu))
      .ReadString(QStringLiteral("UPDATE"), QStringLiteral("File"), QString());
}

QString TTools::SumaAktualizacji() const {
  return platform::TIniFile(aktualizacja::PlikOpisu(FolderProgramu))
      .ReadString(QStringLiteral("UPDATE"), QStringLiteral("SHA256"), QString());
}

std::vector<unsigned> TTools::WersjaNaLiczby(const QString& wersja) {
  std::vector<unsigned> liczby;
  for (const QStringView czesc : QStringView(wersja).split(u'.')) {
    const bool cyfry = !czesc.isEmpty() && czesc.size() <= 9 &&
                       std::all_of(czesc.begin(), czesc.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!cyfry) return {};
    liczby.push_back(czesc.toUInt());
  }
  return liczby;
}

int TTools::PorownajWersje(const QString& a, const QString& b) {
  const std::vector<unsigned> x = WersjaNaLiczby(a);
  const std::vector<unsigned> y = WersjaNaLiczby(b);
  for (std::size_t i = 0; i < std::max(x.size(), y.size()); ++i) {
    const unsigned u = i < x.size() ? x[i] : 0;
    const unsigned v = i < y.size() ? y[i] : 0;
    if (u != v) return u < v ? -1 : 1;
  }
  return 0;
}

QString TTools::SerwerAktualizacji() const {
  QString serwer = platform::TIniFile(QStringLiteral("velmar2008.ini"))
                       .ReadString(QStringLiteral("PIT"), QStringLiteral("SerwerAktualizacji"), QString())
                       .trimmed();
  while (serwer.endsWith(u'/')) serwer.chop(1);
  const QUrl adres(serwer, QUrl::StrictMode);
  const QString schemat = adres.scheme().toLower();
  const bool poprawny = adres.isValid() && !adres.host().isEmpty() &&
                        (schemat == QLatin1String("http") || schemat == QLatin1String("https"));
  return poprawny ? serwer : aktualizacja::kDomyslnySerwer;
}

bool TTools::JestPolaczenie() {
  UslugiSystemu& uslugi = UslugiWUzyciu();
  const QUrl serwer(SerwerAktualizacji());
  if ((uslugi.StanPolaczenia(serwer) & kWszystkieFlagi) == 0) return false;
  // The reply itself does not matter: only an echo that fails with an error counts as no connection.
  return uslugi.Echo(serwer.host());
}

bool TTools::PobierzPlikIni(const QString& url, const QString& sciezka, bool verbose) {
  if (PobieranieWToku) return false;
  if (!JestPolaczenie()) {
    if (verbose) platform::ShowMessage(kBrakPolaczenia);
    return false;
  }
  const TransferWToku transfer(*this);
  QBuffer bufor;
  bufor.open(QIODevice::WriteOnly);
  platform::PobieranieHttp pobieranie{QUrl(url)};
  pobieranie.MaksRozmiar = aktualizacja::kMaksRozmiarOpisu;
  QString blad = pobieranie.Pobierz(bufor);
  if (blad.isEmpty() && !aktualizacja::JestOpisemAktualizacji(bufor.data()))
    blad = QStringLiteral("Serwer nie przysłał opisu aktualizacji.");
  if (blad.isEmpty()) {
    QSaveFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly) || plik.write(bufor.data()) != bufor.data().size() || !plik.commit())
      blad = QStringLiteral("Nie można zapisać pliku %1.").arg(QDir::toNativeSeparators(sciezka));
  }
  if (blad.isEmpty()) return true;
  if (verbose) platform::ShowMessage(QStringLiteral("Nie udało się pobrać informacji o aktualizacji.\n") + blad);
  return false;
}

bool TTools::PobierzAktualizacje(const QString& url, const QString& sciezka, bool* szyfrowane) {
  if (PobieranieWToku) return false;
  if (!JestPolaczenie()) {
    platform::ShowMessage(kBrakPolaczenia);
    return false;
  }
  const TransferWToku transfer(*this);
  QSaveFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly)) {
    platform::ShowMessage(QStringLiteral("Nie udało się pobrać aktualizacji.\nNie można zapisać pliku %1.")
                              .arg(QDir::toNativeSeparators(sciezka)));
    return false;
  }

  platform::PobieranieHttp pobieranie{QUrl(url)};
  const QPointer<TAktualizacja> okno = Aktualizacja;
  pobieranie.Polaczono = [okno] {
    if (okno) okno->DodajWiersz(QStringLiteral("Połączono z serwerem."));
  };
  pobieranie.Poczatek = [okno](qint64 calosc) {
    if (!okno) return;
    okno->DodajWiersz(QStringLiteral("Trwa pobieranie aktualizacji ..."));
    okno->UstawCalosc(calosc);
  };
  pobieranie.Postep = [okno](qint64 pobrane) {
    if (okno) okno->UstawPostep(pobrane);
  };
  pobieranie.Koniec = [okno] {
    if (!okno) return;
    okno->PostepPelny();
    okno->DodajWiersz(QStringLiteral("Pobieranie aktualizacji zakończone"));
  };
  pobieranie.Rozlaczono = [okno] {
    if (okno) okno->DodajWiersz(QStringLiteral("Połączenie z serwerem zakończone."));
  };
  // Closing the progress window gives up the download.
  if (okno) connect(okno, &QDialog::finished, &pobieranie, &platform::PobieranieHttp::Przerwij);

  QString blad = pobieranie.Pobierz(plik);
  if (blad.isEmpty() && !plik.commit())
    blad = QStringLiteral("Nie można zapisać pliku %1.").arg(QDir::toNativeSeparators(sciezka));
  if (szyfrowane) *szyfrowane = pobieranie.Szyfrowane();
  if (blad.isEmpty()) return true;
  if (!pobieranie.Przerwane()) platform::ShowMessage(QStringLiteral("Nie udało się pobrać aktualizacji.\n") + blad);
  return false;
}

void TTools::SprawdzAktualizacje(bool verbose) {
  if (PobieranieWToku) return;
  const QString wlasna = WersjaProgramu();
  const QString oferowana = WersjaAktualizacji();
  if (PorownajWersje(oferowana, wlasna) > 0 && JestPolaczenie()) {
    const QString nazwa = NazwaPlikuAktualizacji();
    if (!aktualizacja::JestNazwaPliku(nazwa)) {
      if (verbose)
        platform::ShowMessage(QStringLiteral("Opis aktualizacji nie podaje prawidłowej nazwy pliku instalacyjnego."));
      return;
    }
    const std::optional<QByteArray> suma = aktualizacja::SumaZOpisu(SumaAktualizacji());
    if (!suma) {
      if (verbose)
        platform::ShowMessage(
            QStringLiteral("Opis aktualizacji podaje nieprawidłową sumę kontrolną SHA-256 pliku instalacyjnego."));
      return;
    }
    const auto odpowiedz = platform::MessageBox(
        QStringLiteral("Aktualizacja nr ") + oferowana +
            QStringLiteral(" jest dostępna. Czy rozpocząć aktualizację programu ?"),
        kTytulAktualizacji, platform::Przyciski::TakNie, platform::Ikona::Wykrzyknik);
    if (odpowiedz != platform::Odpowiedz::Tak) return;

    const QString folder = aktualizacja::FolderInstalatora(FolderProgramu);
    const QString instalator = folder + nazwa;
    if (QFileInfo::exists(instalator)) QFile::remove(instalator);
    QDir().mkpath(folder);
    const QPointer<TAktualizacja> okno = Aktualizacja;
    if (okno) okno->Pokaz();
    bool szyfrowane = false;
    const bool pobrano =
        PobierzAktualizacje(aktualizacja::AdresInstalatora(SerwerAktualizacji(), nazwa), instalator, &szyfrowane);
    // What may be opened: an installer that matches the description's SHA-256, or, when none is named, one that
    // came over HTTPS.
    if (pobrano && !suma->isEmpty() && aktualizacja::SumaPliku(instalator) != *suma) {
      QFile::remove(instalator);
      if (okno) okno->close();
      platform::ShowMessage(QStringLiteral("Pobrany plik instalacyjny nie zgadza się z sumą kontrolną SHA-256 podaną "
                                           "w opisie aktualizacji. Plik usunięto."));
      return;
    }
    if (pobrano && suma->isEmpty() && !szyfrowane) {
      if (okno) okno->close();
      platform::ShowMessage(QStringLiteral("Plik instalacyjny pobrano bez szyfrowania, a opis aktualizacji nie podaje "
                                           "jego sumy kontrolnej SHA-256, więc program go nie uruchomi.\nPlik "
                                           "zapisano w:\n") +
                            QDir::toNativeSeparators(instalator));
      return;
    }
    bool odRazu = !okno || okno->AutoInstall->isChecked();
    // Installing ends the program, so unsaved changes are asked about first, as on every other way out; Anuluj
    // keeps the program running and leaves the installer to the window's Instaluj.
    if (odRazu && pobrano && QFileInfo::exists(instalator) && !PytanieOZapis(true)) odRazu = false;
    if (okno) {
      if (pobrano && !odRazu) okno->PozwolInstalowac();
      else okno->close();
    }
    if (odRazu && pobrano && QFileInfo::exists(instalator)) {
      if (UslugiWUzyciu().Otworz(instalator, folder)) Zakoncz();
      else platform::ShowMessage(QStringLiteral("Nie można uruchomić programu instalacyjnego:\n") + instalator);
    }
    return;
  }
  if (JestPolaczenie() && verbose)
    platform::MessageBox(QStringLiteral("Wersja ") + wlasna + QStringLiteral(" jest najnowszą wersją programu."),
                         kTytulAktualizacji, platform::Przyciski::Ok, platform::Ikona::Wykrzyknik);
}

void TTools::ToolButton10Click() {
  if (PobieranieWToku) return;
  PobierzPlikIni(aktualizacja::AdresOpisu(SerwerAktualizacji()), aktualizacja::PlikOpisu(FolderProgramu), true);
  SprawdzAktualizacje(true);
}

void TTools::ButtonInternetClick() {
  UslugiSystemu& uslugi = UslugiWUzyciu();
  const QUrl serwer(SerwerAktualizacji());
  const unsigned flagi = uslugi.StanPolaczenia(serwer);
  QString stan;
  if (flagi & platform::PolaczenieModem) stan = QStringLiteral("POŁĄCZENIE PRZEZ MODEM");
  if (flagi & platform::PolaczenieLan) stan = QStringLiteral("POŁĄCZENIE PRZEZ LAN");
  if (flagi & platform::PolaczenieProxy) stan = QStringLiteral("POŁĄCZENIE PRZEZ PROXY");
  if (flagi & platform::ModemZajety) stan = QStringLiteral("MODEM ZAJĘTY");
  const bool polaczony = (flagi & kWszystkieFlagi) != 0;
  if (polaczony) uslugi.Echo(serwer.host());
  platform::ShowMessage(polaczony ? QStringLiteral("Jest zestawione polaczenie z siecia Internet :-)") + stan
                                  : QStringLiteral("Brak polaczenia z siecia Internet :( "));
}
