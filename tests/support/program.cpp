#include "support/program.h"

#include <QDir>
#include <QFile>
#include <QAction>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "main/tools.h"
#include "model/rekordy.h"
#include "platform/aplikacja.h"
#include "platform/ustawienia.h"

namespace velmar_test {

void UstawRegionalne(QChar dziesietny, QChar daty) {
  QFile plik(platform::FolderUstawien() + QStringLiteral("/regionalne.ini"));
  if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write the regional settings");
  plik.write(QStringLiteral("[Regional]\nDecimalSeparator=%1\nDateSeparator=%2\n").arg(dziesietny).arg(daty).toUtf8());
}

void UsunRegionalne() {
  QFile::remove(platform::FolderUstawien() + QStringLiteral("/regionalne.ini"));
}

FolderProgramu::FolderProgramu() {
  QDir(folder_.path()).mkpath(QStringLiteral("dc"));
  QDir(folder_.path()).mkpath(QStringLiteral("alg"));
}

void FolderProgramu::ZapiszDcs(int kod, const std::vector<TObiekt>& obiekty) const {
  QFile plik(Dc() + QString::number(kod) + QStringLiteral(".dcs"));
  if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write a structure file");
  const auto bajty = rekordy::ZakodujObiekty(obiekty);
  plik.write(reinterpret_cast<const char*>(bajty.data()), static_cast<qint64>(bajty.size()));
}

TObiekt NowyObiekt(int typ, int strona, const char* nazwa, const char* domyslna) {
  TObiekt o;
  o.Typ = typ;
  o.Strona = strona;
  o.Format = typ == Liczba ? FormatDziesietna : 0;
  UstawTekst(o.Nazwa, QString::fromUtf8(nazwa));
  UstawTekst(o.WartoscDomyslna, QString::fromUtf8(domyslna));
  UstawBajty(o.RozmiarCzcionki, "10");
  UstawBajty(o.KolorKrawedzi, "FFFFFF");
  UstawBajty(o.KolorTla, "FFFFFF");
  UstawBajty(o.KolorTekstu, "000000");
  o.Widoczne = 1;
  return o;
}

bool ZakonczenieZadane() {
  auto* aplikacja = platform::Aplikacja::Instancja();
  const bool koniec = aplikacja->Zakonczona();
  aplikacja->AnulujZakonczenie();
  return koniec;
}

bool WidocznaWPasku(QWidget* kontrolka) {
  if (auto* pasek = qobject_cast<QToolBar*>(kontrolka->parentWidget()))
    for (QAction* a : pasek->actions())
      if (pasek->widgetForAction(a) == kontrolka) return a->isVisible();
  return !kontrolka->isHidden();
}

std::unique_ptr<TTools> NoweOkno(const FolderProgramu& folder) {
  UstawRegionalne();
  auto t = std::make_unique<TTools>(folder.Sciezka());
  // The test's own arguments (a chosen test function) name no settlement.
  t->ParametrWiersza.clear();
  return t;
}

void KliknijWDrzewie(TTools& t, int j) {
  QTreeWidgetItem* wezel = t.Druki[static_cast<std::size_t>(j)].Wezel;
  QTest::mouseClick(t.TV->viewport(), Qt::LeftButton, {}, t.TV->visualItemRect(wezel).center());
  QCoreApplication::processEvents();
}

}  // namespace velmar_test
