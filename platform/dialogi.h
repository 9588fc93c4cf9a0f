#pragma once
// Message boxes, questions, file dialogs and the exception box. The program asks through these functions; the
// service behind them shows Qt dialogs, or whatever an environment without a screen installs instead.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

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

// What a box answers when it is closed without a choice: Anuluj, Nie for a Yes/No box, else Ok.
Odpowiedz OdpowiedzDomyslna(Przyciski przyciski);

class Dialogi {
 public:
  virtual ~Dialogi() = default;
  virtual void Komunikat(const QString& tekst) = 0;  // ShowMessage: the application title as caption, OK
  virtual Odpowiedz Pytanie(const QString& tekst, const QString& tytul, Przyciski przyciski, Ikona ikona) = 0;
  virtual void Wyjatek(const QString& tekst) = 0;  // the application's exception box
  virtual std::optional<QString> PlikDoOtwarcia(const UstawieniaPliku& ustawienia) = 0;
  virtual std::optional<QString> PlikDoZapisu(const UstawieniaPliku& ustawienia) = 0;
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

// Dialogs that show and keep nothing, for runs without a user: a question is answered as closing its box would,
// no file is chosen.
class DialogiCiche : public Dialogi {
 public:
  void Komunikat(const QString&) override {}
  Odpowiedz Pytanie(const QString&, const QString&, Przyciski przyciski, Ikona) override {
    return OdpowiedzDomyslna(przyciski);
  }
  void Wyjatek(const QString&) override {}
  std::optional<QString> PlikDoOtwarcia(const UstawieniaPliku&) override { return std::nullopt; }
  std::optional<QString> PlikDoZapisu(const UstawieniaPliku&) override { return std::nullopt; }
};

// The service in force: the application's (see Aplikacja).
Dialogi& AktywneDialogi();

inline void ShowMessage(const QString& tekst) { AktywneDialogi().Komunikat(tekst); }
inline Odpowiedz MessageBox(const QString& tekst, const QString& tytul, Przyciski przyciski, Ikona ikona) {
  return AktywneDialogi().Pytanie(tekst, tytul, przyciski, ikona);
}

}  // namespace platform
