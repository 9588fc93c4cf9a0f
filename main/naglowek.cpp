// The form header (.dcd), the page picture and its fitting to the display width, the overlay reset, the blank
// designer page and the commands that need an open form.

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QToolButton>

#include "main/tools.h"
#include "model/struktura.h"
#include "pages/fimage.h"
#include "pages/nakladka.h"
#include "pages/obraz_strony.h"
#include "platform/dialogi.h"

void TTools::ZapiszNaglowekFormularza() {
  TNaglowekFormularza naglowek;
  UstawTekst(naglowek.Sciezka, PlikDcd);
  naglowek.LiczbaStron = LiczbaStron;
  naglowek.SzerokoscEkranu = SzerokoscEkranu;
  naglowek.WysokoscEkranu = WysokoscEkranu;
  naglowek.WysokoscWidoku = WysokoscWidoku;
  naglowek.SzerokoscWidoku = SzerokoscWidoku;
  SzerokoscWidokuProjektu = SzerokoscWidoku;
  WysokoscWidokuProjektu = WysokoscWidoku;
  Skala = 1.0f;
  // A file that cannot be written is skipped, as the designer expects.
  struktura::ZapiszNaglowek(PlikDcd, naglowek);
}

bool TTools::WczytajNaglowekFormularza() {
  QString blad;
  const auto naglowek = struktura::CzytajNaglowek(PlikDcd, &blad);
  if (!naglowek) {
    platform::ShowMessage(blad.isEmpty() ? QStringLiteral("Nieprawidłowy plik nagłówka formularza (wymagane 276 "
                                                          "bajtów):\n") + PlikDcd
                                         : blad);
    return false;
  }
  UstawNaglowekFormularza(*naglowek);
  return true;
}

void TTools::UstawNaglowekFormularza(const TNaglowekFormularza& naglowek) {
  LiczbaStron = naglowek.LiczbaStron;
  SzerokoscEkranuProjektu = naglowek.SzerokoscEkranu;
  WysokoscEkranuProjektu = naglowek.WysokoscEkranu;
  WysokoscWidokuProjektu = naglowek.WysokoscWidoku;
  SzerokoscWidokuProjektu = naglowek.SzerokoscWidoku;
  SzerokoscWidoku = SzerokoscWidokuProjektu;
  Skala = 1.0f;
}

bool TTools::WczytajObrazStrony() {
  if (!QFileInfo::exists(PlikDcg)) {
    platform::ShowMessage(QStringLiteral("Brak wymaganego pliku dcg:\n") + PlikDcg);
    return false;
  }
  // A picture already decoded from this very file is kept; the view calls this to refresh the page.
  QString blad;
  auto obraz = FImage ? FImage->ObrazyStron.Wczytaj(PlikDcg, blad, 800) : TObrazStrony::Wczytaj(PlikDcg, blad, 800);
  if (!obraz) {
    platform::ShowMessage(blad);
    return false;
  }
  UstawObrazStrony(std::move(obraz));
  return true;
}

void TTools::UstawObrazStrony(std::shared_ptr<TObrazStrony> obraz) {
  if (!obraz) return;
  ObrazStrony = std::move(obraz);
  WysokoscMetapliku = ObrazStrony->WysokoscMetapliku();
  SzerokoscMetapliku = ObrazStrony->SzerokoscMetapliku();
  SzerokoscWidoku = 800;
  WysokoscWidoku = WysokoscDopasowana(SzerokoscMetapliku, WysokoscMetapliku, SzerokoscWidoku);
  if (FImage) {
    // A new rendering is drawn in the overlay's memory, which every caller clears next, and kept packed: the page on
    // screen holds one full-size image, its overlay. The memory comes back blank.
    QImage plotno = FImage->Formatka->PozyczPlotno();
    const bool wyczyszczone = FImage->ObrazyStron.Dopasuj(*ObrazStrony, SzerokoscWidoku, plotno);
    FImage->Formatka->ZwrocPlotno(std::move(plotno), wyczyszczone);
  } else {
    ObrazStrony->Dopasuj(SzerokoscWidoku, WysokoscWidoku);
  }
  if (FImage) {
    FImage->IDruk->move(LewaKrawedzStrony, FImage->IDruk->y());
    FImage->IDruk->resize(SzerokoscWidoku, FImage->IDruk->height());
  }
  StronaWczytana = 1;
  RysujObrazStrony();
  PanelStatusu[2]->setText(QStringLiteral("Rozmiar druku:[%1x%2]").arg(SzerokoscWidoku).arg(WysokoscWidoku));
}

void TTools::RysujObrazStrony() {
  if (!FImage || !FImage->Otwarty() || !StronaWczytana || !ObrazStrony) return;
  FImage->IDruk->resize(FImage->IDruk->width(), WysokoscWidoku);
  FImage->IDruk->UstawObraz(ObrazStrony);
  FImage->DopasujKartke();
}

void TTools::WyczyscNakladke() {
  if (!FImage) return;
  TNakladka* formatka = FImage->Formatka;
  formatka->move(LewaKrawedzStrony, formatka->y());
  formatka->Wyczysc(SzerokoscWidoku, WysokoscWidoku);
  formatka->show();
  FImage->DopasujKartke();
}

void TTools::WyczyscStrone() {
  if (!FImage) return;
  TNakladka* formatka = FImage->Formatka;
  formatka->move(LewaKrawedzStrony, formatka->y());
  formatka->Wyczysc(800, 1000);
  formatka->Stan().pedzel.reset();
  formatka->show();
  FImage->DopasujKartke();
}

void TTools::UstawDostepnosc(bool wlacz) {
  for (QAction* a :
       {Zamknij2, Drukuj1, ZapiszFormularzJako, DodajStroneDruku, ButtonSave, ButtonInternet, ButtonAddPage, Drukuj})
    a->setEnabled(wlacz);
  SelectObj->setEnabled(wlacz);
  for (QWidget* w :
       std::initializer_list<QWidget*>{Strona, InfoPit, PitNextPage, PitNextPageEnd, PitPrevPage, PitPrevPageEnd})
    PokazWPasku(w, wlacz);
  if (!wlacz) InfoPage->setText(QString());
  // No form open, nothing to print; a page display enables printing again.
  if (!wlacz) BWydruk->setEnabled(false);
}
