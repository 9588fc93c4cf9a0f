// Captions of the generated forms: a caption that names a sum, a total or a result (the field's own, its row's
// label or its column's title) belongs to a field that a computation writes; a field the user fills in is captioned
// as an input.

#include <QFile>
#include <QtTest>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/program.h"
#include "support/test_main.h"
#include "support/obliczenia.h"
#include "zrodlo.h"

using namespace velmar_test;

namespace {

// The forms of data/forms/ whose computations this program has.
const std::vector<std::pair<int, const char*>> kFormularze = {
    {Pit37, "pit37.txt"}, {Pit38, "pit38.txt"}, {Pit28, "pit28.txt"},   {PitO, "pito.txt"},
    {PitD, "pitd.txt"},   {Pit2K, "pit2k.txt"}, {PitM, "pitm.txt"},     {PitB, "pitb.txt"},
    {PitZG, "pitzg.txt"}, {Nip1, "nip1.txt"},   {Nip3, "nip3.txt"},     {Pit28A, "pit28a.txt"},
    {Pit28B, "pit28b.txt"}, {Pit36, "pit36.txt"}, {Pit36L, "pit36l.txt"},   {PitZ, "pitz.txt"},
    {SseR, "sser.txt"},
};

// Words by which a caption says that the program works the amount out.
const QStringList kSlowaWyniku = {QStringLiteral("razem"),         QStringLiteral("suma"),
                                  QStringLiteral("łączn"),         QStringLiteral("ogółem"),
                                  QStringLiteral("obliczon"),      QStringLiteral("wynik"),
                                  QStringLiteral("do zapłaty"),    QStringLiteral("nadpłat"),
                                  QStringLiteral("należn"),        QStringLiteral("po odliczeni"),
                                  QStringLiteral("po zwiększeniu"), QStringLiteral("zaokrągl")};

// The word, or a word beginning with it, stands in the text ("łączn" is in "łączna", not in "załączników").
bool JestSlowo(const QString& tekst, const QString& slowo) {
  for (qsizetype i = tekst.indexOf(slowo); i >= 0; i = tekst.indexOf(slowo, i + 1))
    if (i == 0 || !tekst[i - 1].isLetter()) return true;
  return false;
}

// Settlements that hold every form above with each main form it may go to, by kind.
const std::vector<std::pair<int, std::vector<std::array<int, 3>>>> kRozliczenia = {
    {Indywidualne, {{Pit37, 0, 0}, {PitO, 1, 0}, {PitD, 1, 0}, {Pit2K, 1, 0}, {Nip3, 1, 0}}},
    {WspolneZMalzonkiem, {{Pit37, 0, 0}, {PitO, 1, 0}, {PitD, 1, 0}, {Pit2K, 1, 0}, {Nip3, 1, 1}}},
    {Indywidualne,
     {{Pit28, 0, 0}, {Pit28A, 1, 0}, {Pit28B, 1, 0}, {PitO, 1, 0}, {PitD, 1, 0}, {Pit2K, 1, 0}, {Nip1, 1, 0},
      {Nip3, 1, 0}}},
    {WspolneZMalzonkiem, {{Pit28, 0, 1}, {Pit28A, 1, 1}, {PitO, 1, 1}, {PitD, 1, 1}, {Nip1, 1, 1}}},
    {Indywidualne, {{Pit38, 0, 0}, {PitZG, 1, 0}, {Nip3, 1, 0}}},
    {Indywidualne, {{Pit36, 0, 0}, {PitM, 1, 0}, {PitB, 1, 0}, {PitZG, 1, 0}, {Nip1, 1, 0}}},
    {WspolneZMalzonkiem, {{Pit36, 0, 0}, {PitM, 1, 1}, {PitB, 1, 2}, {PitZG, 1, 1}}},
    {Indywidualne, {{Pit36, 0, 0}, {PitZ, 1, 1}, {PitB, 1, 1}, {SseR, 1, 0}, {PitO, 1, 0}, {PitD, 1, 0}}},
    {WspolneZMalzonkiem, {{Pit36, 0, 0}, {PitZ, 1, 1}, {PitZ, 1, 2}, {PitB, 1, 2}, {SseR, 1, 0}, {PitO, 1, 0}}},
    {Indywidualne, {{Pit36L, 0, 0}, {PitZ, 1, 0}, {PitB, 1, 0}, {Nip3, 1, 0}}},
};

// The amount fields (form type, index) that some computation writes: every amount of every record gets a value of
// its own, every box is ticked or clear, each record is computed twice, and what changed is noted.
std::set<std::pair<int, int>> PolaLiczone() {
  std::set<std::pair<int, int>> liczone;
  for (const auto& [rodzaj, druki] : kRozliczenia)
    for (int wariant = 0; wariant < 3; ++wariant) {
      ProgramZObliczeniami p(QStringLiteral(VELMAR_BIN_DIR "/"));
      p.T().PrzydzielDruki(static_cast<int>(druki.size()));
      for (const auto& [kod, rodzic, pm] : druki) p.T().DodajDruk(kod, rodzic, pm, rodzaj);
      p.T().RodzajRozliczenia = rodzaj;
      p.WczytajStruktury();
      for (int j = 1; j <= p.T().LiczbaDrukow; ++j)
        for (int k = 0; k < kLiczbaPol; ++k) {
          TPoleDruku& pole = p.Pole(j, k);
          const int v = wariant == 0 ? 10000 * j + 13 * k + 1001 : wariant == 1 ? 7 * k + 3 : 1;
          if (pole.Typ == Liczba) p.Ustaw(j, k, std::to_string(v) + (pole.Format == FormatCalkowita ? "" : ",11"));
          if (pole.Typ == Checbox) pole.Zaznaczone = wariant == 2 ? 1 : 0;
        }
      const std::vector<TDruk> przed(p.T().Druki.begin(), p.T().Druki.end());
      for (int runda = 0; runda < 2; ++runda)
        for (int j = 1; j <= p.T().LiczbaDrukow; ++j) {
          p.Pokaz(j);
          ObliczDruk(p.T().Druk(j).IdPit, p.V(), j);
        }
      for (int j = 1; j <= p.T().LiczbaDrukow; ++j)
        for (int k = 0; k < kLiczbaPol; ++k)
          if (Tekst(p.Pole(j, k).Wartosc) != Tekst(przed[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)].Wartosc))
            liczone.insert({p.T().Druk(j).IdPit, k});
    }
  return liczone;
}

// What the page says about a field: its caption, its row's label and, in a table, the titles of its columns.
QStringList Podpisy(const formularze::Zrodlo& zrodlo, const formularze::Pole& pole) {
  QStringList podpisy{QString::fromStdString(pole.opis)};
  for (const formularze::Strona& strona : zrodlo.strony) {
    if (strona.numer != pole.miejsce.strona) continue;
    const formularze::Element* glowka = nullptr;
    for (const formularze::Element& e : strona.elementy) {
      using formularze::RodzajElementu;
      if (e.rodzaj == RodzajElementu::Sekcja || e.rodzaj == RodzajElementu::Podsekcja) glowka = nullptr;
      if (e.rodzaj == RodzajElementu::Naglowek) glowka = &e;
      // A row with a wider label of its own no longer lines up with the head's columns, nor do the rows after it.
      if (e.rodzaj == RodzajElementu::Wiersz && glowka && e.szerokoscEtykiety > glowka->szerokoscEtykiety)
        glowka = nullptr;
      if (e.rodzaj != RodzajElementu::Wiersz || e.id != pole.miejsce.wiersz) continue;
      podpisy << QString::fromStdString(e.etykieta);
      if (!e.tabela || !glowka) continue;
      for (const formularze::Komorka& c : glowka->komorki)
        if (c.rodzaj == formularze::RodzajKomorki::Tytul && c.kolumna < pole.miejsce.kolumna + pole.miejsce.szerokosc &&
            pole.miejsce.kolumna < c.kolumna + c.szerokosc)
          podpisy << QString::fromStdString(c.tekst);
    }
  }
  return podpisy;
}

}  // namespace

class TstPodpisy : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { UstawRegionalne(); }

  void sumyTylkoTamGdzieLiczone() {
    const std::set<std::pair<int, int>> liczone = PolaLiczone();
    QStringList bledy;
    for (const auto& [kod, plik] : kFormularze) {
      QFile f(QStringLiteral(VELMAR_SOURCE_DIR "/data/forms/") + QString::fromLatin1(plik));
      QVERIFY2(f.open(QIODevice::ReadOnly), plik);
      const formularze::Zrodlo zrodlo = formularze::WczytajZrodlo(f.readAll().toStdString(), plik);
      QCOMPARE(zrodlo.kod, kod);
      for (const formularze::Pole& pole : zrodlo.pola) {
        if (pole.typ != Liczba || liczone.count({kod, pole.indeks})) continue;
        for (const QString& podpis : Podpisy(zrodlo, pole))
          for (const QString& slowo : kSlowaWyniku)
            if (JestSlowo(podpis.toLower(), slowo))
              bledy << QStringLiteral("%1:%2 field %3: \"%4\" names a result (%5) no computation writes")
                           .arg(QString::fromLatin1(plik))
                           .arg(pole.linia)
                           .arg(pole.indeks)
                           .arg(podpis, slowo);
      }
    }
    QVERIFY2(bledy.isEmpty(), qPrintable(bledy.join('\n')));
  }
};

VELMAR_TEST_MAIN(TstPodpisy)
#include "tst_podpisy.moc"
