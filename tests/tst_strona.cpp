// Form structures: the field-object file, the header, the designer's writes, colour texts, page pictures and the
// sheet on screen.

#include <algorithm>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <climits>
#include <functional>
#include <random>
#include <tuple>

#include "calc/konwersje.h"
#include "model/struktura.h"
#include "pages/kolory.h"
#include "pages/obiekty_plik.h"
#include "pages/obraz_strony.h"
#include "pages/rysowanie.h"
#include "support/strony.h"

using namespace velmar_test;

namespace {

// A picture in a file format Qt writes.
QByteArray Plik(const QImage& obraz, const char* format = "PNG") {
  QByteArray dane;
  QBuffer bufor(&dane);
  bufor.open(QIODevice::WriteOnly);
  obraz.save(&bufor, format);
  return dane;
}

// A raster picture of one colour.
QByteArray Raster(int w, int h, QRgb kolor = 0, const char* format = "PNG") {
  QImage obraz(w, h, QImage::Format_RGB32);
  obraz.fill(kolor);
  return Plik(obraz, format);
}

// A PNG whose header declares a size (its checksum made anew) but whose data holds one pixel.
QByteArray NaglowekPng(int w, int h) {
  QByteArray png = Raster(1, 1);
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
}

// A JPEG whose frame declares a size but whose data holds 8 x 8 pixels.
QByteArray NaglowekJpeg(int w, int h) {
  QByteArray jpeg = Raster(8, 8, 0, "JPEG");
  const qsizetype ramka = jpeg.indexOf("\xFF\xC0") + 5;  // the baseline frame's height, then its width
  if (ramka < 5) qFatal("no frame header in the test JPEG");
  for (const auto& [gdzie, liczba] : {std::pair{ramka, h}, std::pair{ramka + 2, w}}) {
    jpeg[gdzie] = static_cast<char>(liczba >> 8);
    jpeg[gdzie + 1] = static_cast<char>(liczba);
  }
  return jpeg;
}

// A raster as small as its kind makes it: a one-bit PNG, a grey JPEG, of one colour.
QByteArray OszczednyRaster(int w, int h, const char* format) {
  const bool png = qstrcmp(format, "PNG") == 0;
  QImage obraz(w, h, png ? QImage::Format_Mono : QImage::Format_Grayscale8);
  obraz.fill(png ? 1 : 128);
  return Plik(obraz, format);
}

// A page drawn by Qt SVG with these PNG or JPEG pictures inline.
QByteArray SvgZObrazami(const QList<QByteArray>& obrazy) {
  QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                   "viewBox=\"0 0 800 1131\">";
  for (const QByteArray& obraz : obrazy)
    svg += "<image width=\"10\" height=\"10\" xlink:href=\"data:image/" +
           QByteArray(obraz.startsWith("\x89PNG") ? "png" : "jpeg") + ";base64," + obraz.toBase64() + "\"/>";
  return svg + "</svg>";
}

QByteArray SvgZPolem(const char* pole) {
  return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"") + pole +
         "\"><rect width=\"1\" height=\"1\"/></svg>";
}

constexpr qsizetype kRekord = static_cast<qsizetype>(rekordy::kRozmiarObiektu);

}  // namespace

class TstStrona : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  TTools& T() { return p_->T(); }
  TFImage& V() { return p_->V(); }
  QString PlikDcs() const { return p_->Dc() + QStringLiteral("2.dcs"); }
  // Writes these objects as the structure's file and loads them into the view.
  void Obiekty(const std::vector<TObiekt>& obiekty) {
    p_->Folder().ZapiszDcs(2, obiekty);
    WczytajObiekty(&V());
  }
  bool EkranJakStrona() { return p_->EkranJakStrona(); }

 private slots:
  void init() {
    p_ = std::make_unique<ProgramZeStronami>();
    p_->Uruchom();
    T().PlikDcs = PlikDcs();
  }
  void cleanup() { p_.reset(); }

  void plikDcs() {
    // Whole records count, a tail does not; an empty file is no objects.
    for (const auto& [bajty, liczba] :
         {std::pair{3 * kRekord + 100, 3}, std::pair{qsizetype{0}, 0}, std::pair{kRekord - 1, 0}}) {
      ZapiszPlik(PlikDcs(), QByteArray(bajty, '\1'));
      WczytajObiekty(&V());
      QCOMPARE((std::pair{T().LiczbaObiektow, V().Obiekty.size()}), (std::pair{liczba, std::size_t(liczba)}));
      QCOMPARE(T().PanelStatusu[0]->text(), QStringLiteral("Liczba obiektow:%1").arg(liczba));
    }
    // Appended records make the file written whole; one rewritten in place changes its own bytes only; no record
    // past the end is read or written. A missing file leaves the objects there were.
    const std::vector<TObiekt> obiekty{Pole(Text, 1, 1, 2, 3, 4), Pole(Liczba, 2, 5, 6, 7, 8)};
    QFile::remove(PlikDcs());
    for (const TObiekt& o : obiekty) QVERIFY(struktura::DopiszObiekt(PlikDcs(), o));
    const QByteArray zrodlo = CzytajPlik(PlikDcs());
    QCOMPARE(zrodlo.size(), 2 * kRekord);
    TObiekt drugi = *struktura::CzytajObiekt(PlikDcs(), 1);
    drugi.Lewy = 50;
    QVERIFY(struktura::ZapiszObiekt(PlikDcs(), 1, drugi) && !struktura::ZapiszObiekt(PlikDcs(), 2, drugi));
    QCOMPARE(CzytajPlik(PlikDcs()).left(kRekord), zrodlo.left(kRekord));
    QCOMPARE(CzytajPlik(PlikDcs()).size(), 2 * kRekord);
    QVERIFY(struktura::CzytajObiekt(PlikDcs(), 1)->Lewy == 50 && !struktura::CzytajObiekt(PlikDcs(), 2));
    WczytajObiekty(&V());
    T().PlikDcs = p_->Dc() + QStringLiteral("brak.dcs");
    WczytajObiekty(&V());
    QCOMPARE((std::pair{T().LiczbaObiektow, V().Obiekty[1].Lewy}), (std::pair{2, 50}));
    QCOMPARE(T().PanelStatusu[0]->text(), QStringLiteral("Liczba obiektow:2"));
  }

  void naglowekWZapisieIOdczycie() {
    T().PlikDcd = p_->Dc() + QStringLiteral("abc.dcd");
    std::tie(T().LiczbaStron, T().SzerokoscEkranu, T().WysokoscEkranu, T().WysokoscWidoku, T().SzerokoscWidoku,
             T().Skala) = std::tuple{3, 1280, 1024, 1131, 800, 2.0f};
    T().ZapiszNaglowekFormularza();
    QCOMPARE((std::tuple{T().Skala, T().SzerokoscWidokuProjektu, T().WysokoscWidokuProjektu}),
             (std::tuple{1.0f, 800, 1131}));
    // The file's own path, zero-padded to 256 bytes, then the counts and sizes.
    QCOMPARE(CzytajPlik(T().PlikDcd), T().PlikDcd.toLatin1().leftJustified(256, '\0') +
                                          QByteArray::fromHex("0300000000050000000400006b04000020030000"));
    std::tie(T().LiczbaStron, T().SzerokoscEkranuProjektu, T().WysokoscEkranuProjektu, T().SzerokoscWidoku, T().Skala) =
        std::tuple{0, 0, 0, 640, 3.0f};
    QVERIFY(T().WczytajNaglowekFormularza() && SkryptDialogow().pokazane.empty());
    QCOMPARE((std::tuple{T().LiczbaStron, T().SzerokoscEkranuProjektu, T().WysokoscEkranuProjektu, T().SzerokoscWidoku,
                         T().Skala}),
             (std::tuple{3, 1280, 1024, 800, 1.0f}));
    // A header cut short changes nothing and names its file; bytes after a whole one are no fault.
    ZapiszPlik(T().PlikDcd, Naglowek(5).left(275));
    QVERIFY(!T().WczytajNaglowekFormularza());
    QCOMPARE(T().LiczbaStron, 3);
    QVERIFY(SkryptDialogow().Teksty().size() == 1 && SkryptDialogow().Teksty()[0].contains(T().PlikDcd));
    ZapiszPlik(T().PlikDcd, Naglowek(5) + QByteArray("ogon"));
    QVERIFY(T().WczytajNaglowekFormularza());
    QCOMPARE(T().LiczbaStron, 5);
  }

  // The box written ticked, the rest of its group cleared in the file, another group untouched.
  void zapisZaznaczeniaCzysciGrupeWPliku() {
    std::vector<TObiekt> obiekty;
    for (const char* nazwa : {"g", "g", "inna", "g"}) {
      obiekty.push_back(NowyObiekt(Checbox, 1, nazwa, ""));
      obiekty.back().Opcje[0].Zaznaczona = 1;
    }
    Obiekty(obiekty);
    auto* pole = new QCheckBox(&V());
    pole->setChecked(true);
    V().EdytorZaznaczenia = pole;
    // The box's state comes from its editor, not from the object handed in.
    TObiekt zapisywany = V().Obiekty[1];
    zapisywany.Opcje[0].Zaznaczona = 0;
    ZapiszObiekt(&V(), 1, zapisywany);
    const auto zapisane = struktura::CzytajObiekty(PlikDcs(), 1.0f);
    for (std::size_t i = 0; i < 4; ++i) QCOMPARE(zapisane->at(i).Opcje[0].Zaznaczona, std::uint8_t(i == 1 || i == 2));
  }

  // The designer's amount is stored as its format keeps it, and its editor shows what was stored; a text that is no
  // amount stops before anything is written.
  void zapisKwotyWedlugFormatu() {
    TObiekt kwota = NowyObiekt(Liczba, 1, "kwota", "0,00");
    Obiekty({kwota});
    auto* edytor = new QPlainTextEdit(&V());
    V().EdytorTekstu = edytor;
    struct Przypadek {
      int format;
      const char *wpisane, *zapisane;
    };
    for (const Przypadek& p :
         {Przypadek{FormatZaokrZloty, "12,5", "13,00"}, Przypadek{FormatZaokrGroszy, "3,456", "3,46"},
          Przypadek{FormatCalkowita, "12", "12"}, Przypadek{FormatDziesietna, "7", "7,00"}}) {
      kwota.Format = p.format;
      edytor->setPlainText(QString::fromLatin1(p.wpisane));
      ZapiszObiekt(&V(), 0, kwota);
      QCOMPARE(Tekst(struktura::CzytajObiekt(PlikDcs(), 0)->Wartosc), std::string_view(p.zapisane));
      QCOMPARE(edytor->toPlainText(), QString::fromLatin1(p.zapisane));
    }
    kwota.Format = FormatZaokrZloty;
    edytor->setPlainText(QStringLiteral("abc"));
    QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, ZapiszObiekt(&V(), 0, kwota));
    QCOMPARE(Tekst(struktura::CzytajObiekt(PlikDcs(), 0)->Wartosc), std::string_view("7,00"));
  }

  // A new object belongs to the page shown.
  void nowyObiektNaBiezacejStronie() {
    T().BiezacaStrona = 2;
    T().LiczbaObiektow = 1;
    T().SelectObj->setCurrentIndex(Liczba);
    V().Zaznaczenie = {10, 20, 110, 40};
    DodajObiekt(&V());
    const auto zapisane = struktura::CzytajObiekty(PlikDcs(), 1.0f);
    QVERIFY(zapisane && zapisane->size() == 1);
    QCOMPARE((std::array{(*zapisane)[0].Strona, (*zapisane)[0].NrObiektu}), (std::array{2, 1}));
  }

  // Zoomed coordinates are cut toward zero and held within the integer range; at scale 1 every one stays exact.
  void skalaObcinaDoZera() {
    TObiekt o;
    std::tie(o.Lewy, o.Gorny, o.Prawy, o.Dolny) = std::tuple{INT_MAX, INT_MIN, 7, -3};
    const std::vector<std::uint8_t> bajty = rekordy::ZakodujObiekty(std::span(&o, 1));
    const TObiekt jeden = struktura::ObiektyZBajtow(bajty, 1.0f)[0];
    QCOMPARE((std::array{jeden.Lewy, jeden.Gorny, jeden.Prawy, jeden.Dolny}), (std::array{INT_MAX, INT_MIN, 7, -3}));
    const TObiekt poltora = struktura::ObiektyZBajtow(bajty, 1.5f)[0];
    QCOMPARE((std::array{poltora.Lewy, poltora.Gorny, poltora.Prawy, poltora.Dolny}),
             (std::array{INT_MAX, INT_MIN, 10, -4}));
  }

  // For drawing: six hexadecimal digits, red first; the empty text is white whatever the default; anything else is
  // the default.
  void kolorLubDomyslny() {
    const QRgb zastepczy = qRgb(1, 2, 3);
    QCOMPARE(KolorLubDomyslny("FF0000", zastepczy), qRgb(255, 0, 0));
    QCOMPARE(KolorLubDomyslny("0080ff", zastepczy), qRgb(0, 128, 255));
    QCOMPARE(KolorLubDomyslny("", zastepczy), qRgb(255, 255, 255));
    for (const char* zly : {"FFFFF", "GG0000", "12", "FF 000", "FF00000"})
      QCOMPARE(KolorLubDomyslny(zly, zastepczy), zastepczy);
  }

  // With nothing selected nothing goes; the selected object goes, the rest keep their numbers; the last one takes the
  // file with it.
  void usuniecieObiektu() {
    std::vector<TObiekt> obiekty(3, Pole(Text, 1, 1, 1, 50, 20));
    for (int i = 0; i < 3; ++i) obiekty[std::size_t(i)].NrObiektu = 10 + i;
    Obiekty(obiekty);
    for (const int k : {-1, 1}) {
      T().WybranyObiekt = k;
      UsunObiekt(&V());
    }
    QCOMPARE((std::pair{T().LiczbaObiektow, T().WybranyObiekt}), (std::pair{2, -1}));
    const auto pozostale = struktura::CzytajObiekty(PlikDcs(), 1.0f);
    QCOMPARE((std::tuple{pozostale->size(), pozostale->at(0).NrObiektu, pozostale->at(1).NrObiektu}),
             (std::tuple{std::size_t{2}, 10, 12}));
    for (const int k : {0, 0}) {
      T().WybranyObiekt = k;
      UsunObiekt(&V());
    }
    QVERIFY(!QFile::exists(PlikDcs()));
    QCOMPARE(SkryptDialogow().Teksty().last(), QStringLiteral("Brak pliku Dcs!: ") + PlikDcs());
  }

  // A page at most four times as tall as it is wide, whatever the picture's own size; a taller one is refused with
  // the size message. A raster up to the pixel bound is a page; one declaring more is refused with the bound, a PNG
  // before it is decoded; an SVG whose inline pictures hold more together is refused as unreadable. A JPEG keeps its
  // own size as the page's while it is decoded no larger than the page shows it.
  void ksztaltyStron_data() {
    QTest::addColumn<QByteArray>("dane");
    QTest::addColumn<QSize>("strona");  // invalid: refused
    QTest::addColumn<QSize>("wlasny");
    QTest::addColumn<QString>("blad");  // what the refusal says
    const QString rozmiar = QStringLiteral("nieprawidłowy rozmiar (%1)");
    QTest::newRow("1 pixel") << Raster(1, 1) << QSize(800, 800) << QSize(1, 1) << QString();
    QTest::newRow("400 x 300 PNG") << Raster(400, 300) << QSize(800, 600) << QSize(400, 300) << QString();
    QTest::newRow("1 pixel wide, four high") << Raster(1, 4) << QSize(800, 3200) << QSize(1, 4) << QString();
    QTest::newRow("1 pixel wide, five high") << Raster(1, 5) << QSize() << QSize() << rozmiar.arg("1x5");
    QTest::newRow("view box 1 x 40") << SvgZPolem("0 0 1 40") << QSize() << QSize() << rozmiar.arg("1x40");
    QTest::newRow("width and height, no view box")
        << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"100\"></svg>")
        << QSize(800, 200) << QSize(400, 100) << QString();
    QTest::newRow("view box 1 x 4") << SvgZPolem("0 0 1 4") << QSize(800, 3200) << QSize(1, 4) << QString();
    QTest::newRow("view box 0 x 100") << SvgZPolem("0 0 0 100") << QSize() << QSize() << "nieprawidłowy rozmiar";
    QTest::newRow("view box 100000 x 1") << SvgZPolem("0 0 100000 1") << QSize() << QSize() << "nieprawidłowy rozmiar";
    const QString zaDuzy = QStringLiteral("jest za duży (%1 pikseli, dopuszczalne najwyżej 40000000 pikseli)");
    QTest::newRow("PNG 6000 x 6000") << Raster(6000, 6000, qRgb(0, 0, 255)) << QSize(800, 800) << QSize(6000, 6000)
                                     << QString();
    QTest::newRow("PNG declaring 8000 x 5001")
        << NaglowekPng(8000, 5001) << QSize() << QSize() << zaDuzy.arg("8000x5001");
    QTest::newRow("PNG declaring 20000 x 20000")
        << NaglowekPng(20000, 20000) << QSize() << QSize() << zaDuzy.arg("20000x20000");
    QTest::newRow("JPEG declaring 8000 x 5001")
        << NaglowekJpeg(8000, 5001) << QSize() << QSize() << zaDuzy.arg("8000x5001");
    // The bound itself is a page, one row more is not.
    for (const char* format : {"PNG", "JPEG"}) {
      QTest::addRow("%s 8000 x 5000", format)
          << OszczednyRaster(8000, 5000, format) << QSize(800, 500) << QSize(8000, 5000) << QString();
      QTest::addRow("%s 8000 x 5001", format)
          << OszczednyRaster(8000, 5001, format) << QSize() << QSize() << zaDuzy.arg("8000x5001");
    }
    // Inline pictures count toward the bound together, a JPEG among them, as their headers give them.
    const QByteArray milion = OszczednyRaster(1000, 1000, "PNG");
    QTest::newRow("SVG with 40 inline PNGs of 1000 x 1000")
        << SvgZObrazami(QList<QByteArray>(40, milion)) << QSize(800, 1131) << QSize(800, 1131) << QString();
    QTest::newRow("SVG with 41 inline PNGs of 1000 x 1000")
        << SvgZObrazami(QList<QByteArray>(41, milion)) << QSize() << QSize() << "Nie można odczytać";
    QTest::newRow("SVG with an inline JPEG of 2000 x 2000, 36 PNGs of 1000 x 1000 and one pixel")
        << SvgZObrazami(QList<QByteArray>(36, milion) << OszczednyRaster(2000, 2000, "JPEG") << Raster(1, 1))
        << QSize() << QSize() << "Nie można odczytać";
    QTest::newRow("JPEG 3200 x 4526") << Raster(3200, 4526, qRgb(0, 0, 255), "JPEG") << QSize(800, 1131)
                                      << QSize(3200, 4526) << QString();
    QTest::newRow("GIF") << QByteArray("GIF89a...") << QSize() << QSize() << "Nieznany format";
    QTest::newRow("PNG cut short") << Raster(400, 300).left(60) << QSize() << QSize() << "Nie można odczytać";
    QTest::newRow("JPEG cut short") << QByteArray("\xFF\xD8\xFF\xE0 ucięty") << QSize() << QSize()
                                    << "Nie można odczytać";
  }

  void ksztaltyStron() {
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

  // A detailed page kept packed: its rows read back as rendered, also a row that starts within a run of single
  // pixels, and turning back to it unpacks it pixel for pixel into the memory handed in.
  void obrazSpakowanyIRozpakowany() {
    // Every ninth row ends, and the next one starts, with pixels each unlike its neighbours; the rest is white.
    QImage wzor(800, 1131, QImage::Format_RGB32);
    wzor.fill(Qt::white);
    for (int y = 0; y + 1 < wzor.height(); y += 9)
      for (int x = 760; x < 840; ++x) wzor.setPixel(x % 800, y + x / 800, qRgb(x % 256, y % 256, x * y % 251));
    QString blad;
    const auto strona = TObrazStrony::ZBajtow(Plik(wzor), QStringLiteral("s.dcg"), blad);
    QVERIFY2(strona, qPrintable(blad));
    const std::size_t przed = strona->Rozmiar();
    strona->Dopasuj(800, 1131);
    QCOMPARE(strona->Obraz(), wzor);
    QImage bufor = strona->Oddaj();
    QVERIFY(strona->Obraz().isNull() && strona->Wysokosc() == 1131);
    // The packing counts toward the memory kept: at least the 126 x 80 pixels unlike their neighbours, and far less
    // than the rendering.
    const std::size_t spakowany = strona->Rozmiar() - przed;
    QVERIFY2(spakowany >= 126 * 80 * sizeof(QRgb) && spakowany < std::size_t(bufor.sizeInBytes()) / 4,
             qPrintable(QString::number(spakowany)));
    std::vector<QRgb> wiersze(800 * 4);
    for (int y = 0; y < 1131; y += 4) {
      const int n = std::min(4, 1131 - y);
      strona->Wiersze(y, n, wiersze.data());
      const auto* wzorca = reinterpret_cast<const QRgb*>(wzor.constScanLine(y));
      QVERIFY2(std::equal(wiersze.begin(), wiersze.begin() + 800 * n, wzorca), qPrintable(QString::number(y)));
    }
    bufor.fill(Qt::red);
    const uchar* bity = bufor.constBits();
    strona->Dopasuj(800, 1131, std::move(bufor));
    QCOMPARE(strona->Obraz().constBits(), bity);
    QCOMPARE(strona->Obraz(), wzor);
  }

  // The pictures kept: each is rendered in the memory handed in, kept packed (its rows read back as rendered) and
  // the memory handed back white; one kept at the size is not rendered again and leaves the memory as it was.
  void pamiecObrazow() {
    TPamiecObrazow pamiec;
    QString blad;
    QImage pozyczony(800, 1131, QImage::Format_RGB32);
    const uchar* bity = pozyczony.constBits();
    std::vector<std::shared_ptr<TObrazStrony>> strony;
    std::vector<QRgb> wiersze(800 * 7);
    for (const QRgb kolor : {qRgb(0, 0, 255), qRgb(0, 128, 0)}) {
      const QString plik = p_->PlikStrony(2, int(strony.size()) + 1);
      ZapiszPlik(plik, Svg(1600, 2263, kolor));
      strony.push_back(pamiec.Wczytaj(plik, blad));
      QVERIFY(pamiec.Dopasuj(*strony.back(), 800, pozyczony));
      QVERIFY(strony.back()->Obraz().isNull());
      QCOMPARE(pozyczony.constBits(), bity);
      QCOMPARE(pozyczony.pixel(400, 600), qRgb(255, 255, 255));
      for (int y = 0; y < 1131; y += 7) {
        const int n = std::min(7, 1131 - y);
        strony.back()->Wiersze(y, n, wiersze.data());
        QVERIFY2(std::all_of(wiersze.begin(), wiersze.begin() + 800 * n, [kolor](QRgb c) { return c == kolor; }),
                 qPrintable(QString::number(y)));
      }
    }
    QCOMPARE(pamiec.Wczytaj(p_->PlikStrony(2, 1), blad), strony[0]);
    pozyczony.fill(Qt::red);
    QVERIFY(!pamiec.Dopasuj(*strony[0], 800, pozyczony));
    QCOMPARE(pozyczony.pixel(400, 600), qRgb(255, 0, 0));
  }

  // The view's page picture: fitted 800 wide and its size shown; kept while its file is unchanged and read again once
  // it changes; a missing or undecodable one is reported and leaves the picture there was.
  void obrazStronyWidoku() {
    T().PlikDcg = p_->PlikStrony(2, 1);
    ZapiszPlik(T().PlikDcg, Svg(1600, 2263, qRgb(0, 0, 255)));
    QVERIFY(T().WczytajObrazStrony());
    QCOMPARE((std::array{T().SzerokoscMetapliku, T().WysokoscMetapliku, T().SzerokoscWidoku, T().WysokoscWidoku}),
             (std::array{1600, 2263, 800, 1131}));
    QCOMPARE((std::pair{T().ObrazStrony->Szerokosc(), T().ObrazStrony->Wysokosc()}), (std::pair{800, 1131}));
    std::vector<QRgb> wiersz(800);
    T().ObrazStrony->Wiersze(1130, 1, wiersz.data());
    QCOMPARE(wiersz[400], qRgb(0, 0, 255));
    QCOMPARE(T().PanelStatusu[2]->text(), QStringLiteral("Rozmiar druku:[800x1131]"));
    const auto poprzedni = T().ObrazStrony;
    QVERIFY(T().WczytajObrazStrony());
    QCOMPARE(T().ObrazStrony, poprzedni);
    ZapiszPlik(T().PlikDcg,
               QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"100\"></svg>"));
    QVERIFY(T().WczytajObrazStrony());
    QVERIFY(T().ObrazStrony != poprzedni);
    QCOMPARE(T().WysokoscWidoku, 200);

    const auto dobry = T().ObrazStrony;
    T().PlikDcg = p_->PlikStrony(2, 9);
    QVERIFY(!T().WczytajObrazStrony());
    QCOMPARE(SkryptDialogow().Teksty().last(), QStringLiteral("Brak wymaganego pliku dcg:\n") + T().PlikDcg);
    T().PlikDcg = p_->Dc() + QStringLiteral("zly.dcg");
    ZapiszPlik(T().PlikDcg, QByteArray("nic"));
    QVERIFY(!T().WczytajObrazStrony());
    QVERIFY(SkryptDialogow().Teksty().last().endsWith(QStringLiteral(":\n") + T().PlikDcg));
    QCOMPARE((std::tuple{T().ObrazStrony, T().WysokoscWidoku, T().StronaWczytana}),
             (std::tuple{dobry, 200, std::uint8_t{1}}));
  }

  // A page that does not pack (noise) stays rendered as it is, pixel for pixel; no memory is handed back, and it is
  // not rendered again while kept at its size, only once another page has taken its memory.
  void obrazNiePakujacySie() {
    QImage szum(800, 600, QImage::Format_RGB32);
    std::mt19937 generator(7);
    for (int y = 0; y < szum.height(); ++y)
      for (int x = 0; x < szum.width(); ++x) szum.setPixel(x, y, generator() | 0xFF000000u);
    ZapiszPlik(p_->PlikStrony(2, 1), Plik(szum));
    TPamiecObrazow pamiec;
    QString blad;
    const auto strona = pamiec.Wczytaj(p_->PlikStrony(2, 1), blad);
    QVERIFY2(strona, qPrintable(blad));
    QImage pozyczony(800, 600, QImage::Format_RGB32);
    QVERIFY(pamiec.Dopasuj(*strona, 800, pozyczony));
    QVERIFY(pozyczony.isNull());
    QCOMPARE(strona->Obraz(), szum);
    std::vector<QRgb> wiersz(800);
    strona->Wiersze(599, 1, wiersz.data());
    QVERIFY(std::equal(wiersz.begin(), wiersz.end(), reinterpret_cast<const QRgb*>(szum.constScanLine(599))));
    QVERIFY(!pamiec.Dopasuj(*strona, 800, pozyczony));
    QCOMPARE(strona->Obraz(), szum);

    // Another page shown takes its memory; turning back renders it again as it was.
    ZapiszPlik(p_->PlikStrony(2, 2), Svg(1600, 1200, qRgb(0, 128, 0)));
    const auto druga = pamiec.Wczytaj(p_->PlikStrony(2, 2), blad);
    QVERIFY(druga && pamiec.Dopasuj(*druga, 800, pozyczony));
    QVERIFY(strona->Obraz().isNull());
    QVERIFY(pamiec.Dopasuj(*strona, 800, pozyczony));
    QCOMPARE(strona->Obraz(), szum);
  }

  // What the screen shows of the sheet, painted piece by piece as things change, equals the page composed afresh:
  // through values, page turns, the overlay cleared, another form, scrolling, the designer's frames and zoom.
  void ekranJakStronaZlozona() {
    const QString dc = QStringLiteral(VELMAR_BIN_DIR "/dc/");
    QVERIFY2(QFile::exists(dc + QStringLiteral("2.dcs")), "no generated forms: build the velmar_dc target");
    p_ = std::make_unique<ProgramZeStronami>();
    for (const QString& plik : QDir(dc).entryList({"2.*", "2_*", "6.*", "6_*"})) {
      QFile::remove(p_->Dc() + plik);
      QVERIFY(QFile::copy(dc + plik, p_->Dc() + plik));
    }
    p_->Uruchom();
    p_->Rozliczenie({{Pit37, 0, PMWspolny}, {PitO, 1, PMPodatnik}});
    p_->Pokaz(1);
    T().show();
    QVERIFY(QTest::qWaitForWindowExposed(&T()));
    QTRY_VERIFY2(EkranJakStrona(), "the first page");
    for (int j = 1; j <= 2; ++j)
      for (int k = 0; k < kLiczbaPol; ++k) {
        TPoleDruku& pole = T().Druki[std::size_t(j)].Pola[std::size_t(k)];
        UstawBajty(pole.Wartosc, k % 3 == 0 ? "1234567890" : k % 3 == 1 ? "01022009" : "987654,32");
        pole.Zaznaczone = 1;
      }
    const std::pair<const char*, std::function<void()>> kroki[] = {
        {"values drawn",
         [&] {
           T().WyczyscNakladke();
           RysujObiekty(&V());
         }},
        {"the next page", [&] { T().PitNextPageClick(); }},
        {"back to the first page", [&] { T().PitPrevPageClick(); }},
        {"no highlight",
         [&] {
           T().PodswietlPol->setChecked(false);
           RysujObiekty(&V());
         }},
        {"the overlay cleared", [&] { T().WyczyscNakladke(); }},
        {"another form", [&] { p_->Pokaz(2); }},
        {"the first form's last page", [&] { p_->Pokaz(1, 3); }},
        {"scrolled", [&] { V().verticalScrollBar()->setValue(V().verticalScrollBar()->maximum() / 2); }},
        {"the designer's frames", [&] { T().UstawTryb(false); }},
        {"zoomed", [&] { T().TrackBar->setValue(50); }},
        {"the client mode again", [&] { T().UstawTryb(true); }}};
    for (const auto& [po, krok] : kroki) {
      krok();
      QTRY_VERIFY2(EkranJakStrona(), po);
    }
  }
};

VELMAR_TEST_MAIN(TstStrona)
#include "tst_strona.moc"
