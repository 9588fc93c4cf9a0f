// Times turning to every page of every form in the program's dc/ folder, from the click on the page button until the
// page is on screen in the shown main window (the end of the update that painted it): on a first visit (no picture of
// the page kept) and on a revisit. Beside each page, the bare rendering of its picture into an image 800 pixels wide:
// read, parsed and drawn from its drawing list, and the same through Qt SVG. Every field of the records is filled, as a
// user would have filled them.
//
//   bench_strona [program folder]      default: ../bin beside this program
//
// Windows are offscreen (a screen of 800 x 600) unless QT_QPA_PLATFORM says otherwise, e.g. under an X server:
//   QT_QPA_PLATFORM=xcb xvfb-run -s "-screen 0 1280x1024x24" bench_strona

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "formularze.h"
#include "main/tools.h"
#include "model/rekordy.h"
#include "pages/fimage.h"
#include "pages/lista_rysunku.h"
#include "platform/aplikacja.h"
#include "platform/dialogi.h"
#include "srodowisko.h"

namespace {

constexpr int kPowtorzenia = 9;

double Ms(const QElapsedTimer& zegar) { return static_cast<double>(zegar.nsecsElapsed()) / 1e6; }

// The application, noting when the page was last brought to the screen: the end of the update (paint and flush)
// in which the page view's sheet was painted.
class AplikacjaPomiaru : public platform::Aplikacja {
 public:
  using platform::Aplikacja::Aplikacja;
  bool pomalowano = false;
  qint64 koniec = 0;
  QElapsedTimer zegar;

  void Sledz(QWidget* kartka) { kartka_ = kartka; }
  bool notify(QObject* odbiorca, QEvent* zdarzenie) override {
    if (zdarzenie->type() == QEvent::Paint && odbiorca == kartka_) pomalowano = true;
    const bool aktualizacja = zdarzenie->type() == QEvent::UpdateRequest;
    const bool wynik = platform::Aplikacja::notify(odbiorca, zdarzenie);
    if (aktualizacja && pomalowano && koniec == 0) koniec = zegar.nsecsElapsed();
    return wynik;
  }

 private:
  QWidget* kartka_ = nullptr;
};

void Wyczerp() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// Milliseconds from the action until the page is on screen.
template <typename F>
double DoNamalowania(AplikacjaPomiaru& aplikacja, F&& klikniecie) {
  Wyczerp();
  aplikacja.pomalowano = false;
  aplikacja.koniec = 0;
  aplikacja.zegar.start();
  klikniecie();
  while (aplikacja.koniec == 0 && aplikacja.zegar.nsecsElapsed() < 2'000'000'000) QCoreApplication::processEvents();
  if (aplikacja.koniec == 0) qFatal("the page was not painted");
  return static_cast<double>(aplikacja.koniec) / 1e6;
}

QByteArray Plik(const QString& sciezka) {
  QFile plik(sciezka);
  if (!plik.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(sciezka));
  return plik.readAll();
}

// The picture alone: read, parsed and drawn into an image of the display size.
double Rysunek(const QString& sciezka, bool lista) {
  QElapsedTimer zegar;
  zegar.start();
  const QByteArray dane = Plik(sciezka);
  QImage obraz(800, 1131, QImage::Format_RGB32);
  obraz.fill(Qt::white);
  QPainter malarz(&obraz);
  if (lista) {
    const auto rysunek = TListaRysunku::Czytaj(dane);
    if (!rysunek) qFatal("%s is no drawing list", qPrintable(sciezka));
    rysunek->Rysuj(malarz, QRectF(0, 0, 800, 1131));
  } else {
    QSvgRenderer(dane).render(&malarz, QRectF(0, 0, 800, 1131));
  }
  malarz.end();
  return Ms(zegar);
}

struct WynikStrony {
  std::vector<double> pierwsza, wstecz, naprzod, lista, svg;
};

// The median of the times, or a blank when there are none.
std::string Kolumna(const std::vector<double>& czasy) {
  char tekst[16];
  if (czasy.empty()) return "       -";
  std::snprintf(tekst, sizeof tekst, "%8.2f", Mediana(czasy));
  return tekst;
}

}  // namespace

int main(int argc, char** argv) {
  const SrodowiskoPomiaru srodowisko;
  AplikacjaPomiaru aplikacja(argc, argv);
  // A computation's message on the filled records (none of them is about a page) answered at once, as a user would,
  // instead of a box no one closes offscreen.
  aplikacja.UstawDialogi(std::make_unique<platform::DialogiCiche>());
  const QString folder = FolderProgramu(argc, argv);
  const auto formularze = FormularzeZeStronami(folder + "/dc");
  if (formularze.empty()) qFatal("no forms in %s/dc: build the velmar_dc target first", qPrintable(folder));

  TTools tools(folder);
  TFImage widok;
  tools.PrzydzielDruki(static_cast<int>(formularze.size()));
  for (const FormularzPomiaru& f : formularze) tools.DodajDruk(f.kod, 0, PMWspolny, Indywidualne);
  tools.BudujDrzewo();
  for (std::size_t j = 1; j <= formularze.size(); ++j)
    Wypelnij(tools.Druki[j], folder + QStringLiteral("/dc/%1.dcs").arg(tools.Druki[j].IdPit));
  // The folder argument is no settlement file for the window to open when shown.
  tools.ParametrWiersza.clear();
  if (QScreen* ekran = QGuiApplication::primaryScreen()) tools.setGeometry(ekran->availableGeometry());
  tools.show();
  aplikacja.Sledz(widok.Kartka());

  std::map<std::pair<int, int>, WynikStrony> wyniki;
  for (int r = 0; r < kPowtorzenia; ++r)
    for (std::size_t j = 1; j <= formularze.size(); ++j) {
      const FormularzPomiaru& f = formularze[j - 1];
      // A form is chosen in the tree; its later pages by the next-page button; then all of them again.
      for (int strona = 1; strona <= f.strony; ++strona) {
        Wyczerp();
        widok.ObrazyStron.Wyczysc();
        wyniki[{f.kod, strona}].pierwsza.push_back(DoNamalowania(aplikacja, [&] {
          if (strona == 1)
            tools.TV->setCurrentItem(tools.Druki[j].Wezel);
          else
            tools.PitNextPage->click();
        }));
      }
      // Turning to pages seen before: the form's pages once more as a user turns them (each first visit above began
      // with nothing kept), then back to the first page one page at a time, then forward to the last again.
      DoNamalowania(aplikacja, [&] { tools.PitPrevPageEndClick(); });
      for (int strona = 2; strona <= f.strony; ++strona) DoNamalowania(aplikacja, [&] { tools.PitNextPage->click(); });
      for (int strona = f.strony - 1; strona >= 1; --strona)
        wyniki[{f.kod, strona}].wstecz.push_back(DoNamalowania(aplikacja, [&] { tools.PitPrevPage->click(); }));
      for (int strona = 2; strona <= f.strony; ++strona)
        wyniki[{f.kod, strona}].naprzod.push_back(DoNamalowania(aplikacja, [&] { tools.PitNextPage->click(); }));
      if (tools.BiezacyTyp != f.kod || tools.BiezacaStrona != f.strony) qFatal("the pages were not turned");
      for (int strona = 1; strona <= f.strony; ++strona) {
        const QString plik = folder + QStringLiteral("/dc/%1_%2.dcg").arg(f.kod).arg(strona);
        wyniki[{f.kod, strona}].lista.push_back(Rysunek(plik, true));
        wyniki[{f.kod, strona}].svg.push_back(Rysunek(plik, false));
      }
    }

  const QSize rozmiar = widok.viewport()->size();
  std::printf("%zu forms, %zu pages, medians of %d runs; page view %dx%d on %s\n", formularze.size(), wyniki.size(),
              kPowtorzenia, rozmiar.width(), rozmiar.height(), qPrintable(QGuiApplication::platformName()));
  std::printf("page  click until on screen: first visit  back to it  forward to it  |  picture alone: list  Qt SVG\n");
  double najgorszaPierwsza = 0, najgorszaPonowna = 0;
  std::vector<double> ponowne;
  for (const auto& [strona, w] : wyniki) {
    najgorszaPierwsza = std::max(najgorszaPierwsza, Mediana(w.pierwsza));
    for (const auto* czasy : {&w.wstecz, &w.naprzod})
      if (!czasy->empty()) {
        najgorszaPonowna = std::max(najgorszaPonowna, Mediana(*czasy));
        ponowne.insert(ponowne.end(), czasy->begin(), czasy->end());
      }
    std::printf("%2d_%d %34.2f %s %14s  |  %19.2f %7.2f\n", strona.first, strona.second, Mediana(w.pierwsza),
                Kolumna(w.wstecz).c_str(), Kolumna(w.naprzod).c_str(), Mediana(w.lista), Mediana(w.svg));
  }
  std::printf(
      "slowest page: first visit %.2f ms, turning to a page seen before %.2f ms (median of all such turns %.2f ms)\n",
      najgorszaPierwsza, najgorszaPonowna, Mediana(ponowne));
  return 0;
}
