#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QtTest>
#include <algorithm>
#include <string>
#include <vector>

#include "calc/konwersje.h"
#include "formularz.h"
#include "main/tools.h"
#include "model/druk.h"
#include "model/rekordy.h"
#include "reguly.h"
#include "support/program.h"
#include "support/test_main.h"
#include "uklad.h"

using namespace formularze;

namespace {

// A form of its own for the checks: a NIP, a birth date and a name meet the person's block, field 1 is read as a
// number, field 2 is a box of the computation, 2 and 5 form one group.
RegulyFormularza RegulyProby() {
  RegulyFormularza r;
  r.kod = 99;
  r.symbol = "TEST";
  r.liczbaStron = 1;
  r.liczbowe = {1};
  r.polaWyboru = {2};
  r.osoby = {{0, 0}, {3, 4}, {4, 2}};
  r.najwyzszyIndeks = 5;
  return r;
}

const char* const kZrodloProby = R"(form 99 "TEST"
pages 1
page 1
row R1
row R2 6 "Grupa:"
0 1:R1@0+6  NIP     1 -   1 -    13 J * - "NIP"
1 1:R1@6+6  Liczba  1 -   2 0,00 14 R * - "Kwota"
2 1:R2@6+4  Checbox 0 g   - -    0  L * - "a"
3 1:R1@12+6 Data    0 -   3 -    10 J * - "Data urodzenia"
4 1:R1@18+6 Text    0 -   4 -    40 L * - "Nazwisko"
5 1:R2@10+4 Checbox 0 g   - -    0  L * - "b"
)";

std::vector<Blad> BledyProby(const std::string& tekst) {
  try {
    return Sprawdz(WczytajZrodlo(tekst, "proba.txt"), RegulyProby());
  } catch (const BladZrodla& b) {
    return {b.blad()};
  }
}

std::string Zamien(std::string tekst, const std::string& co, const std::string& na) {
  const auto i = tekst.find(co);
  if (i == std::string::npos) throw std::logic_error("the test source lacks " + co);
  return tekst.replace(i, co.size(), na);
}

QString Folder() { return QStringLiteral(VELMAR_BIN_DIR "/dc/"); }

QByteArray Plik(const QString& sciezka) {
  QFile f(sciezka);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

std::vector<TObiekt> ObiektyFormularza(int kod) {
  const QByteArray b = Plik(Folder() + QString::number(kod) + ".dcs");
  return rekordy::DekodujObiekty(
      std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())));
}

std::string ZrodloZRepozytorium(const char* nazwa) {
  const QByteArray b = Plik(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms/") + nazwa);
  return b.toStdString();
}

bool JestBlad(const std::vector<Blad>& bledy, const std::string& regula, int linia) {
  for (const Blad& b : bledy)
    if (b.regula == regula && b.wiersz == linia) return true;
  return false;
}

QString Wypisz(const std::vector<Blad>& bledy) {
  QStringList l;
  for (const Blad& b : bledy) l << QString::fromStdString(Opis(b));
  return l.join('\n');
}

constexpr int kKody[] = {Pit36, Pit37, PitO, PitD, Pit2K, Nip1, Nip3, Pit36L, PitZ, SseR, SseA, SseRA};

}  // namespace

class TstFormularze : public QObject {
  Q_OBJECT

 private slots:
  void zrodloProbyJestPoprawne();
  void regulaOdrzucaZleZrodlo_data();
  void regulaOdrzucaZleZrodlo();
  void ponad350Obiektow();
  void nieznanyFormularz();
  void przepelnionaStrona();
  void regulyPit37IPitOZCzesciObliczen();
  void zrodlaProgramuPrzechodzaKontrole();
  void strukturyWiernieZrodlom();
  void umowyZObliczeniami();
  void nowyRekord_data();
  void nowyRekord();
  void polaObliczen_data();
  void polaObliczen();
  void obrazyStronSaA4();
  void ramkaPolaLezyNaObrazie();
  void zawijanieMiesciSieWSzerokosci();
};

void TstFormularze::zrodloProbyJestPoprawne() {
  const auto bledy = BledyProby(kZrodloProby);
  QVERIFY2(bledy.empty(), qPrintable(Wypisz(bledy)));
}

// The rows of data/wybor_reguly_zrodla.txt.
void TstFormularze::regulaOdrzucaZleZrodlo_data() {
  QTest::addColumn<QString>("regula");
  QTest::addColumn<int>("linia");
  QTest::addColumn<QStringList>("zamiany");  // text, replacement, text, replacement...
  static const QRegularExpression cytat(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
  const QString tekst =
      QString::fromUtf8(Plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/wybor_reguly_zrodla.txt")));
  for (const QString& wiersz : tekst.split('\n')) {
    const QStringList pola = wiersz.split(QStringLiteral(" | "));
    if (wiersz.startsWith('#') || pola.size() != 3) continue;
    QStringList zamiany;
    for (const auto& m : cytat.globalMatch(pola[2]))
      zamiany << m.captured(1)
                     .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
                     .replace(QStringLiteral("\\\""), QStringLiteral("\""));
    QTest::newRow(qPrintable(pola[1])) << pola[0].section(' ', 0, 0) << pola[0].section(' ', 1).toInt() << zamiany;
  }
}

void TstFormularze::regulaOdrzucaZleZrodlo() {
  QFETCH(QString, regula);
  QFETCH(int, linia);
  QFETCH(QStringList, zamiany);
  std::string tekst = kZrodloProby;
  for (qsizetype i = 0; i + 1 < zamiany.size(); i += 2)
    tekst = Zamien(tekst, zamiany[i].toStdString(), zamiany[i + 1].toStdString());
  const auto bledy = BledyProby(tekst);
  QVERIFY2(JestBlad(bledy, regula.toStdString(), linia),
           qPrintable(QStringLiteral("expected [%1] at line %2, got:\n%3").arg(regula).arg(linia).arg(Wypisz(bledy))));
  QCOMPARE(QString::fromStdString(bledy.front().plik), QStringLiteral("proba.txt"));
}

void TstFormularze::ponad350Obiektow() {
  std::string tekst = "form 99 \"TEST\"\npages 1\npage 1\n";
  for (int i = 0; i <= kMaksObiektow; ++i) tekst += "row R" + std::to_string(i) + "\n";
  for (int i = 0; i <= kMaksObiektow; ++i)
    tekst += std::to_string(i) + " 1:R" + std::to_string(i) + "@0+24 Text 0 - - - 10 L * - \"x\"\n";
  RegulyFormularza r;
  r.kod = 99;
  r.symbol = "TEST";
  r.liczbaStron = 1;
  const auto pelne = Sprawdz(WczytajZrodlo(tekst, "duzy.txt"), r);
  QVERIFY(JestBlad(pelne, "object-limit", 4 + kMaksObiektow + 1 + kMaksObiektow));

  const auto pos = tekst.rfind(std::to_string(kMaksObiektow) + " 1:R");
  const auto bez = Sprawdz(WczytajZrodlo(tekst.substr(0, pos), "duzy.txt"), r);
  QVERIFY2(std::none_of(bez.begin(), bez.end(), [](const Blad& b) { return b.regula == "object-limit"; }),
           qPrintable(Wypisz(bez)));
}

void TstFormularze::nieznanyFormularz() {
  const auto p = Przygotuj(Zamien(kZrodloProby, "form 99", "form 42"), "proba.txt");
  QCOMPARE(p.bledy.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(p.bledy[0].regula), QStringLiteral("form-code"));
  QCOMPARE(p.bledy[0].wiersz, 1);
}

void TstFormularze::przepelnionaStrona() {
  const Zrodlo zrodlo = WczytajZrodlo(Zamien(kZrodloProby, "row R1\n", "row R1\ngap 1100\n"), "proba.txt");
  QVERIFY(Sprawdz(zrodlo, RegulyProby()).empty());
  const auto bledy = Rozmiesc(zrodlo).bledy;
  QVERIFY2(JestBlad(bledy, "page-overflow", 5), qPrintable(Wypisz(bledy)));
  QVERIFY(Rozmiesc(WczytajZrodlo(kZrodloProby, "proba.txt")).bledy.empty());
}

// The rule table carries what the computations read: breaking a field they read in the real sources is refused. The
// 1% amount (132) is read by PIT-37's cap; PIT/O's box 73 governs the months 74..85 of the first child.
void TstFormularze::regulyPit37IPitOZCzesciObliczen() {
  const struct {
    const char *plik, *co, *na, *regula, *pole;
  } zmiany[] = {
      {"pit37.txt", "Liczba  1   -        123  0,00", "Text    0   -        123  -   ", "numeric-field", "field 132"},
      {"pito.txt", "73    2:D12@7+5      Checbox", "73    2:D12@7+5      Text   ", "checkbox", "field 73"}};
  for (const auto& z : zmiany) {
    const auto bledy = Przygotuj(Zamien(ZrodloZRepozytorium(z.plik), z.co, z.na), z.plik).bledy;
    QVERIFY2(std::any_of(bledy.begin(), bledy.end(),
                         [&](const Blad& b) { return b.regula == z.regula && b.opis.find(z.pole) == 0; }),
             qPrintable(Wypisz(bledy)));
  }
}

void TstFormularze::zrodlaProgramuPrzechodzaKontrole() {
  const QDir folder(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms"));
  std::vector<int> kody;
  for (const QString& nazwa : folder.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
    const auto p = Przygotuj(Plik(folder.filePath(nazwa)).toStdString(), nazwa.toStdString());
    QVERIFY2(p.bledy.empty(), qPrintable(Wypisz(p.bledy)));
    kody.push_back(p.formularz.zrodlo.kod);
    QCOMPARE(p.formularz.obiekty.size(), p.formularz.zrodlo.pola.size());
  }
  for (const int kod : kKody) QVERIFY(std::find(kody.begin(), kody.end(), kod) != kody.end());
}

// Every structure in the build carries its source field by field.
void TstFormularze::strukturyWiernieZrodlom() {
  const QDir folder(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms"));
  for (const QString& nazwa : folder.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
    const Zrodlo z = WczytajZrodlo(Plik(folder.filePath(nazwa)).toStdString(), nazwa.toStdString());
    const auto o = ObiektyFormularza(z.kod);
    QCOMPARE(o.size(), z.pola.size());
    for (std::size_t i = 0; i < o.size(); ++i) {
      const Pole& p = z.pola[i];
      const TObiekt& x = o[i];
      const QString opis = QStringLiteral("%1 field %2").arg(nazwa).arg(i);
      QVERIFY2(x.NrObiektu == p.indeks + 1 && x.Typ == p.typ && x.Format == p.format && x.Strona == p.miejsce.strona &&
                   x.LimitZnakow == p.limit && x.Wyrownanie == p.wyrownanie &&
                   x.TylkoDoOdczytu == int(p.tylkoDoOdczytu) && x.Widoczne == int(!p.ukryte),
               qPrintable(opis));
      QCOMPARE(NaQString(x.Nazwa), QString::fromStdString(NazwaObiektu(p)));
      QCOMPARE(NaQString(x.WartoscDomyslna), QString::fromStdString(p.domyslna));
    }
  }
}

// What the computations rely on beyond the rule table: the settlement-kind boxes form one group; each PIT/Z box of
// PIT-36 stands alone, since two of a person may be ticked; PIT-37's attachment counts are whole numbers.
void TstFormularze::umowyZObliczeniami() {
  for (const int kod : {Pit37, Pit36}) {
    const auto o = ObiektyFormularza(kod);
    for (const int k : {3, 4, 5, 6}) QCOMPARE(NaQString(o[std::size_t(k)].Nazwa), NaQString(o[3].Nazwa));
  }
  const auto pit36 = ObiektyFormularza(Pit36);
  QStringList nazwy{NaQString(pit36[3].Nazwa)};
  for (const int k : {39, 40, 41, 42}) {
    QVERIFY(!nazwy.contains(NaQString(pit36[std::size_t(k)].Nazwa)));
    nazwy << NaQString(pit36[std::size_t(k)].Nazwa);
  }
  const auto pit37 = ObiektyFormularza(Pit37);
  for (const int k : {117, 118, 119, 120})
    QVERIFY(pit37[std::size_t(k)].Typ == Liczba && pit37[std::size_t(k)].Format == FormatCalkowita);
}

// A new record, filled from the generated structure by the program itself: every amount reads as zero and no box is
// ticked.
void TstFormularze::nowyRekord_data() {
  QTest::addColumn<int>("kod");
  QTest::addColumn<int>("kwot");  // at least this many amounts
  QTest::newRow("PIT-37") << int(Pit37) << 86;
  QTest::newRow("PIT-36") << int(Pit36) << 250;
  QTest::newRow("SSE/A") << int(SseA) << 25;
  QTest::newRow("SSE-R/A") << int(SseRA) << 16;
}

void TstFormularze::nowyRekord() {
  QFETCH(int, kod);
  QFETCH(int, kwot);
  velmar_test::UstawRegionalne();
  TTools tools(QStringLiteral(VELMAR_BIN_DIR "/"));
  tools.PrzydzielDruki(1);
  tools.DodajDruk(kod, 0, PMWspolny, Indywidualne);
  tools.BudujDrzewo();
  const TDruk& druk = tools.Druki[1];
  QCOMPARE(druk.Wczytany, std::uint8_t{1});
  int kwoty = 0;
  for (const TPoleDruku& p : druk.Pola) {
    if (p.Typ == Checbox) QCOMPARE(p.Zaznaczone, std::uint8_t{0});
    if (p.Typ == Liczba && p.Format != FormatCalkowita) {
      QCOMPARE(NaQString(p.Wartosc), QStringLiteral("0,00"));
      ++kwoty;
    }
  }
  QVERIFY2(kwoty >= kwot, qPrintable(QString::number(kwoty)));
  // Every field the computation reads converts to zero.
  for (const int k : RegulyDla(kod)->liczbowe)
    QVERIFY(StrToFloat(Tekst(druk.Pola[std::size_t(k)].Wartosc), ',') == 0.0L);
}

// What each form's computation writes is a read-only amount (or count) the user cannot type over; every other amount
// is the user's to enter. Boxes the computation reads are check boxes, and the catalogue agrees on the pages.
void TstFormularze::polaObliczen_data() {
  QTest::addColumn<int>("kod");
  QTest::addColumn<QList<int>>("wyliczane");
  QTest::addColumn<QList<int>>("liczniki");
  QTest::addColumn<QList<int>>("kratki");
  const QString tekst =
      QString::fromUtf8(Plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/wybor_pola_obliczen.txt")));
  for (const QString& wiersz : tekst.split('\n')) {
    const QStringList pola = wiersz.split('|');
    if (wiersz.startsWith('#') || pola.size() != 4) continue;
    const auto Liczby = [](const QString& t) {
      QList<int> l;
      for (const QString& x : t.split(' ', Qt::SkipEmptyParts)) l << x.toInt();
      return l;
    };
    QTest::newRow(qPrintable(pola[0].trimmed()))
        << pola[0].section(' ', 0, 0).toInt() << Liczby(pola[1]) << Liczby(pola[2]) << Liczby(pola[3]);
  }
}

void TstFormularze::polaObliczen() {
  QFETCH(int, kod);
  QFETCH(QList<int>, wyliczane);
  QFETCH(QList<int>, liczniki);
  QFETCH(QList<int>, kratki);
  const auto o = ObiektyFormularza(kod);
  QVERIFY(int(o.size()) > RegulyDla(kod)->najwyzszyIndeks && o.size() <= 350);
  for (int k = 0; k < int(o.size()); ++k) {
    const TObiekt& x = o[std::size_t(k)];
    const QString pole = QStringLiteral("field %1").arg(k);
    if (wyliczane.contains(k) || liczniki.contains(k)) {
      QVERIFY2(x.Typ == Liczba && x.TylkoDoOdczytu == 1, qPrintable(pole));
      QCOMPARE(x.Format, std::int32_t(liczniki.contains(k) ? FormatCalkowita : FormatDziesietna));
      QCOMPARE(NaQString(x.WartoscDomyslna), liczniki.contains(k) ? QStringLiteral("0") : QStringLiteral("0,00"));
    } else if (x.Typ == Liczba) {
      QVERIFY2(x.TylkoDoOdczytu == 0, qPrintable(pole));
    }
    if (kratki.contains(k)) QCOMPARE(x.Typ, std::int32_t(Checbox));
  }
  velmar_test::UstawRegionalne();
  TTools tools(QStringLiteral(VELMAR_BIN_DIR "/"));
  QCOMPARE(tools.TypyDrukow[std::size_t(kod)].LiczbaStron, RegulyDla(kod)->liczbaStron);
}

// Every header gives the A4 view and the rule table's page count; every page picture is A4 at twice the view.
void TstFormularze::obrazyStronSaA4() {
  for (const int kod : kKody) {
    const QByteArray b = Plik(Folder() + QString::number(kod) + ".dcd");
    QCOMPARE(b.size(), qsizetype(rekordy::kRozmiarNaglowkaFormularza));
    const auto n = rekordy::DekodujNaglowek(std::span<const std::uint8_t, rekordy::kRozmiarNaglowkaFormularza>(
        reinterpret_cast<const std::uint8_t*>(b.constData()), rekordy::kRozmiarNaglowkaFormularza));
    QCOMPARE(n.LiczbaStron, RegulyDla(kod)->liczbaStron);
    QCOMPARE(QSize(n.SzerokoscWidoku, n.WysokoscWidoku), QSize(800, 1131));
    QCOMPARE(QSize(n.SzerokoscEkranu, n.WysokoscEkranu), QSize(1280, 1024));
    QVERIFY(NaQString(n.Sciezka).endsWith(QStringLiteral("%1.dcd").arg(kod)));
    for (int s = 1; s <= n.LiczbaStron; ++s) {
      const QString sciezka = Folder() + QStringLiteral("%1_%2.dcg").arg(kod).arg(s);
      QVERIFY2(QFileInfo(sciezka).size() < 200 * 1024, qPrintable(sciezka));
      QSvgRenderer obraz(sciezka);
      QVERIFY2(obraz.isValid(), qPrintable(sciezka));
      QCOMPARE(obraz.defaultSize(), QSize(1600, 2263));
      QCOMPARE(obraz.viewBox(), QRect(0, 0, 1600, 2263));
    }
    QVERIFY(!QFile::exists(Folder() + QStringLiteral("%1_%2.dcg").arg(kod).arg(n.LiczbaStron + 1)));
  }
  QCOMPARE(RegulyDla(Pit37)->liczbaStron, 3);
}

// The white box of a field on the picture is the field's rectangle doubled.
void TstFormularze::ramkaPolaLezyNaObrazie() {
  for (const int kod : {Pit36, Pit37, PitO, Pit36L, PitZ, SseR, SseA, SseRA}) {
    const auto o = ObiektyFormularza(kod);
    std::vector<QString> strony(7);
    for (int s = 1; s <= RegulyDla(kod)->liczbaStron; ++s)
      strony[std::size_t(s)] = QString::fromUtf8(Plik(Folder() + QStringLiteral("%1_%2.dcg").arg(kod).arg(s)));
    for (const TObiekt& x : o) {
      if (!x.Widoczne) continue;
      const QString prostokat = QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>")
                                    .arg(2 * x.Lewy)
                                    .arg(2 * x.Gorny)
                                    .arg(2 * (x.Prawy - x.Lewy))
                                    .arg(2 * (x.Dolny - x.Gorny));
      QVERIFY2(strony[std::size_t(x.Strona)].contains(prostokat),
               qPrintable(QStringLiteral("form %1 object %2: %3").arg(kod).arg(x.NrObiektu).arg(prostokat)));
    }
  }
}

void TstFormularze::zawijanieMiesciSieWSzerokosci() {
  const std::string tekst =
      "Urząd skarbowy, którym kieruje naczelnik urzędu skarbowego właściwy według miejsca zamieszkania";
  const auto linie = Zawin(tekst, 7.5, false, 120);
  QVERIFY(linie.size() > 1);
  std::string razem;
  for (const auto& l : linie) {
    QVERIFY2(SzerokoscTekstu(l, 7.5, false) <= 120, l.c_str());
    razem += (razem.empty() ? "" : " ") + l;
  }
  QCOMPARE(razem, tekst);
  QVERIFY(SzerokoscTekstu("WWW", 10, false) > SzerokoscTekstu("iii", 10, false));
  QVERIFY(SzerokoscTekstu("Łódź", 10, true) > SzerokoscTekstu("Łódź", 10, false));
}

VELMAR_TEST_MAIN(TstFormularze)
#include "tst_formularze.moc"
