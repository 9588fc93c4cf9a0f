// Opening, saving and closing settlement files, the question that guards unsaved changes, and a new settlement
// through the question wizard.

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QSaveFile>

#include "calc/identyfikacja.h"
#include "main/tools.h"
#include "model/plik_rozliczenia.h"
#include "pages/fimage.h"
#include "platform/dialogi.h"
#include "selection/kreator.h"
#include "selection/wybalg.h"

namespace {

const QString kPrzyrostekTytulu = QStringLiteral(" - Velmar 2008 Korvanex");
const QString kFiltr = QStringLiteral("Rozliczenie roczne (*.dc8)|*.dc8");

}  // namespace

bool TTools::OtworzRozliczenie(const QString& sciezka) {
  QFile plik(sciezka);
  if (!plik.exists()) {
    platform::ShowMessage(QStringLiteral("Nie ma pliku rozliczeniowego."));
    return false;
  }
  // The whole file is read and checked before the current settlement is dropped.
  OdczytRozliczenia odczyt;
  if (!plik.open(QIODevice::ReadOnly))
    odczyt.blad = QStringLiteral("Nie można odczytać pliku rozliczenia \"%1\": %2").arg(sciezka, plik.errorString());
  else
    odczyt = CzytajRozliczenie(plik.readAll(), sciezka);
  if (odczyt.blad.isEmpty() && plik.error() != QFileDevice::NoError)
    odczyt.blad = QStringLiteral("Błąd odczytu pliku rozliczenia \"%1\": %2").arg(sciezka, plik.errorString());
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
  return true;
}

bool TTools::ZapiszDruki(const QString& sciezka) {
  // The old file is replaced only after every byte of the new one was written and flushed.
  QSaveFile plik(sciezka);
  const QByteArray bajty = ZakodujRozliczenie(Druki, LiczbaDrukow);
  if (!plik.open(QIODevice::WriteOnly) || plik.write(bajty) != bajty.size() || !plik.commit()) {
    platform::ShowMessage(QStringLiteral("Brak dostępu do pliku: ") + sciezka + QStringLiteral("\n") +
                          plik.errorString());
    return false;
  }
  return true;
}

bool TTools::ZapiszRozliczenie(const QString& sciezka) {
  if (FImage && !FImage->ZatwierdzEdytor()) return false;
  QString cel = sciezka;
  if (cel.isEmpty() || !QFileInfo::exists(cel)) {
    platform::UstawieniaPliku ustawienia;
    ustawienia.tytul = QStringLiteral("Zapisz rozliczenie jako");
    ustawienia.filtr = kFiltr;
    ustawienia.nazwaPliku = QStringLiteral("nowe rozliczenie");
    ustawienia.potwierdzNadpisanie = true;
    const auto wybrany = platform::AktywneDialogi().PlikDoZapisu(ustawienia);
    if (!wybrany || wybrany->isEmpty()) return false;
    cel = *wybrany;
    if (!cel.endsWith(QStringLiteral(".dc8"), Qt::CaseInsensitive)) cel += QStringLiteral(".dc8");
  }
  if (!ZapiszDruki(cel)) return false;
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
