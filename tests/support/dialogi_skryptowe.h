#pragma once
// The dialog service of the tests: answers questions and file dialogs from queues and records every window it was
// asked to show. An empty queue answers as closing the box would and gives no file. Nothing is ever shown, so no
// test blocks.

#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "platform/dialogi.h"

namespace velmar_test {

// One window the service was asked to show.
struct PokazaneOkno {
  enum class Rodzaj { Komunikat, Pytanie, Wyjatek, PlikDoOtwarcia, PlikDoZapisu } rodzaj;
  QString tytul;
  QString tekst;
  platform::Przyciski przyciski = platform::Przyciski::Ok;
  platform::Ikona ikona = platform::Ikona::Brak;
};

class DialogiSkryptowe : public platform::Dialogi {
 public:
  std::deque<platform::Odpowiedz> odpowiedzi;
  std::deque<std::optional<QString>> pliki;
  std::vector<PokazaneOkno> pokazane;

  void Komunikat(const QString& tekst) override;
  platform::Odpowiedz Pytanie(const QString& tekst, const QString& tytul, platform::Przyciski przyciski,
                              platform::Ikona ikona) override;
  void Wyjatek(const QString& tekst) override;
  std::optional<QString> PlikDoOtwarcia(const platform::UstawieniaPliku& u) override { return Plik(u, true); }
  std::optional<QString> PlikDoZapisu(const platform::UstawieniaPliku& u) override { return Plik(u, false); }

  QStringList Teksty() const;  // texts shown, in order
  void Wyczysc();               // forgets the answers left and the windows shown

 private:
  std::optional<QString> Plik(const platform::UstawieniaPliku& ustawienia, bool doOtwarcia);
};

}  // namespace velmar_test

