#include "support/dialogi_skryptowe.h"

#include "platform/aplikacja.h"

namespace velmar_test {
namespace {

QString TytulAplikacji() {
  const platform::Aplikacja* aplikacja = platform::Aplikacja::Instancja();
  return aplikacja ? aplikacja->Tytul() : QString();
}

}  // namespace

using platform::Ikona;
using platform::Przyciski;
using Rodzaj = PokazaneOkno::Rodzaj;

void DialogiSkryptowe::Komunikat(const QString& tekst) {
  pokazane.push_back({Rodzaj::Komunikat, TytulAplikacji(), tekst, Przyciski::Ok, Ikona::Brak});
}

platform::Odpowiedz DialogiSkryptowe::Pytanie(const QString& tekst, const QString& tytul, Przyciski przyciski,
                                              Ikona ikona) {
  pokazane.push_back({Rodzaj::Pytanie, tytul, tekst, przyciski, ikona});
  if (odpowiedzi.empty()) return platform::OdpowiedzDomyslna(przyciski);
  const platform::Odpowiedz odpowiedz = odpowiedzi.front();
  odpowiedzi.pop_front();
  return odpowiedz;
}

void DialogiSkryptowe::Wyjatek(const QString& tekst) {
  pokazane.push_back({Rodzaj::Wyjatek, TytulAplikacji(), tekst, Przyciski::Ok, Ikona::Blad});
}

std::optional<QString> DialogiSkryptowe::Plik(const platform::UstawieniaPliku& ustawienia, bool doOtwarcia) {
  const Rodzaj rodzaj = doOtwarcia ? Rodzaj::PlikDoOtwarcia : Rodzaj::PlikDoZapisu;
  pokazane.push_back({rodzaj, ustawienia.tytul, ustawienia.nazwaPliku});
  if (pliki.empty()) return std::nullopt;
  const std::optional<QString> plik = pliki.front();
  pliki.pop_front();
  return plik;
}

QStringList DialogiSkryptowe::Teksty() const {
  QStringList wynik;
  for (const PokazaneOkno& okno : pokazane) wynik.append(okno.tekst);
  return wynik;
}

void DialogiSkryptowe::Wyczysc() {
  odpowiedzi.clear();
  pliki.clear();
  pokazane.clear();
}

}  // namespace velmar_test
