#pragma once
// What the update and about-box tests put in place of the system's services, and their file helpers.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include "main/aktualizacja_siec.h"
#include "platform/siec.h"

namespace velmar_test {

// Records what the program asks of the system and answers the connection test as told.
struct UslugiTestowe : TTools::UslugiSystemu {
  unsigned flagi = platform::PolaczenieLan;
  bool echo = true;
  QStringList hostyEcha, otwarte, uruchomione;
  QList<QUrl> adresy;

  unsigned StanPolaczenia(const QUrl&) override { return flagi; }
  void Echo(const QString& host, QObject* kontekst, std::function<void(bool)> wynik) override {
    hostyEcha << host;
    QTimer::singleShot(0, kontekst, [wynik, odpowiedz = echo] { wynik(odpowiedz); });
  }
  bool Otworz(const QString& plik, const QString& folder) override {
    otwarte << plik + QLatin1Char('|') + folder;
    return true;
  }
  bool OtworzAdres(const QUrl& adres) override {
    adresy << adres;
    return true;
  }
  bool Uruchom(const QString& program, const QString& folder) override {
    uruchomione << program + QLatin1Char('|') + folder;
    return true;
  }
};

inline QByteArray Czytaj(const QString& sciezka) {
  QFile plik(sciezka);
  return plik.open(QIODevice::ReadOnly) ? plik.readAll() : QByteArray();
}

inline void Zapisz(const QString& sciezka, const QByteArray& dane) {
  QDir().mkpath(QFileInfo(sciezka).path());
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate) || plik.write(dane) != dane.size())
    qFatal("cannot write a test file");
}

}  // namespace velmar_test
