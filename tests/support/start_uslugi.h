#pragma once
// What the update and about-box tests put in place of the system's services.

#include <QTimer>

#include "main/aktualizacja_siec.h"
#include "platform/siec.h"
#include "support/pliki.h"

namespace velmar_test {

// Records what the program asks of the system and answers the connection test as told.
struct UslugiTestowe : TTools::UslugiSystemu {
  unsigned flagi = platform::PolaczenieLan;
  bool echo = true;
  QStringList hostyEcha, otwarte;
  QList<QUrl> adresy;

  unsigned StanPolaczenia(const QUrl&) override { return flagi; }
  void Echo(const QString& host, QObject* kontekst, std::function<void(bool)> wynik) override {
    hostyEcha << host;
    QTimer::singleShot(0, kontekst, [wynik, odpowiedz = echo] { wynik(odpowiedz); });
  }
  bool Uruchom(const platform::PlikProgramu& plik, const QString& folder) override {
    return otwarte << plik.Sciezka() + '|' + folder, true;
  }
  bool OtworzAdres(const QUrl& adres) override { return adresy << adres, true; }
};

}  // namespace velmar_test
