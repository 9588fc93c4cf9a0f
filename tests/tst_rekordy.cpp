// The records of the .dc8, .dcs and .dcd files, byte for byte: each expected record is spelled out field after field
// in file order, so a field moved, widened or left out shows as a difference.

#include <QtTest>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/rekordy.h"

namespace {

using Bajty = std::vector<std::uint8_t>;

// Little-endian 32-bit numbers.
QByteArray I(std::initializer_list<std::uint32_t> liczby) {
  QByteArray b;
  for (const std::uint32_t v : liczby)
    for (int i = 0; i < 4; ++i) b += char((v >> (8 * i)) & 0xFF);
  return b;
}

// The field's whole width as the record must hold it: the text, then zeros.
QByteArray Szeroko(const std::string& tekst, qsizetype n) {
  return QByteArray::fromStdString(tekst) + QByteArray(n - qsizetype(tekst.size()), '\0');
}

// Encodes the record over stale bytes (which must not leak through); decoding and encoding again gives it back.
template <typename Rekord, std::size_t N, typename Dekoduj>
QByteArray Zapis(const Rekord& r, Dekoduj dekoduj) {
  Bajty b(N, 0xCC), znowu(N, 0xCC);
  rekordy::Zakoduj(r, std::span<std::uint8_t, N>(b));
  const auto odczytany = std::make_unique<Rekord>(dekoduj(std::span<const std::uint8_t, N>(b)));
  rekordy::Zakoduj(*odczytany, std::span<std::uint8_t, N>(znowu));
  return znowu == b ? QByteArray(reinterpret_cast<const char*>(b.data()), N) : QByteArray("decoding differs");
}

void UstawPole(TPoleDruku& p, std::int32_t baza, const char* nazwa, const QString& wartosc) {
  p.Format = baza + 1, p.Typ = baza + 2, p.IdPit = baza + 3, p.Strona = baza + 4, p.NrObiektu = baza + 5;
  UstawBajty(p.Nazwa, nazwa);
  UstawTekst(p.Wartosc, wartosc);
  p.Zaznaczone = 1;
}

QByteArray Pole(std::uint32_t baza, const std::string& nazwa, const std::string& wartosc) {
  return I({baza + 1, baza + 2}) + Szeroko(nazwa, 16) + I({baza + 3, baza + 4, baza + 5}) + Szeroko(wartosc, 355) +
         '\1';
}

}  // namespace

class TstRekordy : public QObject {
  Q_OBJECT

 private slots:
  void druk() {
    auto druk = std::make_unique<TDruk>();
    druk->Wezel = reinterpret_cast<QTreeWidgetItem*>(std::uintptr_t{0xDEADBEEF});  // never written
    druk->Id = 0x01020304, druk->IdPit = PitO, druk->IdParent = 3, druk->PM = PMMalzonek;
    druk->Rodzaj = WspolneZMalzonkiem, druk->NrKopii = -2, druk->Wybrany = 1, druk->Wczytany = 0xA5;
    UstawPole(druk->Pola[0], 0x100, "kwota", QStringLiteral("1234,56"));
    UstawPole(druk->Pola[349], 0x200, "ostatnie", QStringLiteral("ąęłśżź"));
    const QByteArray b = Zapis<TDruk, rekordy::kRozmiarDruku>(*druk, rekordy::DekodujDruk);
    QCOMPARE(b, I({0, 0x01020304, 6, 3, 2, 1, 0xFFFFFFFE}) + QByteArray("\1\xA5\0\0", 4) +
                    Pole(0x100, "kwota", "1234,56") + QByteArray(348 * 392, '\0') +
                    Pole(0x200, "ostatnie", "\xB9\xEA\xB3\x9C\xBF\x9F"));
  }

  void obiekt() {
    TObiekt o;
    o.Lewy = 10, o.Gorny = 20, o.Prawy = 300, o.Dolny = 40, o.NrObiektu = 7, o.Strona = 2, o.DrugiNumer = 5;
    o.Format = FormatZaokrGroszy, o.Typ = Liczba, o.Wyrownanie = DoPrawej, o.LimitZnakow = 14;
    const char* teksty[] = {"P_45", "12,50", "0,00", "pomoc", "r", "10", "D9FFD9", "FFFFFF", "000000"};
    const qsizetype szerokosci[] = {15, 255, 255, 80, 100, 3, 7, 7, 7};
    UstawBajty(o.Nazwa, teksty[0]), UstawBajty(o.Wartosc, teksty[1]), UstawBajty(o.WartoscDomyslna, teksty[2]);
    UstawBajty(o.Pomoc, teksty[3]), UstawBajty(o.Rezerwa, teksty[4]), UstawBajty(o.RozmiarCzcionki, teksty[5]);
    UstawBajty(o.KolorKrawedzi, teksty[6]), UstawBajty(o.KolorTla, teksty[7]), UstawBajty(o.KolorTekstu, teksty[8]);
    o.Widoczne = 1, o.TylkoDoOdczytu = 2, o.Wymagane = 3, o.Zablokowane = 4, o.Wielowierszowe = 5;
    o.TylkoDodatnia = 6, o.Wypelnienie = 0x77, o.PozycjaPrzegladania = -1, o.Zarezerwowane = 0x0A0B0C0D;
    QByteArray oczekiwane = I({10, 20, 300, 40, 7, 2, 5, 11, 1, 1, 14});
    for (int i = 0; i < 9; ++i) oczekiwane += Szeroko(teksty[i], szerokosci[i]);
    oczekiwane += QByteArray("\1\2\3\4\5\6\x77", 7) + I({0xFFFFFFFF, 0x0A0B0C0D});
    QByteArray opcje, elementy, dodatkowe;
    for (std::size_t k = 0; k < 10; ++k) {
      const std::string n = std::to_string(k);
      UstawBajty(o.Opcje[k].Tekst, "opcja" + n), UstawBajty(o.Opcje[k].Wartosc, n);
      UstawBajty(o.ElementyListy[k].Tekst, "element" + n), UstawBajty(o.ElementyListy[k].Wartosc, "1" + n);
      UstawBajty(o.OpcjeDodatkowe[k].Tekst, "dodatkowa" + n), UstawBajty(o.OpcjeDodatkowe[k].Wartosc, "2" + n);
      o.Opcje[k].Zaznaczona = std::uint8_t(0x10 + k), o.OpcjeDodatkowe[k].Zaznaczona = std::uint8_t(0x20 + k);
      opcje += Szeroko("opcja" + n, 50) + Szeroko(n, 50) + char(0x10 + k);
      elementy += Szeroko("element" + n, 50) + Szeroko("1" + n, 50);
      dodatkowe += Szeroko("dodatkowa" + n, 50) + Szeroko("2" + n, 50) + char(0x20 + k);
    }
    QCOMPARE((Zapis<TObiekt, rekordy::kRozmiarObiektu>(o, rekordy::DekodujObiekt)),
             oczekiwane + opcje + elementy + dodatkowe);
  }

  void naglowekFormularza() {
    TNaglowekFormularza n;
    UstawBajty(n.Sciezka, "/home/u/dc/abc/abc.dcd");
    n.LiczbaStron = 4, n.SzerokoscEkranu = 1920, n.WysokoscEkranu = 1080, n.WysokoscWidoku = 1131;
    n.SzerokoscWidoku = 800;
    QCOMPARE((Zapis<TNaglowekFormularza, rekordy::kRozmiarNaglowkaFormularza>(n, rekordy::DekodujNaglowek)),
             Szeroko("/home/u/dc/abc/abc.dcd", 256) + I({4, 1920, 1080, 1131, 800}));
  }

  void tekstBezTerminatoraOgraniczonySzerokoscia() {
    Bajty b(rekordy::kRozmiarObiektu, 0);
    std::fill_n(b.begin() + 44, 15, std::uint8_t{'N'});  // Nazwa, no terminator
    std::fill_n(b.begin() + 59, 5, std::uint8_t{'W'});   // the next field follows at once
    const TObiekt o = rekordy::DekodujObiekt(std::span<const std::uint8_t, rekordy::kRozmiarObiektu>(b));
    QCOMPARE(Tekst(o.Nazwa), std::string_view("NNNNNNNNNNNNNNN"));
    QCOMPARE(Tekst(o.Wartosc), std::string_view("WWWWW"));
  }
};

QTEST_APPLESS_MAIN(TstRekordy)
#include "tst_rekordy.moc"
