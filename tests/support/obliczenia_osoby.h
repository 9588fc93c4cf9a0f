#pragma once
// The identification fields of the form sources (data/forms/*.txt), found by their captions and the headings above
// them, never through the copy tables of the exchange: the cases check the exchange against them.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

#include "calc/identyfikacja.h"
#include "model/druk.h"
#include "model/rozliczenie.h"

namespace velmar_test {

// Whose data a field holds by its form: the taxpayer's section, the spouse's, or both (a field of no person in a form
// with a spouse's section).
enum OsobyPola { kPodatnika = 1, kMalzonka = 2, kObu = 3 };

struct PoleOsoby {
  QString rola;  // "nazwisko", or "m.nazwisko" in the spouse's section
  int osoby;
  int k;
};

// The role of a caption; personal and address captions count only under an identification heading.
inline QString RolaPodpisu(const QString& podpis, bool wDanychOsoby) {
  using Podpisy = std::pair<const char*, const char*>[];
  static const Podpisy kWszedzie = {{"Identyfikator podatkowy NIP", "nip"},
                                    {"Identyfikator podatkowy NIP podatnika", "nip"},
                                    {"Identyfikator podatkowy NIP małżonka", "nip"},
                                    {"Urząd skarbowy, do którego adresowane jest zeznanie", "urzad"}};
  static const Podpisy kWDanychOsoby = {
      {"Nazwisko", "nazwisko"}, {"Pierwsze imię", "imie"}, {"Data urodzenia (dzień – miesiąc – rok)", "urodzenie"},
      {"Numer PESEL", "pesel"}, {"Kraj", "kraj"},          {"Województwo", "wojewodztwo"},
      {"Powiat", "powiat"},     {"Gmina", "gmina"},        {"Ulica", "ulica"},
      {"Nr domu", "dom"},       {"Nr lokalu", "lokal"},    {"Miejscowość", "miejscowosc"},
      {"Kod pocztowy", "kod"},  {"Poczta", "poczta"}};
  for (const auto& [tekst, rola] : kWszedzie)
    if (podpis == QString::fromUtf8(tekst)) return QString::fromLatin1(rola);
  for (const auto& [tekst, rola] : kWDanychOsoby)
    if (wDanychOsoby && podpis == QString::fromUtf8(tekst)) return QString::fromLatin1(rola);
  return {};
}

inline bool NaglowekDanychOsoby(const QString& naglowek) {
  for (const char* s : {"DANE IDENTYFIKACYJNE", "ADRES ZAMIESZKANIA", "DANE PODATNIKA", "DANE MAŁŻONKA"})
    if (naglowek.contains(QString::fromUtf8(s))) return true;
  return false;
}

// The identification fields of one form source.
inline std::pair<int, std::vector<PoleOsoby>> PolaOsobZrodla(QFile& plik) {
  static const QRegularExpression obiekt(QStringLiteral(R"re(^(\d+)\s+(\d+):(\w+)@\S+\s.*"(.*)"$)re"));
  int kod = 0;
  QString strona, sekcja, podsekcja;
  std::map<QString, QString> naglowki;  // "page:row" -> the headings above the row
  std::vector<PoleOsoby> pola;
  while (!plik.atEnd()) {
    const QString w = QString::fromUtf8(plik.readLine()).trimmed();
    const QString slowo = w.section(u' ', 0, 0);
    if (slowo == u"form") kod = w.section(u' ', 1, 1).toInt();
    if (slowo == u"page") strona = w.section(u' ', 1, 1);
    if (slowo == u"section") podsekcja.clear();
    if (slowo == u"section") sekcja = w;
    if (slowo == u"sub") podsekcja = w;
    if (slowo == u"row") naglowki[strona + u':' + w.section(u' ', 1, 1)] = sekcja + u' ' + podsekcja;
    const QRegularExpressionMatch m = obiekt.match(w);
    if (!m.hasMatch()) continue;
    const QString naglowek = naglowki[m.captured(2) + u':' + m.captured(3)];
    const QString rola = RolaPodpisu(m.captured(4), NaglowekDanychOsoby(naglowek));
    if (rola.isEmpty()) continue;
    const QString czyje = (rola == u"nip" ? m.captured(4) : naglowek).toUpper();
    const int osoby = czyje.contains(QStringLiteral("MAŁŻONKA"))    ? kMalzonka
                      : czyje.contains(QStringLiteral("PODATNIKA")) ? kPodatnika
                                                                    : 0;
    pola.push_back({osoby == kMalzonka ? QStringLiteral("m.") + rola : rola, osoby, m.captured(1).toInt()});
  }
  const bool dwieOsoby = std::ranges::any_of(pola, [](const PoleOsoby& p) { return p.osoby == kMalzonka; });
  for (PoleOsoby& p : pola)
    if (p.osoby == 0) p.osoby = dwieOsoby ? kObu : kPodatnika;
  return {kod, pola};
}

// Form code -> its identification fields, read once.
inline const std::map<int, std::vector<PoleOsoby>>& PolaOsob() {
  static const std::map<int, std::vector<PoleOsoby>> pola = [] {
    std::map<int, std::vector<PoleOsoby>> wynik;
    const QDir folder(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms"));
    for (const QString& nazwa : folder.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
      QFile plik(folder.filePath(nazwa));
      if (plik.open(QIODevice::ReadOnly | QIODevice::Text)) wynik.insert(PolaOsobZrodla(plik));
    }
    return wynik;
  }();
  return pola;
}

inline const std::vector<PoleOsoby>& PolaOsob(int kod) {
  static const std::vector<PoleOsoby> brak;
  const auto it = PolaOsob().find(kod);
  return it == PolaOsob().end() ? brak : it->second;
}

// The fields "n=..." of wzor as block osoba holds them.
inline QStringList StanOsoby(const TOsoba& osoba, const QStringList& wzor) {
  QStringList wynik;
  for (const QString& w : wzor)
    wynik << w.section(u'=', 0, 0) + u'=' + QString::fromLatin1(osoba.Pole(w.section(u'=', 0, 0).toInt()));
  return wynik;
}

inline int PoleRoli(int kod, const QString& rola) {
  for (const PoleOsoby& p : PolaOsob(kod))
    if (p.rola == rola) return p.k;
  throw std::invalid_argument("no field " + rola.toStdString() + " on the form of type " + std::to_string(kod));
}

// The persons whose data field p of record d holds in its settlement: a person's record holds its owner in its
// taxpayer's section and no one in the spouse's; a record of the settlement holds the spouse only when joint.
inline int OsobyPola(const TDruk& d, const PoleOsoby& p) {
  if (d.PM != PMWspolny) return (p.osoby & kPodatnika) == 0 ? 0 : d.PM == PMMalzonek ? kMalzonka : kPodatnika;
  return d.Rodzaj == WspolneZMalzonkiem ? p.osoby : p.osoby & kPodatnika;
}

inline QString Rola(const PoleOsoby& p) { return p.rola.startsWith(u"m.") ? p.rola.mid(2) : p.rola; }

// Entries "k=text" of a record of type kod, a role name for k standing for the field of that role on its form, and
// a text "c*N" for N copies of c.
inline QStringList ZRolami(int kod, const QStringList& wpisy) {
  static const QRegularExpression powtorzenie(QStringLiteral("^(.)\\*(\\d+)$"));
  QStringList wynik;
  for (const QString& w : wpisy) {
    QString k = w.section(u'=', 0, 0);
    QString tekst = w.section(u'=', 1);
    if (const auto m = powtorzenie.match(tekst); m.hasMatch()) tekst = m.captured(1).repeated(m.captured(2).toInt());
    if (!k.isEmpty() && !k.front().isDigit() && !k.startsWith(u'#')) k = QString::number(PoleRoli(kod, k));
    wynik << k + u'=' + tekst;
  }
  return wynik;
}

// Every identification field of every record in turn takes the text "j.k" and wymien(j) makes it the source of the
// exchange (false: it failed, and so does the round). The text must reach every field of that role whose persons
// are all the source's, and none whose persons are all others; with reszta every other field of a record whose form
// has a source must keep its text. Gives the first broken expectation, empty when none.
inline QString Obieg(Rozliczenie& r, bool reszta, const std::function<bool(int)>& wymien) {
  const auto bajty = [](const TDruk& d, int k) { return Tekst(d.Pola[static_cast<std::size_t>(k)].Wartosc); };
  const auto tekst = [&](int j, int k) { return QString::fromLatin1(bajty(r.Druk(j), k)); };
  const std::vector<TDruk> przed = r.Druki;  // beyond the identification fields nothing may ever change
  for (int j = 1; j <= r.LiczbaDrukow; ++j)
    for (const PoleOsoby& zrodlo : PolaOsob(r.Druk(j).IdPit)) {
      const int osoby = OsobyPola(r.Druk(j), zrodlo);
      if (osoby == 0) continue;
      const QString wpisany = QStringLiteral("%1.%2").arg(j).arg(zrodlo.k);
      UstawBajty(r.Druk(j).Pola[static_cast<std::size_t>(zrodlo.k)].Wartosc, wpisany.toStdString());
      if (!wymien(j)) return {};
      const QString po = QStringLiteral(" after %1 of record %2 took %3").arg(zrodlo.rola).arg(j).arg(wpisany);
      for (int i = 1; i <= r.LiczbaDrukow; ++i) {
        std::set<int> identyfikacja;
        for (const PoleOsoby& cel : PolaOsob(r.Druk(i).IdPit)) {
          identyfikacja.insert(cel.k);
          const int o = OsobyPola(r.Druk(i), cel);
          const bool wszystkie = (o & osoby) == o, zadna = (o & osoby) == 0;
          if (o != 0 && Rola(cel) == Rola(zrodlo) && (wszystkie || zadna) && (tekst(i, cel.k) == wpisany) != wszystkie)
            return QStringLiteral("%1 of record %2 is %3").arg(cel.rola).arg(i).arg(tekst(i, cel.k)) + po;
        }
        for (int k = 0; k < kLiczbaPol && reszta && !identyfikacja.empty(); ++k)
          if (!identyfikacja.count(k) && bajty(przed[static_cast<std::size_t>(i)], k) != bajty(r.Druk(i), k))
            return QStringLiteral("field %1 of record %2 changed").arg(k).arg(i) + po;
      }
    }
  return {};
}

}  // namespace velmar_test
