#include "platform/aplikacja.h"

#include <clocale>
#include <exception>

namespace platform {

Aplikacja::Aplikacja(int& argc, char** argv) : QApplication(argc, argv), dialogi_(std::make_unique<DialogiQt>()) {
  // QCoreApplication took the whole user locale; numbers keep the C notation, whatever the C library formats.
  std::setlocale(LC_NUMERIC, "C");
}

Aplikacja::~Aplikacja() = default;

Aplikacja* Aplikacja::Instancja() { return qobject_cast<Aplikacja*>(QCoreApplication::instance()); }

bool Aplikacja::notify(QObject* odbiorca, QEvent* zdarzenie) {
  // An exception escaping a handler is shown and the event counts as unhandled; the program runs on.
  try {
    return QApplication::notify(odbiorca, zdarzenie);
  } catch (const std::exception& e) {
    dialogi().Wyjatek(QString::fromUtf8(e.what()));
  } catch (...) {
    dialogi().Wyjatek(QString());
  }
  return false;
}

std::unique_ptr<Dialogi> Aplikacja::UstawDialogi(std::unique_ptr<Dialogi> nowe) {
  dialogi_.swap(nowe);
  return nowe;
}

void Aplikacja::Terminate() {
  zakonczona_ = true;
  // Posted, so it takes effect once the event loop runs, even when asked before exec(). exit() rather than quit():
  // ending the loop must not ask the windows whether they may close.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (zakonczona_) QCoreApplication::exit(0);
      },
      Qt::QueuedConnection);
}

}  // namespace platform
