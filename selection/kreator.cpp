#include "selection/kreator.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>

#include "main/tools.h"
#include "model/druk.h"
#include "platform/dialogi.h"
#include "platform/jpeg.h"
#include "platform/rtf.h"
#include "selection/grupa_opcji.h"
#include "selection/kreator_odpowiedzi.h"

TKreator* Kreator = nullptr;

namespace {

// The layout of the form; the rules of the answer column place PMalzonek, POgolnie and SPN from these.
constexpr int kSzerokosc = 793;
constexpr int kWysokosc = 566;
constexpr int kWysokoscTytulu = 41;
constexpr int kWysokoscNaglowka = 24;
constexpr int kGoraPytania = kWysokoscTytulu + 2 + kWysokoscNaglowka;
constexpr int kSzerokoscKolumny = 200;
constexpr int kLewaKolumny = kSzerokosc - kSzerokoscKolumny;
constexpr int kWysokoscNaglowkaOdpowiedzi = 21;
constexpr int kWysokoscGrupy = 42;
constexpr int kSzerokoscGrupy = 140;
constexpr int kWysokoscEtykiety = 17;
constexpr int kWysokoscPanelu = 150;
constexpr int kWysokoscPanelu1 = 43;

int Klient(const QWidget* w) { return w->contentsRect().height(); }

QFrame* Panel(QWidget* rodzic, const char* nazwa, QRect geometria) {
  auto* p = new QFrame(rodzic);
  p->setObjectName(QString::fromLatin1(nazwa));
  p->setGeometry(geometria);
  p->hide();
  return p;
}

QLabel* Napis(QWidget* rodzic, const char* nazwa, const QString& tekst, QRect geometria) {
  auto* l = new QLabel(tekst, rodzic);
  l->setObjectName(QString::fromLatin1(nazwa));
  l->setGeometry(geometria);
  return l;
}

QPushButton* Przycisk(QWidget* rodzic, const char* nazwa, const QString& tekst, QRect geometria) {
  auto* b = new QPushButton(tekst, rodzic);
  b->setObjectName(QString::fromLatin1(nazwa));
  b->setGeometry(geometria);
  b->setAutoDefault(false);
  return b;
}

// Inserts a line of a rich-edit text before line nr (appends when the text has fewer lines); the text's own line
// feeds start further lines.
void WstawWiersz(QTextDocument& dokument, int nr, const QString& tekst) {
  // Plain text, whatever the format of the line it goes before.
  QTextCursor kursor(&dokument);
  const QTextBlock blok = dokument.findBlockByNumber(nr);
  if (blok.isValid() && !dokument.isEmpty()) {
    kursor.setPosition(blok.position());
    kursor.insertText(tekst, QTextCharFormat());
    kursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    return;
  }
  kursor.movePosition(QTextCursor::End);
  if (!dokument.isEmpty()) kursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
  kursor.insertText(tekst, QTextCharFormat());
}

QString NazwaDruku(int idPit) {
  if (!Tools || idPit < 1 || idPit > kLiczbaTypowDrukow) return {};
  return NaQString(Tools->TypyDrukow[static_cast<std::size_t>(idPit)].Nazwa);
}

}  // namespace

TKreator::TKreator(QWidget* parent) : QDialog(parent) {
  setObjectName("Kreator");
  Kreator = this;
  setWindowTitle(QStringLiteral("Kreator doboru formularzy Velmar 2008"));
  // No close box: Zakończ and Anuluj are the ways out.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
  setFixedSize(kSzerokosc, kWysokosc);
  BudujKontrolki();
  FormCreate();
}

TKreator::~TKreator() {
  if (Kreator == this) Kreator = nullptr;
}

void TKreator::BudujKontrolki() {
  Tytul = Napis(this, "Tytul", QStringLiteral("  Witamy w keatrorze doboru formularzy Velmar 2008"),
                QRect(0, 0, kSzerokosc, kWysokoscTytulu));
  Tytul->setAutoFillBackground(true);
  Tytul->setStyleSheet(QStringLiteral("background: white; font-weight: bold; font-size: 14pt;"));
  Bevel2 = new QFrame(this);
  Bevel2->setObjectName("Bevel2");
  Bevel2->setFrameShape(QFrame::HLine);
  Bevel2->setFrameShadow(QFrame::Sunken);
  Bevel2->setGeometry(0, kWysokoscTytulu, kSzerokosc, 2);
  HeadPytanie = Napis(this, "HeadPytanie", QString(), QRect(0, kWysokoscTytulu + 2, kSzerokosc, kWysokoscNaglowka));
  HeadPytanie->setStyleSheet(QStringLiteral("font-weight: bold;"));

  TypAlgorytm = new TGrupaOpcji(QString(),
                                {QStringLiteral("indywidualnie"), QStringLiteral("wspólnie z małżonkiem"),
                                 QStringLiteral("jako osoba samotnie wychowująca dziecko")},
                                1, this);
  TypAlgorytm->setObjectName("TypAlgorytm");
  TypAlgorytm->setGeometry(5, 81, kSzerokosc - 10, 100);

  Pytanie = new QTextEdit(this);
  Pytanie->setObjectName("Pytanie");
  Pytanie->setReadOnly(true);
  Pytanie->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Pytanie->setGeometry(0, kGoraPytania, kLewaKolumny - 8, kWysokosc - kGoraPytania - kWysokoscPanelu1);

  POdpowiedzi = Napis(this, "POdpowiedzi", QStringLiteral("Odpowiedzi"),
                      QRect(kLewaKolumny, kGoraPytania, kSzerokoscKolumny, kWysokoscNaglowkaOdpowiedzi));
  POdpowiedzi->setAlignment(Qt::AlignCenter);
  POdpowiedzi->setFrameShape(QFrame::NoFrame);
  POdpowiedzi->setAutoFillBackground(true);
  POdpowiedzi->setStyleSheet(QStringLiteral("background: palette(dark); color: palette(bright-text);"));
  POdpowiedzi->hide();

  const QStringList takNie = {QStringLiteral("TAK"), QStringLiteral("NIE")};
  const QString folderObrazkow = Tools ? Tools->FolderProgramu + QStringLiteral("alg/") : QString();

  // One answer set: its panel, radio group, label panel and boxes; a person's set also gets a marker picture.
  struct Zestaw {
    QFrame* panel;
    TGrupaOpcji* grupa;
    QLabel* etykieta;
  };
  const auto budujZestaw = [&](const char* nazwaPanelu, const QString& tytul, const char* nazwaGrupy,
                               const char* nazwaEtykiety, std::span<QCheckBox*> pola, const QString& przedrostek) {
    Zestaw z;
    z.panel = Panel(this, nazwaPanelu, QRect(kLewaKolumny, kGoraPytania + kWysokoscNaglowkaOdpowiedzi,
                                             kSzerokoscKolumny, kWysokoscPanelu));
    z.grupa = new TGrupaOpcji(tytul, takNie, 2, z.panel);
    z.grupa->setObjectName(QString::fromLatin1(nazwaGrupy));
    z.grupa->setGeometry(0, 0, kSzerokoscGrupy, kWysokoscGrupy);
    z.grupa->hide();
    z.etykieta = Napis(z.panel, nazwaEtykiety, QStringLiteral(" dołącz do druku:"),
                       QRect(0, kWysokoscGrupy, kSzerokoscKolumny, kWysokoscEtykiety));
    z.etykieta->hide();
    for (std::size_t i = 0; i < pola.size(); ++i) {
      pola[i] = new QCheckBox(z.panel);
      pola[i]->setObjectName(przedrostek + QString::number(i + 1));
      pola[i]->setGeometry(kLewaPola, kWysokoscGrupy + kWysokoscEtykiety, kSzerokoscKolumny - kLewaPola - 4,
                           kOdstepPol);
      pola[i]->hide();
      pola[i]->setEnabled(false);
    }
    return z;
  };
  const auto budujObrazek = [&](QFrame* panel, const char* nazwaPanelu, const char* nazwaObrazka,
                                const QString& plik, QLabel*& obrazek) {
    QFrame* p = Panel(panel, nazwaPanelu, QRect(kSzerokoscGrupy + 6, 0, kSzerokoscKolumny - kSzerokoscGrupy - 8,
                                                kWysokoscGrupy));
    obrazek = new QLabel(p);
    obrazek->setObjectName(QString::fromLatin1(nazwaObrazka));
    obrazek->setGeometry(p->rect());
    obrazek->setAlignment(Qt::AlignCenter);
    obrazyDoWczytania_.emplace_back(obrazek, folderObrazkow + plik);
    return p;
  };

  const Zestaw podatnik = budujZestaw("PPodatnik", QStringLiteral("    Podatnik "), "Podatnik", "TextP", PZ,
                                      QStringLiteral("PZ"));
  PPodatnik = podatnik.panel;
  Podatnik = podatnik.grupa;
  TextP = podatnik.etykieta;
  PIPodatnik = budujObrazek(PPodatnik, "PIPodatnik", "IPodatnik", QStringLiteral("podatnik.jpg"), IPodatnik);

  const Zestaw malzonek = budujZestaw("PMalzonek", QStringLiteral("   Małżonek "), "Malzonek", "TextM", MZ,
                                      QStringLiteral("MZ"));
  PMalzonek = malzonek.panel;
  Malzonek = malzonek.grupa;
  TextM = malzonek.etykieta;
  PIMalzonek = budujObrazek(PMalzonek, "PIMalzonek", "IMalzonek", QStringLiteral("malzonek.jpg"), IMalzonek);

  const Zestaw ogolnie = budujZestaw("POgolnie", QString(), "Odpowiedz", "TextO", OZ, QStringLiteral("OZ"));
  POgolnie = ogolnie.panel;
  Odpowiedz = ogolnie.grupa;
  TextO = ogolnie.etykieta;

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setGeometry(0, kWysokosc - kWysokoscPanelu1, kSzerokosc, kWysokoscPanelu1);
  Wstecz = Przycisk(Panel1, "Wstecz", QStringLiteral("<< Wstecz"), QRect(kSzerokosc - 400, 8, 95, 27));
  Dalej = Przycisk(Panel1, "Dalej", QStringLiteral("Dalej >>"), QRect(kSzerokosc - 300, 8, 95, 27));
  Zakoncz = Przycisk(Panel1, "Zakoncz", QStringLiteral("Zakończ"), QRect(kSzerokosc - 200, 8, 95, 27));
  Zakoncz->setEnabled(false);
  Anuluj = Przycisk(Panel1, "Anuluj", QStringLiteral("Anuluj"), QRect(kSzerokosc - 100, 8, 95, 27));

  SPN = Panel(this, "SPN", QRect(kLewaKolumny + 10, kGoraPytania, 90, 26));
  SWstecz = Przycisk(SPN, "SWstecz", QStringLiteral("<< "), QRect(0, 0, 42, 26));
  SDalej = Przycisk(SPN, "SDalej", QStringLiteral(">>"), QRect(46, 0, 42, 26));
  // The spouse's panel may overlap the taxpayer's empty lower part; the step buttons stay above both.
  PMalzonek->raise();
  SPN->raise();

  connect(Dalej, &QPushButton::clicked, this, &TKreator::DalejClick);
  connect(SDalej, &QPushButton::clicked, this, &TKreator::DalejClick);
  connect(Wstecz, &QPushButton::clicked, this, &TKreator::WsteczClick);
  connect(SWstecz, &QPushButton::clicked, this, &TKreator::WsteczClick);
  connect(Zakoncz, &QPushButton::clicked, this, &TKreator::ZakonczClick);
  connect(Anuluj, &QPushButton::clicked, this, &TKreator::AnulujClick);
  for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna}) {
    connect(GrupaOdpowiedzi(g), &TGrupaOpcji::Klik, this, [this, g] { OdpowiedzClick(g); });
    const auto pola = Pola(g);
    for (std::size_t i = 0; i < pola.size(); ++i) {
      const int nr = static_cast<int>(i);
      connect(pola[i], &QCheckBox::toggled, this, [this, g, nr](bool z) { ZmienionoPole(g, nr, z); });
      connect(pola[i], &QCheckBox::clicked, this, [this, g, nr](bool z) { KliknietoPole(g, nr, z); });
    }
  }
}

void TKreator::FormCreate() {
  if (const QScreen* ekran = QGuiApplication::primaryScreen(); ekran && ekran->size().width() <= 800) move(0, 0);
  TypAlgorytm->move(TypAlgorytm->x(), 81);
  Pytanie->resize(Pytanie->width(), height() - Klient(Tytul) - Klient(HeadPytanie) - 45);
  Krok = 0;
  Rodzaj = 0;
  LiczbaKrokow = 16;
  PokazKrok();
}

void TKreator::FormShow() {
  if (Tools) Tools->LiczbaDrukow = 0;
  Rodzaj = 0;
  TypAlgorytm->UstawItemIndex(0);
  Krok = 0;
  PokazKrok();
}

void TKreator::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // The pictures are decoded when the wizard is first shown rather than when the program starts; a missing one
  // leaves its place empty.
  for (const auto& [obrazek, plik] : std::exchange(obrazyDoWczytania_, {})) {
    QString blad;
    const QImage rysunek = platform::WczytajJpeg(plik, &blad);
    if (!blad.isEmpty()) platform::ShowMessage(blad);
    if (!rysunek.isNull())
      obrazek->setPixmap(QPixmap::fromImage(
          rysunek.scaled(obrazek->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  }
  if (!e->spontaneous()) FormShow();
}

void TKreator::reject() {
  AnulujClick();
}

TGrupaOpcji* TKreator::GrupaOdpowiedzi(Grupa g) const {
  switch (g) {
    case Grupa::Podatnik: return Podatnik;
    case Grupa::Malzonek: return Malzonek;
    case Grupa::Ogolna: break;
  }
  return Odpowiedz;
}

std::span<QCheckBox* const> TKreator::Pola(Grupa g) const {
  switch (g) {
    case Grupa::Podatnik: return PZ;
    case Grupa::Malzonek: return MZ;
    case Grupa::Ogolna: break;
  }
  return OZ;
}

QLabel* TKreator::EtykietaPol(Grupa g) const {
  switch (g) {
    case Grupa::Podatnik: return TextP;
    case Grupa::Malzonek: return TextM;
    case Grupa::Ogolna: break;
  }
  return TextO;
}

void TKreator::PokazKrok() {
  const int n = LiczbaKrokow;
  if (Krok < 1) {
    Krok = 0;
    Wstecz->setEnabled(false);
    Dalej->setEnabled(true);
    Zakoncz->setEnabled(false);
    SPN->hide();
  } else {
    Wstecz->setEnabled(true);
    Dalej->setEnabled(true);
    Zakoncz->setEnabled(false);
    SPN->show();
  }
  if (Krok >= n) {
    Krok = n;
    Wstecz->setEnabled(true);
    Dalej->setEnabled(false);
    Zakoncz->setEnabled(false);
    SPN->hide();
  }

  if (Krok > 0) {
    Pytanie->resize(width() - POdpowiedzi->width() - 8, Pytanie->height());
    Pytanie->clear();
    TypAlgorytm->hide();
    Pytanie->show();
    POdpowiedzi->show();
    if (Tools) {
      const QString plik = Tools->FolderProgramu + QStringLiteral("alg/%1.%2.rtf").arg(Rodzaj + 1).arg(Krok);
      QString blad;
      if (!platform::WczytajPlikRtf(*Pytanie->document(), plik, &blad) && !blad.isEmpty())
        platform::ShowMessage(blad);
    }

    const TKrokKreatora& k = BiezacyKrok();
    if (Krok <= n - 1) {
      QString naglowek;
      if (Tools && Tools->BlokadaNarzedzi == 0) naglowek = QStringLiteral("  Krok %1 / %2").arg(Krok).arg(n - 1);
      static const QString kRodzaje[] = {QStringLiteral(" - rozliczenie indywidualne "),
                                         QStringLiteral(" - rozliczenie wspólnie z małżonkiem "),
                                         QStringLiteral(" - rozliczenie osoby samotnie wychowującej dziecko")};
      if (Rodzaj >= 0 && Rodzaj <= 2)
        naglowek += QLatin1Char(' ') +
                    (k.IdPit >= PitO ? QStringLiteral("Dobór załączników: ") : QStringLiteral("Dobór: ")) +
                    NazwaDruku(k.IdPit) + kRodzaje[Rodzaj];
      HeadPytanie->setText(naglowek);
    }

    const int lewa = SPN->x();
    Podatnik->setVisible(k.PokazPodatnik != 0);
    Podatnik->UstawItemIndex(k.OdpowiedzPodatnika);
    PPodatnik->setVisible(k.PokazPodatnik != 0);
    PIPodatnik->setVisible(k.PokazPodatnik != 0);
    if (k.PokazPodatnik) SPN->move(lewa, PPodatnik->y() + 10);

    Malzonek->setVisible(k.PokazMalzonek != 0);
    Malzonek->UstawItemIndex(k.OdpowiedzMalzonka);
    // A group box's client area is its whole height, title included: the spouse's set starts below the
    // taxpayer's answers, and the step buttons below the spouse's.
    PMalzonek->setGeometry(PMalzonek->x(), PPodatnik->y() + Podatnik->height() + 10, PMalzonek->width(),
                           Klient(Pytanie) - Klient(POdpowiedzi) - Klient(PPodatnik) + 4);
    PMalzonek->setVisible(k.PokazMalzonek != 0);
    PIMalzonek->setVisible(k.PokazMalzonek != 0);
    if (k.PokazMalzonek) SPN->move(lewa, PMalzonek->y() + Malzonek->height() + 8);

    Odpowiedz->setVisible(k.PokazOdpowiedz != 0);
    Odpowiedz->UstawItemIndex(k.OdpowiedzOgolna);
    POgolnie->setGeometry(POgolnie->x(), Klient(Tytul) + Klient(HeadPytanie) + POdpowiedzi->height() + 5,
                          POgolnie->width(), Klient(Pytanie) - Klient(POdpowiedzi) + 4);
    POgolnie->setVisible(k.PokazOdpowiedz != 0);
    if (k.PokazOdpowiedz) SPN->move(lewa, POgolnie->y() + Odpowiedz->height() + 8);
  } else {
    Pytanie->hide();
    HeadPytanie->setText(QStringLiteral("  Czy chcesz rozliczyć się: "));
    TypAlgorytm->show();
    for (QWidget* w : std::initializer_list<QWidget*>{Podatnik, Malzonek, Odpowiedz, PPodatnik, PMalzonek, POgolnie,
                                                      POdpowiedzi})
      w->hide();
    TypAlgorytm->resize(width() - 10, TypAlgorytm->height());
  }

  OpiszZalaczniki();
  if (Krok == n) PokazPodsumowanie();
}

void TKreator::PokazPodsumowanie() {
  HeadPytanie->setText(QStringLiteral(" Koniec doboru formularzy."));
  POdpowiedzi->hide();
  Pytanie->resize(width() - 10, Pytanie->height());
  if (!Tools) return;
  QTextDocument& tekst = *Pytanie->document();
  const int liczba = Tools->LiczbaDrukow;
  if (liczba > 0) {
    const QString koniec = Tools->FolderProgramu + QStringLiteral("alg/end.rtf");
    QString blad;
    if (!platform::WczytajPlikRtf(tekst, koniec, &blad) && !blad.isEmpty()) platform::ShowMessage(blad);
    WstawWiersz(tekst, 0, QStringLiteral("Na podstawie udzielonych odpowiedzi dobrano formularze:\n"));
    Zakoncz->setEnabled(true);
  }
  static const QString kGlowny[] = {QStringLiteral(" załączniki: "), QStringLiteral(" (Podatnika) załączniki: "),
                                    QStringLiteral(" (Małżonka)  załączniki: ")};
  static const QString kZalacznik[] = {QStringLiteral(", "), QStringLiteral(" (Podatnika), "),
                                       QStringLiteral(" (Małżonka), ")};
  const auto wlasciciel = [](const QString (&teksty)[3], int pm) { return pm >= 0 && pm <= 2 ? teksty[pm] : teksty[0]; };
  // Each line goes in under the header, so the main forms read in reverse order of the list.
  for (int i = 1; i <= liczba; ++i) {
    const TDruk& glowny = Tools->Druki[static_cast<std::size_t>(i)];
    if (glowny.IdParent != 0) continue;
    QString wiersz = QStringLiteral(" - ") + NazwaDruku(glowny.IdPit) + wlasciciel(kGlowny, glowny.PM);
    for (int j = 1; j <= liczba; ++j) {
      const TDruk& z = Tools->Druki[static_cast<std::size_t>(j)];
      if (z.IdParent == glowny.Id) wiersz += NazwaDruku(z.IdPit) + wlasciciel(kZalacznik, z.PM);
    }
    WstawWiersz(tekst, 2, wiersz);
  }
  if (liczba == 0)
    WstawWiersz(tekst, tekst.isEmpty() ? 0 : tekst.blockCount(),
                QStringLiteral("UWAGA:\nNie wybrano żadnego formularza. Naciśnij przycisk \"Wstecz\", aby powrócić do "
                               "poprzednich kroków doboru formularzy, lub naciśnij przycisk \"Anuluj\" aby zakonczyć "
                               "pracę kreatora."));
}

void TKreator::ZastosujKrok(bool naprzod) {
  if (Tools) ::ZastosujKrok(Rodzaj, Kroki, Krok, naprzod, *Tools);
}

void TKreator::DalejClick() {
  if (!Tools || Krok < 0 || Krok >= LiczbaKrokow) return;
  if (Krok == 0) {
    Rodzaj = std::max(TypAlgorytm->ItemIndex(), 0);
    Tools->RodzajRozliczenia = Rodzaj;
    if (const TabelaKrokow* t = Tabela(Rodzaj)) LiczbaKrokow = t->LiczbaKrokow();
    UstawKroki(Rodzaj, Kroki);
  }

  // The groups are checked as shown: a person whom this step does not ask has no group on screen.
  const TKrokKreatora& k = BiezacyKrok();
  bool brakOdpowiedzi = false;
  bool brakZalacznika = false;
  for (Grupa g : {Grupa::Podatnik, Grupa::Malzonek, Grupa::Ogolna}) {
    if (!GrupaOdpowiedzi(g)->isVisibleTo(this)) continue;
    const int odpowiedz = OdpowiedzGrupy(k, g);
    if (odpowiedz == kBrakOdpowiedzi) brakOdpowiedzi = true;
    if (odpowiedz == kTak && Dostepne(g) && !Zaznaczone(g)) brakZalacznika = true;
  }
  if (brakOdpowiedzi || brakZalacznika) {
    platform::MessageBox(brakOdpowiedzi
                             ? QStringLiteral("Nie udzielono wszystkich odpowiedzi. Udziel odpowiedzi i spróbuj ponownie.")
                             : QStringLiteral("Nie zaznaczono żadnego z załączników. Udziel odpowiedzi i spróbuj "
                                              "ponownie."),
                         QStringLiteral("UWAGA"), platform::Przyciski::Ok, platform::Ikona::Wykrzyknik);
    return;
  }

  ZastosujKrok(true);
  Krok = NastepnyKrok(Rodzaj, Kroki, Krok + 1, true, *Tools);
  PokazKrok();
  if (Tools->LiczbaDrukow > 0) Tools->BudujDrzewo();
}

void TKreator::WsteczClick() {
  if (!Tools || Krok <= 0) return;
  Krok = NastepnyKrok(Rodzaj, Kroki, Krok - 1, false, *Tools);
  ZastosujKrok(false);
  PokazKrok();
  Tools->BudujDrzewo();
}

void TKreator::OdpowiedzClick(Grupa g) {
  const int indeks = GrupaOdpowiedzi(g)->ItemIndex();
  OdpowiedzGrupy(BiezacyKrok(), g) = static_cast<std::int16_t>(indeks);
  // NIE only locks the boxes: their ticks stay, so TAK given again brings them back.
  for (QCheckBox* pole : Pola(g)) pole->setEnabled(indeks != kNie);
  ZaznaczJedyny(g);
}

void TKreator::ZmienionoPole(Grupa g, int i, bool zaznaczone) {
  StanyPol(BiezacyKrok(), g)[static_cast<std::size_t>(i)] = zaznaczone ? 1 : 0;
}

void TKreator::KliknietoPole(Grupa g, int i, bool zaznaczone) {
  if (!BiezacyKrok().JedenDrukGlowny) return;
  // One main form only: the box clicked is the one ticked, and clicking it again keeps it ticked.
  const auto pola = Pola(g);
  if (!zaznaczone) {
    pola[static_cast<std::size_t>(i)]->setChecked(true);
    return;
  }
  for (std::size_t j = 0; j < pola.size(); ++j)
    if (static_cast<int>(j) != i) pola[j]->setChecked(false);
}

void TKreator::ZaznaczJedyny(Grupa g) {
  QCheckBox* jedyny = nullptr;
  int widoczne = 0;
  for (QCheckBox* pole : Pola(g))
    if (pole->isVisibleTo(this)) {
      jedyny = pole;
      ++widoczne;
    }
  if (widoczne != 1) return;
  // A tick kept on a box hidden meanwhile must not stand beside this one where one main form only is allowed: both
  // would be attached once the hidden box's form came back.
  if (BiezacyKrok().JedenDrukGlowny) Wyczysc(g);
  jedyny->setChecked(true);
}

bool TKreator::Dostepne(Grupa g) const {
  for (QCheckBox* pole : Pola(g))
    if (pole->isEnabledTo(this) && pole->isVisibleTo(this)) return true;
  return false;
}

bool TKreator::Zaznaczone(Grupa g) const {
  // A tick kept on a hidden box is no answer: its main form is not there to attach to.
  for (QCheckBox* pole : Pola(g))
    if (pole->isVisibleTo(this) && pole->isChecked()) return true;
  return false;
}

void TKreator::Wyczysc(Grupa g) {
  for (auto& stan : StanyPol(BiezacyKrok(), g)) stan = 0;
  for (QCheckBox* pole : Pola(g)) pole->setChecked(false);
}

int TKreator::DrukDoPokazania() const {
  if (!Tools || Tools->LiczbaDrukow <= 0) return 0;
  const int z = Tools->ZnajdzDruk(PitZ);
  const int r = Tools->ZnajdzPierwszyZalacznik();
  if (Tools->Druki[static_cast<std::size_t>(r)].IdPit == PitB && z > 0) return 1;
  return r;
}

void TKreator::ZakonczClick() {
  if (!Tools || Tools->LiczbaDrukow <= 0) return;
  QDialog::accept();
  Tools->Zmodyfikowane = 1;
  Tools->ToolButtonSave->setEnabled(true);
  Tools->NazwaRozliczenia = QStringLiteral("nowe_rozliczenie.dc8");
  if (const int r = DrukDoPokazania(); r > 0) Tools->PokazDruk(Tools->Druki[static_cast<std::size_t>(r)].Wezel, 1);
}

void TKreator::AnulujClick() {
  if (Tools) {
    Tools->DobraneFormularze->setText(
        QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
    Tools->WyczyscRozliczenie();
  }
  QDialog::reject();
  if (Tools) Tools->PokazPowitanie(true);
}
