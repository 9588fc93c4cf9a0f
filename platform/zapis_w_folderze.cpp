#include "platform/zapis_w_folderze.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/zapis.h"

namespace platform {
namespace {

constexpr char kPrzedrostekTymczasowego[] = ".velmar-nowy-";

}  // namespace

FolderBezDowiazan::FolderBezDowiazan(int fd, QString sciezka) : sciezka_(std::move(sciezka)), fd_(fd) {}

FolderBezDowiazan::FolderBezDowiazan(const QString& sciezka) : sciezka_(sciezka) {
  if (!sciezka_.endsWith(u'/')) sciezka_ += u'/';
  // A closing slash would make the system follow a link in the folder's place.
  QByteArray nazwa = QFile::encodeName(sciezka);
  while (nazwa.size() > 1 && nazwa.endsWith('/')) nazwa.chop(1);
  fd_ = ::open(nazwa.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

FolderBezDowiazan::~FolderBezDowiazan() {
  if (fd_ >= 0) ::close(fd_);
}

FolderBezDowiazan::FolderBezDowiazan(FolderBezDowiazan&& inny) noexcept
    : sciezka_(std::move(inny.sciezka_)), fd_(std::exchange(inny.fd_, -1)) {}

FolderBezDowiazan FolderBezDowiazan::Podfolder(const QString& nazwa) const {
  const QByteArray n = QFile::encodeName(nazwa);
  const QString sciezka = sciezka_ + nazwa + u'/';
  if (fd_ < 0) return {-1, sciezka};
  struct stat info {};
  if (::fstatat(fd_, n.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode))
    ::unlinkat(fd_, n.constData(), 0);
  ::mkdirat(fd_, n.constData(), 0777);
  // Should a link come back meanwhile, it is not followed: the folder is then not open.
  return {::openat(fd_, n.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC), sciezka};
}

bool FolderBezDowiazan::Usun(const QString& nazwa) const {
  const QByteArray n = QFile::encodeName(nazwa);
  struct stat info {};
  if (fd_ < 0) return false;
  if (::fstatat(fd_, n.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
  return !S_ISDIR(info.st_mode) && ::unlinkat(fd_, n.constData(), 0) == 0;
}

bool FolderBezDowiazan::Zapisz(const QString& nazwa, QByteArrayView dane) const {
  const std::unique_ptr<NowyPlik> plik = Nowy(nazwa);
  return plik && plik->write(dane.data(), dane.size()) == dane.size() && plik->Zatwierdz();
}

std::unique_ptr<NowyPlik> FolderBezDowiazan::Nowy(const QString& nazwa) const {
  if (fd_ < 0) {
    errno = EBADF;
    return nullptr;
  }
  QByteArray tymczasowy;
  const int fd = NowyTymczasowy(fd_, kPrzedrostekTymczasowego, 0600, tymczasowy);
  if (fd < 0) return nullptr;
  const int folder = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (folder < 0) {
    ::close(fd);
    ::unlinkat(fd_, tymczasowy.constData(), 0);
    return nullptr;
  }
  // From here on the file removes its temporary itself.
  std::unique_ptr<NowyPlik> plik(
      new NowyPlik(folder, std::move(tymczasowy), QFile::encodeName(nazwa), sciezka_ + nazwa));
  if (!plik->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return nullptr;
  }
  return plik;
}

int FolderBezDowiazan::Otworz(const QString& nazwa, int flagi) const {
  if (fd_ < 0) return -1;
  return ::openat(fd_, QFile::encodeName(nazwa).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | flagi);
}

NowyPlik::NowyPlik(int folder, QByteArray tymczasowy, QByteArray nazwa, QString sciezka)
    : folder_(folder), tymczasowy_(std::move(tymczasowy)), nazwa_(std::move(nazwa)), sciezka_(std::move(sciezka)) {}

NowyPlik::~NowyPlik() {
  close();
  if (folder_ < 0) return;
  if (!zatwierdzony_) ::unlinkat(folder_, tymczasowy_.constData(), 0);
  ::close(folder_);
}

bool NowyPlik::Zatwierdz() {
  if (!isOpen() || folder_ < 0) return false;
  bool udany = flush() && error() == QFileDevice::NoError && ::fchmod(handle(), TrybNowegoPliku()) == 0 &&
               ::fsync(handle()) == 0;
  close();
  // The rename replaces a link under the name, never what the link names.
  udany = udany && error() == QFileDevice::NoError &&
          ::renameat(folder_, tymczasowy_.constData(), folder_, nazwa_.constData()) == 0;
  if (!udany) return false;
  zatwierdzony_ = true;
  ::fsync(folder_);
  return true;
}

}  // namespace platform
