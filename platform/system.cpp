#include "platform/system.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace platform
