// The computations run on the cases of tests/obliczenia/*.txt: each case builds a settlement, enters values, runs
// computations or the identification exchange and checks fields, person blocks, ListError, locks, messages and the
// calls between forms. The notation is described in tests/obliczenia/README.md.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

#include "calc/konwersje.h"
#include "obliczenia_osoby.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

namespace {

constexpr std::array<const char*, kLiczbaTypowDrukow + 1> kNazwy = {
    "",      "PIT-36", "PIT-37", "PIT-36L", "PIT-38", "PIT-28",   "PIT/O",   "PIT/D",    "PIT/2K",  "PIT/M",
    "PIT/B", "PIT/Z",  "PIT/ZG", "SSE-R",   "SSE/A",  "SSE-R/A",  "NIP-1",   "NIP-3",    "PIT-28/A", "PIT-28/B"};
// The PIT-36 entry its attachments use appears in the calls as this name.
constexpr int kPit36ZZalacznika = 0;
const QString kNazwaPit36ZZalacznika = QStringLiteral("PIT-36*");

// A form's name, or its code written as a number.
int KodNazwy(const QString& nazwa) {
  bool liczba = false;
  if (const int kod = nazwa.toInt(&liczba); liczba) return kod;
  for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod)
    if (nazwa == QLatin1String(kNazwy[static_cast<std::size_t>(kod)])) return kod;
  throw std::invalid_argument("unknown form " + nazwa.toStdString());
}

QString NazwaKodu(int kod) { return kod == kPit36ZZalacznika ? kNazwaPit36ZZalacznika : QLatin1String(kNazwy[kod]); }

// A number is a kind as it stands, also one the program does not know.
int Rodzaj(const QString& slowo) {
  if (slowo == u"ind") return Indywidualne;
  if (slowo == u"wsp") return WspolneZMalzonkiem;
  if (slowo == u"sam") return SamotnieWychowujacy;
  bool liczba = false;
  const int rodzaj = slowo.toInt(&liczba);
  if (liczba) return rodzaj;
  throw std::invalid_argument("unknown settlement kind " + slowo.toStdString());
}

// NAME[@parent][:P|:M]: a record's type, its main form and its owner.
std::array<int, 3> Rekord(const QString& opis) {
  QString nazwa = opis;
  int pm = PMWspolny;
  if (nazwa.endsWith(u":P") || nazwa.endsWith(u":M")) {
    pm = nazwa.endsWith(u'P') ? PMPodatnik : PMMalzonek;
    nazwa.chop(2);
  }
  int rodzic = 0;
  if (const qsizetype malpa = nazwa.indexOf(u'@'); malpa >= 0) {
    rodzic = nazwa.mid(malpa + 1).toInt();
    nazwa.truncate(malpa);
  }
  return {KodNazwy(nazwa), rodzic, pm};
}

// Object numbers written one by one or as ranges a-b.
QList<int> Numery(const QStringList& slowa) {
  QList<int> wynik;
  for (const QString& s : slowa) {
    const QStringList zakres = s.split(u'-');
    for (int k = zakres.front().toInt(); k <= zakres.back().toInt(); ++k) wynik << k;
  }
  return wynik;
}

// A stand-in computation for each form type, and one for PIT-36's attachment entry, recording the fields named.
std::array<std::vector<int>, kLiczbaTypowDrukow + 1> polaSond;

template <int Kod>
void Sonda(KontekstObliczen& kx, int j) {
  const std::vector<int>& pola = polaSond[Kod];
  QStringList teksty;
  for (int k : pola) teksty << QString::fromLatin1(Tekst(kx.R.Druk(j).Pola[static_cast<std::size_t>(k)].Wartosc));
  Wywolania().push_back({Kod, j, teksty});
}

template <std::size_t... K>
constexpr std::array<Obliczenie, sizeof...(K)> Sondy(std::index_sequence<K...>) {
  return {&Sonda<static_cast<int>(K)>...};
}
constexpr auto kSondy = Sondy(std::make_index_sequence<kLiczbaTypowDrukow + 1>());

// The stand-ins of one case, removed at its end.
class Zastepstwa {
 public:
  ~Zastepstwa() {
    for (const auto& [kod, poprzednie] : poprzednie_)
      kod == kPit36ZZalacznika ? (void)UstawObliczeniePit36ZZalacznika(poprzednie) : (void)UstawObliczenie(kod, poprzednie);
  }
  void Dodaj(int kod, std::vector<int> pola) {
    polaSond[static_cast<std::size_t>(kod)] = std::move(pola);
    const Obliczenie sonda = kSondy[static_cast<std::size_t>(kod)];
    const Obliczenie poprzednie =
        kod == kPit36ZZalacznika ? UstawObliczeniePit36ZZalacznika(sonda) : UstawObliczenie(kod, sonda);
    poprzednie_.emplace(kod, poprzednie);  // the first replaced stays the one to put back
  }

 private:
  std::map<int, Obliczenie> poprzednie_;
};

struct Polecenie {
  int linia;
  QString tekst;
};

}  // namespace

Q_DECLARE_METATYPE(QList<Polecenie>)

namespace {

// Quoted texts of a line: "a b" "c".
QStringList Cytaty(const QString& reszta) {
  QStringList wynik;
  static const QRegularExpression cytat(QStringLiteral("\"([^\"]*)\""));
  for (auto it = cytat.globalMatch(reszta); it.hasNext();) wynik << it.next().captured(1);
  return wynik;
}

// Runs one case; a failed check names the line of the case file.
class Przypadek {
 public:
  explicit Przypadek(QString plik) : plik_(std::move(plik)) {}

  void Wykonaj(const QList<Polecenie>& polecenia) {
    Wywolania().clear();
    // Cases on the generated structures start with "struktury".
    if (!polecenia.isEmpty() && polecenia.front().tekst == u"struktury") {
      if (!QFile::exists(QStringLiteral(VELMAR_BIN_DIR "/dc/2.dcs"))) QSKIP("form structures not generated");
      p_ = std::make_unique<ProgramZObliczeniami>(QStringLiteral(VELMAR_BIN_DIR "/"));
    }
    for (const Polecenie& p : polecenia) {
      linia_ = p.linia;
      try {
        Polecenie1(p.tekst);
      } catch (const std::invalid_argument& e) {
        Sprawdz(false, QString::fromStdString(e.what()));
      }
      if (QTest::currentTestFailed()) return;
    }
    if (blad_) Sprawdz(false, QStringLiteral("computation failed unexpectedly: ") + *blad_);
  }

 private:
  void Sprawdz(bool warunek, const QString& opis) {
    if (!warunek) QTest::qFail(qPrintable(QStringLiteral("%1:%2: %3").arg(plik_).arg(linia_).arg(opis)), __FILE__, __LINE__);
  }
  void Porownaj(const QString& jest, const QString& ma) {
    Sprawdz(jest == ma, QStringLiteral("\n   got: %1\n  want: %2").arg(jest, ma));
  }

  void Polecenie1(const QString& tekst) {
    QStringList s = tekst.split(u' ', Qt::SkipEmptyParts);
    const QString co = s.takeFirst();
    if (co != u"blad" && blad_) {
      Sprawdz(false, QStringLiteral("computation failed unexpectedly: ") + *blad_);
      return;
    }
    if (co == u"oblicz") {
      Oblicz(s[0].toInt(), s.value(1));
    } else if (co == u"obieg") {
      Obieg(s.value(0) == u"oblicz");
    } else if (!Przygotowanie(co, s) && !Sprawdzenie(co, s)) {
      Uruchom([&] {
        if (!WymianaOsob(p_->T(), co, s.value(0).toInt())) throw std::invalid_argument("unknown command " + co.toStdString());
      });
    }
  }

  // The commands that build the settlement and the screen; false for another command.
  bool Przygotowanie(const QString& co, QStringList s) {
    if (co == u"rozliczenie") {
      const int rodzaj = Rodzaj(s.takeFirst());
      std::vector<std::array<int, 3>> druki;
      for (const QString& r : s) druki.push_back(Rekord(r));
      p_->Rozliczenie(druki, rodzaj);
    } else if (co == u"struktury") {
      // Taken before the first command.
    } else if (co == u"domyslne") {
      // The records as the tree finds them new: no entries but the defaults of their structures.
      for (int j = 1; j <= p_->T().LiczbaDrukow; ++j) {
        TDruk& d = p_->T().Druk(j);
        d.Pola = {};
        d.Wczytany = 0;
      }
      p_->WczytajStruktury();
    } else if (co == u"ekran") {
      bool liczba = false;
      const int j = s.front().toInt(&liczba);
      liczba ? p_->Pokaz(j) : p_->PokazTyp(KodNazwy(s[0]), Rodzaj(s[1]));
    } else if (co == u"obiekty") {
      p_->Obiekty(s[0].toInt(), s.size() > 1 && s[1] == u"ro" ? 1 : 0);
    } else if (co == u"stary-listerror") {
      p_->StaryListError();
    } else if (co == u"wpisz") {
      const QString kto = s.takeFirst();
      const QStringList wpisy = Wpisy(kto, s);
      if (TOsoba* osoba = Osoba(kto))
        for (const QString& w : wpisy) osoba->UstawPole(w.section(u'=', 0, 0).toInt(), w.section(u'=', 1).toStdString());
      else
        p_->Wpisz(kto.toInt(), wpisy.join(u' '));
    } else if (co == u"kratki") {
      for (int k = 0; k < kLiczbaPol; ++k) p_->Kratka(s[0].toInt(), k) = static_cast<std::uint8_t>(s[1].toInt());
    } else if (co == u"sonda") {
      const QString nazwa = s.takeFirst();
      std::vector<int> pola;
      for (const QString& k : s) pola.push_back(k.toInt());
      zastepstwa_.Dodaj(nazwa == kNazwaPit36ZZalacznika ? kPit36ZZalacznika : KodNazwy(nazwa), std::move(pola));
    } else {
      return false;
    }
    return true;
  }

  // The commands that check the outcome; false for another command.
  bool Sprawdzenie(const QString& co, QStringList s) {
    const QString reszta = s.join(u' ');
    if (co == u"stan") {
      const QString kto = s.takeFirst();
      const QString wzor = Wpisy(kto, s).join(u' ');
      Porownaj(Osoba(kto) ? StanOsoby(*Osoba(kto), wzor) : p_->Stan(kto.toInt(), wzor), wzor);
    } else if (co == u"listerror") {
      Sprawdz(ListErrorJest(reszta),
              QStringLiteral("ListError %1 at height %2").arg(p_->PozycjeListError().join(u'|')).arg(p_->WysokoscListError()));
    } else if (co == u"odznaczone") {
      QList<int> puste;
      for (int k = 0; k < kLiczbaPol; ++k)
        if (p_->Kratka(s[0].toInt(), k) == 0) puste << k;
      Porownaj(Lista(puste), Lista(Numery(s.mid(1))));
    } else if (co == u"zablokowane") {
      Porownaj(Lista(p_->Zablokowane()), Lista(Numery(s)));
    } else if (co == u"komunikaty") {
      Porownaj(p_->Ekran().Komunikaty.join(u'|'), Cytaty(reszta).join(u'|'));
      p_->Ekran().Komunikaty.clear();
    } else if (co == u"strony") {
      Porownaj(p_->Ekran().Strony.join(u' '), reszta);
      p_->Ekran().Strony.clear();
    } else if (co == u"blad") {
      Sprawdz(blad_.has_value(), QStringLiteral("no error"));
      if (blad_) Porownaj(*blad_, reszta);
      blad_.reset();
    } else if (co == u"wywolania") {
      QStringList jest;
      for (const Wywolanie& w : Wywolania())
        jest << QStringLiteral("%1/%2: %3").arg(NazwaKodu(w.kod)).arg(w.j).arg(w.pola.join(u' '));
      Porownaj(jest.join(u" | "), reszta);
      Wywolania().clear();
    } else {
      return false;
    }
    return true;
  }

  // "P" or "M": the taxpayer's or the spouse's block.
  TOsoba* Osoba(const QString& kto) { return kto == u"P" || kto == u"M" ? &p_->T().Osoby[kto == u"M" ? 1 : 0] : nullptr; }
  // Entries of a record or a block, role names turned into the record's fields.
  QStringList Wpisy(const QString& kto, const QStringList& s) {
    return ZRolami(Osoba(kto) ? 0 : p_->T().Druk(kto.toInt()).IdPit, s);
  }

  void Obieg(bool przezObliczenie) {
    const QString blad = ::Obieg(p_->T(), !przezObliczenie, [&](int j) {
      if (przezObliczenie)
        Oblicz(j, {});
      else
        Uruchom([&] { WymianaZDruku(p_->T(), j); });
      return !blad_;
    });
    Sprawdz(blad.isEmpty(), blad);
  }

  // ListError as "listerror" names it.
  bool ListErrorJest(const QString& jak) {
    const int wysokosc = p_->WysokoscListError();
    if (jak == u"tak") return p_->Komunikat();
    if (jak == u"nie") return p_->BezKomunikatu();
    if (jak == u"ukryta") return wysokosc == 0;
    return jak == u"stary" && wysokosc == 40 && p_->PozycjeListError() == QStringList{QStringLiteral("stary")};
  }

  // The record's own computation through the table, that of the form named, or PIT-36's attachment entry; an error
  // is kept for "blad".
  void Oblicz(int j, const QString& jak) {
    Uruchom([&] {
      if (jak == u"z-zalacznika")
        ObliczPit36ZZalacznika(p_->V(), j);
      else if (!jak.isEmpty())
        ObliczDruk(KodNazwy(jak), p_->V(), j);
      else
        ObliczDruk(j >= 1 && j <= p_->T().LiczbaDrukow ? p_->T().Druk(j).IdPit : Pit37, p_->V(), j);
    });
  }
  void Uruchom(const std::function<void()>& dzialanie) {
    try {
      dzialanie();
    } catch (const BladKonwersjiLiczby& e) {
      blad_ = QString::fromUtf8(e.what());
    } catch (const std::out_of_range&) {
      blad_ = QStringLiteral("zakres");
    }
  }

  static QString Lista(const QList<int>& numery) {
    QStringList t;
    for (int k : numery) t << QString::number(k);
    return t.join(u' ');
  }

  QString plik_;
  int linia_ = 0;
  std::unique_ptr<ProgramZObliczeniami> p_ = std::make_unique<ProgramZObliczeniami>();
  Zastepstwa zastepstwa_;
  std::optional<QString> blad_;
};

}  // namespace

class TestObliczenia : public QObject {
  Q_OBJECT

 private slots:
  void przypadki_data();
  void przypadki();
};

// Every case of every file: "== name" starts one; "** name" starts a prelude that "<< name" copies in; lines may
// hold several commands separated by " ; ".
void TestObliczenia::przypadki_data() {
  QTest::addColumn<QString>("plik");
  QTest::addColumn<QList<Polecenie>>("polecenia");
  const QDir folder(QStringLiteral(VELMAR_SOURCE_DIR "/tests/obliczenia"));
  const QStringList pliki = folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
  QVERIFY(!pliki.isEmpty());
  for (const QString& nazwa : pliki) {
    QFile plik(folder.filePath(nazwa));
    QVERIFY(plik.open(QIODevice::ReadOnly | QIODevice::Text));
    std::map<QString, QList<Polecenie>> preludia;
    QList<Polecenie>* biezace = nullptr;
    std::vector<std::pair<QString, QList<Polecenie>>> przypadki;
    int numer = 0;
    while (!plik.atEnd()) {
      ++numer;
      // "#" then a space starts a comment line; "#k=n" is a box.
      const QString wiersz = QString::fromUtf8(plik.readLine()).trimmed();
      if (wiersz.isEmpty() || wiersz == u"#" || wiersz.startsWith(u"# ")) continue;
      if (wiersz.startsWith(u"==")) {
        przypadki.emplace_back(QStringLiteral("%1:%2 %3").arg(nazwa).arg(numer).arg(wiersz.mid(2).trimmed()),
                               QList<Polecenie>{});
        biezace = &przypadki.back().second;
      } else if (wiersz.startsWith(u"**")) {
        biezace = &preludia[wiersz.mid(2).trimmed()];
      } else if (wiersz.startsWith(u"<<")) {
        QVERIFY2(biezace && preludia.count(wiersz.mid(2).trimmed()), qPrintable(QStringLiteral("%1:%2").arg(nazwa).arg(numer)));
        *biezace += preludia[wiersz.mid(2).trimmed()];
      } else {
        QVERIFY2(biezace, qPrintable(QStringLiteral("%1:%2: a command outside a case").arg(nazwa).arg(numer)));
        for (const QString& p : wiersz.split(QStringLiteral(" ; "))) *biezace << Polecenie{numer, p.trimmed()};
      }
    }
    for (auto& [t, polecenia] : przypadki) QTest::newRow(qPrintable(t)) << nazwa << polecenia;
  }
}

void TestObliczenia::przypadki() {
  QFETCH(QString, plik);
  QFETCH(QList<Polecenie>, polecenia);
  Przypadek(plik).Wykonaj(polecenia);
}

VELMAR_TEST_MAIN_RDZEN(TestObliczenia)
#include "tst_obliczenia.moc"
