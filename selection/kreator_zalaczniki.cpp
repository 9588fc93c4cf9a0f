// The attach boxes of a wizard step: one box per main form the attachment may go to, shown with that form's name
// only while the settlement holds the form, stacked from the top of the set's panel. A hidden box keeps its tick for
// when its form comes back.

#include <QCheckBox>
#include <QLabel>

#include "main/tools.h"
#include "selection/grupa_opcji.h"
#include "selection/kreator.h"

void TKreator::UstawPolaZalacznikow(int krok) {
  TextP->hide();
  TextM->hide();
  TextO->hide();
  for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna})
    for (QCheckBox* pole : Pola(g)) {
      pole->hide();
      pole->setEnabled(false);
    }
  if (krok < 0 || krok >= kLiczbaRekordowKrokow) return;
  const TKrokKreatora& k = Kroki[static_cast<std::size_t>(krok)];
  for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna}) {
    const auto pola = Pola(g);
    const auto stany = StanyPol(k, g);
    for (std::size_t i = 0; i < pola.size(); ++i) pola[i]->setChecked(stany[i] != 0);
  }
}

void TKreator::OpiszZalaczniki() {
  UstawPolaZalacznikow(Krok);
  const WierszKroku* w = Wiersz(Rodzaj, Krok);
  if (!Tools || !w || !w->grupy[0].MaPola()) return;

  const bool osobno = w->liczbaGrup == 2;
  for (int gi = 0; gi < w->liczbaGrup; ++gi) {
    const GrupaWiersza& zestaw = w->grupy[static_cast<std::size_t>(gi)];
    const Grupa g = zestaw.grupa;
    const auto pola = Pola(g);
    const bool tak = OdpowiedzGrupy(BiezacyKrok(), g) == kTak;
    int gora = Podatnik->height() + TextP->height();
    int widoczne = 0;
    for (int i = 0; i < zestaw.liczbaMiejsc; ++i) {
      const Miejsce& m = zestaw.miejsca[static_cast<std::size_t>(i)];
      QCheckBox* pole = pola[static_cast<std::size_t>(i)];
      pole->setEnabled(tak);
      if (IndeksRodzica(*Tools, m) > 0) {
        pole->move(kLewaPola, gora);
        pole->setText(QString::fromUtf8(m.podpis));
        gora += kOdstepPol;
        pole->show();
        ++widoczne;
      }
    }
    EtykietaPol(g)->show();

    if (osobno) {
      QFrame* obrazek = g == Grupa::Podatnik ? PIPodatnik : PIMalzonek;
      obrazek->show();
      // A person with no main form to attach to is not asked at this step.
      if (widoczne == 0) {
        GrupaOdpowiedzi(g)->hide();
        obrazek->hide();
        EtykietaPol(g)->hide();
      }
      if (g == Grupa::Podatnik)
        PMalzonek->move(PMalzonek->x(), PPodatnik->y() + gora + 10);
      else
        SPN->move(SPN->x(), PMalzonek->y() + gora + 10);
    } else {
      SPN->move(SPN->x(), PPodatnik->y() + gora + 10);
    }
  }
}
