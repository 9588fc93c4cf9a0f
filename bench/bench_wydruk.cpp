// Times printing to PDF every form in the program's dc/ folder, each as one record with every field filled and its
// own job (its own file), as the print window prints a settlement: files read and checked, pictures drawn, values
// written. Per form: milliseconds and bytes of PDF a page, beside the bytes of the form's page pictures a page.
//
//   bench_wydruk [program folder [folder to keep the PDFs in]]      default: ../bin beside this program

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "formularze.h"
#include "main/drukowanie.h"
#include "main/tools.h"
#include "model/struktura.h"
#include "pages/fimage.h"
#include "platform/aplikacja.h"
#include "srodowisko.h"

namespace {

constexpr int kPowtorzenia = 7;

struct WynikFormularza {
  std::vector<double> msNaStrone;
  qint64 bajtyPdf = 0;
  qint64 bajtyObrazow = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const SrodowiskoPomiaru srodowisko;
  platform::Aplikacja aplikacja(argc, argv);

  const QString folder = FolderProgramu(argc, argv);
  QTemporaryDir tymczasowy;
  const QString wyniki = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tymczasowy.path();
  QDir().mkpath(wyniki);
  const auto formularze = FormularzeZeStronami(folder + "/dc");
  if (formularze.empty()) qFatal("no forms in %s/dc: build the velmar_dc target first", qPrintable(folder));

  TTools tools(folder);
  TFImage widok;
  tools.PrzydzielDruki(static_cast<int>(formularze.size()));
  for (const FormularzPomiaru& f : formularze) tools.DodajDruk(f.kod, 0, PMWspolny, Indywidualne);
  tools.BudujDrzewo();
  for (std::size_t j = 1; j <= formularze.size(); ++j)
    Wypelnij(tools.Druki[j], folder + QStringLiteral("/dc/%1.dcs").arg(tools.Druki[j].IdPit));

  QPrinter drukarka(QPrinter::HighResolution);
  drukarka.setOutputFormat(QPrinter::PdfFormat);
  const UstawieniaWydruku ustawienia;
  std::vector<WynikFormularza> wynikiFormularzy(formularze.size());
  std::vector<double> wszystkie;
  for (int r = 0; r < kPowtorzenia; ++r)
    for (std::size_t j = 1; j <= formularze.size(); ++j) {
      const FormularzPomiaru& f = formularze[j - 1];
      const QString plik = wyniki + QStringLiteral("/%1.pdf").arg(f.kod);
      drukarka.setOutputFileName(plik);
      tools.BiezacyDruk = tools.Druki[j];
      QElapsedTimer zegar;
      zegar.start();
      if (!DrukujDruki(drukarka, tools, DrukiZakresu(tools, 1), ustawienia)) qFatal("printing form %d failed", f.kod);
      const double naStrone = static_cast<double>(zegar.nsecsElapsed()) / 1e6 / f.strony;
      wynikiFormularzy[j - 1].msNaStrone.push_back(naStrone);
      wszystkie.push_back(naStrone);
      wynikiFormularzy[j - 1].bajtyPdf = QFileInfo(plik).size();
    }

  std::printf("%zu forms at %d dpi, each its own job, medians of %d runs; PDFs in %s\n", formularze.size(),
              drukarka.resolution(), kPowtorzenia, qPrintable(wyniki));
  std::printf("form  pages   ms a page   PDF KB a page   picture files KB a page\n");
  double najwolniejsza = 0, najwiekszaKb = 0;
  for (std::size_t i = 0; i < formularze.size(); ++i) {
    const FormularzPomiaru& f = formularze[i];
    WynikFormularza& w = wynikiFormularzy[i];
    for (int strona = 1; strona <= f.strony; ++strona)
      w.bajtyObrazow += QFileInfo(folder + QStringLiteral("/dc/%1_%2.dcg").arg(f.kod).arg(strona)).size();
    const double ms = Mediana(w.msNaStrone), kb = w.bajtyPdf / 1024.0 / f.strony;
    najwolniejsza = std::max(najwolniejsza, ms);
    najwiekszaKb = std::max(najwiekszaKb, kb);
    std::printf("%4d  %5d  %10.2f  %14.1f  %24.1f\n", f.kod, f.strony, ms, kb, w.bajtyObrazow / 1024.0 / f.strony);
  }
  std::printf("all pages: median %.2f ms a page; slowest form %.2f ms a page; largest %.1f KB a page\n",
              Mediana(wszystkie), najwolniejsza, najwiekszaKb);
  return 0;
}
