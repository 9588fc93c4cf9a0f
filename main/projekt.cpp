// The designer's structure commands of the main window: a new structure,
// opening one, saving it under a new name, adding a page picture, the zoom
// slider, and the Shift and Ctrl keys held for copying objects.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QTreeWidget>

#include "main/tools.h"
#include "pages/fimage.h"
#include "pages/nakladka.h"
#include "pages/obiekty_plik.h"
#include "pages/projektant.h"
#include "pages/rysowanie.h"
#include "platform/dialogi.h"
#include "platform/odczyt.h"

namespace {

// A name inside a folder, with one separator between them whether or not the
// folder ends with one.
QString WFolderze(const QString &folder, const QString &nazwa) {
  if (folder.isEmpty() || folder.endsWith(QLatin1Char('/'))) return folder + nazwa;
  return folder + QLatin1Char('/') + nazwa;
}

// A structure's files are copied only when they are regular files no larger than a page picture may be; a FIFO
// or a device among them is never waited on. The target is never overwritten. Empty: copied; else why not.
constexpr qint64 kNajwiekszyPlikStruktury = qint64{32} << 20;

QString KopiujPlik(const QString &zrodlo, const QString &cel) {
  const platform::OdczytanyPlik plik = platform::CzytajPlik(zrodlo, kNajwiekszyPlikStruktury);
  if (!plik.Udany()) return plik.blad;
  QFile kopia(cel);
  if (!kopia.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return QStringLiteral("Nie można utworzyć pliku:\n") + cel;
  if (kopia.write(plik.dane) != plik.dane.size() || !kopia.flush()) {
    kopia.remove();
    return QStringLiteral("Nie można zapisać pliku:\n") + cel;
  }
  return {};
}

// Creates one missing folder level; false when it is still not there.
bool UtworzFolder(const QString &folder) {
  const QFileInfo info(folder);
  if (info.isDir()) return true;
  return !info.exists() && QDir().mkdir(folder);
}

// The page picture's extension, at most five characters after its last dot, as
// a structure's file names have it.
QString Rozszerzenie(const QString &nazwa) {
  const qsizetype kropka = nazwa.lastIndexOf(QLatin1Char('.'));
  return kropka < 0 ? QString() : nazwa.mid(kropka + 1, 5);
}

// Where the structure lives, to go back to when a save fails half-way.
struct MiejsceStruktury {
  QString folderDruku, podfolderDrukow, plikDcd, plikDcs, plikDcg;

  static MiejsceStruktury Z(const TTools &t) {
    return {t.FolderDruku, t.PodfolderDrukow, t.PlikDcd, t.PlikDcs, t.PlikDcg};
  }
  void Przywroc(TTools &t) const {
    t.FolderDruku = folderDruku;
    t.PodfolderDrukow = podfolderDrukow;
    t.PlikDcd = plikDcd;
    t.PlikDcs = plikDcs;
    t.PlikDcg = plikDcg;
  }
};

// Main-window and tree keys reach the designer's handlers; the page view takes
// its own.
class KlawiszeProjektu : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject *obiekt, QEvent *zdarzenie) override {
    const QEvent::Type rodzaj = zdarzenie->type();
    if (!Tools || (rodzaj != QEvent::KeyPress && rodzaj != QEvent::KeyRelease)) return false;
    auto *klawisz = static_cast<QKeyEvent *>(zdarzenie);
    if (klawisz->isAutoRepeat()) return false;
    const bool wcisniety = rodzaj == QEvent::KeyPress;
    if (obiekt == Tools->TV) return wcisniety ? Tools->TVKeyDown(klawisz->key()) : Tools->TVKeyUp(klawisz->key());
    return wcisniety ? Tools->FormKeyDown(klawisz->key()) : Tools->FormKeyUp(klawisz->key());
  }
};

// A key press of the designer from the main window or the tree: the flag, the
// drag cursor and the status text.
bool KlawiszWcisniety(int klawisz, const QString &zrodlo) {
  if (!Tools || Tools->TrybKlienta != 0 || !FImage) return false;
  if (klawisz == Qt::Key_Shift) {
    FImage->Shift = 1;
    UstawPanelStatusu(3, QStringLiteral("Shift ") + zrodlo);
  } else if (klawisz == Qt::Key_Control) {
    FImage->Ctrl = 1;
    UstawPanelStatusu(3, QStringLiteral("Ctrl ") + zrodlo);
  } else {
    return false;
  }
  FImage->Formatka->setCursor(Qt::DragMoveCursor);
  return true;
}

bool KlawiszZwolniony(int klawisz) {
  if (!Tools || Tools->TrybKlienta != 0 || !FImage) return false;
  if (klawisz != Qt::Key_Shift && klawisz != Qt::Key_Control) return false;
  (klawisz == Qt::Key_Shift ? FImage->Shift : FImage->Ctrl) = 0;
  FImage->Formatka->setCursor(Qt::ArrowCursor);
  UstawPanelStatusu(3, QString());
  return true;
}

}  // namespace

void TTools::PolaczProjekt() {
  connect(NowyFormularz, &QAction::triggered, this, &TTools::NowyFormularzClick);
  connect(ButtonNew, &QAction::triggered, this, &TTools::NowyFormularzClick);
  connect(OtworzFormularz, &QAction::triggered, this, &TTools::OtworzFormularzClick);
  connect(ButtonOpen, &QAction::triggered, this, &TTools::OtworzFormularzClick);
  connect(ZapiszFormularzJako, &QAction::triggered, this, &TTools::ZapiszFormularzJakoClick);
  connect(ButtonSave, &QAction::triggered, this, &TTools::ZapiszFormularzJakoClick);
  connect(DodajStroneDruku, &QAction::triggered, this, &TTools::DodajStroneDrukuClick);
  connect(ButtonAddPage, &QAction::triggered, this, &TTools::DodajStroneDrukuClick);
  connect(TrackBar, &QSlider::valueChanged, this, &TTools::TrackBarChange);
  connect(NazwyPol, &QAction::triggered, this, &TTools::NazwyPolClick);
  connect(PodswietlPol, &QAction::triggered, this, &TTools::PodswietlPolClick);
  connect(SelectObj, &QComboBox::activated, this, &TTools::SelectObjChange);
  auto *klawisze = new KlawiszeProjektu(this);
  installEventFilter(klawisze);
  TV->installEventFilter(klawisze);
}

namespace {

// The page view in the main window, in front of the welcome text.
void OtworzWidok(TTools &t) {
  t.PokazPowitanie(false);
  FImage->Otworz();
}

// The designer starts on a structure with nothing selected, dragged or drawn,
// and no picture of another form.
void ZacznijStrukture(TTools &t) {
  t.WybranyObiekt = -1;
  t.ObiektPodKursorem = 0;
  t.ObiektNadKursorem = -1;
  FImage->PrzesuwanyObiekt = -1;
  FImage->UchwytyWidoczne = 0;
  FImage->Rysowanie = 0;
  FImage->Przesuwanie = 0;
  FImage->UchwytAktywny = 0;
  FImage->Obrysy->Wyczysc();
  UstawObiekty(FImage, {});
  t.ObrazStrony.reset();
  t.StronaWczytana = 0;
  FImage->IDruk->UstawObraz({});
}

QString TekstSkali(float skala) { return QString::number(skala); }

}  // namespace

void TTools::NowyFormularzClick() {
  if (!FImage) return;
  ZacznijStrukture(*this);
  LiczbaStron = 0;
  BiezacaStrona = 0;
  PodfolderDrukow = QStringLiteral("tmp");
  FolderDruku = WFolderze(FolderDc, PodfolderDrukow);
  // The scratch structure's own files; its folder is made when its first page
  // is added.
  PlikDcd = WFolderze(FolderDruku, PodfolderDrukow + QStringLiteral(".dcd"));
  PlikDcs = WFolderze(FolderDruku, PodfolderDrukow + QStringLiteral(".dcs"));
  PlikDcg.clear();
  OtworzWidok(*this);
  WyczyscStrone();
  UstawDostepnosc(true);
}

void TTools::OtworzFormularzClick() {
  if (!FImage) return;
  platform::UstawieniaPliku ustawienia;
  ustawienia.filtr = QStringLiteral("Plik projektu|*.dcd");
  ustawienia.folder = WFolderze(FolderDc, QString());
  const auto wybrany = platform::AktywneDialogi().PlikDoOtwarcia(ustawienia);
  if (!wybrany || wybrany->isEmpty()) return;

  const MiejsceStruktury poprzednie = MiejsceStruktury::Z(*this);
  const QFileInfo plik(*wybrany);
  PodfolderDrukow = plik.completeBaseName();
  FolderDruku = plik.absolutePath() + QLatin1Char('/');
  PlikDcd = *wybrany;
  if (!WczytajNaglowekFormularza()) {
    poprzednie.Przywroc(*this);
    return;
  }
  PlikDcs = WFolderze(FolderDruku, PodfolderDrukow + QStringLiteral(".dcs"));
  ZacznijStrukture(*this);
  BiezacaStrona = LiczbaStron > 0 ? 1 : 0;
  PlikDcg = LiczbaStron > 0 ? WFolderze(FolderDruku, PodfolderDrukow + QStringLiteral("_1.dcg")) : QString();
  OtworzWidok(*this);
  if (LiczbaStron > 0 && WczytajObrazStrony()) {
    UstawPanelStatusu(4,
                      QStringLiteral(" Roz.rob.druk: %1x%2").arg(SzerokoscWidokuProjektu).arg(WysokoscWidokuProjektu));
    UstawPanelStatusu(
        5, QStringLiteral("  Roz.akt.druk: %1x%2 Skala:").arg(SzerokoscWidoku).arg(WysokoscWidoku) + TekstSkali(Skala));
    WyczyscNakladke();
    if (QFileInfo::exists(PlikDcs)) WczytajIRysujObiekty(FImage);
  } else {
    WyczyscStrone();
  }
  UstawDostepnosc(true);
}

void TTools::ZapiszFormularzJakoClick() {
  platform::UstawieniaPliku ustawienia;
  ustawienia.tytul = QStringLiteral("Zapisz formularz jako");
  ustawienia.filtr = QStringLiteral("struktura formularza (*.dcd)|*.dcd");
  ustawienia.folder = FolderDc;
  ustawienia.potwierdzNadpisanie = true;
  const auto wybrany = platform::AktywneDialogi().PlikDoZapisu(ustawienia);
  if (!wybrany || wybrany->isEmpty()) return;
  // The name names a folder and the stem of its files, so the extension the
  // dialog adds is not part of it.
  QString nazwa = QFileInfo(*wybrany).fileName();
  if (nazwa.endsWith(QStringLiteral(".dcd"), Qt::CaseInsensitive)) nazwa.chop(4);
  if (nazwa.isEmpty()) return;
  ZapiszFormularz(nazwa);
}

bool TTools::ZapiszFormularz(const QString &nazwa) {
  const MiejsceStruktury poprzednie = MiejsceStruktury::Z(*this);
  if (!UtworzFolder(FolderDc)) {
    platform::ShowMessage(QStringLiteral("Tworzenie glownego folderu  dokumentow [") + FolderDc +
                          QStringLiteral("] nie powiodło się."));
    return false;
  }
  const QString folder = WFolderze(FolderDc, nazwa);
  if (!UtworzFolder(folder)) {
    platform::ShowMessage(QStringLiteral("Tworzenie folderu [") + folder + QStringLiteral("] nie powiodło się!"));
    return false;
  }
  FolderDruku = folder;
  PodfolderDrukow = QFileInfo(folder).fileName();
  PlikDcd = WFolderze(FolderDruku, nazwa + QStringLiteral(".dcd"));
  PlikDcs = WFolderze(FolderDruku, nazwa + QStringLiteral(".dcs"));
  if (!StronaWczytana) {
    ZapiszNaglowekFormularza();
    return true;
  }
  if (!KopiujPlikiFormularza(WFolderze(poprzednie.folderDruku, QString()), poprzednie.podfolderDrukow,
                             QStringLiteral("*"))) {
    platform::ShowMessage(QStringLiteral("Kopiowanie plików formularza do folderu [") + FolderDruku +
                          QStringLiteral("] nie powiodło się."));
    poprzednie.Przywroc(*this);
    return false;
  }
  PlikDcg = WFolderze(FolderDruku, PodfolderDrukow + QStringLiteral("_%1.dcg").arg(BiezacaStrona));
  return true;
}

bool TTools::KopiujPlikiFormularza(const QString &folder, const QString &staryRdzen, const QString &rozszerzenie) {
  bool wszystkie = true;
  const QFileInfoList pliki =
      QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QFileInfo &plik : pliki) {
    const QString nazwa = plik.fileName();
    if (rozszerzenie != QStringLiteral("*") && Rozszerzenie(nazwa) != rozszerzenie) continue;
    QString nowa = nazwa;
    if (const qsizetype pozycja = staryRdzen.isEmpty() ? -1 : nowa.indexOf(staryRdzen); pozycja >= 0)
      nowa.remove(pozycja, staryRdzen.size());
    const QString cel = WFolderze(FolderDruku, PodfolderDrukow + nowa);
    // A file already there is kept, never overwritten.
    if (QFileInfo::exists(cel)) continue;
    if (!KopiujPlik(plik.filePath(), cel).isEmpty()) wszystkie = false;
  }
  return wszystkie;
}

void TTools::DodajStroneDrukuClick() {
  if (!FImage) return;
  if (!UtworzFolder(FolderDc)) {
    platform::ShowMessage(QStringLiteral("Tworzenie folderu [") + FolderDc + QStringLiteral("] nie powiodło się."));
    return;
  }
  // The structure's pages lie beside its header: in the folder it was made,
  // opened or saved in.
  const QString folder = FolderDruku.isEmpty() ? WFolderze(FolderDc, PodfolderDrukow) : FolderDruku;
  if (!UtworzFolder(folder)) {
    platform::ShowMessage(QStringLiteral("Tworzenie folderu [") + folder + QStringLiteral("] nie powiodło się!"));
    return;
  }
  FolderDruku = folder;

  platform::UstawieniaPliku ustawienia;
  ustawienia.filtr = QStringLiteral("Obraz strony (*.svg;*.png;*.jpg;*.jpeg)|*.svg;*.png;*.jpg;*.jpeg");
  ustawienia.folder = FolderDc;
  const auto obraz = platform::AktywneDialogi().PlikDoOtwarcia(ustawienia);
  if (!obraz || obraz->isEmpty()) return;

  const QString plikStrony = WFolderze(FolderDruku, PodfolderDrukow + QStringLiteral("_%1.dcg").arg(LiczbaStron + 1));
  // A picture already there under the page's name stays and is the page.
  const bool skopiowany = !QFileInfo::exists(plikStrony);
  if (const QString blad = skopiowany ? KopiujPlik(*obraz, plikStrony) : QString(); !blad.isEmpty()) {
    platform::ShowMessage(QStringLiteral("Nie można skopiować obrazu strony:\n") + *obraz +
                          QStringLiteral("\ndo pliku:\n") + plikStrony + QStringLiteral("\n") + blad);
    return;
  }
  const QString poprzedniDcg = PlikDcg;
  PlikDcg = plikStrony;
  OtworzWidok(*this);
  if (!WczytajObrazStrony()) {
    // Not a picture the page can show: the structure keeps its pages.
    if (skopiowany) QFile::remove(plikStrony);
    PlikDcg = poprzedniDcg;
    return;
  }
  LiczbaStron += 1;
  BiezacaStrona = LiczbaStron;
  if (FImage->PozycjaPionowa() > 0) FImage->UstawPozycjePionowa(0);
  FImage->UchwytyWidoczne = 0;
  FImage->Obrysy->Wyczysc();
  WyczyscNakladke();
  ZapiszNaglowekFormularza();
  RysujObrazStrony();
  UstawPanelStatusu(4, QStringLiteral(" Roz.rob.druk: %1x%2").arg(SzerokoscWidokuProjektu).arg(WysokoscWidokuProjektu));
  UstawPanelStatusu(
      5, QStringLiteral(" Roz.akt.druk: %1x%2 Skala:").arg(SzerokoscWidoku).arg(WysokoscWidoku) + TekstSkali(Skala));
}

void TTools::TrackBarChange() {
  const int polozenie = TrackBar->value() / 10 * 10;
  // Snapping runs this handler once more, nested; both runs size the overlay
  // alike.
  if (polozenie != TrackBar->value()) TrackBar->setValue(polozenie);
  SzerokoscPowiekszenia = static_cast<int>(static_cast<long long>(polozenie) * SzerokoscMetapliku / 100);
  WysokoscPowiekszenia = static_cast<int>(static_cast<long long>(polozenie) * WysokoscMetapliku / 100);
  if (FImage) {
    TNakladka *formatka = FImage->Formatka;
    formatka->Wyczysc(SzerokoscPowiekszenia, WysokoscPowiekszenia);
    {
      TRysowanieNakladki rysowanie(*formatka);
      if (gdi::Plotno *plotno = rysowanie.Plotno()) {
        plotno->stan().pioro = qRgb(0, 0, 0);
        plotno->Rysuj({0, 0, SzerokoscPowiekszenia, WysokoscPowiekszenia});
      }
    }
    FImage->DopasujKartke();
  }
  UstawPanelStatusu(0, QStringLiteral("%1 x %2").arg(WysokoscMetapliku).arg(SzerokoscMetapliku));
  UstawPanelStatusu(
      2, QStringLiteral("Skala:%1:%2 - %3 %").arg(SzerokoscPowiekszenia).arg(WysokoscPowiekszenia).arg(polozenie));
}

void TTools::NazwyPolClick() {
  if (StronaWczytana) PokazStrone(BiezacyTyp, BiezacaStrona, true);
}

void TTools::PodswietlPolClick() {
  if (StronaWczytana) PokazStrone(BiezacyTyp, BiezacaStrona, true);
}

void TTools::SelectObjChange() { focusNextChild(); }

bool TTools::FormKeyDown(int klawisz) { return KlawiszWcisniety(klawisz, QStringLiteral("Tools")); }
bool TTools::FormKeyUp(int klawisz) { return KlawiszZwolniony(klawisz); }
bool TTools::TVKeyDown(int klawisz) { return KlawiszWcisniety(klawisz, QStringLiteral("TV")); }
bool TTools::TVKeyUp(int klawisz) { return KlawiszZwolniony(klawisz); }
