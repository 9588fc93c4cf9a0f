// The print window and what "Drukuj" prints: its controls, the commands that open it, a cancelled dialog, the records
// and pages of each range (one PDF file a print), and files or a printer that fail.

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <functional>

#include "main/wydruk.h"
#include "selection/grupa_opcji.h"
#include "tst_strony_wspolne.h"
#include "tst_wydruk_wspolne.h"

using namespace velmar_test;

class TstWydruk : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramZeStronami> p_;
  std::unique_ptr<TWydruk> okno_;
  std::unique_ptr<QTemporaryDir> wyniki_;
  int dialogi_ = 0;  // how often the print dialog was asked for

  TTools& T() { return p_->T(); }
  TWydruk& W() { return *okno_; }
  QString Plik(const QString& nazwa = QStringLiteral("wydruk.pdf")) const { return wyniki_->path() + '/' + nazwa; }
  QStringList Komunikaty() const { return SkryptDialogow().Teksty(); }
  QStringList PlikiWynikow() const { return QDir(wyniki_->path()).entryList(QDir::Files, QDir::Name); }

  // Record j's entry k holds "d<j>s<k+1>": the text a page prints tells the record and the page.
  void WypelnijDruki() {
    for (int j = 1; j <= T().LiczbaDrukow; ++j)
      for (int k = 0; k < 6; ++k)
        UstawBajty(T().Druki[static_cast<std::size_t>(j)].Pola[static_cast<std::size_t>(k)].Wartosc,
                   QStringLiteral("d%1s%2").arg(j).arg(k + 1).toLatin1().constData());
  }

  // The print dialog answers with a PDF file.
  void DialogDo(const QString& plik) {
    W().PrintDialog = [this, plik](QPrinter& drukarka) {
      ++dialogi_;
      NaPdf(drukarka, plik);
      return true;
    };
  }

  // Prints the range with the shown record; the dialog sets up a PDF file in the results folder.
  void DrukujZakres(int zakres) {
    W().ZakresDruku->UstawItemIndex(zakres);
    W().DrukujClick();
  }

  // What a printed file holds: each page's words, in page order.
  static QList<QStringList> Strony(const QString& plik) {
    const TrescPdf pdf = CzytajPdf(plik);
    QList<QStringList> strony;
    for (int n = 1; n <= pdf.LiczbaStron(); ++n) strony << pdf.Teksty(n);
    return strony;
  }

 private slots:
  void init();
  void cleanup();

  void oknoIJegoUstawienia();
  void poleceniaTylkoZeStrona();
  void anulowanyDialogNicNieDrukuje();
  void zakresy_data();
  void zakresy();
  void brakPlikuPrzerywaPrzedWydrukiem_data();
  void brakPlikuPrzerywaPrzedWydrukiem();
  void drukarkaOdmawiaIKolejnyWydrukDziala();
};

void TstWydruk::init() {
  p_ = std::make_unique<ProgramZeStronami>();
  // One text field per page. PIT-37's header says 2 pages (the catalogue 3), PIT/O has no header (the catalogue's
  // 3), PIT-36's header says 1, PIT/D's 2.
  const std::vector<TObiekt> pola = {Pole(Text, 1, 100, 100, 400, 130), Pole(Text, 2, 100, 100, 400, 130),
                                     Pole(Text, 3, 100, 100, 400, 130)};
  p_->ZapiszFormularz(Pit37, 2, pola, qRgb(0, 0, 255));
  p_->ZapiszFormularz(PitO, 3, pola, qRgb(255, 0, 0));
  QFile::remove(p_->Dc() + QStringLiteral("6.dcd"));
  p_->ZapiszFormularz(Pit36, 1, pola, qRgb(0, 160, 0));
  p_->ZapiszFormularz(PitD, 2, pola, qRgb(255, 160, 0));
  p_->Uruchom();
  p_->Rozliczenie({{Pit37, 0, PMWspolny},
                   {PitO, 1, PMPodatnik},
                   {Pit36, 0, PMWspolny},
                   {PitD, 3, PMWspolny},
                   {PitO, 1, PMMalzonek}});
  WypelnijDruki();
  okno_ = std::make_unique<TWydruk>(&T());
  wyniki_ = std::make_unique<QTemporaryDir>();
  dialogi_ = 0;
  DialogDo(Plik());
  SkryptDialogow().pokazane.clear();
}

void TstWydruk::cleanup() {
  okno_.reset();
  p_.reset();
  wyniki_.reset();
}

void TstWydruk::oknoIJegoUstawienia() {
  QCOMPARE(W().windowTitle(), QStringLiteral("Parametry wydruku"));
  QCOMPARE(W().ZakresDruku->ItemIndex(), 0);
  QCOMPARE(W().ZawDruk->ItemIndex(), 1);
  QVERIFY(W().SpeedButton3->isHidden());
  for (QSpinBox* pole : {W().MarginesGora, W().MarginesLewa, W().Dx, W().Dy}) {
    QCOMPARE(pole->value(), 0);
    QVERIFY(pole->findChild<QLineEdit*>()->isReadOnly());
  }

  W().MarginesGora->setValue(-3);
  W().MarginesLewa->setValue(4);
  W().Dx->setValue(-100);
  W().Dy->setValue(7);
  W().RozmiarDruku->setValue(-50);
  const UstawieniaWydruku u = W().Ustawienia();
  QCOMPARE((QList<int>{u.MarginesGora, u.MarginesLewa, u.Dx, u.Dy, u.RozmiarDruku}), (QList<int>{-3, 4, -100, 7, -50}));
  QVERIFY(u.Dane);

  // The text shifts apply to data only.
  QTest::mouseClick(W().ZawDruk->Pozycja(0), Qt::LeftButton);
  QVERIFY(!W().GroupPrzesText->isEnabled());
  QVERIFY(!W().Ustawienia().Dane);
  QTest::mouseClick(W().ZawDruk->Pozycja(1), Qt::LeftButton);
  QVERIFY(W().GroupPrzesText->isEnabled());

  // A print keeps the settings for the next one; the window closes with Drukuj disabled until shown again.
  p_->Pokaz(1);
  W().show();
  QVERIFY(W().Drukuj->isEnabled());
  QTest::mouseClick(W().Drukuj, Qt::LeftButton);
  QVERIFY(W().isHidden());
  QVERIFY(!W().Drukuj->isEnabled());
  QCOMPARE(W().Ustawienia().RozmiarDruku, -50);
  QCOMPARE(W().MarginesLewa->value(), 4);
  W().show();
  QVERIFY(W().Drukuj->isEnabled());
  W().close();
}

// The commands that lead to the print window open it, modal, while a page is on screen; they are disabled and do
// nothing at start and once the page view, the settlement or a new one's choice has closed it.
void TstWydruk::poleceniaTylkoZeStrona() {
  const std::array<QAction*, 3> polecenia{T().BWydruk, T().Drukuj2, T().ToolButton8};
  const auto wylaczone = [&](const char* kiedy) {
    for (QAction* polecenie : polecenia) {
      QVERIFY2(!polecenie->isEnabled(), qPrintable(polecenie->objectName() + ' ' + kiedy));
      polecenie->trigger();
      QVERIFY(W().isHidden());
    }
  };
  wylaczone("at start");
  const std::vector<std::pair<const char*, std::function<void()>>> zamkniecia = {
      {"the page view closed", [&] { p_->V().close(); }},
      {"the settlement closed", [&] { T().Zamknij1Click(); }},
      {"the settlement cleared for a new one", [&] { T().WyczyscRozliczenie(); }},
  };
  for (const auto& [kiedy, zamknij] : zamkniecia) {
    if (!T().MaDruki()) p_->Rozliczenie({{Pit37, 0, PMWspolny}});
    p_->Pokaz(1);
    for (QAction* polecenie : polecenia) {
      bool modalne = false, wlaczony = false;
      QTimer::singleShot(0, this, [&] {
        modalne = W().isVisible() && W().isModal();
        wlaczony = W().Drukuj->isEnabled();
        QTest::mouseClick(W().SpeedButton1, Qt::LeftButton);
      });
      polecenie->trigger();
      QVERIFY2(modalne && wlaczony, qPrintable(polecenie->objectName()));
      QVERIFY(W().isHidden());
    }
    zamknij();
    wylaczone(kiedy);
  }
  QVERIFY(PlikiWynikow().isEmpty());
  QCOMPARE(dialogi_, 0);
}

void TstWydruk::anulowanyDialogNicNieDrukuje() {
  // The designer's print asks for a printer only while a page is shown.
  W().Drukuj1Click();
  QCOMPARE(dialogi_, 0);
  p_->Pokaz(1);
  W().PrintDialog = [this](QPrinter&) {
    ++dialogi_;
    return false;
  };
  W().show();
  QTest::mouseClick(W().Drukuj, Qt::LeftButton);
  QCOMPARE(dialogi_, 1);
  QVERIFY(W().isVisible());
  QVERIFY(W().Drukuj->isEnabled());
  QVERIFY(PlikiWynikow().isEmpty());
  W().close();

  // The designer's print is cancelled the same way.
  T().Drukuj1->trigger();
  QCOMPARE(dialogi_, 2);
  QVERIFY(PlikiWynikow().isEmpty());
}

void TstWydruk::zakresy_data() {
  QTest::addColumn<int>("pokazany");
  QTest::addColumn<int>("strona");
  QTest::addColumn<int>("zakres");
  QTest::addColumn<QString>("oczekiwane");
  // The words of each page of the one file, ' ' between pages, '|' where the next record starts.
  const QString zeznanie37 = QStringLiteral("d1s1 d1s2|d2s1 d2s2 d2s3|d5s1 d5s2 d5s3");
  QTest::newRow("shown page") << 1 << 2 << 0 << QStringLiteral("d1s2");
  // All pages of the form: the header's two, not the catalogue's three.
  QTest::newRow("form by its header") << 1 << 2 << 1 << QStringLiteral("d1s1 d1s2");
  QTest::newRow("shown page without a header") << 2 << 3 << 0 << QStringLiteral("d2s3");
  QTest::newRow("form by the catalogue") << 2 << 3 << 1 << QStringLiteral("d2s1 d2s2 d2s3");
  // From an attachment: its main form first, then that form's attachments in record order, the shown one included.
  QTest::newRow("return from an attachment") << 5 << 1 << 2 << zeznanie37;
  QTest::newRow("return from its main form") << 1 << 1 << 2 << zeznanie37;
  QTest::newRow("the other return") << 4 << 1 << 2 << QStringLiteral("d3s1|d4s1 d4s2");
  QTest::newRow("whole settlement") << 3 << 1 << 3
                                    << QStringLiteral("d1s1 d1s2|d2s1 d2s2 d2s3|d3s1|d4s1 d4s2|d5s1 d5s2 d5s3");
}

// To a file, one print is one file holding every page of the range in order.
void TstWydruk::zakresy() {
  QFETCH(int, pokazany);
  QFETCH(int, strona);
  QFETCH(int, zakres);
  QFETCH(QString, oczekiwane);
  p_->Pokaz(pokazany, strona);
  DrukujZakres(zakres);
  QCOMPARE(PlikiWynikow(), QStringList{QStringLiteral("wydruk.pdf")});
  QStringList strony;
  QString poprzedni;
  for (const QStringList& slowa : Strony(Plik())) {
    const QString tekst = slowa.join('+');
    // A page's text starts with its record's "d<j>".
    if (!strony.isEmpty()) strony << (tekst.section('s', 0, 0) == poprzedni ? QStringLiteral(" ") : QStringLiteral("|"));
    poprzedni = tekst.section('s', 0, 0);
    strony << tekst;
  }
  QCOMPARE(strony.join(QString()), oczekiwane);
  QCOMPARE(dialogi_, 1);
  QVERIFY(Komunikaty().isEmpty());
  QCOMPARE(W().Drukarka().outputFileName(), Plik());
}

void TstWydruk::brakPlikuPrzerywaPrzedWydrukiem_data() {
  QTest::addColumn<QString>("plik");     // the file made bad, in the dc folder
  QTest::addColumn<QByteArray>("dane");  // null: the file is missing
  QTest::addColumn<bool>("zDanymi");
  QTest::newRow("a page picture missing") << "7_2.dcg" << QByteArray() << true;
  QTest::newRow("a damaged page picture") << "7_2.dcg" << QByteArray("nie obraz") << true;
  QTest::newRow("no structure") << "6.dcs" << QByteArray() << true;
  QTest::newRow("no structure for the form alone") << "6.dcs" << QByteArray() << false;
}

// Every file of a print is checked before the job starts: a bad one stops the whole print with its name.
void TstWydruk::brakPlikuPrzerywaPrzedWydrukiem() {
  QFETCH(QString, plik);
  QFETCH(QByteArray, dane);
  QFETCH(bool, zDanymi);
  p_->Pokaz(1);
  if (dane.isNull())
    QFile::remove(p_->Dc() + plik);
  else
    ZapiszPlik(p_->Dc() + plik, dane);
  W().ZawDruk->UstawItemIndex(zDanymi ? 1 : 0);
  DrukujZakres(3);
  if (!zDanymi) {
    QVERIFY(Komunikaty().isEmpty());
    QVERIFY(Strony(Plik()) == QList<QStringList>(11));
    return;
  }
  QCOMPARE(Komunikaty().size(), 1);
  QVERIFY2(Komunikaty()[0].contains(p_->Dc() + plik), qPrintable(Komunikaty()[0]));
  QVERIFY2(PlikiWynikow().isEmpty(), "no job may start before every file is there");
  // A record without the bad file prints.
  DrukujZakres(1);
  QCOMPARE(Komunikaty().size(), 1);
  QCOMPARE(Strony(Plik()).size(), 2);
}

void TstWydruk::drukarkaOdmawiaIKolejnyWydrukDziala() {
  p_->Pokaz(1);
  const QString niemozliwy = wyniki_->path() + QStringLiteral("/brak/wydruk.pdf");
  DialogDo(niemozliwy);
  DrukujZakres(3);
  QCOMPARE(Komunikaty().size(), 1);
  QVERIFY2(Komunikaty()[0].contains(niemozliwy), qPrintable(Komunikaty()[0]));
  QVERIFY(PlikiWynikow().isEmpty());

  // The refused file ends the click: nothing is tried anywhere else.
  QVERIFY(!QDir(wyniki_->path() + QStringLiteral("/brak")).exists());

  DialogDo(Plik());
  DrukujZakres(2);
  QCOMPARE(Komunikaty().size(), 1);
  QCOMPARE(PlikiWynikow().size(), 1);
  QCOMPARE(Strony(Plik()).size(), 8);
}

VELMAR_TEST_MAIN(TstWydruk)
#include "tst_wydruk.moc"
