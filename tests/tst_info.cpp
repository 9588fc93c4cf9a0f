// The about box and the licence window: the automatic-update switch in the settings file, the version, the maker's
// page, the pictures and the licence text delivered beside the program.

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <memory>

#include "main/aktualizacja_siec.h"
#include "main/info.h"
#include "main/licencja.h"
#include "main/tools.h"
#include "platform/system.h"
#include "platform/ustawienia.h"
#include "support/program.h"
#include "support/test_main.h"

using namespace velmar_test;

namespace {

QString Przelacznik() {
  const platform::TIniFile ini(QStringLiteral("velmar2008.ini"));
  return ini.ValueExists(QStringLiteral("PIT"), QStringLiteral("AutoUpdate"))
             ? ini.ReadString(QStringLiteral("PIT"), QStringLiteral("AutoUpdate"), {})
             : QStringLiteral("<brak>");
}

void UstawPrzelacznik(const QString& wartosc) {
  QFile::remove(platform::FolderUstawien() + QStringLiteral("/velmar2008.ini"));
  if (!wartosc.isNull())
    platform::TIniFile(QStringLiteral("velmar2008.ini")).WriteString(QStringLiteral("PIT"), QStringLiteral("AutoUpdate"), wartosc);
}

void Zapisz(const QString& sciezka, const QByteArray& dane) {
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write a test file");
  plik.write(dane);
}

QString Dane(const char* plik) { return QStringLiteral(VELMAR_SOURCE_DIR "/data/alg/") + QString::fromLatin1(plik); }

struct UslugiTestowe : TTools::UslugiSystemu {
  QList<QUrl> adresy;
  unsigned StanPolaczenia(const QUrl&) override { return 0; }
  void Echo(const QString&, QObject*, std::function<void(bool)>) override {}
  bool Otworz(const QString&, const QString&) override { return false; }
  bool OtworzAdres(const QUrl& adres) override {
    adresy << adres;
    return true;
  }
  bool Uruchom(const QString&, const QString&) override { return false; }
};

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

  void switchIsReadOnceAtCreation_data() {
    QTest::addColumn<QString>("zapisany");
    QTest::addColumn<bool>("zaznaczony");
    QTest::addColumn<QString>("poUtworzeniu");
    QTest::newRow("missing") << QString() << false << "0";
    QTest::newRow("empty") << "" << false << "0";
    QTest::newRow("on") << "1" << true << "1";
    QTest::newRow("off") << "0" << false << "0";
  }
  void switchIsReadOnceAtCreation() {
    QFETCH(QString, zapisany);
    QFETCH(bool, zaznaczony);
    QFETCH(QString, poUtworzeniu);
    UstawPrzelacznik(zapisany);
    const QString plik = platform::FolderUstawien() + QStringLiteral("/velmar2008.ini");
    const QDateTime zapisanyCzas = QFileInfo(plik).fileTime(QFileDevice::FileModificationTime);
    TInfo info(tools_.get());
    QCOMPARE(info.AutoAktualzacja->isChecked(), zaznaczony);
    QCOMPARE(Przelacznik(), poUtworzeniu);
    // A file that holds the value already is not written again while the program starts.
    if (zapisany == poUtworzeniu)
      QCOMPARE(QFileInfo(plik).fileTime(QFileDevice::FileModificationTime), zapisanyCzas);
    // Read once: a later change of the file is not shown by the existing box.
    UstawPrzelacznik(zaznaczony ? QStringLiteral("0") : QStringLiteral("1"));
    info.show();
    QCOMPARE(info.AutoAktualzacja->isChecked(), zaznaczony);
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  // At the first start the about box is made before the first-start keys are written; it shows what they say.
  void aboutBoxAgreesWithTheFirstStart_data() {
    QTest::addColumn<QString>("ini");  // the settings file before the start, "" none
    QTest::addColumn<bool>("zaznaczony");
    QTest::addColumn<QString>("zapisany");
    QTest::newRow("first start") << QString() << true << "1";
    QTest::newRow("switched off earlier") << "[PIT]\nRun=1\nAutoUpdate=0\n" << false << "0";
    QTest::newRow("switched on earlier") << "[PIT]\nRun=1\nAutoUpdate=1\n" << true << "1";
  }
  void aboutBoxAgreesWithTheFirstStart() {
    QFETCH(QString, ini);
    QFETCH(bool, zaznaczony);
    QFETCH(QString, zapisany);
    const QString plik = platform::FolderUstawien() + QStringLiteral("/velmar2008.ini");
    QFile::remove(plik);
    if (!ini.isEmpty()) Zapisz(plik, ini.toUtf8());
    TInfo info(tools_.get());
    tools_->show();
    QCOMPARE(info.AutoAktualzacja->isChecked(), zaznaczony);
    QCOMPARE(Przelacznik(), zapisany);
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  void clickingTheSwitchWritesAtOnce() {
    UstawPrzelacznik(QStringLiteral("0"));
    TInfo info(tools_.get());
    info.show();
    info.AutoAktualzacja->click();
    QCOMPARE(Przelacznik(), QStringLiteral("1"));
    info.AutoAktualzacja->click();
    QCOMPARE(Przelacznik(), QStringLiteral("0"));
    QVERIFY(info.isVisible());
    // Other keys of the section stay.
    platform::TIniFile(QStringLiteral("velmar2008.ini")).WriteString(QStringLiteral("PIT"), QStringLiteral("Run"), QStringLiteral("1"));
    info.AutoAktualzacja->click();
    const platform::TIniFile ini(QStringLiteral("velmar2008.ini"));
    QCOMPARE(ini.ReadString(QStringLiteral("PIT"), QStringLiteral("Run"), {}), QStringLiteral("1"));
    QCOMPARE(Przelacznik(), QStringLiteral("1"));
  }

  void versionIsShownOnShowing() {
    TInfo info(tools_.get());
    QCOMPARE(info.WersjaProg->text(), QStringLiteral("wersja: 0.0.0.0"));
    info.show();
    QCOMPARE(info.WersjaProg->text(), QStringLiteral("wersja: ") + platform::WersjaPliku());
  }

  void makersPageOpensOnClick() {
    TInfo info(tools_.get());
    info.show();
    QTest::mouseClick(info.Image2, Qt::RightButton);
    QVERIFY(uslugi_->adresy.isEmpty());
    QTest::mouseClick(info.Image2, Qt::LeftButton);
    QTest::mouseClick(info.StaticText7, Qt::LeftButton);
    QTest::mouseClick(info.StaticText6, Qt::LeftButton);
    const QUrl strona(QStringLiteral("http://www.korvanex.pl"));
    QCOMPARE(uslugi_->adresy, (QList<QUrl>{strona, strona}));
    QCOMPARE(info.Image2->toolTip(), strona.toString());
    QCOMPARE(info.StaticText7->text(), strona.toString());
  }

  void menuOpensAboutBoxAndLicenceModally() {
    TInfo info(tools_.get());
    TUmowaLicencyjna licencja(tools_.get());
    bool infoModalne = false;
    bool licencjaModalna = false;
    QTimer::singleShot(0, &info, [&] {
      infoModalne = info.isVisible() && info.isModal();
      QTimer::singleShot(0, &licencja, [&] {
        licencjaModalna = licencja.isVisible() && licencja.isModal();
        licencja.SpeedButton1->click();
      });
      info.SpeedButton1->click();
      QVERIFY(!licencja.isVisible());
      info.BitBtn1->click();
    });
    tools_->Informacjaoprogramie1->trigger();
    QVERIFY(infoModalne);
    QVERIFY(licencjaModalna);
    QVERIFY(!info.isVisible());
  }

  void licenceTextComesFromProgramFolder() {
    const QString plik = folder_->Sciezka() + QStringLiteral("alg/licence.rtf");
    Zapisz(plik, "{\\rtf1\\ansi\\ansicpg1250 Umowa: za\\'bf\\'f3\\'b3\\'e6 g\\'ea\\'9cl\\'b9 ja\\'9f\\'f1\\par}");
    TUmowaLicencyjna licencja(tools_.get());
    QCOMPARE(licencja.Licencja->toPlainText().trimmed(), QStringLiteral("Umowa: zażółć gęślą jaźń"));

    // Loaded once, when the window is made.
    Zapisz(plik, "{\\rtf1 Inna}");
    licencja.show();
    QCOMPARE(licencja.Licencja->toPlainText().trimmed(), QStringLiteral("Umowa: zażółć gęślą jaźń"));

    QFile::remove(plik);
    TUmowaLicencyjna bezPliku(tools_.get());
    QVERIFY(bezPliku.Licencja->document()->isEmpty());
    QVERIFY(SkryptDialogow().pokazane.empty());
  }

  void deliveredLicenceReads() {
    QVERIFY(QFile::copy(Dane("licence.rtf"), folder_->Sciezka() + QStringLiteral("alg/licence.rtf")));
    TUmowaLicencyjna licencja(tools_.get());
    const QString tekst = licencja.Licencja->toPlainText();
    QVERIFY(tekst.startsWith(QStringLiteral("UMOWA LICENCYJNA")));
    QVERIFY(tekst.contains(QStringLiteral("\u201eInformacja o programie\u201d")));
    QVERIFY(!tekst.contains(QLatin1Char('\\')));
  }

  void picturesComeFromProgramFolderWhenFirstShown() {
    TInfo bezObrazow(tools_.get());
    bezObrazow.show();
    QVERIFY(bezObrazow.Image1->pixmap().isNull());
    QVERIFY(bezObrazow.Image2->pixmap().isNull());

    for (const char* plik : {"info1.jpg", "info2.jpg"})
      QVERIFY(QFile::copy(Dane(plik), folder_->Sciezka() + QStringLiteral("alg/") + QString::fromLatin1(plik)));
    TInfo info(tools_.get());
    // Nothing is decoded while the program starts.
    QVERIFY(info.Image1->pixmap().isNull());
    info.show();
    QCOMPARE(info.Image1->pixmap().size(), QSize(150, 270));
    QCOMPARE(info.Image2->pixmap().size(), QSize(240, 64));
  }
};

VELMAR_TEST_MAIN(TstInfo)
#include "tst_info.moc"
