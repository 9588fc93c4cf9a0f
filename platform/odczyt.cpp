#include "platform/odczyt.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

QString Odmow(OtwartyPlik& wynik, Odmowa odmowa, const QString& sciezka, const QString& szczegol = {}) {
  wynik.odmowa = odmowa;
  switch (odmowa) {
    case Odmowa::NieMaPliku: wynik.blad = QStringLiteral("Brak pliku:\n") + sciezka; break;
    case Odmowa::NieZwykly:
      wynik.blad = QStringLiteral("Plik nie jest zwykłym plikiem, więc nie zostanie odczytany:\n") + sciezka;
      break;
    case Odmowa::ZaDuzy: wynik.blad = QStringLiteral("Plik jest za duży (%1):\n").arg(szczegol) + sciezka; break;
    case Odmowa::BladOdczytu:
      wynik.blad = QStringLiteral("Nie można odczytać pliku:\n") + sciezka + QStringLiteral("\n") + szczegol;
      break;
    case Odmowa::Brak: break;
  }
  return wynik.blad;
}

QString ZaDuzy(qint64 rozmiar, qint64 najwiecej) {
  return QStringLiteral("%1 bajtów, dopuszczalne najwyżej %2").arg(rozmiar).arg(najwiecej);
}

QString BladSystemu(int numer) { return QString::fromLocal8Bit(std::strerror(numer)); }

}  // namespace

OtwartyPlik OtworzDoOdczytu(const QString& sciezka, qint64 najwiecej) {
  OtwartyPlik wynik;
  const QByteArray nazwa = QFile::encodeName(sciezka);
  int fd;
  do {
    fd = ::open(nazwa.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    const int numer = errno;
    // A socket cannot be opened at all; it is refused for what it is.
    struct stat info {};
    if (::stat(nazwa.constData(), &info) == 0 && !S_ISREG(info.st_mode))
      Odmow(wynik, Odmowa::NieZwykly, sciezka);
    else
      Odmow(wynik, numer == ENOENT || numer == ENOTDIR ? Odmowa::NieMaPliku : Odmowa::BladOdczytu, sciezka,
            BladSystemu(numer));
    return wynik;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int numer = errno;
    ::close(fd);
    Odmow(wynik, Odmowa::BladOdczytu, sciezka, BladSystemu(numer));
    return wynik;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    Odmow(wynik, Odmowa::NieZwykly, sciezka);
    return wynik;
  }
  if (info.st_size > najwiecej) {
    ::close(fd);
    Odmow(wynik, Odmowa::ZaDuzy, sciezka, ZaDuzy(info.st_size, najwiecej));
    return wynik;
  }
  // A regular file: reads may block as usual from here on.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  auto plik = std::make_unique<QFile>();
  if (!plik->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    Odmow(wynik, Odmowa::BladOdczytu, sciezka, plik->errorString());
    return wynik;
  }
  wynik.plik = std::move(plik);
  wynik.rozmiar = info.st_size;
  return wynik;
}

OdczytanyPlik CzytajPlik(const QString& sciezka, qint64 najwiecej) {
  OtwartyPlik otwarty = OtworzDoOdczytu(sciezka, najwiecej);
  OdczytanyPlik wynik;
  if (!otwarty.plik) {
    wynik.odmowa = otwarty.odmowa;
    wynik.blad = otwarty.blad;
    return wynik;
  }
  // Read straight into one buffer a byte longer than the file was, so its end is seen without copying; a file that
  // grows meanwhile is read on in blocks, no further than one block past the cap.
  // Files are read while the windows are made, so even running out of memory is a refusal, never an exception.
  bool wPamieci = true;
  try {
    constexpr qint64 kBlok = 64 * 1024;
    qint64 przeczytane = 0;
    wynik.dane.resize(static_cast<qsizetype>(otwarty.rozmiar + 1));
    for (;;) {
      if (przeczytane == wynik.dane.size()) wynik.dane.resize(static_cast<qsizetype>(przeczytane + kBlok));
      const qint64 n = otwarty.plik->read(wynik.dane.data() + przeczytane, wynik.dane.size() - przeczytane);
      if (n <= 0) break;
      przeczytane += n;
      if (przeczytane > najwiecej) break;
    }
    wynik.dane.truncate(static_cast<qsizetype>(przeczytane));
  } catch (const std::bad_alloc&) {
    wPamieci = false;
  }
  if (!wPamieci) {
    Odmow(otwarty, Odmowa::BladOdczytu, sciezka, QStringLiteral("Za mało pamięci."));
  } else if (otwarty.plik->error() != QFileDevice::NoError) {
    Odmow(otwarty, Odmowa::BladOdczytu, sciezka, otwarty.plik->errorString());
  } else if (wynik.dane.size() > najwiecej) {
    Odmow(otwarty, Odmowa::ZaDuzy, sciezka, ZaDuzy(wynik.dane.size(), najwiecej));
  }
  if (otwarty.odmowa != Odmowa::Brak) {
    wynik.dane = QByteArray();
    wynik.odmowa = otwarty.odmowa;
    wynik.blad = otwarty.blad;
  }
  return wynik;
}

bool MoznaZapisac(const QString& sciezka) {
  struct stat info {};
  if (::stat(QFile::encodeName(sciezka).constData(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode);
}

}  // namespace platform
