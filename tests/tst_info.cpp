// The about box and the licence window: the automatic-update switch in the settings file, the version, the maker's
// page, the pictures and the licence text from the program folder; the conversion window made and never shown.

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>

#include "main/info.h"
#include "main/licencja.h"
#include "main/okna.h"
#include "main/tools.h"
#include "platform/system.h"
#include "platform/ustawienia.h"
#include "support/program.h"
#include "support/start_uslugi.h"
#include "support/test_main.h"

using namespace velmar_test;

namespace {

QString PlikUstawien() { return platform::FolderUstawien() + QStringLiteral("/velmar2008.ini"); }

QString Przelacznik() {
  const platform::TIniFile ini(QStringLiteral("velmar2008.ini"));
  return ini.ValueExists("PIT", "AutoUpdate") ? ini.ReadString("PIT", "AutoUpdate", {}) : QStringLiteral("<brak>");
}

QString Dane(const char* plik) { return QStringLiteral(VELMAR_SOURCE_DIR "/data/alg/") + QString::fromLatin1(plik); }

}  // namespace

class TstInfo : public QObject {
  Q_OBJECT

  std::unique_ptr<FolderProgramu> folder_;
  std::unique_ptr<TTools> tools_;
  std::shared_ptr<UslugiTestowe> uslugi_;

 private slots:
  void init() {
    SkryptDialogow().pokazane.clear();
    folder_ = std::make_unique<FolderProgramu>();
    tools_ = NoweOkno(*folder_);
    uslugi_ = std::make_shared<UslugiTestowe>();
    tools_->Uslugi = uslugi_;
  }

  void cleanup() {
    tools_.reset();
    folder_.reset();
    platform::Aplikacja::Instancja()->AnulujZakonczenie();
  }

  // The box reads the switch once, when it is made, from the settings the main window read when it was made; a
  // missing one is written back as off. At the first start the box is made before the first-start keys are written,
  // and shows what they say.
  void switchIsReadOnce_data() {
    QTest::addColumn<QString>("ini");  // the settings file before the start, null: none
    QTest::addColumn<bool>("zaznaczony");
    QTest::newRow("missing") << "[PIT]\nRun=1\n" << false;
    QTest::newRow("empty") << "[PIT]\nRun=1\nAutoUpdate=\n" << false;
    QTest::newRow("on") << "[PIT]\nRun=1\nAutoUpdate=1\n" << true;
    QTest::newRow("off") << "[PIT]\nRun=1\nAutoUpdate=0\n" << false;
    QTest::newRow("first start") << QString() << true;
  }
  void switchIsReadOnce() {
    QFETCH(QString, ini);
    QFETCH(bool, zaznaczony);
    const QString zapisany = zaznaczony ? "1" : "0";
    QFile::remove(PlikUstawien());
    if (!ini.isNull()) ZapiszPlik(PlikUstawien(), ini.toUtf8());
    const QDateTime czas = QFileInfo(PlikUstawien()).fileTime(QFileDevice::FileModificationTime);
    tools_.reset();  // one running copy at a time
    tools_ = NoweOkno(*folder_);
    tools_->Uslugi = uslugi_;
    TInfo info(tools_.get());
    tools_->show();
    QCOMPARE(info.AutoAktualzacja->isChecked(), zaznaczony);
    QCOMPARE(Przelacznik(), zapisany);
    // A file that holds the value already is not written again while the program starts.
    if (ini.endsWith("AutoUpdate=" + zapisany + "\n"))
      QCOMPARE(QFileInfo(PlikUstawien()).fileTime(QFileDevice::FileModificationTime), czas);
    platform::TIniFile("velmar2008.ini").WriteString("PIT", "AutoUpdate", zaznaczony ? "0" : "1");
    info.show();
    QCOMPARE(info.AutoAktualzacja->isChecked(), zaznaczony);
    // A click writes what the box shows at once and leaves the other keys.
    info.AutoAktualzacja->click();
    info.AutoAktualzacja->click();
    QCOMPARE(Przelacznik(), zapisany);
    QCOMPARE(platform::TIniFile("velmar2008.ini").ReadString("PIT", "Run", {}), QStringLiteral("1"));
  }

  void menuOpensAboutBoxAndLicenceModally() {
    TInfo info(tools_.get());
    TUmowaLicencyjna licencja(tools_.get());
    bool modalne = false;
    QTimer::singleShot(0, &info, [&] {
      QTimer::singleShot(0, &licencja, [&] {
        modalne = info.isVisible() && info.isModal() && licencja.isVisible() && licencja.isModal();
        licencja.SpeedButton1->click();
      });
      info.SpeedButton1->click();
      info.BitBtn1->click();
    });
    tools_->Informacjaoprogramie1->trigger();
    QVERIFY(modalne && !info.isVisible() && !licencja.isVisible());
  }

  // The licence comes from the program folder once, when the window is made; without it the window stays empty.
  void licenceTextComesFromProgramFolder() {
    const QString plik = folder_->Sciezka() + QStringLiteral("alg/licence.rtf");
    ZapiszPlik(plik, "{\\rtf1\\ansi\\ansicpg1250 Umowa: za\\'bf\\'f3\\'b3\\'e6 g\\'ea\\'9cl\\'b9 ja\\'9f\\'f1\\par}");
    TUmowaLicencyjna licencja(tools_.get());
    ZapiszPlik(plik, "{\\rtf1 Inna}");
    licencja.show();
    QCOMPARE(licencja.Licencja->toPlainText().trimmed(), QStringLiteral("Umowa: zażółć gęślą jaźń"));
    QFile::remove(plik);
    QVERIFY(TUmowaLicencyjna(tools_.get()).Licencja->document()->isEmpty());
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  // The licence delivered with the program reads as text: its tables and control words leave nothing behind, its
  // quotation marks come through.
  void deliveredLicenceReads() {
    QVERIFY(QFile::copy(Dane("licence.rtf"), folder_->Sciezka() + QStringLiteral("alg/licence.rtf")));
    const QString tekst = TUmowaLicencyjna(tools_.get()).Licencja->toPlainText();
    QVERIFY2(tekst.startsWith("UMOWA LICENCYJNA") && tekst.contains("\u201eInformacja o programie\u201d") &&
             !tekst.contains('\\') && !tekst.contains(';'), qPrintable(tekst.left(200)));
  }

  // The pictures are decoded and the version shown when the box is first shown, not while the program starts; the
  // maker's page opens on a left click on its picture or its address.
  void picturesVersionAndMakersPage() {
    TInfo bezObrazow(tools_.get());
    bezObrazow.show();
    QVERIFY(bezObrazow.Image1->pixmap().isNull() && bezObrazow.Image2->pixmap().isNull());

    for (const char* plik : {"info1.jpg", "info2.jpg"})
      QVERIFY(QFile::copy(Dane(plik), folder_->Sciezka() + QStringLiteral("alg/") + QString::fromLatin1(plik)));
    TInfo info(tools_.get());
    QVERIFY(info.Image1->pixmap().isNull());
    QCOMPARE(info.WersjaProg->text(), QStringLiteral("wersja: 0.0.0.0"));
    info.show();
    QCOMPARE(info.Image1->pixmap().size(), QSize(150, 270));
    QCOMPARE(info.Image2->pixmap().size(), QSize(240, 64));
    QCOMPARE(info.WersjaProg->text(), QStringLiteral("wersja: ") + platform::WersjaPliku());
    QTest::mouseClick(info.Image2, Qt::RightButton);
    for (QWidget* w : {info.Image2, info.StaticText7, info.StaticText6}) QTest::mouseClick(w, Qt::LeftButton);
    QCOMPARE(uslugi_->adresy, QList<QUrl>(2, QUrl("http://www.korvanex.pl")));
  }

  // The conversion window comes with the program's windows, the main window's own, and stays hidden while the
  // program starts and runs; it is the dialog "Postęp konwersji" with a progress in per cent and an empty list, and
  // the program's reference to it goes with it.
  void conversionWindowIsMadeAndNeverShown() {
    {
      const OknaProgramu okna(*tools_);
      const TKonwersja& k = okna.konwersja;
      tools_->show();
      QVERIFY(QTest::qWaitForWindowExposed(tools_.get()));
      QVERIFY(Konwersja == &k && k.parent() == tools_.get() && !k.isVisible());
      QCOMPARE(k.windowTitle(), QStringLiteral("Postęp konwersji"));
      QVERIFY(k.windowType() == Qt::Dialog && !k.isModal());
      QCOMPARE((std::array{k.ProgressBar1->minimum(), k.ProgressBar1->maximum(), k.ListBox1->count()}),
               (std::array{0, 100, 0}));
    }
    QVERIFY(!Konwersja);
  }
};

VELMAR_TEST_MAIN(TstInfo)
#include "tst_info.moc"
