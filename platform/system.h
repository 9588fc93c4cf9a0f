#pragma once
// Small services of the operating system the program asks for.

#include <QString>
#include <memory>

namespace platform {

// The program's own file version, "8.0.1.0".
QString WersjaPliku();

// Resident size of this process in bytes, from /proc/self/status; 0 when it cannot be read.
long long PamiecRezydentna();

// Single-instance guard: a per-user lock of the given name that the kernel releases when the process ends, so a
// crashed copy never blocks the next start.
class BlokadaInstancji {
 public:
  // folder: where the lock file lies; empty = the user's runtime folder.
  explicit BlokadaInstancji(const QString& nazwa, const QString& folder = {});
  ~BlokadaInstancji();
  BlokadaInstancji(const BlokadaInstancji&) = delete;
  BlokadaInstancji& operator=(const BlokadaInstancji&) = delete;

  // True when another live process holds the lock.
  bool JuzIstnieje() const { return juzIstnieje_; }

 private:
  int fd_ = -1;
  bool juzIstnieje_ = false;
};

}  // namespace platform
