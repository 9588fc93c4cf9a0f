// Times printing a settlement of ten filled records (every form in the program's dc/ folder, in turn) to PDF files,
// each record its own job, and prints the median time per printed page: files read and checked, pictures drawn as
// vectors, field values written.
//
//   bench_wydruk [program folder [folder to keep the PDFs in]]      default: ../bin beside this program

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "main/drukowanie.h"
#include "main/tools.h"
#include "model/struktura.h"
#include "pages/fimage.h"
#include "platform/aplikacja.h"
#include "srodowisko.h"

namespace {

constexpr int kPowtorzenia = 7;
constexpr int kLiczbaDrukow = 10;

// The form types with a structure and a first page in the folder.
std::vector<int> Formularze(const QString& dc) {
  std::vector<int> kody;
  for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod)
    if (QFile::exists(dc + QStringLiteral("/%1.dcs").arg(kod)) &&
        QFile::exists(dc + QStringLiteral("/%1_1.dcg").arg(kod)))
      kody.push_back(kod);
  return kody;
}

// Every field of a record given a value of its kind, as a user would have filled it.
void Wypelnij(TDruk& druk, const QString& plikDcs) {
  const auto obiekty = struktura::CzytajObiekty(plikDcs, 1.0f);
  if (!obiekty) qFatal("cannot read %s", qPrintable(plikDcs));
  const int liczba = std::min(static_cast<int>(obiekty->size()), kLiczbaPol);
  for (int k = 0; k < liczba; ++k) {
    const TObiekt& o = (*obiekty)[static_cast<std::size_t>(k)];
    TPoleDruku& pole = druk.Pola[static_cast<std::size_t>(k)];
    switch (o.Typ) {
      case Liczba:
        UstawBajty(pole.Wartosc, o.Format == FormatCalkowita ? "2" : "123456,78");
        break;
      case NIP:
        UstawBajty(pole.Wartosc, "1234567890");
        break;
      case Data:
        UstawBajty(pole.Wartosc, "01022009");
        break;
      case Checbox:
        pole.Zaznaczone = static_cast<std::uint8_t>(k % 2);
        break;
      default:
        UstawTekst(pole.Wartosc, QStringLiteral("Żółć %1").arg(k).left(std::max(o.LimitZnakow, 1)));
        break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const SrodowiskoPomiaru srodowisko;
  platform::Aplikacja aplikacja(argc, argv);

  const QString folder =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath() + "/../bin";
  QTemporaryDir tymczasowy;
  const QString wyniki = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tymczasowy.path();
  QDir().mkpath(wyniki);
  const std::vector<int> kody = Formularze(folder + "/dc");
  if (kody.empty()) qFatal("no forms in %s/dc: build the velmar_dc target first", qPrintable(folder));

  TTools tools(folder);
  TFImage widok;
  tools.PrzydzielDruki(kLiczbaDrukow);
  // The first form is the main one; the others are its attachments.
  for (int i = 0; i < kLiczbaDrukow; ++i)
    tools.DodajDruk(kody[static_cast<std::size_t>(i) % kody.size()], i == 0 ? 0 : 1, PMWspolny, Indywidualne);
  tools.BudujDrzewo();
  for (int i = 1; i <= kLiczbaDrukow; ++i) {
    TDruk& druk = tools.Druki[static_cast<std::size_t>(i)];
    Wypelnij(druk, folder + QStringLiteral("/dc/%1.dcs").arg(druk.IdPit));
  }
  tools.BiezacyDruk = tools.Druki[1];

  QPrinter drukarka(QPrinter::HighResolution);
  drukarka.setOutputFormat(QPrinter::PdfFormat);
  drukarka.setOutputFileName(wyniki + "/rozliczenie.pdf");
  const UstawieniaWydruku ustawienia;
  const auto druki = DrukiZakresu(tools, 3);

  std::vector<double> naStrone, przygotowanie;
  int strony = 0;
  for (int i = 0; i < kPowtorzenia; ++i) {
    QElapsedTimer zegar;
    zegar.start();
    QString blad;
    const auto zadania = PrzygotujZadania(tools, druki, ustawienia.Dane, blad);
    if (!zadania) qFatal("%s", qPrintable(blad));
    const double czytanie = static_cast<double>(zegar.nsecsElapsed()) / 1e6;
    if (!DrukujZadania(drukarka, *zadania, ustawienia, blad)) qFatal("%s", qPrintable(blad));
    strony = 0;
    for (const ZadanieWydruku& z : *zadania) strony += static_cast<int>(z.strony.size());
    naStrone.push_back(static_cast<double>(zegar.nsecsElapsed()) / 1e6 / strony);
    przygotowanie.push_back(czytanie / strony);
  }

  std::printf("%d records, %zu forms, %d pages at %d dpi, %d runs; PDFs in %s\n", kLiczbaDrukow, kody.size(), strony,
              drukarka.resolution(), kPowtorzenia, qPrintable(wyniki));
  std::printf("per page, all:               median %7.2f ms\n", Mediana(naStrone));
  std::printf("per page, files read first:  median %7.2f ms\n", Mediana(przygotowanie));
  return 0;
}
