// The online update: the versions, the connection test, the two downloads, the check and the connection report.

#include "main/aktualizacja_siec.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "main/aktualizacja.h"
#include "platform/dialogi.h"
#include "platform/siec.h"
#include "platform/system.h"
#include "platform/ustawienia.h"
#include "platform/zapis_w_folderze.h"

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

}  // namespace aktualizacja

unsigned TTools::UslugiSystemu::StanPolaczenia(const QUrl& serwer) { return platform::StanPolaczenia(serwer); }

void TTools::UslugiSystemu::Echo(const QString& host, QObject* kontekst, std::function<void(bool)> wynik) {
  auto* echo = new platform::EchoIcmp(kontekst);
  echo->Gotowe = [echo, wynik = std::move(wynik)](platform::WynikEcha w) {
    echo->deleteLater();
    wynik(w != platform::WynikEcha::Blad);
  };
  echo->Wyslij(host, 1000);
}

bool TTools::UslugiSystemu::Uruchom(const platform::PlikProgramu& plik, const QString& folder) {
  return plik.Uruchom(folder);
}

bool TTools::UslugiSystemu::OtworzAdres(const QUrl& adres) { return QDesktopServices::openUrl(adres); }

namespace {

constexpr unsigned kWszystkieFlagi = platform::PolaczenieModem | platform::PolaczenieLan | platform::PolaczenieProxy |
                                     platform::ModemZajety;

const QString kBrakPolaczenia = QStringLiteral("Brak połączenia z siecią Internet.");
const QString kTytulAktualizacji = QStringLiteral("Aktualizacja on-line");

// The folder of a file in the program folder, reached without following a link at its name.
platform::FolderBezDowiazan FolderPliku(const QString& sciezka) {
  return platform::FolderBezDowiazan(QFileInfo(sciezka).path());
}

TTools::WynikPobrania Wynik(const platform::PobieranieHttp& pobieranie, const QString& blad) {
  if (blad.isEmpty()) return TTools::WynikPobrania::Pobrano;
  return pobieranie.Przerwane() ? TTools::WynikPobrania::Przerwano : TTools::WynikPobrania::Blad;
}

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
  QString serwer =
      Ustawienia().ReadString(QStringLiteral("PIT"), QStringLiteral("SerwerAktualizacji"), QString()).trimmed();
  while (serwer.endsWith(u'/')) serwer.chop(1);
  const QUrl adres(serwer, QUrl::StrictMode);
  const QString schemat = adres.scheme().toLower();
  const bool poprawny = adres.isValid() && !adres.host().isEmpty() &&
                        (schemat == QLatin1String("http") || schemat == QLatin1String("https"));
  return poprawny ? serwer : aktualizacja::kDomyslnySerwer;
}

void TTools::JestPolaczenie(std::function<void(bool)> wynik) {
  UslugiSystemu& uslugi = UslugiWUzyciu();
  const QUrl serwer(SerwerAktualizacji());
  // Whether a proxy stands in between changes nothing here, and asking the system may wait on the network.
  if ((uslugi.StanPolaczenia(QUrl()) & kWszystkieFlagi) == 0) {
    QTimer::singleShot(0, this, [wynik = std::move(wynik)] { wynik(false); });
    return;
  }
  // The reply itself does not matter: only an echo that fails with an error counts as no connection.
  uslugi.Echo(serwer.host(), this, std::move(wynik));
}

void TTools::PobierzPlikIni(const QString& url, const QString& sciezka, bool verbose,
                            std::function<void(WynikPobrania)> dalej) {
  JestPolaczenie([this, url, sciezka, verbose, dalej = std::move(dalej)](bool polaczono) {
    if (!polaczono) {
      if (verbose) platform::ShowMessage(kBrakPolaczenia);
      dalej(WynikPobrania::Blad);
      return;
    }
    // Asked for by the user, the download shows in the progress window, whose Anuluj gives it up.
    const QPointer<TAktualizacja> okno = verbose ? Aktualizacja : nullptr;
    auto* pobieranie = new platform::PobieranieHttp(QUrl(url), this);
    pobieranie->MaksRozmiar = aktualizacja::kMaksRozmiarOpisu;
    pobieranie->LimitBezczynnosciMs = LimitBezczynnosciMs;
    pobieranie->LimitCalkowityMs = LimitOpisuMs;
    if (okno) {
      okno->Pokaz();
      okno->DodajWiersz(QStringLiteral("Pobieranie informacji o aktualizacji ..."));
      connect(okno, &QDialog::finished, pobieranie, &platform::PobieranieHttp::Przerwij);
    }
    pobieranie->Zakonczono = [pobieranie, okno, sciezka, verbose, dalej](const QString& bladTransferu) {
      pobieranie->deleteLater();
      const WynikPobrania wynik = Wynik(*pobieranie, bladTransferu);
      QString blad = bladTransferu;
      const QByteArray dane = static_cast<QBuffer*>(pobieranie->Cel())->data();
      if (blad.isEmpty() && !aktualizacja::JestOpisemAktualizacji(dane))
        blad = QStringLiteral("Serwer nie przysłał opisu aktualizacji.");
      if (blad.isEmpty() && !FolderPliku(sciezka).Zapisz(QFileInfo(sciezka).fileName(), dane))
        blad = QStringLiteral("Nie można zapisać pliku %1.").arg(QDir::toNativeSeparators(sciezka));
      if (okno) okno->close();
      if (wynik == WynikPobrania::Przerwano) return dalej(wynik);
      if (!blad.isEmpty() && verbose)
        platform::ShowMessage(QStringLiteral("Nie udało się sprawdzić, czy jest nowsza wersja programu: nie pobrano "
                                             "informacji o aktualizacji.\n") +
                              blad);
      dalej(blad.isEmpty() ? WynikPobrania::Pobrano : WynikPobrania::Blad);
    };
    auto bufor = std::make_unique<QBuffer>();
    bufor->open(QIODevice::WriteOnly);
    pobieranie->Rozpocznij(std::move(bufor));
  });
}

void TTools::PobierzAktualizacje(const QString& url, const QString& sciezka,
                                 std::function<void(WynikPobrania, bool, bool)> dalej) {
  JestPolaczenie([this, url, sciezka, dalej = std::move(dalej)](bool polaczono) {
    if (!polaczono) {
      platform::ShowMessage(kBrakPolaczenia);
      dalej(WynikPobrania::Blad, false, false);
      return;
    }
    // Written to disk as it arrives; the installer's name appears only once the whole of it is there.
    std::unique_ptr<platform::NowyPlik> plik = FolderPliku(sciezka).Nowy(QFileInfo(sciezka).fileName());
    if (!plik) {
      platform::ShowMessage(QStringLiteral("Nie udało się pobrać aktualizacji.\nNie można zapisać pliku %1.")
                                .arg(QDir::toNativeSeparators(sciezka)));
      dalej(WynikPobrania::Blad, false, false);
      return;
    }
    auto* pobieranie = new platform::PobieranieHttp(QUrl(url), this);
    pobieranie->MaksRozmiar = aktualizacja::kMaksRozmiarInstalatora;
    pobieranie->LimitBezczynnosciMs = LimitBezczynnosciMs;
    pobieranie->LimitCalkowityMs = LimitInstalatoraMs;
    const QPointer<TAktualizacja> okno = Aktualizacja;
    pobieranie->Polaczono = [okno] {
      if (okno) okno->DodajWiersz(QStringLiteral("Połączono z serwerem."));
    };
    pobieranie->Poczatek = [okno](qint64 calosc) {
      if (!okno) return;
      okno->DodajWiersz(QStringLiteral("Trwa pobieranie aktualizacji ..."));
      okno->UstawCalosc(calosc);
    };
    pobieranie->Postep = [okno](qint64 pobrane) {
      if (okno) okno->UstawPostep(pobrane);
    };
    pobieranie->Koniec = [okno] {
      if (!okno) return;
      okno->PostepPelny();
      okno->DodajWiersz(QStringLiteral("Pobieranie aktualizacji zakończone"));
    };
    pobieranie->Rozlaczono = [okno] {
      if (okno) okno->DodajWiersz(QStringLiteral("Połączenie z serwerem zakończone."));
    };
    // Closing the progress window gives up the download.
    if (okno) connect(okno, &QDialog::finished, pobieranie, &platform::PobieranieHttp::Przerwij);
    pobieranie->Zakonczono = [pobieranie, sciezka, dalej](const QString& bladTransferu) {
      pobieranie->deleteLater();
      WynikPobrania wynik = Wynik(*pobieranie, bladTransferu);
      QString blad = bladTransferu;
      if (wynik == WynikPobrania::Pobrano && !static_cast<platform::NowyPlik*>(pobieranie->Cel())->Zatwierdz()) {
        blad = QStringLiteral("Nie można zapisać pliku %1.").arg(QDir::toNativeSeparators(sciezka));
        wynik = WynikPobrania::Blad;
      }
      if (wynik == WynikPobrania::Blad)
        platform::ShowMessage(QStringLiteral("Nie udało się pobrać aktualizacji.\n") + blad);
      dalej(wynik, pobieranie->Szyfrowane(), pobieranie->DlugoscPotwierdzona());
    };
    pobieranie->Rozpocznij(std::move(plik));
  });
}

void TTools::RozpocznijAktualizacje(bool verbose, bool zOpisem) {
  if (aktualizacjaWToku_) return;
  aktualizacjaWToku_ = true;
  przyciskAktualizacji_ = ToolButton10->isEnabled();
  ToolButton10->setEnabled(false);
  if (!zOpisem) return PorownajWersjeAktualizacji(verbose, true);
  PobierzPlikIni(aktualizacja::AdresOpisu(SerwerAktualizacji()), aktualizacja::PlikOpisu(FolderProgramu), verbose,
                 [this, verbose](WynikPobrania wynik) {
                   // A failed download leaves the last good description to compare with; a cancelled one ends here.
                   if (wynik == WynikPobrania::Przerwano) return ZakonczAktualizacje();
                   PorownajWersjeAktualizacji(verbose, wynik == WynikPobrania::Pobrano);
                 });
}

void TTools::ZakonczAktualizacje() {
  aktualizacjaWToku_ = false;
  ToolButton10->setEnabled(przyciskAktualizacji_);
}

void TTools::SprawdzAktualizacje(bool verbose) { RozpocznijAktualizacje(verbose, false); }

void TTools::SprawdzAktualizacjePrzyStarcie() {
  if (pokazane_) RozpocznijAktualizacje(false, true);
  else sprawdzPoPokazaniu_ = true;
}

void TTools::ToolButton10Click() { RozpocznijAktualizacje(true, true); }

void TTools::PorownajWersjeAktualizacji(bool verbose, bool opisBiezacy) {
  const QString wlasna = WersjaProgramu();
  const QString oferowana = WersjaAktualizacji();
  const bool nowsza = PorownajWersje(oferowana, wlasna) > 0;
  // After a failed download the last good description may still offer a newer version, but it cannot tell that
  // there is none: the failure has been reported instead.
  if (!nowsza && !(verbose && opisBiezacy)) return ZakonczAktualizacje();
  JestPolaczenie([this, wlasna, oferowana, nowsza, verbose](bool polaczono) {
    // Without a connection nothing is said here: fetching the description has said it.
    if (!polaczono) return ZakonczAktualizacje();
    if (nowsza) return ZaproponujAktualizacje(oferowana, verbose);
    platform::MessageBox(QStringLiteral("Wersja ") + wlasna + QStringLiteral(" jest najnowszą wersją programu."),
                         kTytulAktualizacji, platform::Przyciski::Ok, platform::Ikona::Wykrzyknik);
    ZakonczAktualizacje();
  });
}

void TTools::ZaproponujAktualizacje(const QString& oferowana, bool verbose) {
  const QString nazwa = NazwaPlikuAktualizacji();
  if (!aktualizacja::JestNazwaPliku(nazwa)) {
    if (verbose)
      platform::ShowMessage(QStringLiteral("Opis aktualizacji nie podaje prawidłowej nazwy pliku instalacyjnego."));
    return ZakonczAktualizacje();
  }
  const std::optional<QByteArray> suma = aktualizacja::SumaZOpisu(SumaAktualizacji());
  if (!suma) {
    if (verbose)
      platform::ShowMessage(
          QStringLiteral("Opis aktualizacji podaje nieprawidłową sumę kontrolną SHA-256 pliku instalacyjnego."));
    return ZakonczAktualizacje();
  }
  const auto odpowiedz = platform::MessageBox(
      QStringLiteral("Aktualizacja nr ") + oferowana +
          QStringLiteral(" jest dostępna. Czy rozpocząć aktualizację programu ?"),
      kTytulAktualizacji, platform::Przyciski::TakNie, platform::Ikona::Wykrzyknik);
  if (odpowiedz != platform::Odpowiedz::Tak) return ZakonczAktualizacje();

  // The update's folder and the old installer are the program's own names: a link in the place of either is removed,
  // never followed. A folder that cannot be made fails the download.
  const platform::FolderBezDowiazan folder =
      platform::FolderBezDowiazan(FolderProgramu).Podfolder(QStringLiteral("update"));
  const QString instalator = folder.Sciezka() + nazwa;
  folder.Usun(nazwa);
  zaufanyInstalator_.clear();
  sumaZaufanego_.clear();
  if (Aktualizacja) Aktualizacja->Pokaz();
  PobierzAktualizacje(aktualizacja::AdresInstalatora(SerwerAktualizacji(), nazwa), instalator,
                      [this, instalator, suma = *suma](WynikPobrania wynik, bool szyfrowane, bool dlugosc) {
                        ZainstalujAktualizacje(instalator, suma, wynik, szyfrowane, dlugosc);
                      });
}

void TTools::ZainstalujAktualizacje(const QString& instalator, const QByteArray& suma, WynikPobrania wynik,
                                    bool szyfrowane, bool dlugoscPotwierdzona) {
  const QPointer<TAktualizacja> okno = Aktualizacja;
  const auto zamknijOkno = [okno] {
    if (okno) okno->close();
  };
  if (wynik != WynikPobrania::Pobrano) {
    zamknijOkno();
    return ZakonczAktualizacje();
  }
  // What may be started: an installer that matches the description's SHA-256, or, when none is named, one that came
  // over HTTPS whole, as long as the server announced; a body without a length may have been cut off anywhere. It is
  // held open from here on, so what starts is what was checked.
  platform::PlikProgramu plik(instalator);
  const QByteArray pobrana = plik.Sha256();
  if (!suma.isEmpty() && pobrana != suma) {
    FolderPliku(instalator).Usun(QFileInfo(instalator).fileName());
    zamknijOkno();
    platform::ShowMessage(QStringLiteral("Pobrany plik instalacyjny nie zgadza się z sumą kontrolną SHA-256 podaną w "
                                         "opisie aktualizacji. Plik usunięto."));
    return ZakonczAktualizacje();
  }
  if (suma.isEmpty() && !(szyfrowane && dlugoscPotwierdzona)) {
    zamknijOkno();
    platform::ShowMessage((szyfrowane ? QStringLiteral("Serwer nie podał długości pliku instalacyjnego i nie wiadomo, "
                                                       "czy nadszedł on w całości")
                                      : QStringLiteral("Plik instalacyjny pobrano bez szyfrowania")) +
                          QStringLiteral(", a opis aktualizacji nie podaje jego sumy kontrolnej SHA-256, więc program "
                                         "go nie uruchomi.\nPlik zapisano w:\n") +
                          QDir::toNativeSeparators(instalator));
    return ZakonczAktualizacje();
  }
  bool odRazu = !okno || okno->AutoInstall->isChecked();
  // Installing ends the program, so unsaved changes are asked about first, as on every other way out; Anuluj
  // keeps the program running and leaves the installer to the window's Instaluj.
  if (odRazu && !PytanieOZapis(true)) odRazu = false;
  if (okno && !odRazu) {
    // Instaluj may come long after: what was verified is remembered, to be checked again then.
    zaufanyInstalator_ = instalator;
    sumaZaufanego_ = pobrana;
    okno->PozwolInstalowac();
  } else {
    zamknijOkno();
  }
  if (odRazu && UruchomSprawdzony(plik)) Zakoncz();
  ZakonczAktualizacje();
}

bool TTools::UruchomInstalator(const QString& instalator) {
  // Opened once, the file is checked and started by its descriptor: a link or another file put in its place later
  // changes nothing.
  platform::PlikProgramu plik(instalator);
  if (instalator != zaufanyInstalator_ || sumaZaufanego_.isEmpty() || plik.Sha256() != sumaZaufanego_) {
    platform::ShowMessage(QStringLiteral("Program nie sprawdził tego pliku instalacyjnego albo plik zmienił się po "
                                         "sprawdzeniu, więc go nie uruchomi.\nPlik leży w:\n") +
                          QDir::toNativeSeparators(instalator));
    return false;
  }
  return UruchomSprawdzony(plik);
}

bool TTools::UruchomSprawdzony(const platform::PlikProgramu& plik) {
  // Downloaded as data, the installer needs the execute bit to start as a program.
  if (!plik.UstawWykonywalny() ||
      !UslugiWUzyciu().Uruchom(plik, QFileInfo(plik.Sciezka()).path() + QLatin1Char('/'))) {
    platform::ShowMessage(QStringLiteral("Nie można uruchomić programu instalacyjnego:\n") +
                          QDir::toNativeSeparators(plik.Sciezka()));
    return false;
  }
  return true;
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
  if ((flagi & kWszystkieFlagi) == 0) {
    platform::ShowMessage(QStringLiteral("Brak polaczenia z siecia Internet :( "));
    return;
  }
  // The echo's reply does not change the report; it is waited for without blocking.
  uslugi.Echo(serwer.host(), this, [stan](bool) {
    platform::ShowMessage(QStringLiteral("Jest zestawione polaczenie z siecia Internet :-)") + stan);
  });
}
