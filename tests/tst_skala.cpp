// The 2008 income-tax scale.

#include <QtTest>

#include "calc/konwersje.h"
#include "calc/skala.h"

class TestSkala : public QObject {
  Q_OBJECT

 private slots:
  void podatek_data();
  void podatek();
};

void TestSkala::podatek_data() {
  QTest::addColumn<double>("podstawa");
  QTest::addColumn<QString>("oczekiwany");
  // Both sides of each limit show that the brackets join without a step.
  // 0,19 x base - 586,85 up to 44490; 7866,25 + 0,30 x the excess up to 85528; 20177,65 + 0,40 x the excess above.
  QTest::newRow("zero") << 0.0 << "-586,85";
  QTest::newRow("tuz pod kwota wolna") << 3088.0 << "-0,13";
  QTest::newRow("tuz nad kwota wolna") << 3089.0 << "0,06";
  QTest::newRow("ujemna podstawa") << -100.0 << "-605,85";
  QTest::newRow("koniec pierwszego") << 44490.0 << "7866,25";
  QTest::newRow("poczatek drugiego") << 44491.0 << "7866,55";
  QTest::newRow("koniec drugiego") << 85528.0 << "20177,65";
  QTest::newRow("poczatek trzeciego") << 85529.0 << "20178,05";
  QTest::newRow("trzeci przedzial") << 100000.0 << "25966,45";
  QTest::newRow("duza podstawa") << 10000000.0 << "3985966,45";
  // A base with grosze gives a third decimal, which goes to grosze half up.
  QTest::newRow("polowa grosza w gore") << 50000.05 << "9519,27";          // 9519,265
  QTest::newRow("ujemna polowa grosza") << 1000.5 << "-396,75";             // -396,755
  QTest::newRow("ponizej polowy") << 5000.01 << "363,15";                   // 363,1519
  QTest::newRow("trzeci przedzial z groszami") << 85528.01 << "20177,65";  // 20177,654
}

void TestSkala::podatek() {
  QFETCH(double, podstawa);
  QFETCH(QString, oczekiwany);
  const long double podatek = ObliczPodatekWgSkali(podstawa);
  QVERIFY2(podatek == StrToFloat(oczekiwany.toStdString(), ','), FloatToStr(podatek).c_str());
  QCOMPARE(QString::fromStdString(TekstKwoty(podatek)), oczekiwany);
}

QTEST_APPLESS_MAIN(TestSkala)
#include "tst_skala.moc"
