#pragma once
// Message boxes, questions, file dialogs and the exception box. The program asks through these functions; the
// service behind them shows Qt dialogs, or, in tests, answers from a script and records what was shown.

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

enum class Odpowiedz { Ok, Tak, Nie, Anuluj };
enum class Przyciski { Ok, TakNie, TakNieAnuluj };
enum class Ikona { Brak, Informacja, Wykrzyknik, Pytanie, Blad };

// A file dialog's settings, in the terms of the program's dialogs.
struct UstawieniaPliku {
  QString tytul;
  QString filtr;          // "Opis (*.ext)|*.ext" as the program writes it
  QString nazwaPliku;     // initial file name
  QString folder;
  bool potwierdzNadpisanie = false;
};

// The program's filter, description and pattern pairs joined by '|' (patterns separated by ';'), as Qt's list of
// name filters "Opis (*.a *.b)".
QStringList FiltryQt(const QString& filtr);

class Dialogi {
 public:
  virtual ~Dialogi() = default;
  virtual void Komunikat(const QString& tekst) = 0;  // ShowMessage: the application title as caption, OK
  virtual Odpowiedz Pytanie(const QString& tekst, const QString& tytul, Przyciski przyciski, Ikona ikona) = 0;
  virtual void Wyjatek(const QString& tekst) = 0;  // the application's exception box
  virtual std::optional<QString> PlikDoOtwarcia(const UstawieniaPliku& ustawienia) = 0;
  virtual std::optional<QString> PlikDoZapisu(const UstawieniaPliku& ustawienia) = 0;
};

// What a scripted service saw.
struct PokazaneOkno {
  enum class Rodzaj { Komunikat, Pytanie, Wyjatek, PlikDoOtwarcia, PlikDoZapisu } rodzaj;
  QString tytul;
  QString tekst;
  Przyciski przyciski = Przyciski::Ok;
  Ikona ikona = Ikona::Brak;
};

// For tests: answers questions and file dialogs from queues and records every window it was asked to show. An empty
// queue answers as closing the box would (Anuluj, Nie for a Yes/No box, Ok) and gives no file. Nothing is ever
// shown, so no test blocks.
class DialogiSkryptowe : public Dialogi {
 public:
  std::deque<Odpowiedz> odpowiedzi;
  std::deque<std::optional<QString>> pliki;
  std::vector<PokazaneOkno> pokazane;

  void Komunikat(const QString& tekst) override;
  Odpowiedz Pytanie(const QString& tekst, const QString& tytul, Przyciski przyciski, Ikona ikona) override;
  void Wyjatek(const QString& tekst) override;
  std::optional<QString> PlikDoOtwarcia(const UstawieniaPliku& ustawienia) override;
  std::optional<QString> PlikDoZapisu(const UstawieniaPliku& ustawienia) override;

  QStringList Teksty() const;  // texts shown, in order
};

// The real dialogs, parented to the active window.
class DialogiQt : public Dialogi {
 public:
  void Komunikat(const QString& tekst) override;
  Odpowiedz Pytanie(const QString& tekst, const QString& tytul, Przyciski przyciski, Ikona ikona) override;
  void Wyjatek(const QString& tekst) override;
  std::optional<QString> PlikDoOtwarcia(const UstawieniaPliku& ustawienia) override;
  std::optional<QString> PlikDoZapisu(const UstawieniaPliku& ustawienia) override;
};

// The service in force: the application's (see Aplikacja).
Dialogi& AktywneDialogi();

inline void ShowMessage(const QString& tekst) { AktywneDialogi().Komunikat(tekst); }
inline Odpowiedz MessageBox(const QString& tekst, const QString& tytul, Przyciski przyciski, Ikona ikona) {
  return AktywneDialogi().Pytanie(tekst, tytul, przyciski, ikona);
}

}  // namespace platform
