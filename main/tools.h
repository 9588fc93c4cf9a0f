#pragma once
// The main window: owns the settlement and the application state.

#include <QList>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include <QIcon>

#include "model/druk.h"
#include "model/obiekt.h"
#include "model/rozliczenie.h"

namespace platform {
class Aplikacja;
class BlokadaInstancji;
class PlikProgramu;
class TIniFile;
}

class QAction;
class QLabel;
class QListWidget;
class QMdiArea;
class QMenu;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTextEdit;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QComboBox;
class QSlider;
class QPicture;
class QPrinter;

class TTools : public QMainWindow {
  Q_OBJECT

 public:
  // folderProgramu: where dc/ and alg/ lie; empty = the executable's folder.
  explicit TTools(const QString& folderProgramu = {}, QWidget* parent = nullptr);
  ~TTools() override;

  // --- the settlement ---
  // The main window owns it; the names below are its own, kept here for the windows that use them.
  Rozliczenie Rozl;
  std::vector<TDruk>& Druki = Rozl.Druki;
  std::int32_t& LiczbaDrukow = Rozl.LiczbaDrukow;
  std::array<TOsoba, 2>& Osoby = Rozl.Osoby;
  std::int32_t& RodzajRozliczenia = Rozl.RodzajRozliczenia;

  // --- application state ---
  std::uint8_t BlokadaNarzedzi = 1;
  std::vector<TDruk> Kandydaci;
  TDruk BiezacyDruk{};
  // The lasting states of records (record, message) the user has been told of, while they last; they go with the
  // records they name.
  std::set<std::pair<int, QString>> TrwajaceStany;
  TDruk KandydatKlikniety{};
  std::array<TTypDruku, kLiczbaTypowDrukow + 1> TypyDrukow{};
  std::uint8_t StronaWczytana = 0;
  std::uint8_t ObiektPodKursorem = 0;
  std::uint8_t PierwszeWyswietlenie = 1;
  std::uint8_t BudowanieDrzewa = 0;
  std::uint8_t Zmodyfikowane = 0;
  std::int32_t LewaKrawedzStrony = 1;
  std::int32_t KrokKolka = 25;
  std::int32_t WysokoscMetapliku = 0, SzerokoscMetapliku = 0;
  std::int32_t WysokoscWidoku = 0, SzerokoscWidoku = 800;
  std::int32_t LiczbaObiektow = 0;
  std::int32_t LiczbaStron = 0;
  std::int32_t BiezacaStrona = 0;
  std::int32_t ObiektNadKursorem = 0, WybranyObiekt = 0;
  std::int32_t SzerokoscEkranu = 0, WysokoscEkranu = 0;
  std::int32_t WysokoscEkranuProjektu = 0, SzerokoscEkranuProjektu = 0;
  std::int32_t WysokoscWidokuProjektu = 0, SzerokoscWidokuProjektu = 0;
  std::int32_t SzerokoscPowiekszenia = 0, WysokoscPowiekszenia = 0;
  std::int32_t BiezacyTyp = 0;
  std::int32_t TrybKlienta = 1;
  std::int32_t LiczbaKandydatow = 0, DodatkoweKopie = 0;
  float Skala = 1.0f;
  QString PodfolderDrukow;
  QString FolderProgramu;  // ends with '/'
  QString FolderDc;
  QString FolderDruku, PlikDcd, PlikDcs;
  QString PlikDcg;
  QString PlikRozliczenia;
  QString NazwaRozliczenia;
  QString ParametrWiersza;  // the first command-line argument

  static const QString kTytulBezRozliczenia;
  static const QString kTytulAplikacji;

  // --- settlement model ---
  bool MaDruki() const { return Rozl.MaDruki(); }
  int ZnajdzDruk(int idPit) const { return Rozl.ZnajdzDruk(idPit); }
  int ZnajdzDrukRodzic(int idPit, int idParent) const { return Rozl.ZnajdzDrukRodzic(idPit, idParent); }
  int ZnajdzDrukPM(int idPit, int pm) const { return Rozl.ZnajdzDrukPM(idPit, pm); }
  int PoliczDruki(int idPit, int idParent, int pm) const { return Rozl.PoliczDruki(idPit, idParent, pm); }
  int ZnajdzDrukRodzicPM(int idPit, int idParent, int pm) const { return Rozl.ZnajdzDrukRodzicPM(idPit, idParent, pm); }
  int ZnajdzPierwszyZalacznik() const { return Rozl.ZnajdzPierwszyZalacznik(); }
  void DodajDruk(int idPit, int idParent, int pm, int rodzaj) { Rozl.DodajDruk(idPit, idParent, pm, rodzaj); }
  void UsunDruk(int idPit, int idParent, int pm) { Rozl.UsunDruk(idPit, idParent, pm); }
  // Drops the records with the tree and the page view that show them.
  void WyczyscRozliczenie();
  // Lets the form on screen go before the records are replaced: the page view closed with its editors and no
  // record current, so nothing meant for the old records reaches the new ones.
  void ZwolnijDruk();
  TDruk ZnajdzDrukWezla(const QTreeWidgetItem* wezel) const;
  // The same without a copy: null when the node holds no record.
  const TDruk* DrukWezla(const QTreeWidgetItem* wezel) const;
  void BudujDrzewo();
  // A fresh block for n records plus the empty slot 0.
  void PrzydzielDruki(int n) { Rozl.PrzydzielDruki(n); }
  // "dodaj/usuń druk": the manual chooser opened on the current settlement.
  void ZmianaClick();

  // --- settlement files ---
  // Reads and checks the whole file first; false (with a message) leaves the settlement as it was.
  bool OtworzRozliczenie(const QString& sciezka);
  // Saves under the path, asking for a name when it is empty or names no file; false when cancelled or failed.
  bool ZapiszRozliczenie(const QString& sciezka);
  // Replaces the file atomically by records 1..LiczbaDrukow; false (with a message) keeps the old file.
  bool ZapiszDruki(const QString& sciezka);
  // "Zapisanie zmian" before the settlement is dropped; false: the operation stops.
  bool PytanieOZapis(bool zAnulowaniem);
  void OtworzClick(bool sprawdzIstnienie);
  void Zamknij1Click();
  void RozpocznijKreator();
  // After opening: the first record's form at page 1.
  void PokazPierwszyDruk();

  // --- start-up ---
  // The settings file "velmar2008.ini", read once when the main window is made; the windows and the update read and
  // write it through here. A file that was refused is never written: its settings then live in memory only.
  platform::TIniFile& Ustawienia() { return *ustawienia_; }
  const platform::TIniFile& Ustawienia() const { return *ustawienia_; }
  void FormCreate();
  void FormShow();
  void SprawdzUstawieniaRegionalne();
  void UstawTryb(bool klient);
  void UstawDostepnosc(bool wlacz);
  void PokazPamiec();
  void PokazZalAdd(bool widoczny);
  // Powitanie and RozpocznijPrace shown or hidden together.
  void PokazPowitanie(bool widoczne);
  // Shows or hides a control, also one that stands on a tool bar.
  void PokazWPasku(QWidget* kontrolka, bool widoczna);

  // The command-line rule: a settlement file name holds ".dc8" or ".DC8".
  static bool JestNazwaRozliczenia(const QString& nazwa);
  // Ends the program when control returns to the event loop.
  void Zakoncz();

  // The settlement kind's caption over the tree.
  static QString TekstRodzaju(int rodzaj);
  // ListError: the computations' report line; height 0 hides it, 40 shows it.
  void UstawWysokoscListError(int wysokosc);
  int WysokoscListError() const { return wysokoscListError_; }

  std::array<QIcon, 6> ImagePit;

  // --- controls (objectName as the member name) ---
  QTreeWidget* TV = nullptr;
  QListWidget* ListError = nullptr;
  QTextEdit* Powitanie = nullptr;
  QPushButton* RozpocznijPrace = nullptr;
  QLabel* DobraneFormularze = nullptr;
  QSplitter* Splitter = nullptr;
  QMdiArea* ObszarMdi = nullptr;
  QToolBar* CoolBar = nullptr;
  QToolButton* Zmiana = nullptr;
  QToolButton* ZalAdd = nullptr;
  QLabel* InfoPit = nullptr;
  QLabel* Strona = nullptr;
  QLabel* InfoPage = nullptr;
  QToolButton* PitPrevPageEnd = nullptr;
  QToolButton* PitPrevPage = nullptr;
  QToolButton* PitNextPage = nullptr;
  QToolButton* PitNextPageEnd = nullptr;
  QToolBar* ToolBarKlienta = nullptr;
  QToolBar* ToolBarNarzedziowy = nullptr;
  QAction* ToolButton1 = nullptr;
  QAction* ToolButton2 = nullptr;
  QAction* ToolButtonSave = nullptr;
  QAction* BWydruk = nullptr;
  QAction* ToolButton10 = nullptr;
  QAction* ToolButton6 = nullptr;
  QAction* ButtonNew = nullptr;
  QAction* ButtonOpen = nullptr;
  QAction* ButtonSave = nullptr;
  QAction* ButtonAddPage = nullptr;
  QAction* ButtonInternet = nullptr;
  QAction* ButtonTrybEdycji = nullptr;
  QAction* ToolButton8 = nullptr;
  QAction* Drukuj = nullptr;
  QComboBox* SelectObj = nullptr;
  QAction* Button1 = nullptr;
  QSlider* TrackBar = nullptr;
  std::array<QLabel*, 6> PanelStatusu{};

  // Client menu MenuKlienta.
  QMenu* Rozliczenie1 = nullptr;
  QAction* Nowe1 = nullptr;
  QAction* Otw1 = nullptr;
  QAction* Zamknij1 = nullptr;
  QAction* Zapisz1 = nullptr;
  QAction* Zapiszjako1 = nullptr;
  QAction* Drukuj2 = nullptr;
  QAction* Zamknijprogram1 = nullptr;
  QAction* Informacjaoprogramie1 = nullptr;
  // Designer menu MenuNarzedziowe.
  QMenu* Plik1 = nullptr;
  QAction* NowyFormularz = nullptr;
  QAction* OtworzFormularz = nullptr;
  QAction* Zapisz2 = nullptr;
  QAction* ZapiszFormularzJako = nullptr;
  QAction* DodajStroneDruku = nullptr;
  QAction* Zamknij2 = nullptr;
  QAction* Drukuj1 = nullptr;
  QAction* Koniec = nullptr;
  QMenu* Widok1 = nullptr;
  QAction* AutoOpcje = nullptr;
  QAction* NazwyPol = nullptr;
  QAction* PodswietlPol = nullptr;
  QAction* Oprogramie2 = nullptr;

  // --- form pages ---
  std::shared_ptr<class TObrazStrony> ObrazStrony;  // picture of the shown page
  void PokazDruk(QTreeWidgetItem* wezel, int strona);
  // The tree selects the node of the form on screen, or nothing when no page is shown.
  void ZaznaczWezelNaEkranie();
  // False when the page could not be shown; the previous page, its sizes and paths then stay.
  bool PokazStrone(int kodDruku, int strona, bool odswiez);
  void UstawNawigacje(int strona);
  void ZapiszNaglowekFormularza();
  // False (with a message) when PlikDcd cannot be read or is shorter than a header; nothing changes then.
  bool WczytajNaglowekFormularza();
  void UstawNaglowekFormularza(const TNaglowekFormularza& naglowek);
  // False (with a message) when PlikDcg is missing or no picture; the shown picture then stays.
  bool WczytajObrazStrony();
  void UstawObrazStrony(std::shared_ptr<TObrazStrony> obraz);
  void RysujObrazStrony();
  void WyczyscNakladke();
  void WyczyscStrone();
  void TVChange(QTreeWidgetItem* wezel);
  void TVMouseMove();
  void TVMouseUp(Qt::MouseButton przycisk);
  void PitNextPageClick();
  void PitPrevPageClick();
  void PitPrevPageEndClick();
  void PitNextPageEndClick();
  void FormMouseWheelDown();
  void FormMouseWheelUp();
  void ZalAddClick();

  // --- printing ---
  // The designer's print of the shown page from the view's objects; false when no page is shown or it failed.
  bool Drukuj1Click(QPrinter& drukarka);

  // --- online update ---
  // The system services the update and the about box reach (main/aktualizacja_siec.h); null = the system's own,
  // tests put recorders in their place.
  struct UslugiSystemu;
  std::shared_ptr<UslugiSystemu> Uslugi;
  UslugiSystemu& UslugiWUzyciu() const;
  // How long a transfer may stay silent, and how long the description's and the installer's may take in all.
  int LimitBezczynnosciMs = 30000;
  int LimitOpisuMs = 60000;
  int LimitInstalatoraMs = 30 * 60 * 1000;
  // A check runs, from its connection test to its outcome; a second one is refused meanwhile. Nothing of it blocks:
  // every network step answers from the event loop.
  bool AktualizacjaWToku() const { return aktualizacjaWToku_; }
  QString WersjaProgramu() const;
  QString WersjaAktualizacji() const;  // UPDATE/Ver of the local update.ini
  QString NazwaPlikuAktualizacji() const;  // UPDATE/File of the local update.ini
  QString SumaAktualizacji() const;  // UPDATE/SHA256 of the local update.ini: the installer's SHA-256, if named
  // The numbers of a dotted version, part by part; empty for a text that is no version (an empty part, another
  // character, a part of more than nine digits).
  static std::vector<unsigned> WersjaNaLiczby(const QString& wersja);
  // Below, at or above 0 as version a is older than, the same as or newer than b, compared part by part as numbers;
  // missing trailing parts count as 0 and a text that is no version as version 0.
  static int PorownajWersje(const QString& a, const QString& b);
  // PIT/SerwerAktualizacji of "velmar2008.ini", without a trailing '/'.
  QString SerwerAktualizacji() const;
  // The connection test; its answer comes from the event loop.
  void JestPolaczenie(std::function<void(bool polaczono)> wynik);
  enum class WynikPobrania { Pobrano, Blad, Przerwano };
  // The description into the program folder, through the progress window when verbose (its Anuluj gives it up);
  // the previous file stays unless a good one arrived.
  void PobierzPlikIni(const QString& url, const QString& sciezka, bool verbose,
                      std::function<void(WynikPobrania)> dalej);
  // The installer, its progress in the progress window; szyfrowane: it came over HTTPS; dlugoscPotwierdzona: it is
  // as long as the server announced.
  void PobierzAktualizacje(const QString& url, const QString& sciezka,
                           std::function<void(WynikPobrania, bool szyfrowane, bool dlugoscPotwierdzona)> dalej);
  // Compares, asks, downloads and installs with the local description.
  void SprawdzAktualizacje(bool verbose);
  // Starts, as a program, the installer the last download verified and left to the update window's Instaluj, when it
  // is still the file it was then; says why not otherwise. True when it was started.
  bool UruchomInstalator(const QString& instalator);
  // The silent check of the switch AutoUpdate: the description, then the check, once the main window is shown.
  void SprawdzAktualizacjePrzyStarcie();
  void ToolButton10Click();
  void ButtonInternetClick();

  // --- designer ---
  // "Nowy": a scratch structure "tmp" in FolderDc, without pages, on the blank designer page.
  void NowyFormularzClick();
  // "Otwórz": a structure chosen by its header, its first page shown with its objects.
  void OtworzFormularzClick();
  // "Zapisz jako ...": asks for a name, then ZapiszFormularz.
  void ZapiszFormularzJakoClick();
  // Moves the structure to FolderDc/<nazwa>: the header written anew, or with pages loaded every file copied under
  // the new stem. False, with a message, when a folder or a copy failed; the structure then stays where it was.
  bool ZapiszFormularz(const QString& nazwa);
  // Copies the files of a folder (every one for "*", else those of that extension) to FolderDruku, the old stem in
  // each name replaced by PodfolderDrukow; an existing target is kept. False when a copy failed.
  bool KopiujPlikiFormularza(const QString& folder, const QString& staryRdzen, const QString& rozszerzenie);
  // "Dodaj stronę druku": a picture chosen by the user becomes the next page.
  void DodajStroneDrukuClick();
  // The zoom slider, snapped to tens of percent, sizes the overlay.
  void TrackBarChange();
  // "Nazwy pól" and "Podświetlanie pól" have toggled their ticks: the page on screen is shown again in their way.
  void NazwyPolClick();
  void PodswietlPolClick();
  // A type chosen in the list of object types: the focus moves on to the next control.
  void SelectObjChange();
  // Shift and Ctrl held in designer mode, from the main window and from the tree; true when the key was taken.
  bool FormKeyDown(int klawisz);
  bool FormKeyUp(int klawisz);
  bool TVKeyDown(int klawisz);
  bool TVKeyUp(int klawisz);
  void PolaczProjekt();

 private:
  void PolaczStrony();

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void PolaczPliki();
  void BudujMenu();
  void BudujPaskiNarzedzi();
  void BudujUklad();
  void UstawStatus(int panel, const QString& tekst);

  void RozpocznijAktualizacje(bool verbose, bool zOpisem);
  // opisBiezacy: the description has just come from the server, so it can tell that the own version is the newest.
  void PorownajWersjeAktualizacji(bool verbose, bool opisBiezacy);
  void ZaproponujAktualizacje(const QString& oferowana, bool verbose);
  void ZainstalujAktualizacje(const QString& instalator, const QByteArray& suma, WynikPobrania wynik, bool szyfrowane,
                              bool dlugoscPotwierdzona);
  void ZakonczAktualizacje();
  // Starts an installer just verified, made executable first; says why not. True when it was started.
  bool UruchomSprawdzony(const platform::PlikProgramu& plik);

  std::unique_ptr<platform::BlokadaInstancji> blokada_;
  std::unique_ptr<platform::TIniFile> ustawienia_;
  bool aktualizacjaWToku_ = false;
  bool przyciskAktualizacji_ = true;
  // The installer the last download verified and left to Instaluj, and its SHA-256 then; Instaluj starts nothing else.
  QString zaufanyInstalator_;
  QByteArray sumaZaufanego_;
  bool sprawdzPoPokazaniu_ = false;
  int wysokoscListError_ = 0;
  bool pokazane_ = false;
  // The items of each mode's menu bar.
  QList<QAction*> menuKlienta_;
  QList<QAction*> menuNarzedziowe_;
};

extern TTools* Tools;

// The application as the program sets it up before its windows: its title (the caption of plain message boxes), its
// name and Qt's own texts in Polish. Window titles stay exactly the windows' own.
void UstawAplikacje(platform::Aplikacja& aplikacja);
