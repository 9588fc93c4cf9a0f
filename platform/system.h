#pragma once
// Small services of the operating system the program asks for.

#include <QByteArray>
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

// A file to be started as a program, held by its descriptor from the moment it is opened: what is read from it, made
// executable and started is that one file, whatever is put under its name meanwhile.
class PlikProgramu {
 public:
  // Opens a regular file of this user with no other name, a link in its place or in its folder's not followed, and
  // takes writing away from everybody but its owner, so that nobody else changes it after it is read. Otwarty() says
  // whether it was.
  explicit PlikProgramu(const QString& sciezka);
  ~PlikProgramu();
  PlikProgramu(const PlikProgramu&) = delete;
  PlikProgramu& operator=(const PlikProgramu&) = delete;

  bool Otwarty() const { return fd_ >= 0; }
  const QString& Sciezka() const { return sciezka_; }
  // Its SHA-256 in lower-case hexadecimal, read through the descriptor; empty when it is not open or cannot be read.
  QByteArray Sha256() const;
  // Gives its owner the execute bit.
  bool UstawWykonywalny() const;
  // Starts it as a program in the folder, through the descriptor.
  bool Uruchom(const QString& folder) const;

 private:
  QString sciezka_;
  int fd_ = -1;
};

}  // namespace platform
