#include "pages/fpaleta.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "pages/kolory.h"

TFPaleta* FPaleta = nullptr;

namespace {

// Widths of the object's text fields less the terminator: what an edit may hold.
constexpr int kNazwa = 14, kPomoc = 79, kOpcja = 49, kLiczba = 11;

QLineEdit* Edycja(QWidget* rodzic, int dlugosc) {
  auto* e = new QLineEdit(rodzic);
  e->setMaxLength(dlugosc);
  return e;
}

QWidget* Panel(QWidget* rodzic, const char* nazwa) {
  auto* p = new QWidget(rodzic);
  p->setObjectName(QLatin1String(nazwa));
  return p;
}

QToolButton* PrzyciskKoloru(QWidget* rodzic, const char* nazwa) {
  auto* b = new QToolButton(rodzic);
  b->setObjectName(QLatin1String(nazwa));
  b->setIconSize(QSize(50, 50));
  b->setAutoRaise(true);
  return b;
}

}  // namespace

TFPaleta::TFPaleta(QWidget* parent) : QDialog(parent) {
  setObjectName("FPaleta");
  FPaleta = this;
  setWindowTitle(QStringLiteral("Właściwości obiektu"));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  WybierzKolor = [this](const QColor& poczatkowy) -> std::optional<QColor> {
    const QColor kolor = QColorDialog::getColor(poczatkowy, this);
    if (!kolor.isValid()) return std::nullopt;
    return kolor;
  };
}

void TFPaleta::Zbuduj() {
  auto* uklad = new QVBoxLayout(this);
  uklad->setSizeConstraint(QLayout::SetFixedSize);
  TabControl = new QTabBar(this);
  for (const char* zakladka : {"Ogólne", "Wygląd", "Opcje", "Oblicz"}) TabControl->addTab(QString::fromUtf8(zakladka));
  uklad->addWidget(TabControl);
  UtworzOgolne();
  UtworzWyglad();
  UtworzOpcje();
  uklad->addWidget(PanelOgolne);
  uklad->addWidget(PanelWyglad);
  uklad->addWidget(PanelOpcje);

  Zastosuj = new QPushButton(QStringLiteral("zastosuj"), this);
  Anuluj = new QPushButton(QStringLiteral("anuluj"), this);
  Zastosuj->setAutoDefault(false);
  Anuluj->setAutoDefault(false);
  auto* przyciski = new QHBoxLayout;
  przyciski->addStretch();
  przyciski->addWidget(Zastosuj);
  przyciski->addSpacing(15);
  przyciski->addWidget(Anuluj);
  uklad->addLayout(przyciski);

  connect(TabControl, &QTabBar::currentChanged, this, &TFPaleta::TabControlChange);
  connect(Zastosuj, &QPushButton::clicked, this, &TFPaleta::ZastosujClick);
  connect(Anuluj, &QPushButton::clicked, this, &TFPaleta::AnulujClick);

  {
    const QSignalBlocker blokada(TabControl);
    TabControl->setCurrentIndex(0);
  }
  PokazPanel(PanelOgolne);
}

TFPaleta::~TFPaleta() {
  if (FPaleta == this) FPaleta = nullptr;
}

void TFPaleta::UtworzOgolne() {
  PanelOgolne = Panel(this, "PanelOgolne");
  auto* uklad = new QVBoxLayout(PanelOgolne);
  auto* pola = new QFormLayout;
  Nazwa = Edycja(PanelOgolne, kNazwa);
  Pomoc = Edycja(PanelOgolne, kPomoc);
  PozPrzeg = Edycja(PanelOgolne, kLiczba);
  DrukPage = Edycja(PanelOgolne, kLiczba);
  pola->addRow(QStringLiteral("Nazwa"), Nazwa);
  pola->addRow(QStringLiteral("Wskazówka narzędzia"), Pomoc);
  pola->addRow(QStringLiteral("Pozycja przegladania"), PozPrzeg);
  pola->addRow(QStringLiteral("Strona druku"), DrukPage);
  uklad->addLayout(pola);

  auto* wspolne = new QGroupBox(QStringLiteral(" Wspólne własności "), PanelOgolne);
  auto* w = new QFormLayout(wspolne);
  StanPola = new QComboBox(wspolne);
  StanPola->addItems({QStringLiteral("Ukryte"), QStringLiteral("Widoczne")});
  ReadOlny = new QCheckBox(QStringLiteral("Tylko do odczytu"), wspolne);
  MustBe = new QCheckBox(QStringLiteral("Wymagane"), wspolne);
  w->addRow(QStringLiteral("Pole formularza: "), StanPola);
  w->addRow(ReadOlny);
  w->addRow(MustBe);
  uklad->addWidget(wspolne);
  Block = new QCheckBox(QStringLiteral("Zablokowane"), PanelOgolne);
  uklad->addWidget(Block);
}

void TFPaleta::UtworzWyglad() {
  PanelWyglad = Panel(this, "PanelWyglad");
  auto* uklad = new QVBoxLayout(PanelWyglad);

  auto* krawedzie = new QGroupBox(QStringLiteral(" Krawędzie i kolory "), PanelWyglad);
  auto* k = new QFormLayout(krawedzie);
  const auto wiersz = [](QToolButton* przycisk, QLabel* probka, QWidget* dodatek = nullptr) {
    auto* h = new QHBoxLayout;
    h->addWidget(przycisk);
    h->addWidget(probka);
    if (dodatek) h->addWidget(dodatek);
    h->addStretch();
    return h;
  };
  KolorKrawedz = PrzyciskKoloru(krawedzie, "KolorKrawedz");
  KolorTlo = PrzyciskKoloru(krawedzie, "KolorTlo");
  KK = new QLabel(krawedzie);
  KW = new QLabel(krawedzie);
  // Two quick fills: the near-white that the drawing treats as no fill, and white.
  Panel1 = new QPushButton(krawedzie);
  Panel2 = new QPushButton(krawedzie);
  for (QPushButton* p : {Panel1, Panel2}) {
    p->setFixedSize(16, 16);
    p->setFlat(true);
    p->setAutoFillBackground(true);
  }
  Panel1->setStyleSheet(QStringLiteral("background-color: #FFFFFE; border: 1px solid gray;"));
  Panel2->setStyleSheet(QStringLiteral("background-color: #FFFFFF; border: 1px solid gray;"));
  auto* szybkie = new QWidget(krawedzie);
  auto* s = new QHBoxLayout(szybkie);
  s->setContentsMargins(0, 0, 0, 0);
  s->addWidget(Panel1);
  s->addWidget(Panel2);
  k->addRow(QStringLiteral("Kolor krawędzi: "), wiersz(KolorKrawedz, KK));
  k->addRow(QStringLiteral("Kolor wypełnienia: "), wiersz(KolorTlo, KW, szybkie));
  uklad->addWidget(krawedzie);

  auto* tekst = new QGroupBox(QStringLiteral(" Tekst "), PanelWyglad);
  auto* t = new QFormLayout(tekst);
  KolorTekst = PrzyciskKoloru(tekst, "KolorTekst");
  KT = new QLabel(tekst);
  RozmiarCzcionki = new QComboBox(tekst);
  RozmiarCzcionki->setEditable(true);
  t->addRow(QStringLiteral("Kolor tekstu: "), wiersz(KolorTekst, KT));
  t->addRow(QStringLiteral("Rozmiar czcionki:"), RozmiarCzcionki);
  uklad->addWidget(tekst);

  connect(KolorKrawedz, &QToolButton::clicked, this, &TFPaleta::KolorKrawedzClick);
  connect(KolorTlo, &QToolButton::clicked, this, &TFPaleta::KolorTloClick);
  connect(KolorTekst, &QToolButton::clicked, this, &TFPaleta::KolorTekstClick);
  connect(Panel1, &QPushButton::clicked, this, &TFPaleta::Panel1Click);
  connect(Panel2, &QPushButton::clicked, this, &TFPaleta::Panel2Click);
  connect(RozmiarCzcionki, &QComboBox::currentTextChanged, this, &TFPaleta::RozmiarCzcionkiChange);
}

void TFPaleta::UtworzOpcje() {
  PanelOpcje = Panel(this, "PanelOpcje");
  auto* uklad = new QVBoxLayout(PanelOpcje);
  uklad->setContentsMargins(0, 0, 0, 0);
  uklad->setSpacing(0);

  PanelWyrownanie = Panel(PanelOpcje, "PanelWyrownanie");
  {
    auto* u = new QVBoxLayout(PanelWyrownanie);
    auto* g1 = new QGroupBox(QStringLiteral(" Wyrównanie  "), PanelWyrownanie);
    TextAlign = new QComboBox(g1);
    (new QVBoxLayout(g1))->addWidget(TextAlign);
    auto* g2 = new QGroupBox(QStringLiteral(" Wartość domyślna "), PanelWyrownanie);
    DefValue = new QPlainTextEdit(g2);
    DefValue->setFixedHeight(60);
    (new QVBoxLayout(g2))->addWidget(DefValue);
    u->addWidget(g1);
    u->addWidget(g2);
  }

  PanelOgraniczenie = Panel(PanelOpcje, "PanelOgraniczenie");
  {
    auto* u = new QHBoxLayout(PanelOgraniczenie);
    MaxChar = new QCheckBox(QStringLiteral("ograniczenie"), PanelOgraniczenie);
    CharLimit = Edycja(PanelOgraniczenie, kLiczba);
    u->addWidget(MaxChar);
    u->addWidget(CharLimit);
    u->addWidget(new QLabel(QStringLiteral("znaków"), PanelOgraniczenie));
    connect(MaxChar, &QCheckBox::clicked, this, &TFPaleta::MaxCharClick);
  }

  PanelWielowiersz = Panel(PanelOpcje, "PanelWielowiersz");
  Multiline = new QCheckBox(QStringLiteral("Pole wielowierszowe"), PanelWielowiersz);
  (new QVBoxLayout(PanelWielowiersz))->addWidget(Multiline);

  PanelLiczba = Panel(PanelOpcje, "PanelLiczba");
  {
    auto* u = new QVBoxLayout(PanelLiczba);
    auto* rodzaj = new QGroupBox(QStringLiteral(" Liczba "), PanelLiczba);
    auto* r = new QHBoxLayout(rodzaj);
    LiczbaCalkowita = new QRadioButton(QStringLiteral("całkowita"), rodzaj);
    LiczbaDziesietna = new QRadioButton(QStringLiteral("dziesiętna"), rodzaj);
    r->addWidget(LiczbaCalkowita);
    r->addWidget(LiczbaDziesietna);
    Zaokraglanie = new QGroupBox(QStringLiteral(" Zaokrąglanie"), PanelLiczba);
    auto* z = new QVBoxLayout(Zaokraglanie);
    ZaokrZloty = new QRadioButton(QStringLiteral("do złotych"), Zaokraglanie);
    ZaokrGroszy = new QRadioButton(QStringLiteral("do dziesiętnych groszy"), Zaokraglanie);
    BezZaokr = new QRadioButton(QStringLiteral("brak"), Zaokraglanie);
    z->addWidget(ZaokrZloty);
    z->addWidget(ZaokrGroszy);
    z->addWidget(BezZaokr);
    auto* ograniczenie = new QGroupBox(QStringLiteral(" Ograniczenie  wartości "), PanelLiczba);
    auto* o = new QFormLayout(ograniczenie);
    PlusValue = new QCheckBox(QStringLiteral("Tylko dodatnia"), ograniczenie);
    Edit1 = new QLineEdit(ograniczenie);
    Edit2 = new QLineEdit(ograniczenie);
    o->addRow(PlusValue);
    o->addRow(QStringLiteral("Przedział od:"), Edit1);
    o->addRow(QStringLiteral("do:"), Edit2);
    u->addWidget(rodzaj);
    u->addWidget(Zaokraglanie);
    u->addWidget(ograniczenie);
    connect(LiczbaDziesietna, &QRadioButton::clicked, this, &TFPaleta::LiczbaDziesietnaClick);
    connect(LiczbaCalkowita, &QRadioButton::clicked, this, &TFPaleta::LiczbaCalkowitaClick);
  }

  PanelNip = Panel(PanelOpcje, "PanelNip");
  {
    auto* g = new QGroupBox(QStringLiteral(" NIP "), PanelNip);
    auto* n = new QVBoxLayout(g);
    NipFizyczna = new QRadioButton(QStringLiteral("Osoba fizyczna"), g);
    NipPrawna = new QRadioButton(QStringLiteral("Osoba prawna"), g);
    n->addWidget(NipFizyczna);
    n->addWidget(NipPrawna);
    (new QVBoxLayout(PanelNip))->addWidget(g);
  }

  PanelData = Panel(PanelOpcje, "PanelData");
  {
    auto* g = new QGroupBox(QStringLiteral(" Data "), PanelData);
    BiezacaData = new QCheckBox(QStringLiteral("ustaw bieżącą datę"), g);
    (new QVBoxLayout(g))->addWidget(BiezacaData);
    (new QVBoxLayout(PanelData))->addWidget(g);
  }

  PanelChecbox = Panel(PanelOpcje, "PanelChecbox");
  {
    auto* g = new QGroupBox(QStringLiteral(" Checbox "), PanelChecbox);
    auto* c = new QFormLayout(g);
    CheckBoxChecked = new QCheckBox(QStringLiteral("Domyslnie  zazn/odzn"), g);
    ChecBoxValue = Edycja(g, kOpcja);
    c->addRow(CheckBoxChecked);
    c->addRow(QStringLiteral("Wartość"), ChecBoxValue);
    (new QVBoxLayout(PanelChecbox))->addWidget(g);
  }

  PanelSelect = Panel(PanelOpcje, "PanelSelect");
  {
    auto* g = new QGroupBox(QStringLiteral(" Select "), PanelSelect);
    auto* s = new QHBoxLayout(g);
    auto* edycje = new QFormLayout;
    SelectText = Edycja(g, kOpcja);
    SelectValue = Edycja(g, kOpcja);
    SelectDodaj = new QPushButton(QStringLiteral("Dodaj  >>"), g);
    SelectUsun = new QPushButton(QStringLiteral("<< Usuń"), g);
    SelectDodaj->setAutoDefault(false);
    SelectUsun->setAutoDefault(false);
    edycje->addRow(QStringLiteral("Tekst"), SelectText);
    edycje->addRow(QStringLiteral("Wartość"), SelectValue);
    edycje->addRow(SelectDodaj);
    edycje->addRow(SelectUsun);
    EListBox = new QListWidget(g);
    s->addLayout(edycje);
    s->addWidget(EListBox);
    (new QVBoxLayout(PanelSelect))->addWidget(g);
    connect(SelectDodaj, &QPushButton::clicked, this, &TFPaleta::SelectDodajClick);
    connect(SelectUsun, &QPushButton::clicked, this, &TFPaleta::SelectUsunClick);
    connect(EListBox, &QListWidget::itemClicked, this, &TFPaleta::EListBoxClick);
  }

  for (QWidget* p : {PanelWyrownanie, PanelOgraniczenie, PanelWielowiersz, PanelLiczba, PanelNip, PanelData,
                     PanelChecbox, PanelSelect})
    uklad->addWidget(p);
}

QString TFPaleta::KolorNaTekst(std::int32_t kolor) {
  const auto u = static_cast<std::uint32_t>(kolor);
  return QStringLiteral("%1%2%3")
      .arg(u & 0xFF, 2, 16, QLatin1Char('0'))
      .arg((u >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
      .arg((u >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
      .toUpper();
}

void TFPaleta::PokazKolor(QToolButton* przycisk, std::int32_t kolor) {
  QPixmap obrazek(50, 50);
  obrazek.fill(Qt::transparent);
  {
    QPainter p(&obrazek);
    p.setPen(Qt::black);
    p.setBrush(QColor(KolorQt(kolor)));
    p.drawRect(QRect(QPoint(3, 17), QPoint(19, 33)));
  }
  przycisk->setIcon(QIcon(obrazek));
  QLabel* probka = przycisk == KolorKrawedz ? KK : przycisk == KolorTlo ? KW : przycisk == KolorTekst ? KT : nullptr;
  if (probka) probka->setText(QStringLiteral("  ") + KolorNaTekst(kolor));
}

void TFPaleta::PokazPanel(QWidget* panel) {
  for (QWidget* p : {PanelOgolne, PanelWyglad, PanelOpcje}) p->setVisible(p == panel);
}

std::vector<QWidget*> TFPaleta::PaneleTypu(int typ) const {
  switch (typ) {
    case Text: return {PanelWyrownanie, PanelOgraniczenie, PanelWielowiersz};
    case Liczba: return {PanelWyrownanie, PanelOgraniczenie, PanelLiczba};
    case NIP: return {PanelWyrownanie, PanelNip};
    case Data: return {PanelWyrownanie, PanelData};
    case Select: return {PanelSelect};
    case Checbox: return {PanelChecbox};
    default: return {};
  }
}

void TFPaleta::UlozPanelOpcji() {
  const TObiekt* o = Obiekt();
  const std::vector<QWidget*> widoczne = PaneleTypu(o ? o->Typ : Radio);
  for (QWidget* p : {PanelWyrownanie, PanelOgraniczenie, PanelWielowiersz, PanelLiczba, PanelNip, PanelData,
                     PanelChecbox, PanelSelect})
    p->setVisible(std::find(widoczne.begin(), widoczne.end(), p) != widoczne.end());
  PokazPanel(PanelOpcje);
}

void TFPaleta::TabControlChange(int indeks) {
  switch (indeks) {
    case 0: PokazPanel(PanelOgolne); break;
    case 1: PokazPanel(PanelWyglad); break;
    case 2: UlozPanelOpcji(); break;
    default: break;  // "Oblicz" has no content
  }
}

void TFPaleta::showEvent(QShowEvent* zdarzenie) {
  // The controls are made when the palette is first shown: the program starts without them.
  if (!TabControl) Zbuduj();
  if (!zdarzenie->spontaneous()) FormShow();
  QDialog::showEvent(zdarzenie);
}
