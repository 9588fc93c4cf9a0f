// Times a page turn of the page view (structure read, picture decoded and fitted, overlay drawn and made
// transparent) on the largest form in the program's dc/ folder, against rendering the same SVG pictures alone.
// Without generated forms it builds a synthetic one.
//
//   bench_strona [program folder]      default: ../bin beside this program

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <vector>

#include "main/tools.h"
#include "model/rekordy.h"
#include "pages/fimage.h"
#include "pages/nakladka.h"
#include "platform/aplikacja.h"
#include "srodowisko.h"

namespace {

constexpr int kPowtorzenia = 15;

void Zapisz(const QString& sciezka, const QByteArray& dane) {
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly) || plik.write(dane) != dane.size())
    qFatal("cannot write %s", qPrintable(sciezka));
}

// A form of three pages, each a detailed SVG, with 350 amount fields spread over them.
void ZapiszFormularzSyntetyczny(const QString& dc) {
  TNaglowekFormularza naglowek;
  naglowek.LiczbaStron = 3;
  std::array<std::uint8_t, rekordy::kRozmiarNaglowkaFormularza> bajty{};
  rekordy::Zakoduj(naglowek, bajty);
  Zapisz(dc + "/2.dcd", QByteArray(reinterpret_cast<const char*>(bajty.data()), static_cast<qsizetype>(bajty.size())));
  std::vector<TObiekt> obiekty(kLiczbaPol);
  for (int i = 0; i < kLiczbaPol; ++i) {
    TObiekt& o = obiekty[static_cast<std::size_t>(i)];
    o.Typ = Liczba;
    o.Format = FormatDziesietna;
    o.Wyrownanie = DoPrawej;
    o.Strona = 1 + i % 3;
    o.Lewy = 20 + (i % 6) * 130;
    o.Gorny = 20 + (i / 18) * 55;
    o.Prawy = o.Lewy + 120;
    o.Dolny = o.Gorny + 22;
    o.Widoczne = 1;
    UstawBajty(o.RozmiarCzcionki, "10");
    UstawBajty(o.KolorTla, "FFFFFF");
    UstawBajty(o.KolorKrawedzi, "FFFFFF");
    UstawBajty(o.KolorTekstu, "000000");
    UstawBajty(o.WartoscDomyslna, "1234,50");
  }
  const auto dcs = rekordy::ZakodujObiekty(obiekty);
  Zapisz(dc + "/2.dcs", QByteArray(reinterpret_cast<const char*>(dcs.data()), static_cast<qsizetype>(dcs.size())));
  for (int strona = 1; strona <= 3; ++strona) {
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1600 2263\">";
    for (int i = 0; i < 400; ++i)
      svg += QStringLiteral(
                 "<rect x=\"%1\" y=\"%2\" width=\"250\" height=\"44\" fill=\"#e8f0e0\" stroke=\"#333\"/>"
                 "<text x=\"%3\" y=\"%4\" font-size=\"14\">Poz. %5</text>")
                 .arg(40 + (i % 6) * 260)
                 .arg(40 + (i / 6) * 33)
                 .arg(44 + (i % 6) * 260)
                 .arg(56 + (i / 6) * 33)
                 .arg(i)
                 .toUtf8();
    Zapisz(dc + QStringLiteral("/2_%1.dcg").arg(strona), svg + "</svg>");
  }
}

// The form with the most field objects times pages, and its page count.
std::pair<int, int> NajwiekszyFormularz(const QString& dc) {
  std::pair<int, int> najwiekszy{0, 0};
  qint64 rozmiar = -1;
  for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod) {
    int strony = 0;
    while (QFile::exists(dc + QStringLiteral("/%1_%2.dcg").arg(kod).arg(strony + 1))) ++strony;
    const QFileInfo dcs(dc + QStringLiteral("/%1.dcs").arg(kod));
    if (strony == 0 || !dcs.exists()) continue;
    if (dcs.size() * strony > rozmiar) {
      rozmiar = dcs.size() * strony;
      najwiekszy = {kod, strony};
    }
  }
  return najwiekszy;
}

}  // namespace

int main(int argc, char** argv) {
  const SrodowiskoPomiaru srodowisko;
  platform::Aplikacja aplikacja(argc, argv);

  QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath() + "/../bin";
  QTemporaryDir syntetyczny;
  const auto najwiekszy = NajwiekszyFormularz(folder + "/dc");
  int kod = najwiekszy.first;
  int strony = najwiekszy.second;
  if (kod == 0) {
    folder = syntetyczny.path();
    QDir(folder).mkpath("dc");
    ZapiszFormularzSyntetyczny(folder + "/dc");
    std::tie(kod, strony) = NajwiekszyFormularz(folder + "/dc");
    std::printf("no generated forms in %s; a synthetic one instead\n", qPrintable(argc > 1 ? argv[1] : "../bin"));
  }

  TTools tools(folder);
  TFImage widok;
  tools.PrzydzielDruki(1);
  tools.DodajDruk(kod, 0, PMWspolny, Indywidualne);
  tools.BudujDrzewo();
  tools.PokazDruk(tools.Druki[1].Wezel, 1);
  if (!tools.StronaWczytana) qFatal("the form could not be shown");

  // A turn: the objects loaded anew (as on a form's first page), the picture fitted, the overlay drawn and made
  // transparent for painting. Cold: the picture decoded and rendered, as on a first visit; warm: rendered before, as
  // when turning back or after the idle rendering of the next page.
  const auto obroty = [&](bool zimne) {
    std::vector<double> czasy;
    for (int i = 0; i < kPowtorzenia * strony; ++i) {
      const int strona = 1 + (i + 1) % strony;
      if (zimne) widok.ObrazyStron.Wyczysc();
      QElapsedTimer zegar;
      zegar.start();
      tools.PierwszeWyswietlenie = 1;
      tools.PokazStrone(kod, strona, true);
      widok.Formatka->Widok();
      czasy.push_back(static_cast<double>(zegar.nsecsElapsed()) / 1e6);
    }
    return czasy;
  };
  const std::vector<double> zimne = obroty(true);
  const std::vector<double> cieple = obroty(false);

  std::vector<double> svg;
  for (int i = 0; i < kPowtorzenia * strony; ++i) {
    const int strona = 1 + (i + 1) % strony;
    QElapsedTimer zegar;
    zegar.start();
    QFile plik(folder + QStringLiteral("/dc/%1_%2.dcg").arg(kod).arg(strona));
    plik.open(QIODevice::ReadOnly);
    QSvgRenderer renderer(plik.readAll());
    const QRectF pole = renderer.viewBoxF();
    const int wysokosc = static_cast<int>(pole.height() * 800 / pole.width());
    QImage obraz(800, wysokosc, QImage::Format_RGB32);
    obraz.fill(Qt::white);
    QPainter malarz(&obraz);
    renderer.render(&malarz, QRectF(0, 0, 800, wysokosc));
    malarz.end();
    svg.push_back(static_cast<double>(zegar.nsecsElapsed()) / 1e6);
  }

  const double zimny = Mediana(zimne), cieply = Mediana(cieple), samSvg = Mediana(svg);
  std::printf("form %d (%d pages, %d objects), %d turns each\n", kod, strony, tools.LiczbaObiektow,
              static_cast<int>(zimne.size()));
  std::printf("page turn, picture rendered:     median %7.2f ms  (%.2f x the SVG alone)\n", zimny, zimny / samSvg);
  std::printf("page turn, picture kept:         median %7.2f ms  (%.2f x the SVG alone)\n", cieply, cieply / samSvg);
  std::printf("SVG alone (read, parse, render): median %7.2f ms\n", samSvg);
  return 0;
}
