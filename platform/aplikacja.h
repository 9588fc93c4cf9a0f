#pragma once
// The application object: keeps the dialog service, shows exceptions that escape an event handler in the exception
// box, and ends the program on request even before its event loop runs.

#include <QApplication>
#include <memory>

#include "platform/dialogi.h"

namespace platform {

class Aplikacja : public QApplication {
  Q_OBJECT
 public:
  Aplikacja(int& argc, char** argv);
  ~Aplikacja() override;

  static Aplikacja* Instancja();  // null when the running application is not ours

  bool notify(QObject* odbiorca, QEvent* zdarzenie) override;

  Dialogi& dialogi() { return *dialogi_; }
  // Replaces the dialog service (tests and fuzzers install their own); returns the previous one.
  std::unique_ptr<Dialogi> UstawDialogi(std::unique_ptr<Dialogi> nowe);

  // The application's title: the caption of plain message boxes. It is not Qt's display name, which the window
  // system would append to every window title.
  const QString& Tytul() const { return tytul_; }
  void UstawTytul(const QString& tytul) { tytul_ = tytul; }

  // Application Terminate: the program ends when control returns to the event loop.
  void Terminate();
  bool Zakonczona() const { return zakonczona_; }
  // Withdraws a Terminate not yet carried out; tests start the program several times in one process.
  void AnulujZakonczenie() { zakonczona_ = false; }

 private:
  std::unique_ptr<Dialogi> dialogi_;
  QString tytul_;
  bool zakonczona_ = false;
};

}  // namespace platform
