#include <QtTest>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/rekordy.h"

namespace {

using Bajty = std::vector<std::uint8_t>;

QByteArray Fragment(const Bajty& b, std::size_t od, std::size_t ile) {
  return QByteArray(reinterpret_cast<const char*>(b.data() + od), static_cast<qsizetype>(ile));
}

QByteArray Int32LE(std::uint32_t v) {
  const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
  return QByteArray(b, 4);
}

// The field's whole width as the record must hold it: the text, then zeros.
QByteArray Szeroko(const QByteArray& tekst, qsizetype n) { return tekst + QByteArray(n - tekst.size(), '\0'); }

void UstawPole(TPoleDruku& p, std::int32_t baza, const char* nazwa, const QString& wartosc) {
  p.Format = baza + 1;
  p.Typ = baza + 2;
  UstawBajty(p.Nazwa, nazwa);
  p.IdPit = baza + 3;
  p.Strona = baza + 4;
  p.NrObiektu = baza + 5;
  UstawTekst(p.Wartosc, wartosc);
  p.Zaznaczone = 1;
}

}  // namespace

class TstRekordy : public QObject {
  Q_OBJECT

 private slots:
  void drukWZapisie();
  void obiektWZapisie();
  void naglowekFormularza();
  void tekstBezTerminatoraOgraniczonySzerokoscia();
};

void TstRekordy::drukWZapisie() {
  auto druk = std::make_unique<TDruk>();
  druk->Wezel = reinterpret_cast<QTreeWidgetItem*>(std::uintptr_t{0xDEADBEEF});
  druk->Id = 0x01020304;
  druk->IdPit = PitO;
  druk->IdParent = 3;
  druk->PM = PMMalzonek;
  druk->Rodzaj = WspolneZMalzonkiem;
  druk->NrKopii = -2;
  druk->Wybrany = 1;
  druk->Wczytany = 0xA5;
  UstawPole(druk->Pola[0], 0x100, "kwota", QStringLiteral("1234,56"));
  UstawPole(druk->Pola[349], 0x200, "ostatnie", QStringLiteral("ąęłśżź"));

  Bajty b(rekordy::kRozmiarDruku, 0xCC);  // stale bytes must not leak through
  rekordy::Zakoduj(*druk, std::span<std::uint8_t, rekordy::kRozmiarDruku>(b));

  QCOMPARE(Fragment(b, 0, 4), QByteArray(4, '\0'));
  QCOMPARE(Fragment(b, 4, 4), Int32LE(0x01020304));
  QCOMPARE(Fragment(b, 8, 4), Int32LE(6));
  QCOMPARE(Fragment(b, 12, 4), Int32LE(3));
  QCOMPARE(Fragment(b, 16, 4), Int32LE(2));
  QCOMPARE(Fragment(b, 20, 4), Int32LE(1));
  QCOMPARE(Fragment(b, 24, 4), QByteArray("\xFE\xFF\xFF\xFF", 4));
  QCOMPARE(b[28], std::uint8_t{1});
  QCOMPARE(b[29], std::uint8_t{0xA5});
  QCOMPARE(Fragment(b, 30, 2), QByteArray(2, '\0'));

  const auto wpis = [&](std::size_t e, std::uint32_t baza, const QByteArray& nazwa, const QByteArray& wartosc) {
    QCOMPARE(Fragment(b, e, 8), Int32LE(baza + 1) + Int32LE(baza + 2));
    QCOMPARE(Fragment(b, e + 8, 16), Szeroko(nazwa, 16));
    QCOMPARE(Fragment(b, e + 24, 12), Int32LE(baza + 3) + Int32LE(baza + 4) + Int32LE(baza + 5));
    QCOMPARE(Fragment(b, e + 36, 355), Szeroko(wartosc, 355));
    QCOMPARE(b[e + 391], std::uint8_t{1});
  };
  wpis(32, 0x100, "kwota", "1234,56");
  const std::size_t e349 = 32 + 392 * 349;
  QCOMPARE(e349 + 392, rekordy::kRozmiarDruku);
  wpis(e349, 0x200, "ostatnie", "\xB9\xEA\xB3\x9C\xBF\x9F");
  // An untouched entry in between is all zeros.
  QCOMPARE(Fragment(b, 32 + 392 * 100, 392), QByteArray(392, '\0'));
}

void TstRekordy::obiektWZapisie() {
  TObiekt o;
  o.Lewy = 10, o.Gorny = 20, o.Prawy = 300, o.Dolny = 40;
  o.NrObiektu = 7;
  o.Strona = 2;
  o.DrugiNumer = 5;
  o.Format = FormatZaokrGroszy;
  o.Typ = Liczba;
  o.Wyrownanie = DoPrawej;
  o.LimitZnakow = 14;
  UstawBajty(o.Nazwa, "P_45");
  UstawBajty(o.Wartosc, "12,50");
  UstawBajty(o.WartoscDomyslna, "0,00");
  UstawBajty(o.Pomoc, "pomoc");
  UstawBajty(o.Rezerwa, "r");
  UstawBajty(o.RozmiarCzcionki, "10");
  UstawBajty(o.KolorKrawedzi, "D9FFD9");
  UstawBajty(o.KolorTla, "FFFFFF");
  UstawBajty(o.KolorTekstu, "000000");
  o.Widoczne = 1;
  o.TylkoDoOdczytu = 2;
  o.Wymagane = 3;
  o.Zablokowane = 4;
  o.Wielowierszowe = 5;
  o.TylkoDodatnia = 6;
  o.Wypelnienie = 0x77;
  o.PozycjaPrzegladania = -1;
  o.Zarezerwowane = 0x0A0B0C0D;
  for (std::size_t k = 0; k < 10; ++k) {
    UstawBajty(o.Opcje[k].Tekst, "opcja" + std::to_string(k));
    UstawBajty(o.Opcje[k].Wartosc, std::to_string(k));
    o.Opcje[k].Zaznaczona = static_cast<std::uint8_t>(0x10 + k);
    UstawBajty(o.ElementyListy[k].Tekst, "element" + std::to_string(k));
    UstawBajty(o.ElementyListy[k].Wartosc, std::to_string(10 + k));
    UstawBajty(o.OpcjeDodatkowe[k].Tekst, "dodatkowa" + std::to_string(k));
    UstawBajty(o.OpcjeDodatkowe[k].Wartosc, std::to_string(20 + k));
    o.OpcjeDodatkowe[k].Zaznaczona = static_cast<std::uint8_t>(0x20 + k);
  }

  Bajty b(rekordy::kRozmiarObiektu, 0xCC);
  rekordy::Zakoduj(o, std::span<std::uint8_t, rekordy::kRozmiarObiektu>(b));

  const std::uint32_t liczby[] = {10, 20, 300, 40, 7, 2, 5, 11, 1, 1, 14};
  for (std::size_t i = 0; i < std::size(liczby); ++i) QCOMPARE(Fragment(b, 4 * i, 4), Int32LE(liczby[i]));
  const struct {
    std::size_t od;
    qsizetype szerokosc;
    const char* tekst;
  } teksty[] = {{44, 15, "P_45"}, {59, 255, "12,50"},  {314, 255, "0,00"},   {569, 80, "pomoc"}, {649, 100, "r"},
                {749, 3, "10"},  {752, 7, "D9FFD9"}, {759, 7, "FFFFFF"}, {766, 7, "000000"}};
  for (const auto& t : teksty) QCOMPARE(Fragment(b, t.od, std::size_t(t.szerokosc)), Szeroko(t.tekst, t.szerokosc));
  QCOMPARE(Fragment(b, 773, 7), QByteArray("\x01\x02\x03\x04\x05\x06\x77", 7));
  QCOMPARE(Fragment(b, 780, 4), QByteArray("\xFF\xFF\xFF\xFF", 4));
  QCOMPARE(Fragment(b, 784, 4), Int32LE(0x0A0B0C0D));
  for (std::size_t k = 0; k < 10; ++k) {
    const std::string n = std::to_string(k);
    const std::size_t opcja = 788 + 101 * k, element = 1798 + 100 * k, dodatkowa = 2798 + 101 * k;
    QCOMPARE(Fragment(b, opcja, 50), Szeroko(("opcja" + n).c_str(), 50));
    QCOMPARE(Fragment(b, opcja + 50, 50), Szeroko(n.c_str(), 50));
    QCOMPARE(b[opcja + 100], std::uint8_t(0x10 + k));
    QCOMPARE(Fragment(b, element, 50), Szeroko(("element" + n).c_str(), 50));
    QCOMPARE(Fragment(b, element + 50, 50), Szeroko(std::to_string(10 + k).c_str(), 50));
    QCOMPARE(Fragment(b, dodatkowa, 50), Szeroko(("dodatkowa" + n).c_str(), 50));
    QCOMPARE(Fragment(b, dodatkowa + 50, 50), Szeroko(std::to_string(20 + k).c_str(), 50));
    QCOMPARE(b[dodatkowa + 100], std::uint8_t(0x20 + k));
  }
}

void TstRekordy::naglowekFormularza() {
  TNaglowekFormularza n;
  UstawBajty(n.Sciezka, "/home/u/dc/abc/abc.dcd");
  n.LiczbaStron = 4;
  n.SzerokoscEkranu = 1920;
  n.WysokoscEkranu = 1080;
  n.WysokoscWidoku = 1131;
  n.SzerokoscWidoku = 800;
  Bajty b(rekordy::kRozmiarNaglowkaFormularza, 0xCC);
  rekordy::Zakoduj(n, std::span<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza>(b));
  QCOMPARE(Fragment(b, 0, 256), Szeroko("/home/u/dc/abc/abc.dcd", 256));
  QCOMPARE(Fragment(b, 256, 20), Int32LE(4) + Int32LE(1920) + Int32LE(1080) + Int32LE(1131) + Int32LE(800));

}

void TstRekordy::tekstBezTerminatoraOgraniczonySzerokoscia() {
  Bajty b(rekordy::kRozmiarObiektu, 0);
  std::fill_n(b.begin() + 44, 15, std::uint8_t{'N'});  // Nazwa, no terminator
  std::fill_n(b.begin() + 59, 5, std::uint8_t{'W'});   // the next field follows at once
  const TObiekt o = rekordy::DekodujObiekt(std::span<const std::uint8_t, rekordy::kRozmiarObiektu>(b));
  QCOMPARE(Tekst(o.Nazwa), std::string_view("NNNNNNNNNNNNNNN"));
  QCOMPARE(Tekst(o.Wartosc), std::string_view("WWWWW"));

  Bajty d(rekordy::kRozmiarDruku, 0);
  std::fill_n(d.begin() + 32 + 8, 16, std::uint8_t{0xB9});  // entry 0 Nazwa, "ą" to the last byte
  const auto druk =
      std::make_unique<TDruk>(rekordy::DekodujDruk(std::span<const std::uint8_t, rekordy::kRozmiarDruku>(d)));
  QCOMPARE(Tekst(druk->Pola[0].Nazwa).size(), std::size_t{16});
  QCOMPARE(NaQString(druk->Pola[0].Nazwa), QString(16, QChar(0x0105)));
}

QTEST_APPLESS_MAIN(TstRekordy)
#include "tst_rekordy.moc"
