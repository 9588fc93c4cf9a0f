// The manual chooser's window: showing it, the kind group, leaving it, loading the current settlement into it and
// handing the choice over to the main window.

#include "selection/sam.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

#include "calc/identyfikacja.h"
#include "calc/pola_malzonka.h"
#include "main/tools.h"
#include "pages/fimage.h"
#include "platform/dialogi.h"
#include "selection/drzewo_wyboru.h"
#include "selection/grupa_opcji.h"
#include "selection/kreator.h"

TSam* Sam = nullptr;

TSam::TSam(QWidget* parent) : QDialog(parent) {
  setObjectName("Sam");
  Sam = this;
  setWindowTitle(QStringLiteral("Samodzielny dobór formularzy rozliczeniowych Velmar 2008"));
  // Modal: the candidates carry copies of the settlement's records taken when the chooser opened, and the hand-over
  // replaces the settlement whatever it has become. A value entered meanwhile would be lost, and a file opened
  // meanwhile would be replaced by the earlier forms and saved over under its own name.
  setWindowModality(Qt::ApplicationModal);
  BudujKontrolki();
  if (Tools) {
    Tools->LiczbaKandydatow = 0;
    connect(Tools->Zmiana, &QToolButton::clicked, this, [] {
      if (Tools) Tools->ZmianaClick();
    });
  }
}

TSam::~TSam() {
  if (Sam == this) Sam = nullptr;
}

void TSam::BudujKontrolki() {
  setFixedSize(724, 596);
  auto* pion = new QVBoxLayout(this);
  pion->setContentsMargins(0, 0, 0, 8);
  pion->setSpacing(0);

  Tytul = new QLabel(QStringLiteral("  Witamy w samodzielnym doborze formularzy Velmar 2008"), this);
  Tytul->setObjectName("Tytul");
  Tytul->setAutoFillBackground(true);
  QPalette paleta = Tytul->palette();
  paleta.setColor(QPalette::Window, Qt::white);
  paleta.setColor(QPalette::WindowText, Qt::black);
  Tytul->setPalette(paleta);
  QFont czcionka = Tytul->font();
  czcionka.setBold(true);
  czcionka.setPointSize(czcionka.pointSize() + 4);
  Tytul->setFont(czcionka);
  Tytul->setFixedHeight(48);
  pion->addWidget(Tytul);
  auto* linia = new QFrame(this);
  linia->setFrameShape(QFrame::HLine);
  linia->setFrameShadow(QFrame::Sunken);
  pion->addWidget(linia);

  auto* srodek = new QVBoxLayout;
  srodek->setContentsMargins(8, 8, 8, 0);
  srodek->setSpacing(8);
  RodzRozl = new TGrupaOpcji(QStringLiteral("Wybierz sposób rozliczenia "),
                             {QStringLiteral("indywidualnie"), QStringLiteral("wspólnie z małżonkiem"),
                              QStringLiteral("osoba samotnie wychowująca dziecko")},
                             3, this);
  RodzRozl->setObjectName("RodzRozl");
  RodzRozl->UstawItemIndex(0);
  srodek->addWidget(RodzRozl);

  GroupBox1 = new QGroupBox(QStringLiteral(" Dobór formularzy "), this);
  GroupBox1->setObjectName("GroupBox1");
  auto* grupa = new QVBoxLayout(GroupBox1);
  auto* drzewo = new TDrzewoWyboru(GroupBox1);
  STV = drzewo;
  STV->setObjectName("STV");
  STV->setHeaderHidden(true);
  STV->setColumnCount(1);
  STV->setIndentation(22);
  STV->setFrameShape(QFrame::StyledPanel);
  grupa->addWidget(STV, 1);
  auto* przyciski = new QHBoxLayout;
  przyciski->addStretch(1);
  Zatwierdzam = new QPushButton(QStringLiteral("Zatwierdzam wybór"), GroupBox1);
  Zatwierdzam->setObjectName("Zatwierdzam");
  Zatwierdzam->setEnabled(false);
  Zatwierdzam->setMinimumSize(160, 30);
  Zatwierdzam->setAutoDefault(false);
  Rezygnuje = new QPushButton(QStringLiteral("Rezygnuję z wyboru"), GroupBox1);
  Rezygnuje->setObjectName("Rezygnuje");
  Rezygnuje->setMinimumSize(160, 30);
  Rezygnuje->setAutoDefault(false);
  przyciski->addWidget(Zatwierdzam);
  przyciski->addWidget(Rezygnuje);
  grupa->addLayout(przyciski);
  srodek->addWidget(GroupBox1, 1);
  pion->addLayout(srodek, 1);

  connect(RodzRozl, &TGrupaOpcji::Klik, this, &TSam::RodzRozlClick);
  connect(STV, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* wezel, int) { WezelZmieniony(wezel); });
  // A press that changes no tick is answered as one that does: the rules run on the node as it stands, and the
  // buttons follow (the first press after loading a settlement enables Zatwierdzam).
  connect(drzewo, &TDrzewoWyboru::Nacisniety, this, [this](QTreeWidgetItem* wezel) { WezelZmieniony(wezel); });
  connect(Zatwierdzam, &QPushButton::clicked, this, &TSam::ZatwierdzamClick);
  connect(Rezygnuje, &QPushButton::clicked, this, &TSam::RezygnujeClick);
}

void TSam::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  if (const QScreen* ekran = screen()) move(ekran->availableGeometry().center() - rect().center());
  FormShow();
}

void TSam::FormShow() {
  if (!Tools) return;
  RodzRozl->UstawItemIndex(Tools->RodzajRozliczenia);
  if (BudujKandydatow(Tools->RodzajRozliczenia))
    BudujDrzewoKandydatow();
  else
    STV->clear();
  Zatwierdzam->setEnabled(false);
}

void TSam::RodzRozlClick() {
  const int rodzaj = RodzRozl->ItemIndex();
  Tools->RodzajRozliczenia = rodzaj;
  if (Kreator) Kreator->Rodzaj = rodzaj;
  if (BudujKandydatow(rodzaj)) {
    BudujDrzewoKandydatow();
    // On the current settlement the forms the new kind also offers carry their values, to be ticked again.
    if (Tools->MaDruki()) ZglosNieumieszczone(PrzeniesRekordy(false), PominieMalzonka());
  }
  UstawPrzyciski();
}

void TSam::reject() {
  // Leaving the choice of a new settlement takes the main window back to its welcome state; on the current
  // settlement nothing changes.
  if (Tools && !Tools->MaDruki()) {
    Tools->DobraneFormularze->setText(
        QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
    Tools->WyczyscRozliczenie();
    Tools->PokazPowitanie(true);
    UsunKandydatow();
  }
  QDialog::reject();
}

void TSam::RezygnujeClick() {
  reject();
}

namespace {

QString OpisDruku(const TTools& t, int r) {
  const auto nazwa = [&t](int idPit) {
    return idPit >= 1 && idPit <= kLiczbaTypowDrukow ? NaQString(t.TypyDrukow[static_cast<std::size_t>(idPit)].Nazwa)
                                                     : QStringLiteral("druk nr %1").arg(idPit);
  };
  const TDruk& d = t.Druki[static_cast<std::size_t>(r)];
  QString opis = nazwa(d.IdPit);
  if (d.IdParent == 0) return opis;
  if (d.PM == PMPodatnik) opis += QStringLiteral(" (Podatnik)");
  if (d.PM == PMMalzonek) opis += QStringLiteral(" (Małżonek)");
  if (d.IdParent >= 1 && d.IdParent <= t.LiczbaDrukow)
    opis += QStringLiteral(" do ") + nazwa(t.Druki[static_cast<std::size_t>(d.IdParent)].IdPit);
  return opis;
}

}  // namespace

QStringList TSam::PrzeniesRekordy(bool zaznacz) {
  std::vector<int> umieszczone;
  QStringList nieumieszczone;
  for (int r = 1; r <= Tools->LiczbaDrukow; ++r) {
    const TDruk& d = Tools->Druki[static_cast<std::size_t>(r)];
    const auto [rodzic, pm] = MiejsceRekordu(r);
    const int k = rodzic < 0 ? -1 : ZnajdzWolnegoKandydata(d.IdPit, rodzic, pm);
    if (k < 1 || !Kandydat(k).Wezel) {
      nieumieszczone << OpisDruku(*Tools, r);
      continue;
    }
    // The record's values and loaded flag travel in the candidate; its place in the list and tree stays.
    TDruk& kandydat = Kandydat(k);
    QTreeWidgetItem* const wezel = kandydat.Wezel;
    const int id = kandydat.Id, idPit = kandydat.IdPit, idParent = kandydat.IdParent, nrKopii = kandydat.NrKopii;
    kandydat = d;
    kandydat.Wezel = wezel;
    kandydat.Id = id;
    kandydat.IdPit = idPit;
    kandydat.IdParent = idParent;
    kandydat.NrKopii = nrKopii;
    kandydat.PM = pm;
    // Taken for now, so that the next copy of the form goes to the next candidate.
    kandydat.Wybrany = 1;
    umieszczone.push_back(k);
    if (zaznacz) ZaznaczWezel(kandydat.Wezel);
  }
  if (!zaznacz)
    for (int k : umieszczone) Kandydat(k).Wybrany = 0;
  return nieumieszczone;
}

bool TSam::PominieMalzonka() const {
  return Tools->MaDruki() && Tools->LiczbaDrukow >= 1 && !ZamykaPolaMalzonka(Tools->Druki[1].Rodzaj) &&
         ZamykaPolaMalzonka(Tools->RodzajRozliczenia);
}

void TSam::ZglosNieumieszczone(const QStringList& nieumieszczone, bool bezMalzonka) {
  QStringList tekst;
  if (!nieumieszczone.isEmpty())
    tekst << QStringLiteral("Tych druków rozliczenia nie można umieścić w doborze formularzy:\n") +
                 nieumieszczone.join(QLatin1Char('\n')) +
                 QStringLiteral("\nZatwierdzenie wyboru usunie je z rozliczenia.");
  if (bezMalzonka)
    tekst << QStringLiteral(
        "Zatwierdzenie wyboru usunie kwoty i dane małżonka z druków, które zostaną w rozliczeniu.");
  if (tekst.isEmpty()) return;
  platform::MessageBox(tekst.join(QLatin1Char('\n')), QStringLiteral("UWAGA"), platform::Przyciski::Ok,
                       platform::Ikona::Wykrzyknik);
}

void TSam::WczytajRozliczenie() {
  // Each opening starts from a fresh list of the settlement's kind.
  if (isVisible())
    FormShow();
  else
    show();
  // The buttons stay as they are until the first press on the tree.
  ZglosNieumieszczone(PrzeniesRekordy(true), false);
}

void TSam::ZatwierdzamClick() {
  const int wybrane = LiczbaWybranych();
  if (wybrane < 1) return;
  const bool bezMalzonka = PominieMalzonka();
  Tools->ZwolnijDruk();
  Tools->PrzydzielDruki(wybrane);
  for (int i = 1; i <= Tools->LiczbaKandydatow; ++i) {
    const TDruk& k = Kandydat(i);
    if (k.Wybrany != 1) continue;
    int rodzic = 0;
    if (k.IdParent > 0) {
      const TDruk& glowny = Kandydat(k.IdParent);
      rodzic = Tools->ZnajdzDrukRodzicPM(glowny.IdPit, 0, glowny.PM);
    }
    const int przed = Tools->LiczbaDrukow;
    Tools->DodajDruk(k.IdPit, rodzic, k.PM, Tools->RodzajRozliczenia);
    if (Tools->LiczbaDrukow == przed) continue;
    TDruk& d = Tools->Druki[static_cast<std::size_t>(Tools->LiczbaDrukow)];
    d.Pola = k.Pola;
    d.Wczytany = k.Wczytany;
  }
  Tools->BudujDrzewo();
  // The spouse's values of the forms kept would stand in fields the new kind locks, and still count.
  if (bezMalzonka) PominMalzonka(Tools->Rozl, Tools->FolderDc);

  UsunKandydatow();
  STV->clear();
  accept();

  Tools->Zmodyfikowane = 1;
  Tools->ToolButtonSave->setEnabled(true);
  Tools->NazwaRozliczenia = QStringLiteral("nowe_rozliczenie.dc8");
  // The form shown is chosen as the wizard chooses it: the first attachment, but record 1 before a PIT/B when a
  // PIT/Z exists.
  const int pitZ = Tools->ZnajdzDruk(PitZ);
  ZapiszDaneOsobDoDrukow(Tools->Rozl);
  int r = Tools->ZnajdzPierwszyZalacznik();
  if (r >= 1 && Tools->Druki[static_cast<std::size_t>(r)].IdPit == PitB && pitZ >= 1) r = 1;
  if (r >= 1) Tools->PokazDruk(Tools->Druki[static_cast<std::size_t>(r)].Wezel, 1);
}
