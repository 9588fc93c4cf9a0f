#include "platform/zapis.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

// How a save's own temporary is told from a user's file: its name is the document's, this tag and twelve random
// letters and digits, and it is made with no permission bits at all (it is written through its descriptor), getting
// its owner and mode only after it is on the disk, right before its rename. A user keeps no file unreadable to
// everybody under such a name, so neither a look-alike name nor a user's copy of a settlement is ever taken for a
// stale temporary. A file system without Unix permissions keeps the strays of its killed saves; nothing of the user's
// is lost.
constexpr char kZnacznikTymczasowego[] = ".velmar-zapis-";
constexpr qsizetype kDlugoscZnacznika = sizeof kZnacznikTymczasowego - 1;
constexpr int kZnakiLosowe = 12;
constexpr char kAlfabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// The kernel's own bound on links followed in one name.
constexpr int kNajwiecejDowiazan = 40;

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

// The folder a file lies in, with its closing slash.
QByteArray Folder(const QByteArray& plik) {
  const qsizetype ukosnik = plik.lastIndexOf('/');
  return ukosnik < 0 ? QByteArray("./") : plik.left(ukosnik + 1);
}

// The file the name stands for: the links at its end followed one by one, also to a name no file has yet, which the
// save then makes. Empty when the links do not end.
QByteArray PlikDocelowy(const QString& sciezka) {
  QByteArray cel = QFile::encodeName(sciezka);
  for (int i = 0; i < kNajwiecejDowiazan; ++i) {
    struct stat info {};
    if (::lstat(cel.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return cel;
    QByteArray wskazany(PATH_MAX, '\0');
    const ssize_t n = ::readlink(cel.constData(), wskazany.data(), static_cast<std::size_t>(wskazany.size()));
    if (n <= 0 || n >= wskazany.size()) return {};
    wskazany.truncate(n);
    // A relative link is read from the folder it lies in.
    cel = wskazany.startsWith('/') ? wskazany : Folder(cel) + wskazany;
  }
  return {};
}

// Whether the permission bits that apply to this user let them write the file; privileges play no part.
bool BityPozwalajaPisac(const struct stat& info) {
  if (info.st_uid == ::geteuid()) return info.st_mode & S_IWUSR;
  bool wGrupie = info.st_gid == ::getegid();
  const int liczba = ::getgroups(0, nullptr);
  std::vector<gid_t> grupy(static_cast<std::size_t>(std::max(liczba, 0)));
  if (!grupy.empty() && ::getgroups(liczba, grupy.data()) == liczba)
    for (const gid_t g : grupy) wGrupie = wGrupie || g == info.st_gid;
  return info.st_mode & (wGrupie ? S_IWGRP : S_IWOTH);
}

// What the new file takes from the old one: its permission bits, never set-user-id, set-group-id or sticky, which
// belong to the file its owner made, and its owner and group; for a new name, the bits a new file gets.
struct CechyPliku {
  mode_t tryb = 0;
  bool zastepuje = false;
  uid_t wlasciciel = 0;
  gid_t grupa = 0;
};

// Fails for a document its user may not write, telling a file nobody may write from one only this user may not.
WynikZapisu CechyNowegoPliku(const QByteArray& cel, CechyPliku& cechy) {
  struct stat stary {};
  if (::stat(cel.constData(), &stary) == 0) {
    if (!BityPozwalajaPisac(stary))
      return {EACCES, (stary.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0
                          ? QStringLiteral("Plik jest tylko do odczytu.")
                          : QStringLiteral("Nie masz prawa zapisu do tego pliku.")};
    cechy = {stary.st_mode & 0777, true, stary.st_uid, stary.st_gid};
    return {};
  }
  cechy.tryb = TrybNowegoPliku();
  return {};
}

// The old file's owner and group, as far as the system lets this user give them: both for root, the group for one of
// its members. What is refused stays this user's, as any file they make.
void PrzekazWlasnosc(int fd, const CechyPliku& cechy) {
  if (!cechy.zastepuje) return;
  static_cast<void>(::fchown(fd, cechy.wlasciciel, cechy.grupa) == 0 ||
                    ::fchown(fd, static_cast<uid_t>(-1), cechy.grupa) == 0);
}

// Whether the name is the document's, the tag and the random part a save gives its temporary.
bool JestNazwaTymczasowego(QByteArrayView nazwa, QByteArrayView dokument) {
  if (nazwa.size() != dokument.size() + kDlugoscZnacznika + kZnakiLosowe || !nazwa.startsWith(dokument) ||
      !nazwa.sliced(dokument.size()).startsWith(QByteArrayView(kZnacznikTymczasowego, kDlugoscZnacznika)))
    return false;
  for (const char z : nazwa.sliced(dokument.size() + kDlugoscZnacznika))
    if (!((z >= 'a' && z <= 'z') || (z >= 'A' && z <= 'Z') || (z >= '0' && z <= '9'))) return false;
  return true;
}

void UsunTymczasowe(const QByteArray& cel) {
  const QByteArray dokument = cel.mid(cel.lastIndexOf('/') + 1);
  const std::unique_ptr<DIR, int (*)(DIR*)> katalog(::opendir(Folder(cel).constData()), ::closedir);
  if (!katalog) return;
  const int fd = ::dirfd(katalog.get());
  while (const dirent* wpis = ::readdir(katalog.get())) {
    if (!JestNazwaTymczasowego(QByteArrayView(wpis->d_name), dokument)) continue;
    struct stat info {};
    if (::fstatat(fd, wpis->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
        info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0)
      ::unlinkat(fd, wpis->d_name, 0);
  }
}

}  // namespace

WynikZapisu ZapiszAtomowo(const QString& sciezka, QByteArrayView dane) {
  const QByteArray cel = PlikDocelowy(sciezka);
  if (cel.isEmpty()) return Blad(ELOOP);
  CechyPliku cechy;
  if (WynikZapisu odmowa = CechyNowegoPliku(cel, cechy); !odmowa.Udany()) return odmowa;
  QByteArray tymczasowy;
  // Without permission bits: written through its descriptor.
  const int fd = NowyTymczasowy(AT_FDCWD, cel + kZnacznikTymczasowego, 0, tymczasowy);
  if (fd < 0) return Blad(errno);
  int kod = 0;
  if (!ZapiszWszystko(fd, dane) || ::fsync(fd) != 0) kod = errno;
  // Until here a stopped save leaves what the sweep knows for its own: a file of this user's without permission bits.
  // The owner changes before the mode, so that a save stopped between the two leaves such a file of the old owner's,
  // which their sweep takes; only the mode, right before the rename, makes it a file a user may read.
  if (kod == 0) PrzekazWlasnosc(fd, cechy);
  if (kod == 0 && ::fchmod(fd, cechy.tryb) != 0) kod = errno;
  if (kod == 0 && ::rename(tymczasowy.constData(), cel.constData()) != 0) kod = errno;
  // Every byte was flushed above, so closing has nothing left to report.
  ::close(fd);
  if (kod != 0) {
    ::unlink(tymczasowy.constData());
    return Blad(kod);
  }
  // The rename itself reaches the disk with its folder.
  const int katalog = ::open(Folder(cel).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (katalog >= 0) {
    ::fsync(katalog);
    ::close(katalog);
  }
  return {};
}

mode_t TrybNowegoPliku() {
  const mode_t maska = ::umask(0);
  ::umask(maska);
  return 0666 & ~maska;
}

int NowyTymczasowy(int folder, const QByteArray& przedrostek, mode_t tryb, QByteArray& nazwa) {
  for (int proba = 0; proba < 100; ++proba) {
    nazwa = przedrostek;
    for (int i = 0; i < kZnakiLosowe; ++i)
      nazwa += kAlfabet[QRandomGenerator::system()->bounded(int(sizeof kAlfabet - 1))];
    const int fd = ::openat(folder, nazwa.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, tryb);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

void UsunPozostawioneTymczasowe(const QString& sciezka) {
  const QByteArray cel = PlikDocelowy(sciezka);
  if (!cel.isEmpty()) UsunTymczasowe(cel);
}

}  // namespace platform
