#pragma once
// Writing inside one folder held by its descriptor, where no link is ever followed: neither the folder nor a file in
// it is reached through one, so what is written stays in that folder whatever links lie under the names. A link under
// a name the program writes counts as that name's old content: it is replaced, and what it names stays as it is.

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <memory>

namespace platform {

class NowyPlik;

class FolderBezDowiazan {
 public:
  // Opens the folder; a link in its place (the last part of the name) is not followed, and the folder is not open.
  explicit FolderBezDowiazan(const QString& sciezka);
  ~FolderBezDowiazan();
  FolderBezDowiazan(FolderBezDowiazan&& inny) noexcept;
  FolderBezDowiazan(const FolderBezDowiazan&) = delete;
  FolderBezDowiazan& operator=(const FolderBezDowiazan&) = delete;
  FolderBezDowiazan& operator=(FolderBezDowiazan&&) = delete;

  bool Otwarty() const { return fd_ >= 0; }
  const QString& Sciezka() const { return sciezka_; }  // ends with '/'

  // The folder of that name in this one, made when missing; a link in its place is removed and a folder made instead.
  FolderBezDowiazan Podfolder(const QString& nazwa) const;
  // Removes the file or link of that name, never a folder; true when nothing is left under the name.
  bool Usun(const QString& nazwa) const;
  // Replaces whatever file or link is under the name with the bytes, at once.
  bool Zapisz(const QString& nazwa, QByteArrayView dane) const;
  // A new file to take the name once it is written whole; null, with errno, when none can be made.
  std::unique_ptr<NowyPlik> Nowy(const QString& nazwa) const;
  // A descriptor of the file of that name open for reading, with the flags added; a link in its place is not
  // followed. -1 when it cannot be opened.
  int Otworz(const QString& nazwa, int flagi) const;

 private:
  FolderBezDowiazan(int fd, QString sciezka);

  QString sciezka_;
  int fd_ = -1;
};

// Written under a temporary name of its folder as its data comes, the file takes its own name, over whatever is under
// it, only when Zatwierdz succeeds; given up before that, it leaves nothing. Its file name is the one it is to take.
class NowyPlik : public QFile {
 public:
  ~NowyPlik() override;
  QString fileName() const override { return sciezka_; }
  // Flushes it to the disk and gives it its name; false when any write failed.
  bool Zatwierdz();

 private:
  friend class FolderBezDowiazan;
  NowyPlik(int folder, QByteArray tymczasowy, QByteArray nazwa, QString sciezka);

  int folder_;  // a descriptor of its own for the folder
  QByteArray tymczasowy_, nazwa_;
  QString sciezka_;
  bool zatwierdzony_ = false;
};

}  // namespace platform
