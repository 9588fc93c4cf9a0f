#include "pages/fobj.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "main/tools.h"
#include "pages/fimage.h"
#include "pages/obiekty_plik.h"

TFObj* FObj = nullptr;

void UstawDomyslneTypu(TObiekt& o, int typ) {
  o.Typ = typ;
  o.Format = typ == Liczba ? FormatDziesietna : typ == NIP ? NipOsobaFizyczna : 0;
  o.LimitZnakow = 0;
  for (auto* tabela : {&o.Opcje, &o.OpcjeDodatkowe})
    for (TOpcjaObiektu& opcja : *tabela) opcja = TOpcjaObiektu{.Wartosc = {'0'}};
  for (TElementListy& element : o.ElementyListy) element = TElementListy{.Wartosc = {'0'}};
  UstawBajty(o.Rezerwa, "");
  UstawBajty(o.Pomoc, "");
  UstawBajty(o.Wartosc, "");
  UstawBajty(o.WartoscDomyslna, typ == Liczba ? "0,00" : "");
  UstawBajty(o.KolorKrawedzi, "FFFFFF");
  UstawBajty(o.KolorTla, "FFFFFF");
  UstawBajty(o.KolorTekstu, "000000");
  UstawBajty(o.RozmiarCzcionki, "10");
  o.Widoczne = 1;
  o.TylkoDoOdczytu = 0;
  o.Wymagane = 0;
  o.Zablokowane = 0;
  o.Wielowierszowe = 0;
  o.Wyrownanie = typ == Liczba ? DoPrawej : DoLewej;
}

TFObj::TFObj(QWidget* parent) : QDialog(parent) {
  setObjectName("FObj");
  FObj = this;
  setWindowTitle(QStringLiteral("Zmiana typu obiektu"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(401, 141);

  ControlType = new QTabBar(this);
  for (const char* typ : {"Text", "Liczba", "NIP", "Data", "Select", "Checbox"})
    ControlType->addTab(QLatin1String(typ));

  Memo1 = new QTextEdit(this);
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  QPalette paleta = Memo1->palette();
  paleta.setColor(QPalette::Base, QColor(255, 255, 174));
  paleta.setColor(QPalette::Text, Qt::red);
  Memo1->setPalette(paleta);
  Memo1->setPlainText(QStringLiteral("Uwaga. \nZmiana typu obiektu powoduje utracenie dotyczczasowych \n"
                                     "ustawień na danym typie obiektu."));
  QTextCursor kursor(Memo1->document());
  kursor.select(QTextCursor::Document);
  QTextBlockFormat wysrodkowany;
  wysrodkowany.setAlignment(Qt::AlignHCenter);
  kursor.mergeBlockFormat(wysrodkowany);

  zastosuj = new QPushButton(QStringLiteral("Zastosuj"), this);
  anuluj = new QPushButton(QStringLiteral("Anuluj"), this);
  zastosuj->setAutoDefault(false);
  anuluj->setAutoDefault(false);

  auto* uklad = new QVBoxLayout(this);
  uklad->addWidget(ControlType);
  uklad->addWidget(Memo1);
  auto* przyciski = new QHBoxLayout;
  przyciski->addStretch();
  przyciski->addWidget(zastosuj);
  przyciski->addWidget(anuluj);
  uklad->addLayout(przyciski);

  connect(ControlType, &QTabBar::currentChanged, this, &TFObj::ControlTypeChange);
  connect(zastosuj, &QPushButton::clicked, this, &TFObj::zastosujClick);
  connect(anuluj, &QPushButton::clicked, this, &TFObj::anulujClick);
}

TFObj::~TFObj() {
  if (FObj == this) FObj = nullptr;
}

TObiekt* TFObj::Obiekt() const {
  if (!FImage || !Tools) return nullptr;
  const int liczba = std::min(Tools->LiczbaObiektow, static_cast<int>(FImage->Obiekty.size()));
  if (EdytowanyObiekt < 0 || EdytowanyObiekt >= liczba) return nullptr;
  return &FImage->Obiekty[static_cast<std::size_t>(EdytowanyObiekt)];
}

void TFObj::FormShow() {
  EdytowanyObiekt = Tools ? Tools->ObiektNadKursorem : -1;
  const TObiekt* o = Obiekt();
  przedZmiana_ = o ? std::optional<TObiekt>(*o) : std::nullopt;
  ControlType->setEnabled(o != nullptr);
  zastosuj->setEnabled(o != nullptr);
  if (!o) {
    setWindowTitle(QStringLiteral("Zmiana typu obiektu"));
    return;
  }
  setWindowTitle(QStringLiteral("Zmiana typu obiektu [%1.%2]").arg(o->DrugiNumer).arg(o->NrObiektu));
  // Opening only shows the type: the object is reset when the user picks one.
  if (o->Typ >= 0 && o->Typ < ControlType->count()) {
    const QSignalBlocker blokada(ControlType);
    ControlType->setCurrentIndex(o->Typ);
  }
}

void TFObj::UstawTyp(int typ) {
  TObiekt* o = Obiekt();
  if (!o) return;
  const int t = typ == -1 ? o->Typ : typ;
  if (t >= 0 && t < ControlType->count()) {
    const QSignalBlocker blokada(ControlType);
    ControlType->setCurrentIndex(t);
  }
  UstawDomyslneTypu(*o, t);
}

void TFObj::ControlTypeChange(int indeks) {
  if (indeks >= 0) UstawTyp(indeks);
}

void TFObj::zastosujClick() {
  if (const TObiekt* o = Obiekt()) ZapiszObiekt(FImage, EdytowanyObiekt, *o);
  przedZmiana_.reset();
  accept();
}

void TFObj::anulujClick() { reject(); }

void TFObj::reject() {
  if (TObiekt* o = Obiekt(); o && przedZmiana_) *o = *przedZmiana_;
  przedZmiana_.reset();
  QDialog::reject();
}

void TFObj::showEvent(QShowEvent* zdarzenie) {
  if (!zdarzenie->spontaneous()) FormShow();
  QDialog::showEvent(zdarzenie);
}
