// Opening, saving and closing settlement files.

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QAction>

#include "main/plik_rozliczenia.h"
#include "main/tools.h"
#include "platform/dialogi.h"

namespace {
const QString kPrzyrostekTytulu = QStringLiteral(" - Velmar 2008 Korvanex");
}

bool TTools::OtworzRozliczenie(const QString& sciezka) {
  QFile plik(sciezka);
  if (!plik.exists()) {
    platform::ShowMessage(QStringLiteral("Nie ma pliku rozliczeniowego."));
    return false;
  }
  if (!plik.open(QIODevice::ReadOnly)) {
    platform::ShowMessage(QStringLiteral("Nie można odczytać pliku rozliczenia \"%1\": %2").arg(sciezka, plik.errorString()));
    return false;
  }
  // The whole file is read and checked before the current settlement is dropped.
  OdczytRozliczenia odczyt = CzytajRozliczenie(plik.readAll(), sciezka);
  if (plik.error() != QFileDevice::NoError) odczyt.blad = QStringLiteral("Błąd odczytu pliku \"%1\": %2").arg(sciezka, plik.errorString());
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
  NazwaRozliczenia = QFileInfo(sciezka).fileName() + kPrzyrostekTytulu;
  setWindowTitle(NazwaRozliczenia);
  Zmodyfikowane = 0;
  ToolButtonSave->setEnabled(false);
  return true;
}
