// Opening, saving and closing settlement files, the question that guards unsaved changes, and a new settlement
// through the question wizard.

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <cerrno>

#include "calc/identyfikacja.h"
#include "main/tools.h"
#include "model/plik_rozliczenia.h"
#include "pages/fimage.h"
#include "platform/dialogi.h"
#include "platform/odczyt.h"
#include "platform/zapis.h"
#include "selection/kreator.h"
#include "selection/wybalg.h"

namespace {

const QString kPrzyrostekTytulu = QStringLiteral(" - Velmar 2008 Korvanex");
const QString kFiltr = QStringLiteral("Rozliczenie roczne (*.dc8)|*.dc8");
const QString kInnyPlik =
    QStringLiteral("\nRozliczenie można zapisać w innym pliku poleceniem \"Zapisz jako ...\".");
const QString kTytulZapisu = QStringLiteral("Zapisz rozliczenie jako");

// Whether an existing file (or a link, though it names nothing yet) may be replaced by a settlement saved under its
// name; no question when there is none.
bool MoznaZastapic(const QString& sciezka) {
  const QFileInfo info(sciezka);
  if (!info.exists() && !info.isSymLink()) return true;
  return platform::MessageBox(info.fileName() + QStringLiteral(" już istnieje.\nCzy chcesz go zastąpić?"),
                              kTytulZapisu, platform::Przyciski::TakNie,
                              platform::Ikona::Wykrzyknik) == platform::Odpowiedz::Tak;
}

// The name "Zapisz jako" saves under: the dialog's, with ".dc8" added when it lacks it. The question about replacing a
// file is asked here about that final name, not by the dialog about the name typed; declined, the dialog comes back.
// Empty when cancelled.
QString NazwaDoZapisu() {
  platform::UstawieniaPliku ustawienia;
  ustawienia.tytul = kTytulZapisu;
  ustawienia.filtr = kFiltr;
  ustawienia.nazwaPliku = QStringLiteral("nowe rozliczenie");
  for (;;) {
    const auto wybrany = platform::AktywneDialogi().PlikDoZapisu(ustawienia);
    if (!wybrany || wybrany->isEmpty()) return {};
    QString cel = *wybrany;
    if (!cel.endsWith(QStringLiteral(".dc8"), Qt::CaseInsensitive)) cel += QStringLiteral(".dc8");
    if (MoznaZastapic(cel)) return cel;
    ustawienia.folder = QFileInfo(cel).path();
    ustawienia.nazwaPliku = QFileInfo(cel).fileName();
  }
}

}  // namespace

bool TTools::OtworzRozliczenie(const QString& sciezka) {
  // Its size is checked before it is read, and every record as it is read, all before the current settlement is
  // dropped.
  const platform::OtwartyPlik plik = platform::OtworzDoOdczytu(sciezka, kNajwiekszyPlikRozliczenia);
  if (!plik.plik) {
    platform::ShowMessage(plik.odmowa == platform::Odmowa::NieMaPliku ? QStringLiteral("Nie ma pliku rozliczeniowego.")
                                                                       : plik.blad);
    return false;
  }
  OdczytRozliczenia odczyt = CzytajRozliczenie(*plik.plik, sciezka);
  if (!odczyt.blad.isEmpty()) {
    platform::ShowMessage(odczyt.blad);
    return false;
  }

  DobraneFormularze->setText(QStringLiteral("Dobrane formularze"));
  PokazPowitanie(false);
  WyczyscRozliczenie();
  LiczbaDrukow = static_cast<int>(odczyt.druki.size()) - 1;
  Druki = std::move(odczyt.druki);
  BudujDrzewo();
  Rozl.WyczyscOsoby();
  WczytajDaneOsobZDrukow(Rozl);
  NazwaRozliczenia = QFileInfo(sciezka).fileName() + kPrzyrostekTytulu;
  setWindowTitle(NazwaRozliczenia);
  Zmodyfikowane = 0;
  ToolButtonSave->setEnabled(false);
  // What saves of this file left when they were stopped is of no use any more.
  platform::UsunPozostawioneTymczasowe(sciezka);
  if (!odczyt.uwaga.isEmpty()) platform::ShowMessage(odczyt.uwaga);
  return true;
}

bool TTools::ZapiszDruki(const QString& sciezka) {
  if (!platform::MoznaZapisac(sciezka)) {
    platform::ShowMessage(QStringLiteral("Brak dostępu do pliku: ") + sciezka +
                          QStringLiteral("\nTo nie jest zwykły plik."));
    return false;
  }
  // The old file is replaced only after every byte of the new one was written and flushed.
  const platform::WynikZapisu wynik = platform::ZapiszAtomowo(sciezka, ZakodujRozliczenie(Druki, LiczbaDrukow));
  if (wynik.Udany()) return true;
  const bool brakMiejsca = wynik.kod == ENOSPC || wynik.kod == EDQUOT;
  platform::ShowMessage(brakMiejsca ? QStringLiteral("Brak miejsca na dysku - rozliczenia nie zapisano w pliku: ") +
                                          sciezka + QStringLiteral("\nPoprzednia wersja pliku pozostała bez zmian.")
                                    : QStringLiteral("Brak dostępu do pliku: ") + sciezka + QStringLiteral("\n") +
                                          wynik.powod + kInnyPlik);
  return false;
}

bool TTools::ZapiszRozliczenie(const QString& sciezka) {
  if (FImage && !FImage->ZatwierdzEdytor()) return false;
  QString cel = sciezka;
  if (cel.isEmpty() || !QFileInfo::exists(cel)) {
    cel = NazwaDoZapisu();
    if (cel.isEmpty()) return false;
  }
  if (!ZapiszDruki(cel)) return false;
  // Stray temporaries are looked for once for each file the settlement takes up, as on opening: the search reads the
  // whole folder, too much for every save.
  if (cel != PlikRozliczenia) platform::UsunPozostawioneTymczasowe(cel);
  PlikRozliczenia = cel;
  ToolButtonSave->setEnabled(false);
  Zmodyfikowane = 0;
  NazwaRozliczenia = QFileInfo(cel).fileName() + kPrzyrostekTytulu;
  setWindowTitle(NazwaRozliczenia);
  return true;
}

bool TTools::PytanieOZapis(bool zAnulowaniem) {
  if (FImage && !FImage->ZatwierdzEdytor()) return false;
  if (!Zmodyfikowane) return true;
  const QString tekst = QStringLiteral("Rozliczenie \"") + NazwaRozliczenia +
                        QStringLiteral("\" zostało zmodyfikowane.\nCzy zapisać zmiany w bieżącym rozliczeniu ?");
  const auto odpowiedz =
      platform::MessageBox(tekst, QStringLiteral("Zapisanie zmian"),
                           zAnulowaniem ? platform::Przyciski::TakNieAnuluj : platform::Przyciski::TakNie,
                           platform::Ikona::Wykrzyknik);
  if (odpowiedz == platform::Odpowiedz::Tak) return ZapiszRozliczenie(PlikRozliczenia);
  return odpowiedz == platform::Odpowiedz::Nie;
}

void TTools::OtworzClick(bool sprawdzIstnienie) {
  if (!PytanieOZapis(false)) return;
  if (FImage) FImage->UsunEdytory();
  platform::UstawieniaPliku ustawienia;
  ustawienia.tytul = QStringLiteral("Otworz rozliczenie");
  ustawienia.filtr = kFiltr;
  ustawienia.nazwaPliku = QStringLiteral("nowe rozliczenie.dc8");
  const auto wybrany = platform::AktywneDialogi().PlikDoOtwarcia(ustawienia);
  if (!wybrany || wybrany->isEmpty()) return;
  if (sprawdzIstnienie && !QFileInfo::exists(*wybrany)) {
    platform::ShowMessage(QStringLiteral("Nie ma pliku rozliczeniowego."));
    return;
  }
  if (!OtworzRozliczenie(*wybrany)) return;
  PlikRozliczenia = *wybrany;
  PokazPierwszyDruk();
}

void TTools::Zamknij1Click() {
  if (!PytanieOZapis(false)) return;
  Rozl.WyczyscOsoby();
  Zmodyfikowane = 0;
  WyczyscRozliczenie();
  // The file belongs to the settlement closed: "Zapisz" must not write the empty one over it.
  PlikRozliczenia.clear();
  PokazPowitanie(true);
  UstawWysokoscListError(0);
  BWydruk->setEnabled(false);
  setWindowTitle(kTytulBezRozliczenia);
  ToolButtonSave->setEnabled(false);
}

void TTools::closeEvent(QCloseEvent* e) {
  // A Yes whose save was cancelled or failed keeps the program running, so nothing is lost.
  if (!PytanieOZapis(true)) {
    e->ignore();
    return;
  }
  Rozl.WyczyscOsoby();
  e->accept();
}

void TTools::RozpocznijKreator() {
  // Nothing changes when a Yes to the question ends in a cancelled or failed save.
  if (!PytanieOZapis(false)) return;
  setWindowTitle(kTytulBezRozliczenia);
  DobraneFormularze->setText(QStringLiteral("Dobrane formularze"));
  Rozl.WyczyscOsoby();
  if (FImage && FImage->Otwarty()) ZamknijWidokStrony(FImage);
  UstawWysokoscListError(0);
  PokazPowitanie(false);
  WyczyscRozliczenie();
  PlikRozliczenia.clear();
  Zmodyfikowane = 0;
  ToolButtonSave->setEnabled(false);
  if (Kreator) Kreator->exec();
}

void TTools::PokazPierwszyDruk() {
  if (LiczbaDrukow >= 1 && Druki[1].Wezel) PokazDruk(Druki[1].Wezel, 1);
}

void TTools::PolaczPliki() {
  connect(ToolButtonSave, &QAction::triggered, this, [this] { ZapiszRozliczenie(PlikRozliczenia); });
  connect(Zapisz1, &QAction::triggered, this, [this] { ZapiszRozliczenie(PlikRozliczenia); });
  connect(Zapiszjako1, &QAction::triggered, this, [this] { ZapiszRozliczenie(QString()); });
  connect(ToolButton2, &QAction::triggered, this, [this] { OtworzClick(true); });
  connect(Otw1, &QAction::triggered, this, [this] { OtworzClick(false); });
  connect(Zamknij1, &QAction::triggered, this, &TTools::Zamknij1Click);
  const auto nowe = [] {
    if (FWybAlg) FWybAlg->exec();
  };
  connect(Nowe1, &QAction::triggered, this, nowe);
  connect(ToolButton1, &QAction::triggered, this, nowe);
  connect(RozpocznijPrace, &QPushButton::clicked, this, nowe);
}
