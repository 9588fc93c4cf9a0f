#include "platform/system.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/zapis_w_folderze.h"

namespace platform {
namespace {

// The user's own folder for lock files: the session's runtime folder, else a private folder under /tmp.
QString FolderBlokad() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime;
  const QString folder = QDir::tempPath() + QStringLiteral("/velmar-%1").arg(getuid());
  ::mkdir(QFile::encodeName(folder).constData(), 0700);
  return folder;
}

}  // namespace

QString WersjaPliku() { return QStringLiteral(VELMAR_VERSION); }

long long PamiecRezydentna() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  // A /proc file reports size 0, so it is read up to a bound rather than up to its "end". The line reads
  // "VmRSS: 1234 kB".
  for (const QByteArray& linia : status.read(64 * 1024).split('\n')) {
    if (!linia.startsWith("VmRSS:")) continue;
    bool ok = false;
    const long long kilobajty = linia.mid(6).simplified().split(' ').value(0).toLongLong(&ok);
    return ok ? kilobajty * 1024 : 0;
  }
  return 0;
}

BlokadaInstancji::BlokadaInstancji(const QString& nazwa, const QString& folder) {
  const QString sciezka = (folder.isEmpty() ? FolderBlokad() : folder) + QLatin1Char('/') + nazwa +
                          QLatin1String(".lock");
  fd_ = ::open(QFile::encodeName(sciezka).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  // Without a lock file there is no guard; the program still starts.
  if (fd_ < 0) return;
  int wynik;
  do {
    wynik = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (wynik != 0 && errno == EINTR);
  if (wynik != 0 && errno == EWOULDBLOCK) {
    juzIstnieje_ = true;
    ::close(fd_);
    fd_ = -1;
  }
}

BlokadaInstancji::~BlokadaInstancji() {
  if (fd_ >= 0) ::close(fd_);
}

PlikProgramu::PlikProgramu(const QString& sciezka) : sciezka_(sciezka) {
  // Neither the file nor its folder is reached through a link at its name.
  const QFileInfo plik(sciezka);
  fd_ = FolderBezDowiazan(plik.path()).Otworz(plik.fileName(), O_NONBLOCK | O_NOCTTY);
  if (fd_ < 0) return;
  struct stat info {};
  const mode_t obcyPisza = S_IWGRP | S_IWOTH;
  // A file of more than one name may be another file of the user's as well, which is neither changed nor started.
  if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() || info.st_nlink != 1 ||
      ((info.st_mode & obcyPisza) && ::fchmod(fd_, info.st_mode & 07777 & ~obcyPisza) != 0)) {
    ::close(fd_);
    fd_ = -1;
  }
}

PlikProgramu::~PlikProgramu() {
  if (fd_ >= 0) ::close(fd_);
}

QByteArray PlikProgramu::Sha256() const {
  if (fd_ < 0) return {};
  QCryptographicHash suma(QCryptographicHash::Sha256);
  QByteArray blok(1 << 16, Qt::Uninitialized);
  for (off_t poz = 0;;) {
    const ssize_t n = ::pread(fd_, blok.data(), static_cast<std::size_t>(blok.size()), poz);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return {};
    if (n == 0) return suma.result().toHex();
    suma.addData(QByteArrayView(blok.constData(), n));
    poz += n;
  }
}

bool PlikProgramu::UstawWykonywalny() const {
  struct stat info {};
  return fd_ >= 0 && ::fstat(fd_, &info) == 0 && ::fchmod(fd_, (info.st_mode & 07777) | S_IXUSR) == 0;
}

bool PlikProgramu::Uruchom(const QString& folder) const {
  // The program is started by its descriptor's name in /proc, through a copy without close-on-exec that it inherits
  // (a script's interpreter opens that name again), so the name it was opened by plays no part any more.
  const int kopia = fd_ < 0 ? -1 : ::fcntl(fd_, F_DUPFD, 3);
  if (kopia < 0) return false;
  const bool uruchomiony = QProcess::startDetached(QStringLiteral("/proc/self/fd/%1").arg(kopia), {}, folder);
  ::close(kopia);
  return uruchomiony;
}

}  // namespace platform
