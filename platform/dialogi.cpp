#include "platform/dialogi.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <cstdio>

#include "platform/aplikacja.h"

namespace platform {
namespace {

QString TytulAplikacji() {
  const Aplikacja* aplikacja = Aplikacja::Instancja();
  return aplikacja ? aplikacja->Tytul() : QString();
}

// Without an application object (fuzzers, command-line tools) nothing can be shown: texts go to stderr and every
// question is declined.
class DialogiKonsoli : public Dialogi {
 public:
  void Komunikat(const QString& tekst) override { Wypisz(tekst); }
  Odpowiedz Pytanie(const QString& tekst, const QString& tytul, Przyciski przyciski, Ikona) override {
    Wypisz(tytul.isEmpty() ? tekst : tytul + QLatin1String(": ") + tekst);
    return OdpowiedzDomyslna(przyciski);
  }
  void Wyjatek(const QString& tekst) override { Wypisz(tekst); }
  std::optional<QString> PlikDoOtwarcia(const UstawieniaPliku&) override { return std::nullopt; }
  std::optional<QString> PlikDoZapisu(const UstawieniaPliku&) override { return std::nullopt; }

 private:
  static void Wypisz(const QString& tekst) { std::fprintf(stderr, "%s\n", tekst.toLocal8Bit().constData()); }
};

QMessageBox::StandardButtons PrzyciskiQt(Przyciski przyciski) {
  switch (przyciski) {
    case Przyciski::TakNie: return QMessageBox::Yes | QMessageBox::No;
    case Przyciski::TakNieAnuluj: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Przyciski::Ok: break;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon IkonaQt(Ikona ikona) {
  switch (ikona) {
    case Ikona::Informacja: return QMessageBox::Information;
    case Ikona::Wykrzyknik: return QMessageBox::Warning;
    case Ikona::Pytanie: return QMessageBox::Question;
    case Ikona::Blad: return QMessageBox::Critical;
    case Ikona::Brak: break;
  }
  return QMessageBox::NoIcon;
}

Odpowiedz PokazOkno(const QString& tekst, const QString& tytul, Przyciski przyciski, Ikona ikona) {
  QMessageBox okno(IkonaQt(ikona), tytul, tekst, PrzyciskiQt(przyciski), QApplication::activeWindow());
  // Escape and the close button give the box's negative answer: No, Cancel, or OK for a plain message.
  switch (przyciski) {
    case Przyciski::TakNie: okno.setEscapeButton(QMessageBox::No); break;
    case Przyciski::TakNieAnuluj: okno.setEscapeButton(QMessageBox::Cancel); break;
    case Przyciski::Ok: okno.setEscapeButton(QMessageBox::Ok); break;
  }
  switch (okno.exec()) {
    case QMessageBox::Yes: return Odpowiedz::Tak;
    case QMessageBox::No: return Odpowiedz::Nie;
    case QMessageBox::Cancel: return Odpowiedz::Anuluj;
    case QMessageBox::Ok: return Odpowiedz::Ok;
    default: return OdpowiedzDomyslna(przyciski);
  }
}

std::optional<QString> PokazDialogPliku(const UstawieniaPliku& ustawienia, QFileDialog::AcceptMode tryb) {
  QFileDialog dialog(QApplication::activeWindow(), ustawienia.tytul, ustawienia.folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(tryb);
  dialog.setFileMode(tryb == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !ustawienia.potwierdzNadpisanie);
  const QStringList filtry = FiltryQt(ustawienia.filtr);
  if (!filtry.isEmpty()) dialog.setNameFilters(filtry);
  if (!ustawienia.nazwaPliku.isEmpty()) dialog.selectFile(ustawienia.nazwaPliku);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList wybrane = dialog.selectedFiles();
  if (wybrane.isEmpty()) return std::nullopt;
  return wybrane.front();
}

}  // namespace

QStringList FiltryQt(const QString& filtr) {
  QStringList wynik;
  const QStringList czesci = filtr.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < czesci.size(); i += 2) {
    const QString opis = czesci[i].trimmed();
    QStringList wzorce = czesci[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& w : wzorce) w = w.trimmed();
    wzorce.removeAll(QString());
    if (wzorce.isEmpty()) continue;
    const QString lista = wzorce.join(QLatin1Char(' '));
    // Qt filters by the parenthesised list at the end of the description; descriptions usually show it already.
    if (opis.endsWith(QLatin1Char('(') + lista + QLatin1Char(')')))
      wynik.append(opis);
    else
      wynik.append((opis.isEmpty() ? lista : opis) + QLatin1String(" (") + lista + QLatin1Char(')'));
  }
  return wynik;
}

Odpowiedz OdpowiedzDomyslna(Przyciski przyciski) {
  switch (przyciski) {
    case Przyciski::TakNieAnuluj: return Odpowiedz::Anuluj;
    case Przyciski::TakNie: return Odpowiedz::Nie;
    case Przyciski::Ok: break;
  }
  return Odpowiedz::Ok;
}

void DialogiQt::Komunikat(const QString& tekst) { PokazOkno(tekst, TytulAplikacji(), Przyciski::Ok, Ikona::Brak); }

Odpowiedz DialogiQt::Pytanie(const QString& tekst, const QString& tytul, Przyciski przyciski, Ikona ikona) {
  return PokazOkno(tekst, tytul, przyciski, ikona);
}

void DialogiQt::Wyjatek(const QString& tekst) { PokazOkno(tekst, TytulAplikacji(), Przyciski::Ok, Ikona::Blad); }

std::optional<QString> DialogiQt::PlikDoOtwarcia(const UstawieniaPliku& ustawienia) {
  return PokazDialogPliku(ustawienia, QFileDialog::AcceptOpen);
}

std::optional<QString> DialogiQt::PlikDoZapisu(const UstawieniaPliku& ustawienia) {
  return PokazDialogPliku(ustawienia, QFileDialog::AcceptSave);
}

Dialogi& AktywneDialogi() {
  if (Aplikacja* aplikacja = Aplikacja::Instancja()) return aplikacja->dialogi();
  static DialogiKonsoli konsola;
  return konsola;
}

}  // namespace platform
