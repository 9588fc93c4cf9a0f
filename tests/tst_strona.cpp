// Form structures: the field-object file, the header, the designer's writes, colour texts and page pictures.

#include <QBuffer>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <climits>
#include <random>
#include <tuple>

#include "calc/konwersje.h"
#include "model/struktura.h"
#include "pages/fpaleta.h"
#include "pages/kolory.h"
#include "pages/obiekty_plik.h"
#include "pages/obraz_strony.h"
#include "tst_strony_wspolne.h"

using namespace velmar_test;

namespace {

// A raster picture of one colour in a file format Qt writes.
QByteArray Raster(int w, int h, QRgb kolor, const char* format = "PNG") {
  QImage obraz(w, h, QImage::Format_RGB32);
  obraz.fill(kolor);
  QByteArray dane;
  QBuffer bufor(&dane);
  bufor.open(QIODevice::WriteOnly);
  obraz.save(&bufor, format);
  return dane;
}

constexpr qsizetype kRekord = static_cast<qsizetype>(rekordy::kRozmiarObiektu);

}  // namespace

class TstStrona : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  TTools& T() { return p_->T(); }
  TFImage& V() { return p_->V(); }
  QString PlikDcs() const { return p_->Dc() + QStringLiteral("2.dcs"); }

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZeStronami>();
    p_->Uruchom();
    T().PlikDcs = PlikDcs();
  }
  void cleanup() { p_.reset(); }

  void plikDcsZapisywanyWMiejscu();
  void plikDcsZOgonemPustyIBrak();
  void skalaObcinaDoZera();
  void naglowekWZapisieIOdczycie();
  void noweObiektyIKopieProjektanta();
  void zapisZaznaczeniaCzysciGrupeWPliku();
  void zapisKwotyWedlugFormatu();
  void usuniecieObiektu();
  void kolorZTekstu();
  void obrazSvgDopasowanyDo800();
  void ksztaltyStron_data();
  void ksztaltyStron();
  void renderowanieSpakowaneIRozpakowane();
};

void TstStrona::plikDcsZapisywanyWMiejscu() {
  const std::vector<TObiekt> obiekty{Pole(Text, 1, 1, 2, 3, 4), Pole(Liczba, 2, 5, 6, 7, 8)};
  const std::vector<std::uint8_t> bajty = rekordy::ZakodujObiekty(obiekty);
  const QByteArray zrodlo(reinterpret_cast<const char*>(bajty.data()), static_cast<qsizetype>(bajty.size()));
  QVERIFY(struktura::ZapiszObiekty(PlikDcs(), obiekty));
  QCOMPARE(CzytajPlik(PlikDcs()), zrodlo);
  QFile::remove(PlikDcs());
  QVERIFY(struktura::DopiszObiekt(PlikDcs(), obiekty[0]));
  QVERIFY(struktura::DopiszObiekt(PlikDcs(), obiekty[1]));
  QCOMPARE(CzytajPlik(PlikDcs()), zrodlo);

  // In place: record 1 rewritten changes its own bytes only; no record past the end is read or written.
  TObiekt drugi = *struktura::CzytajObiekt(PlikDcs(), 1);
  QCOMPARE(drugi.Lewy, 5);
  drugi.Lewy = 50;
  QVERIFY(struktura::ZapiszObiekt(PlikDcs(), 1, drugi));
  QCOMPARE(CzytajPlik(PlikDcs()).left(kRekord), zrodlo.left(kRekord));
  QCOMPARE(struktura::CzytajObiekt(PlikDcs(), 1)->Lewy, 50);
  QVERIFY(!struktura::CzytajObiekt(PlikDcs(), 2));
  QVERIFY(!struktura::ZapiszObiekt(PlikDcs(), 2, drugi));
  QCOMPARE(CzytajPlik(PlikDcs()).size(), 2 * kRekord);
}

void TstStrona::plikDcsZOgonemPustyIBrak() {
  ZapiszPlik(PlikDcs(), QByteArray(3 * kRekord + 100, '\1'));
  WczytajObiekty(&V());
  QCOMPARE(T().LiczbaObiektow, 3);
  QCOMPARE(V().Obiekty.size(), std::size_t{3});
  QCOMPARE(T().PanelStatusu[0]->text(), QStringLiteral("Liczba obiektow:3"));

  ZapiszPlik(PlikDcs(), QByteArray());
  WczytajObiekty(&V());
  QCOMPARE(T().LiczbaObiektow, 0);
  QVERIFY(V().Obiekty.empty());

  ZapiszPlik(PlikDcs(), QByteArray(kRekord - 1, '\1'));
  WczytajObiekty(&V());
  QCOMPARE(T().LiczbaObiektow, 0);

  // A missing file leaves the objects there were.
  p_->Folder().ZapiszDcs(2, {Pole(Text, 1, 1, 2, 3, 4), Pole(Liczba, 1, 5, 6, 7, 8)});
  WczytajObiekty(&V());
  QCOMPARE(T().LiczbaObiektow, 2);
  T().PlikDcs = p_->Dc() + QStringLiteral("brak.dcs");
  WczytajObiekty(&V());
  QCOMPARE(T().LiczbaObiektow, 2);
  QCOMPARE(V().Obiekty[1].Lewy, 5);
  QCOMPARE(T().PanelStatusu[0]->text(), QStringLiteral("Liczba obiektow:2"));
}

void TstStrona::skalaObcinaDoZera() {
  TObiekt o;
  o.Lewy = INT_MAX;
  o.Gorny = INT_MIN;
  o.Prawy = 7;
  o.Dolny = -3;
  const std::vector<std::uint8_t> bajty = rekordy::ZakodujObiekty(std::span(&o, 1));
  // At scale 1 every coordinate stays exact, the extremes included (a float product would not).
  const auto jeden = struktura::ObiektyZBajtow(bajty, 1.0f);
  QCOMPARE(jeden[0].Lewy, INT_MAX);
  QCOMPARE(jeden[0].Gorny, INT_MIN);
  const auto poltora = struktura::ObiektyZBajtow(bajty, 1.5f);
  QCOMPARE(poltora[0].Prawy, 10);
  QCOMPARE(poltora[0].Dolny, -4);
  QCOMPARE(poltora[0].Lewy, INT_MAX);
}

void TstStrona::naglowekWZapisieIOdczycie() {
  T().PlikDcd = p_->Dc() + QStringLiteral("abc.dcd");
  T().LiczbaStron = 3;
  T().SzerokoscEkranu = 1280;
  T().WysokoscEkranu = 1024;
  T().WysokoscWidoku = 1131;
  T().SzerokoscWidoku = 800;
  T().Skala = 2.0f;
  T().ZapiszNaglowekFormularza();
  QCOMPARE((std::tuple{T().Skala, T().SzerokoscWidokuProjektu, T().WysokoscWidokuProjektu}),
           (std::tuple{1.0f, 800, 1131}));
  // The file's own path, zero-padded to 256 bytes, then the counts and sizes.
  QCOMPARE(CzytajPlik(T().PlikDcd), T().PlikDcd.toLatin1().leftJustified(256, '\0') +
                                        QByteArray::fromHex("0300000000050000000400006b04000020030000"));

  T().LiczbaStron = 0;
  T().SzerokoscEkranuProjektu = T().WysokoscEkranuProjektu = 0;
  T().SzerokoscWidoku = 640;
  T().Skala = 3.0f;
  QVERIFY(T().WczytajNaglowekFormularza());
  QCOMPARE((std::tuple{T().LiczbaStron, T().SzerokoscEkranuProjektu, T().WysokoscEkranuProjektu, T().SzerokoscWidoku,
                       T().Skala}),
           (std::tuple{3, 1280, 1024, 800, 1.0f}));
  QVERIFY(SkryptDialogow().pokazane.empty());

  // A header cut short changes nothing and names its file; bytes after a whole one are no fault.
  ZapiszPlik(T().PlikDcd, Naglowek(5).left(275));
  QVERIFY(!T().WczytajNaglowekFormularza());
  QCOMPARE(T().LiczbaStron, 3);
  QCOMPARE(SkryptDialogow().Teksty().size(), 1);
  QVERIFY(SkryptDialogow().Teksty()[0].contains(T().PlikDcd));
  ZapiszPlik(T().PlikDcd, Naglowek(5) + QByteArray("ogon"));
  QVERIFY(T().WczytajNaglowekFormularza());
  QCOMPARE(T().LiczbaStron, 5);
}

void TstStrona::noweObiektyIKopieProjektanta() {
  T().BiezacaStrona = 2;
  T().LiczbaObiektow = 1;
  T().SelectObj->setCurrentIndex(Liczba);
  V().Zaznaczenie = {10, 20, 110, 40};
  DodajObiekt(&V());
  auto zapisane = struktura::CzytajObiekty(PlikDcs(), 1.0f);
  QVERIFY(zapisane && zapisane->size() == 1);
  const TObiekt nowy = (*zapisane)[0];
  QCOMPARE((std::array{nowy.Lewy, nowy.Gorny, nowy.Prawy, nowy.Dolny}), (std::array{10, 20, 110, 40}));
  QCOMPARE(nowy.NrObiektu, 1);
  QCOMPARE(nowy.Strona, 2);
  QCOMPARE(nowy.Typ, static_cast<int>(Liczba));
  QCOMPARE(Tekst(nowy.WartoscDomyslna), std::string_view("0,00"));
  QCOMPARE(Tekst(nowy.Nazwa), std::string_view("1"));

  // A Shift copy appended when the count has become 8: number 8, named after its second number; a Ctrl copy keeps
  // its name and so its check-box group.
  TObiekt zrodlo = nowy;
  UstawBajty(zrodlo.Nazwa, "grupa");
  T().LiczbaObiektow = 8;
  DodajKopieObiektu(&V(), 0, zrodlo);
  T().LiczbaObiektow = 9;
  DodajKopieWGrupie(&V(), 0, zrodlo);
  zapisane = struktura::CzytajObiekty(PlikDcs(), 1.0f);
  QCOMPARE(zapisane->size(), std::size_t{3});
  QCOMPARE((*zapisane)[1].NrObiektu, 8);
  QCOMPARE(Tekst((*zapisane)[1].Nazwa), std::string_view("0.8"));
  QCOMPARE((*zapisane)[2].NrObiektu, 9);
  QCOMPARE(Tekst((*zapisane)[2].Nazwa), std::string_view("grupa"));
}

void TstStrona::zapisZaznaczeniaCzysciGrupeWPliku() {
  std::vector<TObiekt> obiekty;
  for (const char* nazwa : {"g", "g", "inna", "g"}) {
    TObiekt o = NowyObiekt(Checbox, 1, nazwa, "");
    o.Opcje[0].Zaznaczona = 1;
    obiekty.push_back(o);
  }
  p_->Folder().ZapiszDcs(2, obiekty);
  WczytajObiekty(&V());
  auto* pole = new QCheckBox(&V());
  pole->setChecked(true);
  V().EdytorZaznaczenia = pole;
  TObiekt zapisywany = V().Obiekty[1];
  zapisywany.Opcje[0].Zaznaczona = 0;
  ZapiszObiekt(&V(), 1, zapisywany);

  // The box written ticked, the rest of its group cleared, another group untouched.
  const auto zapisane = struktura::CzytajObiekty(PlikDcs(), 1.0f);
  for (std::size_t i = 0; i < 4; ++i) QCOMPARE(zapisane->at(i).Opcje[0].Zaznaczona, std::uint8_t(i == 1 || i == 2));
}

void TstStrona::zapisKwotyWedlugFormatu() {
  TObiekt kwota = NowyObiekt(Liczba, 1, "kwota", "0,00");
  p_->Folder().ZapiszDcs(2, {kwota});
  WczytajObiekty(&V());
  auto* edytor = new QPlainTextEdit(&V());
  V().EdytorTekstu = edytor;
  struct Przypadek {
    int format;
    const char* wpisane;
    const char* zapisane;
  };
  for (const Przypadek& p :
       {Przypadek{FormatZaokrZloty, "12,5", "13,00"}, Przypadek{FormatZaokrGroszy, "3,456", "3,46"},
        Przypadek{FormatCalkowita, "12", "12"}, Przypadek{FormatDziesietna, "7", "7,00"}}) {
    kwota.Format = p.format;
    edytor->setPlainText(QString::fromLatin1(p.wpisane));
    ZapiszObiekt(&V(), 0, kwota);
    const auto zapisany = struktura::CzytajObiekt(PlikDcs(), 0);
    QCOMPARE(Tekst(zapisany->Wartosc), std::string_view(p.zapisane));
    QCOMPARE(edytor->toPlainText(), QString::fromLatin1(p.zapisane));
  }

  // A text that is no amount stops before anything is written.
  kwota.Format = FormatZaokrZloty;
  edytor->setPlainText(QStringLiteral("abc"));
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, ZapiszObiekt(&V(), 0, kwota));
  QCOMPARE(Tekst(struktura::CzytajObiekt(PlikDcs(), 0)->Wartosc), std::string_view("7,00"));
}

void TstStrona::usuniecieObiektu() {
  std::vector<TObiekt> obiekty;
  for (int i = 0; i < 3; ++i) {
    TObiekt o = Pole(Text, 1, i, i, i + 50, i + 20);
    o.NrObiektu = 10 + i;
    UstawBajty(o.Nazwa, std::to_string(10 + i));
    obiekty.push_back(o);
  }
  p_->Folder().ZapiszDcs(2, obiekty);
  T().PlikDcs = PlikDcs();
  WczytajObiekty(&V());

  T().WybranyObiekt = -1;
  UsunObiekt(&V());
  QCOMPARE(CzytajPlik(PlikDcs()).size(), 3 * kRekord);

  T().WybranyObiekt = 1;
  UsunObiekt(&V());
  QCOMPARE(T().LiczbaObiektow, 2);
  QCOMPARE(T().WybranyObiekt, -1);
  const auto pozostale = struktura::CzytajObiekty(PlikDcs(), 1.0f);
  QCOMPARE(pozostale->size(), std::size_t{2});
  QCOMPARE(pozostale->at(1).NrObiektu, 12);
  QCOMPARE(Tekst(pozostale->at(1).Nazwa), std::string_view("12"));

  for (int i = 0; i < 2; ++i) {
    T().WybranyObiekt = 0;
    UsunObiekt(&V());
  }
  QVERIFY(!QFile::exists(PlikDcs()));
  QCOMPARE(SkryptDialogow().Teksty().last(), QStringLiteral("Brak pliku Dcs!: ") + PlikDcs());
}

void TstStrona::kolorZTekstu() {
  QCOMPARE(TFPaleta::KolorZTekstu(QString()), 16777215);
  QCOMPARE(TFPaleta::KolorZTekstu(QStringLiteral("FFFFF")), 0x0FFFFF);
  try {
    TFPaleta::KolorZTekstu(QStringLiteral("FFFF"));
    QFAIL("a missing pair converted");
  } catch (const BladKonwersjiCalkowitej& e) {
    QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'$' is not a valid integer value"));
  }
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiCalkowitej, KolorZTekstu("12G456"));

  const QRgb zastepczy = qRgb(1, 2, 3);
  QCOMPARE(KolorLubDomyslny("FF0000", zastepczy), qRgb(255, 0, 0));
  QCOMPARE(KolorLubDomyslny("", zastepczy), qRgb(255, 255, 255));
  for (const char* zly : {"FFFFF", "GG0000", "12", "FF 000"}) QCOMPARE(KolorLubDomyslny(zly, zastepczy), zastepczy);
}

void TstStrona::obrazSvgDopasowanyDo800() {
  const QString sciezka = p_->Dc() + QStringLiteral("2_1.dcg");
  ZapiszPlik(sciezka, Svg(1600, 2263, qRgb(0, 0, 255)));
  T().PlikDcg = sciezka;
  QVERIFY(T().WczytajObrazStrony());
  QCOMPARE(T().SzerokoscMetapliku, 1600);
  QCOMPARE(T().WysokoscMetapliku, 2263);
  QCOMPARE(T().SzerokoscWidoku, 800);
  QCOMPARE(T().WysokoscWidoku, 1131);
  QCOMPARE(T().StronaWczytana, std::uint8_t{1});
  QCOMPARE(QSize(T().ObrazStrony->Szerokosc(), T().ObrazStrony->Wysokosc()), QSize(800, 1131));
  std::vector<QRgb> ostatni(800);
  T().ObrazStrony->Wiersze(1130, 1, ostatni.data());
  QCOMPARE(ostatni[400], qRgb(0, 0, 255));
  QCOMPARE(T().PanelStatusu[2]->text(), QStringLiteral("Rozmiar druku:[800x1131]"));

  // Width and height without a view box give the size; the picture is kept while its file is unchanged.
  const auto* poprzedni = T().ObrazStrony.get();
  QVERIFY(T().WczytajObrazStrony());
  QCOMPARE(T().ObrazStrony.get(), poprzedni);
  ZapiszPlik(sciezka, QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"100\"></svg>"));
  QVERIFY(T().WczytajObrazStrony());
  QVERIFY(T().ObrazStrony.get() != poprzedni);
  QCOMPARE(T().WysokoscWidoku, 200);

  // A missing or undecodable picture leaves the one there was and its sizes.
  const auto dobry = T().ObrazStrony;
  T().PlikDcg = p_->Dc() + QStringLiteral("2_9.dcg");
  QVERIFY(!T().WczytajObrazStrony());
  QCOMPARE(SkryptDialogow().Teksty().last(), QStringLiteral("Brak wymaganego pliku dcg:\n") + T().PlikDcg);
  T().PlikDcg = p_->Dc() + QStringLiteral("zly.dcg");
  ZapiszPlik(T().PlikDcg, QByteArray("nic"));
  QVERIFY(!T().WczytajObrazStrony());
  QCOMPARE(T().ObrazStrony, dobry);
  QCOMPARE(T().WysokoscWidoku, 200);
  QCOMPARE(T().StronaWczytana, std::uint8_t{1});
}

// A page at most four times as tall as it is wide, whatever the picture's own size; a taller one is refused with the
// size message, a raster declaring too many pixels before it is decoded. A JPEG keeps its own size as the page's
// while it is decoded no larger than the page shows it.
void TstStrona::ksztaltyStron_data() {
  QTest::addColumn<QByteArray>("dane");
  QTest::addColumn<QSize>("strona");  // invalid: refused with the size message
  QTest::addColumn<QSize>("wlasny");
  QTest::addColumn<QString>("blad");  // what the refusal says
  const auto svg = [](const char* pole) {
    return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"") + pole +
           "\"><rect width=\"1\" height=\"1\"/></svg>";
  };
  // A PNG whose header declares a size (its checksum made anew) but whose data holds one pixel.
  const auto naglowekPng = [](int w, int h) {
    QByteArray png = Raster(1, 1, 0);
    const auto wpisz = [&](qsizetype gdzie, quint32 liczba) {
      for (int i = 0; i < 4; ++i) png[gdzie + i] = static_cast<char>(liczba >> (24 - 8 * i));
    };
    wpisz(16, static_cast<quint32>(w));
    wpisz(20, static_cast<quint32>(h));
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = 12; i < 29; ++i) {
      crc ^= static_cast<quint8>(png[i]);
      for (int b = 0; b < 8; ++b) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    wpisz(29, ~crc);
    return png;
  };
  const QString rozmiar = QStringLiteral("nieprawidłowy rozmiar (%1)");
  QTest::newRow("1 pixel") << Raster(1, 1, 0) << QSize(800, 800) << QSize(1, 1) << QString();
  QTest::newRow("400 x 300 PNG") << Raster(400, 300, 0) << QSize(800, 600) << QSize(400, 300) << QString();
  QTest::newRow("1 pixel wide, four high") << Raster(1, 4, 0) << QSize(800, 3200) << QSize(1, 4) << QString();
  QTest::newRow("1 pixel wide, five high") << Raster(1, 5, 0) << QSize() << QSize() << rozmiar.arg("1x5");
  QTest::newRow("100 x 4000 PNG") << Raster(100, 4000, 0) << QSize() << QSize() << rozmiar.arg("100x4000");
  QTest::newRow("view box 1 x 40") << svg("0 0 1 40") << QSize() << QSize() << rozmiar.arg("1x40");
  QTest::newRow("view box 1 x 4") << svg("0 0 1 4") << QSize(800, 3200) << QSize(1, 4) << QString();
  QTest::newRow("view box 0 x 100") << svg("0 0 0 100") << QSize() << QSize() << "nieprawidłowy rozmiar";
  QTest::newRow("view box 100000 x 1") << svg("0 0 100000 1") << QSize() << QSize() << "nieprawidłowy rozmiar";
  QTest::newRow("PNG declaring 20000 x 20000")
      << naglowekPng(20000, 20000) << QSize() << QSize() << rozmiar.arg("20000x20000");
  QTest::newRow("JPEG 3200 x 4526") << Raster(3200, 4526, qRgb(0, 0, 255), "JPEG") << QSize(800, 1131)
                                    << QSize(3200, 4526) << QString();
  QTest::newRow("GIF") << QByteArray("GIF89a...") << QSize() << QSize() << "Nieznany format";
  QTest::newRow("PNG cut short") << Raster(400, 300, 0).left(60) << QSize() << QSize() << "Nie można odczytać";
  QTest::newRow("JPEG cut short") << QByteArray("\xFF\xD8\xFF\xE0 ucięty") << QSize() << QSize()
                                  << "Nie można odczytać";
}

void TstStrona::ksztaltyStron() {
  QFETCH(QByteArray, dane);
  QFETCH(QSize, strona);
  QFETCH(QSize, wlasny);
  QFETCH(QString, blad);
  QString komunikat;
  const auto obraz = TObrazStrony::ZBajtow(dane, QStringLiteral("s.dcg"), komunikat, 800);
  if (!strona.isValid()) {
    QVERIFY(!obraz);
    QVERIFY2(komunikat.contains(blad) && komunikat.endsWith(QStringLiteral(":\ns.dcg")), qPrintable(komunikat));
    return;
  }
  QVERIFY2(obraz, qPrintable(komunikat));
  QCOMPARE(QSize(obraz->SzerokoscMetapliku(), obraz->WysokoscMetapliku()), wlasny);
  obraz->Dopasuj(800, WysokoscDopasowana(wlasny.width(), wlasny.height(), 800));
  QCOMPARE(obraz->Obraz().size(), strona);
}

void TstStrona::renderowanieSpakowaneIRozpakowane() {
  QString blad;
  // A generated page packs to a small part of its rendering and unpacks to the same pixels, in the memory handed in.
  auto strona = TObrazStrony::Wczytaj(QStringLiteral(VELMAR_BIN_DIR "/dc/2_1.dcg"), blad);
  QVERIFY2(strona, qPrintable(blad));
  const std::size_t przed = strona->Rozmiar();
  strona->Dopasuj(800, 1131);
  const QImage wyrenderowany = strona->Obraz().copy();
  QImage bufor = strona->Oddaj();
  QVERIFY(strona->Obraz().isNull());
  QCOMPARE(bufor.size(), QSize(800, 1131));
  QVERIFY(strona->Rozmiar() > przed && strona->Rozmiar() - przed < std::size_t(bufor.sizeInBytes()) / 4);
  // Rows read from the packing, in groups that start and end anywhere in its runs, are the rendering's.
  std::vector<QRgb> wiersze(800 * 7);
  for (int y = 0; y < 1131; y += 7) {
    const int n = std::min(7, 1131 - y);
    strona->Wiersze(y, n, wiersze.data());
    QVERIFY2(std::equal(wiersze.begin(), wiersze.begin() + 800 * n,
                        reinterpret_cast<const QRgb*>(wyrenderowany.constScanLine(y))),
             qPrintable(QString::number(y)));
  }
  const uchar* bity = bufor.constBits();
  strona->Dopasuj(800, 1131, std::move(bufor));
  QCOMPARE(strona->Obraz(), wyrenderowany);
  QCOMPARE(strona->Obraz().constBits(), bity);

  // Noise does not pack: it is rendered again, the same; memory still referred to elsewhere is not painted over.
  QImage szum(97, 131, QImage::Format_RGB32);
  std::mt19937 generator(7);
  for (int y = 0; y < szum.height(); ++y)
    for (int x = 0; x < szum.width(); ++x) szum.setPixel(x, y, generator() | 0xFF000000u);
  QByteArray png;
  QBuffer plik(&png);
  plik.open(QIODevice::WriteOnly);
  szum.save(&plik, "PNG");
  auto raster = TObrazStrony::ZBajtow(png, QStringLiteral("szum.dcg"), blad);
  QVERIFY(raster);
  raster->Dopasuj(97, 131);
  const QImage rastrowy = raster->Obraz().copy();
  const std::size_t rozmiarRastra = raster->Rozmiar();
  QVERIFY(raster->Upakuj().isNull());
  QCOMPARE(raster->Obraz(), rastrowy);
  const QImage oddany = raster->Oddaj();
  QCOMPARE(raster->Rozmiar(), rozmiarRastra);
  raster->Dopasuj(97, 131, oddany);
  QCOMPARE(raster->Obraz(), rastrowy);
  QVERIFY(raster->Obraz().constBits() != oddany.constBits());

  // The pictures kept: each is rendered in the memory handed in, kept packed and the memory handed back white; one
  // kept at the size is not rendered again and leaves the memory as it was.
  ZapiszPlik(p_->PlikStrony(2, 1), Svg(1600, 2263, qRgb(0, 0, 255)));
  ZapiszPlik(p_->PlikStrony(2, 2), Svg(1600, 2263, qRgb(0, 128, 0)));
  TPamiecObrazow pamiec;
  auto pierwsza = pamiec.Wczytaj(p_->PlikStrony(2, 1), blad);
  auto druga = pamiec.Wczytaj(p_->PlikStrony(2, 2), blad);
  QVERIFY(pierwsza && druga);
  QImage pozyczony(800, 1131, QImage::Format_RGB32);
  QImage bialy(800, 1131, QImage::Format_RGB32);
  bialy.fill(Qt::white);
  const uchar* pamiecPozyczona = pozyczony.constBits();
  std::vector<QRgb> wiersz(800);
  for (const auto& [obraz, kolor] : {std::pair(pierwsza, qRgb(0, 0, 255)), std::pair(druga, qRgb(0, 128, 0))}) {
    QVERIFY(pamiec.Dopasuj(*obraz, 800, pozyczony));
    QVERIFY(obraz->Obraz().isNull());
    QCOMPARE(pozyczony.constBits(), pamiecPozyczona);
    QCOMPARE(pozyczony, bialy);
    QCOMPARE(QSize(obraz->Szerokosc(), obraz->Wysokosc()), QSize(800, 1131));
    obraz->Wiersze(600, 1, wiersz.data());
    QCOMPARE(wiersz[400], kolor);
  }
  QCOMPARE(pamiec.Wczytaj(p_->PlikStrony(2, 1), blad), pierwsza);
  pozyczony.fill(Qt::red);
  QVERIFY(!pamiec.Dopasuj(*pierwsza, 800, pozyczony));
  QCOMPARE(pozyczony.pixel(400, 600), qRgb(255, 0, 0));
  // Memory of another size is let go; a rendering that does not pack is kept as it is until another is rendered.
  ZapiszPlik(p_->PlikStrony(2, 3), png);
  auto szumowa = pamiec.Wczytaj(p_->PlikStrony(2, 3), blad);
  QVERIFY(szumowa);
  QImage maly(10, 10, QImage::Format_RGB32);
  QVERIFY(pamiec.Dopasuj(*szumowa, 97, maly));
  QVERIFY(maly.isNull());
  QCOMPARE(szumowa->Obraz(), rastrowy);
  QVERIFY(pamiec.Dopasuj(*pierwsza, 400, maly));
  QVERIFY(szumowa->Obraz().isNull());
}

VELMAR_TEST_MAIN(TstStrona)
#include "tst_strona.moc"
