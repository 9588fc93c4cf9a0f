// Every input kept in the fuzz corpora, fed once more to the entry of its fuzz target: each target's own checks must
// hold (a broken one aborts) and nothing may crash or leak, so what the fuzzers found stays found.

#include <QDir>
#include <QFile>
#include <QTest>
#include <cstdint>
#include <map>

#include "fuzz/srodowisko.h"
#include "support/pliki.h"

#define VELMAR_CELE(X) \
  X(fuzz_dc8) X(fuzz_dcd) X(fuzz_dcs) X(fuzz_druk) X(fuzz_ini) X(fuzz_jpeg) X(fuzz_rozliczenie) X(fuzz_rtf) \
  X(fuzz_strona) X(fuzz_wydruk)

#define VELMAR_DEKLARACJA(cel) extern "C" int Wejscie_##cel(const std::uint8_t* dane, std::size_t rozmiar);
VELMAR_CELE(VELMAR_DEKLARACJA)

namespace {

using Wejscie = int (*)(const std::uint8_t*, std::size_t);

const std::map<QString, Wejscie>& Cele() {
#define VELMAR_WPIS(cel) {QStringLiteral(#cel), &Wejscie_##cel},
  static const std::map<QString, Wejscie> cele = {VELMAR_CELE(VELMAR_WPIS)};
#undef VELMAR_WPIS
  return cele;
}

const QDir kKorpusy(QStringLiteral(VELMAR_SOURCE_DIR "/fuzz/corpus"));

}  // namespace

class TstKorpusy : public QObject {
  Q_OBJECT

 private slots:
  // A corpus without an entry here would never be replayed.
  void everyCorpusHasItsTarget() {
    const QStringList korpusy = kKorpusy.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY(!korpusy.isEmpty());
    for (const QString& korpus : korpusy) QVERIFY2(Cele().count(korpus), qPrintable(korpus));
  }

  void inputStillPasses_data() {
    QTest::addColumn<QString>("cel");
    QTest::addColumn<QString>("plik");
    for (const auto& [cel, wejscie] : Cele())
      for (const QFileInfo& plik : QDir(kKorpusy.filePath(cel)).entryInfoList(QDir::Files, QDir::Name))
        QTest::addRow("%s/%s", qPrintable(cel), qPrintable(plik.fileName())) << cel << plik.filePath();
  }
  void inputStillPasses() {
    QFETCH(QString, cel);
    QFETCH(QString, plik);
    const QByteArray dane = velmar_test::CzytajPlik(plik);
    QCOMPARE(Cele().at(cel)(reinterpret_cast<const std::uint8_t*>(dane.constData()), std::size_t(dane.size())), 0);
  }

  void cleanupTestCase() {
    QDir(fuzz::FolderRoboczy()).removeRecursively();
    QDir(qEnvironmentVariable("VELMAR_CONFIG_DIR")).removeRecursively();
  }
};

int main(int argc, char** argv) {
  fuzz::Aplikacja();  // the application the targets share, as in a fuzzing run
  TstKorpusy test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}

#include "tst_korpusy.moc"
