// Linked into a second build of the saving helper: the process is killed the moment a save's temporary is flushed to
// the disk, after its last byte and before anything else the save does with it.

#include <csignal>
#include <string>
#include <string_view>
#include <sys/syscall.h>
#include <unistd.h>

extern "C" int fsync(int fd) {
  const int wynik = static_cast<int>(::syscall(SYS_fsync, fd));
  const std::string wpis = "/proc/self/fd/" + std::to_string(fd);
  char nazwa[4096];
  const ssize_t n = ::readlink(wpis.c_str(), nazwa, sizeof nazwa);
  if (n > 0 && std::string_view(nazwa, static_cast<std::size_t>(n)).find(".velmar-zapis-") != std::string_view::npos)
    ::raise(SIGKILL);
  return wynik;
}
