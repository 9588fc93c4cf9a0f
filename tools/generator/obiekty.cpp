#include "obiekty.h"

#include <QString>
#include <algorithm>
#include <numeric>
#include <tuple>

#include "svg.h"

namespace formularze {

namespace {

template <std::size_t N>
void Ustaw(TTekst<N>& pole, const std::string& utf8) {
  UstawTekst(pole, QString::fromUtf8(utf8));
}

TOpcjaObiektu NowaOpcja() {
  TOpcjaObiektu o;
  UstawBajty(o.Wartosc, "0");
  return o;
}

// Boxes narrower than this get the smaller font.
constexpr int kWaskiePole = 70;

}  // namespace

std::vector<TObiekt> Obiekty(const Zrodlo& zrodlo, const Uklad& uklad) {
  std::vector<TObiekt> obiekty(zrodlo.pola.size());

  // Tab order, unless the source fixes it: reading order, page by page, top to bottom, left to right.
  std::vector<std::size_t> porzadek(zrodlo.pola.size());
  std::iota(porzadek.begin(), porzadek.end(), std::size_t{0});
  std::stable_sort(porzadek.begin(), porzadek.end(), [&](std::size_t a, std::size_t b) {
    const Prostokat& pa = uklad.pola[a];
    const Prostokat& pb = uklad.pola[b];
    return std::tuple(zrodlo.pola[a].miejsce.strona, pa.dolny, pa.lewy) <
           std::tuple(zrodlo.pola[b].miejsce.strona, pb.dolny, pb.lewy);
  });
  std::vector<int> kolejnosc(zrodlo.pola.size());
  for (std::size_t r = 0; r < porzadek.size(); ++r) kolejnosc[porzadek[r]] = static_cast<int>(r + 1) * 10;

  for (std::size_t i = 0; i < zrodlo.pola.size(); ++i) {
    const Pole& p = zrodlo.pola[i];
    const Prostokat& r = uklad.pola[i];
    TObiekt& o = obiekty[i];
    o.Lewy = r.lewy;
    o.Gorny = r.gorny;
    o.Prawy = r.prawy;
    o.Dolny = r.dolny;
    o.NrObiektu = p.indeks + 1;
    o.Strona = p.miejsce.strona;
    o.Format = p.format;
    o.Typ = p.typ;
    o.Wyrownanie = p.wyrownanie;
    o.LimitZnakow = p.limit;
    Ustaw(o.Nazwa, NazwaObiektu(p));
    Ustaw(o.WartoscDomyslna, p.domyslna);
    Ustaw(o.Pomoc, p.poz.empty() ? p.opis : "poz. " + p.poz + " " + p.opis);
    UstawBajty(o.RozmiarCzcionki, r.prawy - r.lewy < kWaskiePole ? "9" : "10");
    UstawBajty(o.KolorKrawedzi, "FFFFFF");
    UstawBajty(o.KolorTla, "FFFFFF");
    UstawBajty(o.KolorTekstu, "000000");
    o.Widoczne = p.ukryte ? 0 : 1;
    o.TylkoDoOdczytu = p.tylkoDoOdczytu ? 1 : 0;
    o.Wymagane = p.wymagane ? 1 : 0;
    o.Zablokowane = 1;  // the box is part of the picture: the designer must not move it off
    o.Wielowierszowe = p.wielowierszowe ? 1 : 0;
    o.TylkoDodatnia = p.tylkoDodatnia ? 1 : 0;
    o.PozycjaPrzegladania = p.kolejnosc.value_or(kolejnosc[i]);
    o.Opcje.fill(NowaOpcja());
    o.OpcjeDodatkowe.fill(NowaOpcja());
    for (auto& e : o.ElementyListy) UstawBajty(e.Wartosc, "0");
    if (p.typ == Checbox) Ustaw(o.Opcje[0].Tekst, p.opis);
  }
  return obiekty;
}

TNaglowekFormularza Naglowek(const Zrodlo& zrodlo, const std::string& sciezka) {
  TNaglowekFormularza n;
  Ustaw(n.Sciezka, sciezka);
  n.LiczbaStron = zrodlo.liczbaStron;
  n.SzerokoscEkranu = 1280;
  n.WysokoscEkranu = 1024;
  n.WysokoscWidoku = kWysokoscObrazu * kSzerokoscStrony / kSzerokoscObrazu;
  n.SzerokoscWidoku = kSzerokoscStrony;
  return n;
}

}  // namespace formularze
