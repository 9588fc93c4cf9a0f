// Run by tst_pliki in a private mount namespace whose folder (the argument) is a tmpfs of a few kilobytes: saves a
// settlement too large for it over a small one and prints what the user was told and what became of the files. Also
// run under a limit on a file's size, and built a second time to be killed in the middle of its save.

#include <QDir>
#include <QFile>
#include <cstdio>

#include "main/tools.h"
#include "support/pliki.h"
#include "support/program.h"
#include "support/test_main.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const velmar_test::SrodowiskoTestow srodowisko;
  platform::Aplikacja aplikacja(argc, argv);
  velmar_test::ZainstalujSkrypt(aplikacja);
  const QString folder = QFile::decodeName(argv[1]) + QLatin1Char('/');
  const QString plik = folder + QStringLiteral("rozliczenie.dc8");
  velmar_test::ZapiszPlik(plik, "stary");
  velmar_test::UstawRegionalne();
  TTools tools(folder);
  tools.PrzydzielDruki(3);
  tools.DodajDruk(Pit37, 0, PMWspolny, Indywidualne);
  tools.DodajDruk(PitO, 1, PMWspolny, Indywidualne);
  tools.DodajDruk(PitD, 1, PMWspolny, Indywidualne);
  tools.Zmodyfikowane = 1;
  const bool zapisany = tools.ZapiszRozliczenie(plik);

  QFile poZapisie(plik);
  const QByteArray tresc = poZapisie.open(QIODevice::ReadOnly) ? poZapisie.readAll() : QByteArray();
  std::printf("zapisany=%d\nzmodyfikowane=%d\nplik=%s\npliki=%s\n", zapisany, tools.Zmodyfikowane,
              tresc.constData(), qPrintable(QDir(folder).entryList(QDir::Files).join(QLatin1Char(','))));
  for (const QString& tekst : SkryptDialogow().Teksty()) std::printf("komunikat=%s\n", tekst.toUtf8().constData());
  return 0;
}
