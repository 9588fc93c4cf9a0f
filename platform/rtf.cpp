#include "platform/rtf.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <climits>
#include <new>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cp1250.h"
#include "platform/odczyt.h"

namespace platform {
namespace {

// Groups nested deeper than this are counted but their content is dropped; the stack stays small on any input.
constexpr std::size_t kMaksGlebokosc = 256;
// No RTF control word is longer; the rest of a longer one is read but cannot match anything.
constexpr std::size_t kMaksDlugoscSlowa = 32;
// Enough for any 32-bit parameter; further digits are read and clamped.
constexpr int kMaksCyfrParametru = 10;
// Largest font size RTF allows, in half points.
constexpr int kMaksPolpunktow = 3276;

// Destinations whose content is never text of the document.
constexpr std::array<std::string_view, 22> kPomijaneCele = {
    "fonttbl", "filetbl",   "stylesheet", "listtable", "listoverridetable", "revtbl",  "info",    "pict",
    "object",  "nonshppict", "footnote",  "header",    "headerl",           "headerr", "headerf", "footer",
    "footerl", "footerr",   "footerf",    "fldinst",   "xe",                "tc"};

enum class Cel { Tekst, Pomin, Kolory };

// What a group pushes and restores: character format, paragraph alignment and where its text goes.
struct StanGrupy {
  Cel cel = Cel::Tekst;
  bool pogrubienie = false;
  bool kursywa = false;
  bool podkreslenie = false;
  int polpunkty = 0;  // 0 keeps the document's default size
  int kolor = 0;      // 0 is the automatic colour
  int znakiZastepcze = 1;
  Qt::Alignment wyrownanie = Qt::AlignLeft;
};

struct WpisKoloru {
  int czerwony = 0;
  int zielony = 0;
  int niebieski = 0;
  bool ustawiony = false;
};

bool Litera(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool Cyfra(char c) { return c >= '0' && c <= '9'; }

int WartoscHex(char c) {
  if (Cyfra(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Characters that would break the document's structure (block and frame markers, objects) or are invisible
// controls never reach the text.
bool ZnakDozwolony(char16_t u) {
  if (u < 0x20) return u == u'\t';
  return u != 0x7F && u != 0x2029 && u != 0xFDD0 && u != 0xFDD1 && u != 0xFFFC && u != 0xFFFF;
}

QString TablicaCp1250() {
  std::string bajty(256, '\0');
  for (int i = 0; i < 256; ++i) bajty[static_cast<std::size_t>(i)] = static_cast<char>(i);
  return ZCp1250(bajty);
}

class Czytnik {
 public:
  Czytnik(QTextDocument& dokument, const QByteArray& rtf)
      : dane_(rtf.constData(), static_cast<std::size_t>(rtf.size())),
        kursor_(&dokument),
        cp1250_(TablicaCp1250()) {
    stos_.emplace_back();
  }

  void Czytaj() {
    kursor_.beginEditBlock();
    while (poz_ < dane_.size() && !koniec_) {
      const char c = dane_[poz_++];
      switch (c) {
        case '{': OtworzGrupe(); break;
        case '}': ZamknijGrupe(); break;
        case '\\': Sterowanie(); break;
        case '\r':
        case '\n': break;
        default: ZnakZrodla(c);
      }
    }
    Zakoncz();
    kursor_.endEditBlock();
  }

 private:
  StanGrupy& Stan() { return stos_.back(); }
  bool TekstDokumentu() const { return nadmiar_ == 0 && stos_.back().cel == Cel::Tekst; }

  void OtworzGrupe() {
    Zrzuc();
    pomijanie_ = 0;
    if (stos_.size() > kMaksGlebokosc) {
      ++nadmiar_;
      return;
    }
    stos_.push_back(stos_.back());
  }

  void ZamknijGrupe() {
    Zrzuc();
    pomijanie_ = 0;
    if (nadmiar_ > 0) {
      --nadmiar_;
      return;
    }
    // The document group ends the document; what follows it (extra braces included) is not read.
    if (stos_.size() <= 2) {
      koniec_ = true;
      return;
    }
    stos_.pop_back();
  }

  void ZnakZrodla(char c) {
    if (PominZastepczy()) return;
    if (nadmiar_ > 0) return;
    if (Stan().cel == Cel::Kolory) {
      if (c == ';') DodajKolor();
      return;
    }
    if (Stan().cel == Cel::Tekst) DodajZnak(cp1250_[static_cast<unsigned char>(c)].unicode());
  }

  // After \uN the next characters are the fallback for readers without Unicode.
  bool PominZastepczy() {
    if (pomijanie_ <= 0) return false;
    --pomijanie_;
    return true;
  }

  void Sterowanie() {
    if (poz_ >= dane_.size()) return;
    const char c = dane_[poz_];
    if (!Litera(c)) {
      ++poz_;
      Symbol(c);
      return;
    }
    std::string slowo;
    while (poz_ < dane_.size() && Litera(dane_[poz_])) {
      if (slowo.size() < kMaksDlugoscSlowa) slowo.push_back(dane_[poz_]);
      ++poz_;
    }
    bool ujemny = false;
    if (poz_ + 1 < dane_.size() && dane_[poz_] == '-' && Cyfra(dane_[poz_ + 1])) {
      ujemny = true;
      ++poz_;
    }
    bool jestParametr = false;
    std::int64_t wartosc = 0;
    int cyfry = 0;
    while (poz_ < dane_.size() && Cyfra(dane_[poz_])) {
      jestParametr = true;
      if (cyfry++ < kMaksCyfrParametru) wartosc = wartosc * 10 + (dane_[poz_] - '0');
      ++poz_;
    }
    if (poz_ < dane_.size() && dane_[poz_] == ' ') ++poz_;
    if (ujemny) wartosc = -wartosc;
    const int parametr = static_cast<int>(std::clamp<std::int64_t>(wartosc, INT_MIN, INT_MAX));
    Slowo(slowo, jestParametr, parametr);
  }

  void Symbol(char c) {
    int bajt = -1;
    if (c == '\'') {
      for (int i = 0; i < 2 && poz_ < dane_.size() && WartoscHex(dane_[poz_]) >= 0; ++i)
        bajt = std::max(bajt, 0) * 16 + WartoscHex(dane_[poz_++]);
    }
    if (PominZastepczy() || nadmiar_ > 0) return;
    switch (c) {
      case '\\':
      case '{':
      case '}': ZnakZrodla(c); break;
      case '\'':
        if (bajt >= 0) ZnakZrodla(static_cast<char>(bajt));
        break;
      case '~': ZnakTekstu(0x00A0); break;
      case '_': ZnakTekstu(u'-'); break;
      case '*':
        Zrzuc();
        Stan().cel = Cel::Pomin;
        break;
      case '\r':
      case '\n':
        if (TekstDokumentu()) Akapit();
        break;
      default: break;
    }
  }

  void Slowo(const std::string& slowo, bool jestParametr, int parametr) {
    // Binary data is skipped wherever it stands: its bytes may hold braces and backslashes.
    if (slowo == "bin") {
      const auto dlugosc = static_cast<std::size_t>(std::max(parametr, 0));
      poz_ += std::min(dlugosc, dane_.size() - poz_);
      return;
    }
    if (PominZastepczy() || nadmiar_ > 0) return;
    Zrzuc();
    StanGrupy& stan = Stan();
    if (stan.cel == Cel::Pomin) return;
    if (stan.cel == Cel::Kolory) {
      SkladowaKoloru(slowo, parametr);
      return;
    }
    if (std::find(kPomijaneCele.begin(), kPomijaneCele.end(), slowo) != kPomijaneCele.end()) {
      stan.cel = Cel::Pomin;
      return;
    }
    const bool wlacz = !jestParametr || parametr != 0;
    if (slowo == "colortbl") {
      stan.cel = Cel::Kolory;
      kolory_.clear();
      wpis_ = {};
    } else if (slowo == "par") {
      Akapit();
    } else if (slowo == "line") {
      ZnakTekstu(QChar::LineSeparator);
    } else if (slowo == "tab") {
      ZnakTekstu(u'\t');
    } else if (slowo == "b") {
      stan.pogrubienie = wlacz;
    } else if (slowo == "i") {
      stan.kursywa = wlacz;
    } else if (slowo == "ul" || slowo == "uld" || slowo == "uldb" || slowo == "ulw") {
      stan.podkreslenie = wlacz;
    } else if (slowo == "ulnone") {
      stan.podkreslenie = false;
    } else if (slowo == "fs") {
      if (!jestParametr) stan.polpunkty = 24;
      else if (parametr > 0) stan.polpunkty = std::min(parametr, kMaksPolpunktow);
    } else if (slowo == "cf") {
      stan.kolor = std::max(parametr, 0);
    } else if (slowo == "plain") {
      const StanGrupy domyslny;
      stan.pogrubienie = domyslny.pogrubienie;
      stan.kursywa = domyslny.kursywa;
      stan.podkreslenie = domyslny.podkreslenie;
      stan.polpunkty = domyslny.polpunkty;
      stan.kolor = domyslny.kolor;
    } else if (slowo == "pard") {
      stan.wyrownanie = Qt::AlignLeft;
    } else if (slowo == "ql") {
      stan.wyrownanie = Qt::AlignLeft;
    } else if (slowo == "qc") {
      stan.wyrownanie = Qt::AlignHCenter;
    } else if (slowo == "qr") {
      stan.wyrownanie = Qt::AlignRight;
    } else if (slowo == "qj") {
      stan.wyrownanie = Qt::AlignJustify;
    } else if (slowo == "uc") {
      stan.znakiZastepcze = std::max(parametr, 0);
    } else if (slowo == "u") {
      if (jestParametr) Unicode(parametr);
    } else {
      Nazwany(slowo);
    }
  }

  // Typographic characters some writers give by name.
  void Nazwany(const std::string& slowo) {
    struct Nazwa {
      std::string_view slowo;
      char16_t znak;
    };
    static constexpr std::array<Nazwa, 7> kNazwy = {{{"emdash", 0x2014},
                                                      {"endash", 0x2013},
                                                      {"bullet", 0x2022},
                                                      {"lquote", 0x2018},
                                                      {"rquote", 0x2019},
                                                      {"ldblquote", 0x201C},
                                                      {"rdblquote", 0x201D}}};
    for (const Nazwa& n : kNazwy)
      if (n.slowo == slowo) ZnakTekstu(n.znak);
  }

  void SkladowaKoloru(const std::string& slowo, int parametr) {
    const int wartosc = std::clamp(parametr, 0, 255);
    if (slowo == "red") wpis_.czerwony = wartosc;
    else if (slowo == "green") wpis_.zielony = wartosc;
    else if (slowo == "blue") wpis_.niebieski = wartosc;
    else return;
    wpis_.ustawiony = true;
  }

  // An entry without components is the automatic colour.
  void DodajKolor() {
    kolory_.push_back(wpis_.ustawiony ? QColor(wpis_.czerwony, wpis_.zielony, wpis_.niebieski) : QColor());
    wpis_ = {};
  }

  // \uN carries a signed 16-bit code; characters beyond the basic plane come as two surrogate halves.
  void Unicode(int parametr) {
    const auto kod = static_cast<char16_t>(((parametr % 65536) + 65536) % 65536);
    pomijanie_ = Stan().znakiZastepcze;
    if (Stan().cel != Cel::Tekst) return;
    if (QChar::isHighSurrogate(kod)) {
      wysoki_ = kod;
      return;
    }
    if (QChar::isLowSurrogate(kod)) {
      if (wysoki_ != 0) {
        bufor_.append(QChar(wysoki_));
        bufor_.append(QChar(kod));
      }
      wysoki_ = 0;
      return;
    }
    DodajZnak(kod);
  }

  void ZnakTekstu(char16_t znak) {
    if (TekstDokumentu()) DodajZnak(znak);
  }

  void DodajZnak(char16_t znak) {
    wysoki_ = 0;
    if (ZnakDozwolony(znak)) bufor_.append(QChar(znak));
  }

  QTextCharFormat FormatZnakow() const {
    const StanGrupy& stan = stos_.back();
    QTextCharFormat format;
    format.setFontWeight(stan.pogrubienie ? QFont::Bold : QFont::Normal);
    format.setFontItalic(stan.kursywa);
    format.setFontUnderline(stan.podkreslenie);
    if (stan.polpunkty > 0) format.setFontPointSize(stan.polpunkty / 2.0);
    const auto indeks = static_cast<std::size_t>(stan.kolor);
    if (indeks > 0 && indeks < kolory_.size() && kolory_[indeks].isValid())
      format.setForeground(QBrush(kolory_[indeks]));
    return format;
  }

  // A paragraph is opened only when something follows its predecessor's mark, so the final \par of a text does
  // not leave an empty last line.
  void OtworzOczekujacyAkapit() {
    if (!akapitOczekuje_) return;
    kursor_.insertBlock(QTextBlockFormat(), FormatZnakow());
    akapitOczekuje_ = false;
  }

  void Zrzuc() {
    if (bufor_.isEmpty()) return;
    OtworzOczekujacyAkapit();
    kursor_.insertText(bufor_, FormatZnakow());
    bufor_.clear();
  }

  void Akapit() {
    Zrzuc();
    OtworzOczekujacyAkapit();
    UstawWyrownanie();
    akapitOczekuje_ = true;
  }

  void UstawWyrownanie() {
    QTextBlockFormat format = kursor_.blockFormat();
    format.setAlignment(stos_.back().wyrownanie);
    kursor_.setBlockFormat(format);
  }

  void Zakoncz() {
    Zrzuc();
    if (!akapitOczekuje_) UstawWyrownanie();
  }

  std::string_view dane_;
  std::size_t poz_ = 0;
  QTextCursor kursor_;
  QString cp1250_;
  std::vector<StanGrupy> stos_;
  std::size_t nadmiar_ = 0;
  bool koniec_ = false;
  QString bufor_;
  bool akapitOczekuje_ = false;
  int pomijanie_ = 0;
  char16_t wysoki_ = 0;
  std::vector<QColor> kolory_;
  WpisKoloru wpis_;
};

}  // namespace

bool WczytajRtf(QTextDocument& dokument, const QByteArray& rtf) {
  const bool undo = dokument.isUndoRedoEnabled();
  dokument.setUndoRedoEnabled(false);
  dokument.clear();
  const bool jestRtf = rtf.startsWith("{\\rtf");
  if (jestRtf) {
    Czytnik(dokument, rtf).Czytaj();
  } else {
    dokument.setPlainText(ZCp1250(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size()))));
  }
  dokument.setUndoRedoEnabled(undo);
  return jestRtf;
}

bool WczytajPlikRtf(QTextDocument& dokument, const QString& sciezka, QString* blad) {
  const OdczytanyPlik plik = CzytajPlik(sciezka, kNajwiekszyTekstRtf);
  if (!plik.Udany()) {
    if (blad && plik.odmowa != Odmowa::NieMaPliku) *blad = plik.blad;
    return false;
  }
  try {
    return WczytajRtf(dokument, plik.dane);
  } catch (const std::bad_alloc&) {
    // Texts are read while the windows are made: running out of memory on one must not end the program.
    dokument.clear();
    if (blad) *blad = QStringLiteral("Za mało pamięci, by wyświetlić tekst z pliku:\n") + sciezka;
    return false;
  }
}

}  // namespace platform
