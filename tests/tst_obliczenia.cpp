// The computations and the value conversions run on the cases of tests/obliczenia/*.txt: each case builds a
// settlement, enters values, runs computations or the identification exchange and checks fields, person blocks,
// ListError, locks, messages and the calls between forms, or converts and rounds values. The notation is described
// in tests/obliczenia/README.md.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "calc/konwersje.h"
#include "calc/skala.h"
#include "calc/wartosci.h"
#include "support/obliczenia_osoby.h"
#include "platform/cp1250.h"
#include "support/obliczenia.h"

using namespace velmar_test;

namespace {

constexpr std::array<const char*, kLiczbaTypowDrukow + 1> kNazwy = {
    "",      "PIT-36", "PIT-37", "PIT-36L", "PIT-38", "PIT-28",  "PIT/O", "PIT/D", "PIT/2K",   "PIT/M",
    "PIT/B", "PIT/Z",  "PIT/ZG", "SSE-R",   "SSE/A",  "SSE-R/A", "NIP-1", "NIP-3", "PIT-28/A", "PIT-28/B"};
// The fields of a person's block.
constexpr int kPolaOsoby = 16;
// The PIT-36 entry its attachments use appears in the calls as this name.
constexpr int kPit36ZZalacznika = 0;
const QString kNazwaPit36ZZalacznika = QStringLiteral("PIT-36*");
const QString kKomunikatRedukcji =
    QStringLiteral("Program dokonał redukcji odliczeń. Sprawdź wysokość poszczególnych kwot.");

// A form's name, or its code written as a number.
int KodNazwy(const QString& nazwa) {
  if (nazwa == kNazwaPit36ZZalacznika) return kPit36ZZalacznika;
  bool liczba = false;
  if (const int kod = nazwa.toInt(&liczba); liczba) return kod;
  for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod)
    if (nazwa == QLatin1String(kNazwy[static_cast<std::size_t>(kod)])) return kod;
  throw std::invalid_argument("unknown form " + nazwa.toStdString());
}

// A whole number as a case writes it, from od to doKonca; anything else, such as a mistyped "1O1", is refused.
int Calkowita(const QString& slowo, int od = INT_MIN, int doKonca = INT_MAX) {
  bool liczba = false;
  const int n = slowo.toInt(&liczba);
  if (!liczba) throw std::invalid_argument("not a whole number: \"" + slowo.toStdString() + '"');
  if (n < od || n > doKonca)
    throw std::invalid_argument(slowo.toStdString() + " outside " + std::to_string(od) + ".." +
                                std::to_string(doKonca));
  return n;
}

// A field number: a record's (0..349) or, with liczba 16, a person block's.
int NumerPola(const QString& slowo, int liczba = kLiczbaPol) { return Calkowita(slowo, 0, liczba - 1); }

// Entries "k=text" and boxes "#k=n" with their field numbers and box values checked.
QStringList SprawdzoneWpisy(const QStringList& wpisy, int liczbaPol = kLiczbaPol) {
  for (const QString& w : wpisy) {
    const QString k = w.section(u'=', 0, 0);
    if (!w.contains(u'=')) throw std::invalid_argument("no '=' in " + w.toStdString());
    NumerPola(k.startsWith(u'#') ? k.mid(1) : k, liczbaPol);
    if (k.startsWith(u'#')) Calkowita(w.section(u'=', 1));
  }
  return wpisy;
}

// A number is a kind as it stands, also one the program does not know.
int Rodzaj(const QString& slowo) {
  static const std::map<QString, int> kRodzaje = {{QStringLiteral("ind"), Indywidualne},
                                                  {QStringLiteral("wsp"), WspolneZMalzonkiem},
                                                  {QStringLiteral("sam"), SamotnieWychowujacy}};
  bool liczba = false;
  const int rodzaj = slowo.toInt(&liczba);
  if (!liczba && !kRodzaje.count(slowo)) throw std::invalid_argument("unknown settlement kind " + slowo.toStdString());
  return liczba ? rodzaj : kRodzaje.at(slowo);
}

// NAME[@parent][:P|:M]: a record's type, its main form and its owner.
std::array<int, 3> Rekord(QString nazwa) {
  int pm = PMWspolny;
  if (nazwa.endsWith(u":P") || nazwa.endsWith(u":M")) {
    pm = nazwa.endsWith(u'P') ? PMPodatnik : PMMalzonek;
    nazwa.chop(2);
  }
  const int rodzic = nazwa.contains(u'@') ? Calkowita(nazwa.section(u'@', 1)) : 0;
  return {KodNazwy(nazwa.section(u'@', 0, 0)), rodzic, pm};
}

// Object numbers written one by one or as ranges a-b, joined by spaces.
QString Numery(const QStringList& slowa) {
  QStringList wynik;
  for (const QString& s : slowa)
    for (int k = NumerPola(s.section(u'-', 0, 0)); k <= NumerPola(s.section(u'-', -1)); ++k)
      wynik << QString::number(k);
  return wynik.join(u' ');
}

// Quoted texts of a line: "a b" "c", with \n, \t and \xHH (a byte) inside.
QStringList Cytaty(const QString& reszta) {
  static const QRegularExpression cytat(QStringLiteral("\"([^\"]*)\"")), bajt(QStringLiteral(R"(\\x([0-9A-Fa-f]{2}))"));
  QStringList wynik;
  for (auto it = cytat.globalMatch(reszta); it.hasNext();) {
    QString t = it.next().captured(1).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    t.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
    for (auto m = bajt.match(t); m.hasMatch(); m = bajt.match(t))
      t.replace(m.capturedStart(), 4,
                platform::ZCp1250(std::string(1, static_cast<char>(m.captured(1).toInt(nullptr, 16)))));
    wynik << t;
  }
  return wynik;
}

// A number in C notation (a decimal comma too, "inf", "nan"); with a trailing "d" the double nearest to it.
template <class T>
T Liczba(QString s) {
  s.replace(u',', u'.');
  if (s.endsWith(u'd')) return static_cast<T>(Liczba<double>(s.chopped(1)));
  const std::string c = s.toStdString();
  T x{};
  if (std::from_chars(c.data(), c.data() + c.size(), x).ec != std::errc{})
    throw std::invalid_argument("not a number " + c);
  return x;
}

// Numbers joined by + - * /, worked left to right in the arithmetic of T: "0.1d*3".
template <class T>
T Wyrazenie(const QString& s) {
  std::optional<T> wynik;
  QChar dzialanie;
  for (qsizetype i = 0, k = 1; i < s.size(); i = k + 1, k = i + 1) {
    while (k < s.size() && !(QStringLiteral("+-*/").contains(s[k]) && s[k - 1].toLower() != u'e')) ++k;
    const T x = Liczba<T>(s.mid(i, k - i));
    static const std::map<QChar, std::function<T(T, T)>> kDzialania = {
        {u'+', std::plus<T>()}, {u'-', std::minus<T>()}, {u'*', std::multiplies<T>()}, {u'/', std::divides<T>()}};
    wynik = wynik ? kDzialania.at(dzialanie)(*wynik, x) : x;
    if (k < s.size()) dzialanie = s[k];
  }
  return wynik.value_or(T{});
}

QString Zapis(long double x) { return QString::fromStdString(FloatToStr(x)); }

// The probes run, each as "NAME/record: texts of the fields it records".
QStringList wywolania;
// A probe records fields of the record it runs on, then makes entries into record j (none when j is 0).
struct Sonda {
  std::vector<int> pola;
  int j = 0;
  QStringList wpisy;
};
std::array<Sonda, kLiczbaTypowDrukow + 1> sondy;

template <int Kod>
void Sonduj(KontekstObliczen& kx, int j) {
  const Sonda& s = sondy[Kod];
  QStringList teksty;
  for (int k : s.pola) teksty << QString::fromLatin1(Tekst(kx.R.Druk(j).Pola[static_cast<std::size_t>(k)].Wartosc));
  const QString nazwa = Kod == kPit36ZZalacznika ? kNazwaPit36ZZalacznika : QLatin1String(kNazwy[Kod]);
  wywolania << QStringLiteral("%1/%2: %3").arg(nazwa).arg(j).arg(teksty.join(u' ')).trimmed();
  for (const QString& w : s.wpisy)
    UstawBajty(kx.R.Druk(s.j).Pola[w.section(u'=', 0, 0).toUInt()].Wartosc, w.section(u'=', 1).toStdString());
}

template <std::size_t... K>
constexpr std::array<Obliczenie, sizeof...(K)> Sondy(std::index_sequence<K...>) {
  return {&Sonduj<static_cast<int>(K)>...};
}
constexpr auto kSondy = Sondy(std::make_index_sequence<kLiczbaTypowDrukow + 1>());

Obliczenie Zastap(int kod, Obliczenie obliczenie) {
  return kod == kPit36ZZalacznika ? UstawObliczeniePit36ZZalacznika(obliczenie) : UstawObliczenie(kod, obliczenie);
}

// The exchange operations by their names in the cases.
const std::map<QString, std::function<void(Rozliczenie&, int)>> kWymiana = {
    {QStringLiteral("osoby-z-druku"), WczytajDaneOsobZDruku},
    {QStringLiteral("osoby-do-druku"), ZapiszDaneOsobDoDruku},
    {QStringLiteral("osoby-z-drukow"), [](Rozliczenie& r, int) { WczytajDaneOsobZDrukow(r); }},
    {QStringLiteral("osoby-do-drukow"), [](Rozliczenie& r, int) { ZapiszDaneOsobDoDrukow(r); }}};

// N amounts of every size and many digits: the quick conversions give what the standard library gives.
QString LiczbyLosowe(int n) {
  std::mt19937_64 los(2008);
  for (int i = 0; i < n; ++i) {
    const long long mantysa = static_cast<long long>(los() % 1000000000000000ULL) - 500000000000000LL;
    std::string c = std::to_string(mantysa / static_cast<long long>(std::pow(10, los() % 8)));
    const std::size_t miejsca = los() % 10;
    if (miejsca > 0 && c.size() > 1) c.insert(c.size() - std::min(miejsca, c.size() - 1), 1, '.');
    const long double dokladna = Liczba<long double>(QString::fromStdString(c));
    std::string z = c;
    std::replace(z.begin(), z.end(), '.', ',');
    if (StrToFloat(z, ',') != dokladna) return QString::fromStdString("read " + c);
    // The 15 significant digits, without sign, separator and zeros at either end.
    char bufor[64];
    const auto koniec =
        std::to_chars(bufor, bufor + sizeof bufor, std::fabs(dokladna), std::chars_format::scientific, 14).ptr;
    std::string cyfry(bufor, std::find(bufor, koniec, 'e')), zapis = FloatToStr(dokladna, ',');
    for (std::string* t : {&cyfry, &zapis}) {
      std::erase_if(*t, [](char z) { return z == '-' || z == ',' || z == '.'; });
      t->erase(0, std::min(t->find_first_not_of('0'), t->size()));
      t->erase(t->find_last_not_of('0') + 1);
    }
    if (zapis != cyfry) return QString::fromStdString("written " + c);
  }
  return {};
}

struct Polecenie {
  int linia;
  QString tekst;
};

}  // namespace

Q_DECLARE_METATYPE(QList<Polecenie>)

namespace {

// Runs one case; a failed check names the line of the case file.
class Przypadek {
 public:
  Przypadek(QString plik, int linia) : plik_(std::move(plik)), linia_(linia) {}
  // The computations the probes stood in for are put back.
  ~Przypadek() {
    for (const auto& [kod, poprzednie] : poprzednie_) Zastap(kod, poprzednie);
  }

  void Wykonaj(const QList<Polecenie>& polecenia) {
    const int naglowek = linia_;
    wywolania.clear();
    // Cases on the generated structures start with "struktury".
    const bool struktury = !polecenia.isEmpty() && polecenia.front().tekst == u"struktury";
    if (struktury) {
      if (!QFile::exists(QStringLiteral(VELMAR_BIN_DIR "/dc/2.dcs"))) QSKIP("form structures not generated");
      p_ = std::make_unique<ProgramZObliczeniami>(QStringLiteral(VELMAR_BIN_DIR "/"));
    }
    for (const Polecenie& p : polecenia.mid(struktury ? 1 : 0)) {
      linia_ = p.linia;
      try {
        Polecenie1(p.tekst);
      } catch (const std::invalid_argument& e) {
        Sprawdz(false, QString::fromStdString(e.what()));
      }
      if (QTest::currentTestFailed()) return;
    }
    if (blad_) return Sprawdz(false, QStringLiteral("computation failed unexpectedly: ") + *blad_);
    // A case that checks nothing would pass whatever the program did.
    linia_ = naglowek;
    Sprawdz(sprawdzenia_ > 0, QStringLiteral("the case checks nothing"));
  }

 private:
  void Sprawdz(bool warunek, const QString& opis) {
    if (!warunek)
      QTest::qFail(qPrintable(QStringLiteral("%1:%2: %3").arg(plik_).arg(linia_).arg(opis)), __FILE__, __LINE__);
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
      Oblicz(Calkowita(s.value(0)), s.value(1));
    } else if (co == u"obieg") {
      ++sprawdzenia_;
      // Every identification field in turn is the source of the exchange, or of its record's computation.
      const bool oblicz = s.value(0) == u"oblicz";
      const QString blad = Obieg(p_->T(), !oblicz, [&](int j) {
        if (oblicz)
          Oblicz(j, {});
        else
          Uruchom([&] { WczytajDaneOsobZDruku(p_->T(), j), ZapiszDaneOsobDoDrukow(p_->T()); });
        return !blad_;
      });
      Sprawdz(blad.isEmpty(), blad);
    } else if (kWymiana.count(co)) {
      const int j = s.isEmpty() ? 0 : Calkowita(s[0]);
      Uruchom([&] { kWymiana.at(co)(p_->T(), j); });
    } else if (Sprawdzenie(co, s) || Wartosci(co, s, tekst.section(u' ', 1))) {
      ++sprawdzenia_;
    } else if (!Przygotowanie(co, s)) {
      throw std::invalid_argument("unknown command " + co.toStdString());
    }
  }

  // The commands that build the settlement and the screen; false for another command.
  bool Przygotowanie(const QString& co, QStringList s) {
    EkranTestowy& e = p_->Ekran();
    if (co == u"rozliczenie") {
      const int rodzaj = Rodzaj(s.takeFirst());
      std::vector<std::array<int, 3>> druki;
      for (const QString& r : s) druki.push_back(Rekord(r));
      p_->Rozliczenie(druki, rodzaj);
    } else if (co == u"domyslne") {
      // The records as the tree finds them new: no entries but the defaults of their structures.
      for (int j = 1; j <= p_->T().LiczbaDrukow; ++j) {
        p_->T().Druk(j).Pola = {};
        p_->T().Druk(j).Wczytany = 0;
      }
      p_->WczytajStruktury();
    } else if (co == u"ekran" && s.size() == 1) {
      p_->Pokaz(Calkowita(s[0]));
    } else if (co == u"ekran") {
      e.Biezacy = TDruk{};
      e.Biezacy.IdPit = KodNazwy(s[0]);
      e.Biezacy.Rodzaj = Rodzaj(s[1]);
    } else if (co == u"obiekty") {
      const int liczba = Calkowita(s.value(0), 0, kLiczbaPol);
      e.TylkoDoOdczytu.assign(static_cast<std::size_t>(liczba), s.value(1) == u"ro" ? 1 : 0);
    } else if (co == u"stary-listerror") {
      e.ListError = {QStringLiteral("stary")};
      e.Wysokosc = 40;
    } else if (co == u"wpisz") {
      const QString kto = s.takeFirst();
      if (TOsoba* osoba = Osoba(kto))
        for (const QString& w : SprawdzoneWpisy(s, kPolaOsoby))
          osoba->UstawPole(w.section(u'=', 0, 0).toInt(), w.section(u'=', 1).toStdString());
      else
        p_->Wpisz(Calkowita(kto), Wpisy(kto, s));
    } else if (co == u"kratki") {
      const int j = Calkowita(s.value(0)), zaznaczone = Calkowita(s.value(1));
      for (int k = 0; k < kLiczbaPol; ++k) p_->Pole(j, k).Zaznaczone = static_cast<std::uint8_t>(zaznaczone);
    } else if (co == u"zapisz") {
      // Through the computations' own access to a record's fields; an error is kept for "blad".
      const int j = Calkowita(s.value(0)), k = Calkowita(s.value(1));
      const auto kwota = Liczba<long double>(s.value(2));
      Uruchom([&] { ZapiszKwote(p_->V(), k, j, kwota); });
    } else if (co == u"sonda") {
      const int kod = KodNazwy(s.takeFirst());
      Sonda sonda;
      while (!s.isEmpty() && s.front() != u">") sonda.pola.push_back(NumerPola(s.takeFirst()));
      if (s.size() > 1) sonda.j = Calkowita(s[1]), sonda.wpisy = SprawdzoneWpisy(s.mid(2));
      sondy[static_cast<std::size_t>(kod)] = std::move(sonda);
      poprzednie_.emplace(kod, Zastap(kod, kSondy[static_cast<std::size_t>(kod)]));  // the first replaced stays
    } else {
      return false;
    }
    return true;
  }

  // The commands that check the outcome; false for another command.
  bool Sprawdzenie(const QString& co, QStringList s) {
    EkranTestowy& e = p_->Ekran();
    const QString reszta = s.join(u' ');
    if (co == u"stan") {
      const QString kto = s.takeFirst();
      const QStringList wzor = Wpisy(kto, s);
      Porownaj((Osoba(kto) ? StanOsoby(*Osoba(kto), wzor) : p_->Stan(kto.toInt(), wzor)).join(u' '), wzor.join(u' '));
    } else if (co == u"listerror") {
      const QMap<QString, QString> ma = {{QStringLiteral("tak"), QStringLiteral("40 ") + kKomunikatRedukcji},
                                         {QStringLiteral("nie"), QStringLiteral("0 ")},
                                         {QStringLiteral("stary"), QStringLiteral("40 stary")},
                                         {QStringLiteral("pusta"), QString::number(e.Wysokosc) + u' '}};
      const QString jest = QStringLiteral("%1 %2").arg(e.Wysokosc).arg(e.ListError.join(u'|'));
      Porownaj(jest, reszta == u"ukryta" ? QStringLiteral("0 ") + e.ListError.join(u'|')
                                         : ma.value(reszta, QStringLiteral("?")));
    } else if (co == u"odznaczone") {
      QStringList puste;
      const int j = Calkowita(s.value(0));
      for (int k = 0; k < kLiczbaPol; ++k)
        if (p_->Pole(j, k).Zaznaczone == 0) puste << QString::number(k);
      Porownaj(puste.join(u' '), Numery(s.mid(1)));
    } else if (co == u"zablokowane") {
      QStringList jest;
      for (std::size_t k = 0; k < e.TylkoDoOdczytu.size(); ++k)
        if (e.TylkoDoOdczytu[k] == 1) jest << QString::number(k);
      Porownaj(jest.join(u' '), Numery(s));
    } else if (co == u"komunikaty") {
      Porownaj(e.Komunikaty.join(u'|'), Cytaty(reszta).join(u'|'));
      e.Komunikaty.clear();
    } else if (co == u"strony") {
      Porownaj(e.Strony.join(u' '), reszta);
      e.Strony.clear();
    } else if (co == u"blad") {
      Sprawdz(blad_.has_value(), QStringLiteral("no error"));
      if (blad_) Porownaj(*blad_, reszta);
      blad_.reset();
    } else if (co == u"wywolania") {
      Porownaj(wywolania.join(QStringLiteral(" | ")), reszta);
      wywolania.clear();
    } else {
      return false;
    }
    return true;
  }

  // The value conversions, the roundings and the scale; false for another command.
  bool Wartosci(const QString& co, const QStringList& s, const QString& reszta) {
    if (co == u"liczba") {
      // A quoted text read as a number: the value, or "blad" for the conversion's message.
      const QString tekst = Cytaty(reszta).value(0), ma = reszta.section(u'"', -1).trimmed();
      try {
        const long double x = StrToFloat(platform::DoCp1250(tekst), ',');
        Sprawdz(ma != u"blad" && x == Liczba<long double>(ma), Zapis(x));
      } catch (const BladKonwersjiLiczby& b) {
        Porownaj(QString::fromUtf8(b.what()),
                 ma == u"blad" ? u'\'' + tekst + QStringLiteral("' is not a valid floating point value") : ma);
      }
    } else if (co == u"zapis" || co == u"kwota") {
      const long double x = Wyrazenie<long double>(s[0]);
      Porownaj(QString::fromStdString(co == u"zapis" ? FloatToStr(x) : TekstKwoty(x)), Cytaty(reszta).value(0));
    } else if (co == u"formatuj") {
      const QStringList t = Cytaty(reszta);
      Porownaj(QString::fromStdString(FormatujKwote(t.value(0).toStdString())), t.value(1));
    } else if (co == u"skala") {
      const long double podatek = ObliczPodatekWgSkali(Liczba<double>(s[0]));
      Sprawdz(podatek == Liczba<long double>(s[1]), Zapis(podatek));
      Porownaj(QString::fromStdString(TekstKwoty(podatek)), s[1]);
    } else if (co == u"zaokraglij") {
      // g grosze, d tens of grosze cut, z whole zloty; also with the input moved by one unit in the last place.
      for (int wlos : {-1, 0, 1}) {
        long double w = 0;
        const auto przesun = [wlos](auto x) { return wlos == 0 ? x : std::nextafter(x, wlos * INFINITY); };
        if (s[0] == u"d")
          w = ObetnijDoDziesiatekGroszy(przesun(Wyrazenie<double>(s[1])));
        else
          w = (s[0] == u"g" ? ZaokraglijDoGroszy : ZaokraglijDoZlotych)(przesun(Wyrazenie<long double>(s[1])));
        Sprawdz(w == Liczba<long double>(s[2]) && !(w == 0 && std::signbit(w)),
                QStringLiteral("hair %1: %2").arg(wlos).arg(Zapis(w)));
      }
    } else if (co == u"liczby-losowe") {
      Porownaj(LiczbyLosowe(Calkowita(s.value(0))), {});
    } else {
      return false;
    }
    return true;
  }

  // "P" or "M": the taxpayer's or the spouse's block.
  TOsoba* Osoba(const QString& kto) {
    return kto == u"P" || kto == u"M" ? &p_->T().Osoby[kto == u"M" ? 1 : 0] : nullptr;
  }
  // Entries of a record or a block, role names turned into the record's fields.
  QStringList Wpisy(const QString& kto, const QStringList& s) {
    if (Osoba(kto)) return SprawdzoneWpisy(ZRolami(0, s), kPolaOsoby);
    return SprawdzoneWpisy(ZRolami(p_->T().Druk(Calkowita(kto)).IdPit, s));
  }

  // The record's own computation through the table, that of the form named, or PIT-36's attachment entry; an error
  // is kept for "blad". No run leaves its PIT-36 chain behind.
  void Oblicz(int j, const QString& jak) {
    Uruchom([&] {
      if (jak == u"z-zalacznika")
        ObliczPit36ZZalacznika(p_->V(), j);
      else
        ObliczDruk(!jak.isEmpty()                        ? KodNazwy(jak)
                   : j >= 1 && j <= p_->T().LiczbaDrukow ? p_->T().Druk(j).IdPit
                                                         : Pit37,
                   p_->V(), j);
    });
    Sprawdz(p_->V().LancuchPit36 == nullptr, QStringLiteral("a PIT-36 chain left behind"));
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

  QString plik_;
  int linia_;
  int sprawdzenia_ = 0;  // the checks run
  std::unique_ptr<ProgramZObliczeniami> p_ = std::make_unique<ProgramZObliczeniami>();
  std::map<int, Obliczenie> poprzednie_;
  std::optional<QString> blad_;
};

}  // namespace

class TestObliczenia : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // The amounts need ',' as the regional separator whatever the locale of the test machine.
    QCOMPARE(platform::Regionalne().SeparatorDziesietny(), QChar(u','));
  }
  void przypadki_data();
  void przypadki();
};

// Every case of every file: "== name" starts one; "** name" starts a prelude that "<< name" copies in; lines may
// hold several commands separated by " ; ".
void TestObliczenia::przypadki_data() {
  QTest::addColumn<QString>("plik");
  QTest::addColumn<int>("linia");  // of the case's "=="
  QTest::addColumn<QList<Polecenie>>("polecenia");
  const QDir folder(QStringLiteral(VELMAR_SOURCE_DIR "/tests/obliczenia"));
  const QStringList pliki = folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
  QVERIFY(!pliki.isEmpty());
  for (const QString& nazwa : pliki) {
    QFile plik(folder.filePath(nazwa));
    QVERIFY(plik.open(QIODevice::ReadOnly | QIODevice::Text));
    std::map<QString, QList<Polecenie>> preludia;
    QList<Polecenie>* biezace = nullptr;
    std::vector<std::tuple<int, QString, QList<Polecenie>>> przypadki;
    for (int numer = 1; !plik.atEnd(); ++numer) {
      // "#" then a space starts a comment line; "#k=n" is a box.
      const QString wiersz = QString::fromUtf8(plik.readLine()).trimmed();
      const QString nazwa2 = wiersz.mid(2).trimmed();
      if (wiersz.isEmpty() || wiersz == u"#" || wiersz.startsWith(u"# ")) continue;
      if (wiersz.startsWith(u"==")) {
        przypadki.emplace_back(numer, QStringLiteral("%1:%2 %3").arg(nazwa).arg(numer).arg(nazwa2), QList<Polecenie>{});
        biezace = &std::get<2>(przypadki.back());
      } else if (wiersz.startsWith(u"**")) {
        biezace = &preludia[nazwa2];
      } else if (wiersz.startsWith(u"<<")) {
        QVERIFY2(biezace && preludia.count(nazwa2), qPrintable(QStringLiteral("%1:%2").arg(nazwa).arg(numer)));
        *biezace += preludia[nazwa2];
      } else {
        QVERIFY2(biezace, qPrintable(QStringLiteral("%1:%2: a command outside a case").arg(nazwa).arg(numer)));
        for (const QString& p : wiersz.split(QStringLiteral(" ; "))) *biezace << Polecenie{numer, p.trimmed()};
      }
    }
    for (auto& [linia, t, polecenia] : przypadki) QTest::newRow(qPrintable(t)) << nazwa << linia << polecenia;
  }
}

void TestObliczenia::przypadki() {
  QFETCH(QString, plik);
  QFETCH(int, linia);
  QFETCH(QList<Polecenie>, polecenia);
  Przypadek(plik, linia).Wykonaj(polecenia);
}

VELMAR_TEST_MAIN_RDZEN(TestObliczenia)
#include "tst_obliczenia.moc"
