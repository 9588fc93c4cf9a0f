// Start-up: the application's own set-up, then the main window's single-instance guard, initial state, catalogue,
// screen check, first-start settings, command line and regional settings.

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolButton>
#include <QTranslator>
#include <QAction>
#include <QComboBox>

#include "main/info.h"
#include "main/tools.h"
#include "platform/aplikacja.h"
#include "platform/dialogi.h"
#include "platform/regionalne.h"
#include "platform/rtf.h"
#include "platform/system.h"
#include "platform/ustawienia.h"

namespace {

struct WierszKatalogu {
  const char* nazwa;
  int liczbaStron;
  bool wieleKopii;
};

constexpr std::array<WierszKatalogu, kLiczbaTypowDrukow> kKatalog = {{
    {"PIT-36", 6, false},  {"PIT-37", 3, false},  {"PIT-36L", 3, false},  {"PIT-38", 2, false},
    {"PIT-28", 4, false},  {"PIT/O", 3, true},    {"PIT/D", 2, false},    {"PIT/2K", 2, false},
    {"PIT/M", 1, false},   {"PIT/B", 2, true},    {"PIT/Z", 2, false},    {"PIT/ZG", 1, true},
    {"SSE-R", 4, false},   {"SSE/A", 2, false},   {"SSE-R/A", 2, false},  {"NIP-1", 4, false},
    {"NIP-3", 2, false},   {"PIT-28/A", 1, false}, {"PIT-28/B", 2, true},
}};

}  // namespace

const QString TTools::kTytulBezRozliczenia =
    QStringLiteral("Program rozliczenie roczne podatku dochodowego Velmary 2008  -  Korvanex");

const QString TTools::kTytulAplikacji = QStringLiteral("Program Rozliczenie Roczne Velmary 2008  -  Korvanex");

void UstawAplikacje(platform::Aplikacja& aplikacja) {
  aplikacja.UstawTytul(TTools::kTytulAplikacji);
  aplikacja.setApplicationName(QStringLiteral("velmar2008"));
  // Qt's own dialogs (buttons, file and print dialogs) speak Polish like the rest of the program.
  auto* tlumaczenieQt = new QTranslator(&aplikacja);
  if (tlumaczenieQt->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    aplikacja.installTranslator(tlumaczenieQt);
}

void TTools::Zakoncz() {
  if (auto* aplikacja = platform::Aplikacja::Instancja())
    aplikacja->Terminate();
  else
    QCoreApplication::quit();
}

bool TTools::JestNazwaRozliczenia(const QString& nazwa) {
  return nazwa.contains(QStringLiteral(".dc8")) || nazwa.contains(QStringLiteral(".DC8"));
}

void TTools::FormCreate() {
  // Per user: the lock lies in the settings folder.
  blokada_ = std::make_unique<platform::BlokadaInstancji>(QStringLiteral("TarvelVelmar2008"), platform::FolderUstawien());
  if (blokada_->JuzIstnieje()) {
    setWindowState(Qt::WindowMinimized);
    platform::ShowMessage(QStringLiteral("Program Velmar jest już uruchomiony."));
    Zakoncz();
  }
  BlokadaNarzedzi = 1;
  RodzajRozliczenia = 0;
  setWindowTitle(kTytulBezRozliczenia);

  statusBar()->setVisible(BlokadaNarzedzi == 0);
  PokazPowitanie(BlokadaNarzedzi == 1);
  UstawWysokoscListError(0);
  DobraneFormularze->setText(
      QStringLiteral("Informacja o programie Velmar 2008 - rozliczenie roczne podatku dochodowego."));
  ToolButtonSave->setEnabled(false);
  ToolButton6->setVisible(BlokadaNarzedzi == 0);
  ToolButton6->setEnabled(BlokadaNarzedzi == 0);

  PlikRozliczenia.clear();
  Zmodyfikowane = 0;
  PierwszeWyswietlenie = 1;
  SzerokoscWidoku = 800;
  Skala = 1.0f;
  BudowanieDrzewa = 0;
  TrybKlienta = 1;

  if (QScreen* ekran = QGuiApplication::primaryScreen()) {
    SzerokoscEkranu = SzerokoscEkranuProjektu = ekran->size().width();
    WysokoscEkranu = WysokoscEkranuProjektu = ekran->size().height();
  }
  FolderDc = FolderProgramu + QStringLiteral("dc/");

  StronaWczytana = 0;
  ObiektPodKursorem = 0;
  PlikDcg.clear();
  KrokKolka = 25;
  LiczbaStron = 0;
  LewaKrawedzStrony = 1;

  UstawDostepnosc(false);
  SelectObj->setCurrentIndex(0);

  // A welcome text that is missing leaves the panel's own; one that cannot be read is reported.
  QString blad;
  if (!platform::WczytajPlikRtf(*Powitanie->document(), FolderProgramu + QStringLiteral("alg/welcome.rtf"), &blad) &&
      !blad.isEmpty())
    platform::ShowMessage(blad);

  for (int kod = 1; kod <= kLiczbaTypowDrukow; ++kod) {
    const WierszKatalogu& w = kKatalog[kod - 1];
    UstawBajty(TypyDrukow[kod].Nazwa, w.nazwa);
    TypyDrukow[kod].LiczbaStron = w.liczbaStron;
    TypyDrukow[kod].WieleKopii = w.wieleKopii ? 1 : 0;
  }

  Druki.clear();
  LiczbaDrukow = 0;
  PokazWPasku(Zmiana, false);

  PokazPamiec();
  PokazZalAdd(false);
  UstawTryb(TrybKlienta == 1);
}

void TTools::FormShow() {
  if (SzerokoscEkranu < 800) {
    platform::MessageBox(QStringLiteral("Rozdzielczość ekranu nie odpowiada wymaganiom programu.\n Minimalna "
                                        "wymagana rozdzielczosc 800x600."),
                         QStringLiteral("Nie można uruchomić programu."), platform::Przyciski::Ok,
                         platform::Ikona::Wykrzyknik);
    setWindowState(Qt::WindowMinimized);
    Zakoncz();
  }

  // A file that was refused stays as it is; a first start's keys then hold in memory.
  platform::TIniFile& ini = Ustawienia();
  if (!ini.Blad().isEmpty()) platform::ShowMessage(ini.Blad());
  if (!ini.ReadBool(QStringLiteral("PIT"), QStringLiteral("Run"), false)) {
    ini.WriteBool(QStringLiteral("PIT"), QStringLiteral("Run"), true);
    ini.WriteString(QStringLiteral("PIT"), QStringLiteral("Path"), FolderProgramu);
    ini.WriteString(QStringLiteral("PIT"), QStringLiteral("Ver"), platform::WersjaPliku());
    ini.WriteBool(QStringLiteral("PIT"), QStringLiteral("AutoUpdate"), true);
    // The about box was made before these keys existed; it shows the switch as now written.
    if (Info) Info->WczytajPrzelacznik();
  }

  if (!ParametrWiersza.isEmpty()) {
    Zmodyfikowane = 0;
    if (JestNazwaRozliczenia(ParametrWiersza)) {
      // No form is shown: nothing is computed before the user picks one, so no settlement's values can cut
      // start-up short.
      if (OtworzRozliczenie(ParametrWiersza)) PlikRozliczenia = ParametrWiersza;
    } else {
      platform::ShowMessage(QStringLiteral("Podany plik nie jest plikiem programu Velmar 2008.\n") + ParametrWiersza);
      PlikRozliczenia.clear();
      setWindowState(Qt::WindowMinimized);
      Zakoncz();
    }
  }

  SprawdzUstawieniaRegionalne();
}

void TTools::SprawdzUstawieniaRegionalne() {
  platform::UstawieniaRegionalne regionalne(platform::FolderUstawien());
  if (!regionalne.Blad().isEmpty()) platform::ShowMessage(regionalne.Blad());
  QString lista;
  if (regionalne.SeparatorDziesietny() != QLatin1Char(','))
    lista += QStringLiteral("\n - ustawienie separatora dziesiętnego: konieczne jest ustawienie separatora na "
                            "symbol: ',' (0,00), ");
  if (regionalne.SeparatorDaty() != QLatin1Char('-'))
    lista += QStringLiteral("\n - ustawienie separatora daty: konieczne jest ustawienie separatora na symbol: '-' "
                            "(0000-00-00), ");
  if (lista.isEmpty()) return;

  const QString tekst =
      QStringLiteral("Program wykrył nieprawidłowe ustawienia regionalne!\n\n Do prawidłowego działania programu "
                     "niezbędna jest zmiana następujących ustawień regionalnych: \n") +
      lista + QStringLiteral("\n\n Możliwa jest automatyczna zmiana tych ustawień. Czy chcesz wprowadzić je teraz?");
  const auto odpowiedz = platform::MessageBox(tekst, QStringLiteral("Nieprawidłowe ustawienia regionalne!"),
                                              platform::Przyciski::TakNie, platform::Ikona::Wykrzyknik);
  if (odpowiedz == platform::Odpowiedz::Tak) {
    if (regionalne.Zmien(QLatin1Char(','), QLatin1Char('-')))
      platform::ShowMessage(QStringLiteral(" Zmiany zakończyły się sukcesem.\n Proszę ponownie uruchomić program."));
    else
      platform::ShowMessage(QStringLiteral(" Nie można zmienić ustawień - brak uprawnień.\n Zmiana ustawień wymaga "
                                           "uprawnień administratora.\n Proszę skontaktować się z administratorem "
                                           "komputera."));
  }
  Zakoncz();
}
