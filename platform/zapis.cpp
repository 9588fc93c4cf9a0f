#include "platform/zapis.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

QString Powod(int kod) {
  switch (kod) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("Brak miejsca na dysku.");
    case EACCES:
    case EPERM: return QStringLiteral("Brak uprawnień do zapisu w tym miejscu.");
    case EROFS: return QStringLiteral("Dysk jest tylko do odczytu.");
    case EFBIG: return QStringLiteral("Plik byłby większy, niż ten dysk lub system pozwala.");
    case EIO: return QStringLiteral("Błąd wejścia-wyjścia dysku.");
    default: return QString::fromLocal8Bit(std::strerror(kod));
  }
}

WynikZapisu Blad(int kod) { return {kod, Powod(kod)}; }

bool ZapiszWszystko(int fd, QByteArrayView dane) {
  qsizetype zapisane = 0;
  while (zapisane < dane.size()) {
    const ssize_t n = ::write(fd, dane.data() + zapisane, static_cast<std::size_t>(dane.size() - zapisane));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    zapisane += n;
  }
  return true;
}

}  // namespace

WynikZapisu ZapiszAtomowo(const QString& sciezka, QByteArrayView dane) {
  const QFileInfo info(sciezka);
  const QString cel = info.isSymLink() && info.exists() ? info.canonicalFilePath() : sciezka;
  QByteArray tymczasowy = QFile::encodeName(cel) + ".XXXXXX";
  const int fd = ::mkostemp(tymczasowy.data(), O_CLOEXEC);
  if (fd < 0) return Blad(errno);
  // The new file takes the old one's permissions, or those a new file gets.
  struct stat stary {};
  mode_t tryb;
  if (::stat(QFile::encodeName(cel).constData(), &stary) == 0) {
    tryb = stary.st_mode & 07777;
  } else {
    const mode_t maska = ::umask(0);
    ::umask(maska);
    tryb = 0666 & ~maska;
  }
  int kod = 0;
  if (!ZapiszWszystko(fd, dane) || ::fchmod(fd, tryb) != 0 || ::fsync(fd) != 0) kod = errno;
  if (::close(fd) != 0 && kod == 0) kod = errno;
  if (kod == 0 && ::rename(tymczasowy.constData(), QFile::encodeName(cel).constData()) != 0) kod = errno;
  if (kod != 0) {
    ::unlink(tymczasowy.constData());
    return Blad(kod);
  }
  // The rename itself reaches the disk with its folder.
  const int folder =
      ::open(QFile::encodeName(QFileInfo(cel).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return {};
}

}  // namespace platform
