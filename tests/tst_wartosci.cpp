// Field values, amount texts and the roundings to grosze, tens of grosze and full zloty.

#include <QtTest>

#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <algorithm>

#include "calc/ekran.h"
#include "calc/konwersje.h"
#include "calc/wartosci.h"
#include "support/rdzen_main.h"

namespace {

// The nearest long double to a number in C notation, by the standard library rather than by StrToFloat.
long double WartoscC(const char* c) {
  long double x = 0;
  std::from_chars(c, c + std::strlen(c), x);
  return x;
}

long double Kwota(const QString& tekst) { return StrToFloat(tekst.toStdString(), ','); }

QString Zapis(long double x) { return QString::fromStdString(FloatToStr(x)); }

// The input moved by a hair: one unit in the last place down, none, or up.
long double Przesun(long double x, int kierunek) {
  return kierunek == 0 ? x : std::nextafter(x, kierunek < 0 ? -INFINITY : INFINITY);
}

template <class Wyjatek = BladKonwersjiLiczby>
QString Komunikat(const std::function<void()>& dzialanie) {
  try {
    dzialanie();
  } catch (const Wyjatek& e) {
    return QString::fromUtf8(e.what());
  }
  return QStringLiteral("(no error)");
}

Rozliczenie rozliczenie;
EkranBezWidoku ekran;
KontekstObliczen kx{rozliczenie, ekran};

void UstawPole(int j, int k, const char* tekst) { UstawBajty(rozliczenie.Druki[j].Pola[k].Wartosc, tekst); }
QString TekstPola(int j, int k) { return QString::fromLatin1(Tekst(rozliczenie.Druki[j].Pola[k].Wartosc)); }

}  // namespace

class TestWartosci : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();

  void strToFloat_data();
  void strToFloat();
  void strToFloatOdrzuca_data();
  void strToFloatOdrzuca();
  void strToFloatKodowanieISeparator();
  void floatToStr();
  void szybkieSciezkiZgodneZDokladnymi();
  void formatujKwote();
  void tekstKwoty();

  void zaokraglenia_data();
  void zaokraglenia();
  void wynikiArytmetykiOWlos();

  void wartoscPola();
  void sumaPol();
  void policzUdzial();
  void zapisPola();
  void indeksySprawdzane();
};

void TestWartosci::initTestCase() {
  // The amounts need ',' as the regional separator whatever the locale of the test machine.
  QCOMPARE(platform::Regionalne().SeparatorDziesietny(), QChar(u','));
}

void TestWartosci::init() {
  rozliczenie.Druki.assign(3, TDruk{});
  rozliczenie.LiczbaDrukow = 2;
  for (int j = 1; j <= 2; ++j)
    for (auto& pole : rozliczenie.Druki[j].Pola) UstawBajty(pole.Wartosc, "0,00");
}

void TestWartosci::strToFloat_data() {
  QTest::addColumn<QString>("tekst");
  QTest::addColumn<QString>("c");
  QTest::newRow("kwota") << "1234,56" << "1234.56";
  QTest::newRow("zero") << "0,00" << "0";
  QTest::newRow("ujemna") << "-0,01" << "-0.01";
  QTest::newRow("plus") << "+7" << "7";
  QTest::newRow("spacje") << "  12,5  " << "12.5";
  QTest::newRow("sam ulamek") << ",5" << "0.5";
  QTest::newRow("separator na koncu") << "5," << "5";
  QTest::newRow("wykladnik") << "1,5E3" << "1500";
  QTest::newRow("ujemny wykladnik") << "25e-2" << "0.25";
  QTest::newRow("wiele cyfr") << "0,3333333333333333333333" << "0.3333333333333333333333";
  QTest::newRow("niedomiar") << "1E-99999" << "0";
  QTest::newRow("najwieksza kwota") << "999999999999999,99" << "999999999999999.99";
  QTest::newRow("najmniejsza kwota") << "-999999999999999,99" << "-999999999999999.99";
  QTest::newRow("wykladnik ponizej granicy") << "9,99E14" << "999000000000000";
}

void TestWartosci::strToFloat() {
  QFETCH(QString, tekst);
  QFETCH(QString, c);
  const long double x = StrToFloat(tekst.toStdString(), ',');
  QVERIFY2(x == WartoscC(c.toLatin1().constData()), qPrintable(Zapis(x)));
}

void TestWartosci::strToFloatOdrzuca_data() {
  QTest::addColumn<QString>("tekst");
  for (const char* tekst : {"", "   ", "abc", "12.50", "1 234,56", "1.234,56", "1,2,3", ",", "-", "--1", "1E", "E5",
                            "12,5zl", "1E99999", "\t12", "nan", "NaN", "inf", "-inf", "infinity", "1e308", "-1e308",
                            "1e4000", "1E15", "-1e15", "1000000000000000", "99999999999999999999"})
    QTest::addRow("'%s'", tekst) << QString::fromLatin1(tekst);
}

void TestWartosci::strToFloatOdrzuca() {
  QFETCH(QString, tekst);
  QCOMPARE(Komunikat([&] { StrToFloat(tekst.toStdString(), ','); }),
           "'" + tekst + "' is not a valid floating point value");
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, StrToFloat(tekst.toStdString(), ','));
}

void TestWartosci::strToFloatKodowanieISeparator() {
  // The field holds Windows-1250 bytes; the message carries the same letters in UTF-8.
  QCOMPARE(Komunikat([] { StrToFloat("12 z\xB3", ','); }),
           QString::fromUtf8("'12 z\xC5\x82' is not a valid floating point value"));
  QVERIFY(StrToFloat("12.5", '.') == 12.5L);
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, StrToFloat("12,5", '.'));
}

void TestWartosci::floatToStr() {
  const std::pair<long double, const char*> przypadki[] = {
      {12.5L, "12,5"}, {13, "13"}, {-0.0L, "0"}, {WartoscC("1234.56"), "1234,56"}, {0.1L + 0.2L, "0,3"},
      {2.0L / 3, "0,666666666666667"}, {WartoscC("0.00001"), "0,00001"}, {WartoscC("0.000001"), "1E-6"},
      {WartoscC("-0.00000012"), "-1,2E-7"}, {999999999999999.0L, "999999999999999"}, {1e15L, "1E15"},
      {WartoscC("123456789012345678"), "1,23456789012346E17"}, {WartoscC("9999999999999999"), "1E16"},
      {INFINITY, "INF"}, {-INFINITY, "-INF"}, {NAN, "NAN"}};
  for (const auto& [x, tekst] : przypadki) QCOMPARE(Zapis(x), QString::fromLatin1(tekst));
  QCOMPARE(QString::fromStdString(FloatToStr(12.5L, '.')), QStringLiteral("12.5"));
}

void TestWartosci::formatujKwote() {
  // The first comma decides; a text with none gets ",00", one with a single decimal another 0.
  const std::pair<const char*, const char*> przypadki[] = {
      {"12", "12,00"}, {"12,", "12,00"},   {"12,5", "12,50"},   {"12,50", "12,50"}, {"-3", "-3,00"},
      {"-0,5", "-0,50"}, {",", ",00"},     {"12,345", "12,345"}, {"", ""},           {"1,2,3", "1,2,3"},
      {"1,23,", "1,23,"}};
  for (const auto& [tekst, wynik] : przypadki)
    QCOMPARE(QString::fromStdString(FormatujKwote(tekst)), QString::fromLatin1(wynik));
}

void TestWartosci::tekstKwoty() {
  // Noise around zero is written as "0,00", never in exponent form.
  const std::pair<long double, const char*> przypadki[] = {
      {12.5L, "12,50"}, {-5, "-5,00"}, {WartoscC("1234567.89"), "1234567,89"}, {0.1L + 0.2L, "0,30"},
      {WartoscC("1e-20"), "0,00"}, {0.1L * 3 - 0.3L - 1e-13L, "0,00"}, {WartoscC("-3e-8"), "0,00"},
      {WartoscC("1e15"), "1000000000000000,00"}, {WartoscC("-2.5e16"), "-25000000000000000,00"},
      {ZaokraglijDoGroszy(WartoscC("2.125")), "2,13"}};
  for (const auto& [x, tekst] : przypadki) QCOMPARE(QString::fromStdString(TekstKwoty(x)), QString::fromLatin1(tekst));
}

// g: ZaokraglijDoGroszy, d: ObetnijDoDziesiatekGroszy, z: ZaokraglijDoZlotych; each also with the input moved by
// one unit in the last place either way.
void TestWartosci::zaokraglenia_data() {
  QTest::addColumn<char>("funkcja");
  QTest::addColumn<QString>("x");
  QTest::addColumn<QString>("wynik");
  const std::tuple<char, const char*, const char*> przypadki[] = {
      {'g', "2,0051", "2,01"}, {'g', "2,0049", "2,00"}, {'g', "2,125", "2,13"}, {'g', "-2,125", "-2,12"},
      {'g', "12,3449", "12,34"}, {'g', "12,3451", "12,35"}, {'g', "12,3401", "12,34"}, {'g', "-12,346", "-12,35"},
      {'g', "-12,3449", "-12,34"}, {'g', "0", "0"}, {'g', "44490", "44490"}, {'g', "12,495", "12,5"},
      {'g', "1,005", "1,01"}, {'g', "-0,001", "0"}, {'g', "123456789012,345", "123456789012,35"},
      {'d', "12,3456", "12,3"}, {'d', "12,39", "12,3"}, {'d', "0,09", "0"}, {'d', "7,00", "7"}, {'d', "0", "0"},
      {'d', "-0,01", "-0,1"}, {'d', "-12,30", "-12,3"},
      {'z', "44489,50", "44490"}, {'z', "44489,25", "44489"}, {'z', "12,49", "12"}, {'z', "0,499", "1"},
      {'z', "0,494", "0"}, {'z', "12,375", "12"}, {'z', "12,486", "12"}, {'z', "12,495", "13"}, {'z', "12,50", "13"},
      {'z', "-12,50", "-12"}, {'z', "-12,25", "-12"}, {'z', "-12,51", "-13"}, {'z', "-12,75", "-13"},
      {'z', "85528", "85528"}};
  for (const auto& [funkcja, x, wynik] : przypadki)
    QTest::addRow("%c %s", funkcja, x) << funkcja << QString::fromLatin1(x) << QString::fromLatin1(wynik);
}

void TestWartosci::zaokraglenia() {
  QFETCH(char, funkcja);
  QFETCH(QString, x);
  QFETCH(QString, wynik);
  for (int wlos : {-1, 0, 1}) {
    long double w = 0;
    if (funkcja == 'd') {
      const double podwojna = static_cast<double>(Kwota(x));
      w = ObetnijDoDziesiatekGroszy(wlos == 0 ? podwojna
                                              : std::nextafter(podwojna, wlos < 0 ? -INFINITY : INFINITY));
    } else {
      const long double wejscie = Przesun(Kwota(x), wlos);
      w = funkcja == 'g' ? ZaokraglijDoGroszy(wejscie) : ZaokraglijDoZlotych(wejscie);
    }
    QVERIFY2(w == Kwota(wynik), qPrintable(QStringLiteral("hair %1: %2").arg(wlos).arg(Zapis(w))));
    if (funkcja == 'g') QVERIFY(!std::signbit(w) || w < 0);
  }
}

void TestWartosci::wynikiArytmetykiOWlos() {
  // Results of arithmetic that miss the decimal they stand for still round as that decimal.
  QVERIFY(ZaokraglijDoGroszy(1.005) == 1.01L);  // the double lies below 1,005
  QVERIFY(ZaokraglijDoGroszy(0.1L + 0.2L - 0.3L) == 0);
  QVERIFY(ZaokraglijDoGroszy(3 * Kwota("4,115")) == Kwota("12,35"));  // 12,345
  QVERIFY(ZaokraglijDoZlotych(0.7L * 0.7L) == 0);                      // 0,49
  QVERIFY(ZaokraglijDoZlotych(Kwota("1,1") * Kwota("45,45")) == 50);  // 49,995 -> 50,00
  QVERIFY(ObetnijDoDziesiatekGroszy(0.1 * 3) == Kwota("0,3"));          // 0,30000000000000004
  QVERIFY(ObetnijDoDziesiatekGroszy(0.29 * 100 / 10) == Kwota("2,9"));   // 2,8999999999999995
  QVERIFY(ObetnijDoDziesiatekGroszy(-(0.1 + 0.2) + 0.3) == 0);          // -5,5e-17
}

void TestWartosci::wartoscPola() {
  UstawPole(1, 20, "1234,56");
  UstawPole(2, 20, " -12,5 ");
  QVERIFY(WartoscPola(kx, 20, 1) == Kwota("1234,56"));
  QVERIFY(WartoscPola(kx, 20, 2) == -12.5L);
  QVERIFY(WartoscPola(kx, 0, 1) == 0);
  QCOMPARE(TekstPola(2, 20), QStringLiteral(" -12,5 "));

  // A bad text raises the run-time's message and stays as it was.
  UstawPole(1, 7, "");
  UstawPole(1, 8, "12.50");
  QCOMPARE(Komunikat([] { WartoscPola(kx, 7, 1); }), QStringLiteral("'' is not a valid floating point value"));
  QCOMPARE(Komunikat([] { WartoscPola(kx, 8, 1); }),
           QStringLiteral("'12.50' is not a valid floating point value"));
  QCOMPARE(TekstPola(1, 8), QStringLiteral("12.50"));
}

void TestWartosci::sumaPol() {
  UstawPole(1, 10, "1,10");
  UstawPole(1, 11, "2,20");
  UstawPole(1, 12, "3,30");
  UstawPole(1, 13, "-0,60");
  UstawPole(2, 11, "100,00");
  const long double suma = SumaPol(kx, 10, 13, 1);
  QVERIFY(std::fabs(suma - 6) < 1e-15L);
  QVERIFY(ZaokraglijDoGroszy(suma) == 6);
  QVERIFY(SumaPol(kx, 11, 11, 1) == Kwota("2,20"));
  QVERIFY(SumaPol(kx, 11, 11, 2) == 100);

  UstawPole(1, 14, "x");
  QVERIFY(SumaPol(kx, 14, 13, 1) == 0);  // an empty range reads nothing
  QVERIFY(SumaPol(kx, 349, 0, 1) == 0);
  QVERIFY_THROWS_EXCEPTION(BladKonwersjiLiczby, SumaPol(kx, 10, 14, 1));
}

void TestWartosci::policzUdzial() {
  UstawPole(1, 30, "1000,00");
  UstawPole(1, 31, "50,00");
  UstawPole(1, 33, "1234,56");
  UstawPole(1, 34, "23,00");
  QVERIFY(std::fabs(PoliczUdzial(kx, 30, 31, 1) - 500) < 1e-12L);
  QVERIFY(PoliczUdzial(kx, 30, 32, 1) == 0);                 // a share of 0
  const long double udzial = PoliczUdzial(kx, 33, 34, 1);  // 283,9488, not rounded
  QVERIFY(std::fabs(udzial - WartoscC("283.9488")) < 1e-12L);
  QVERIFY(ZaokraglijDoGroszy(udzial) == Kwota("283,95"));
}

void TestWartosci::zapisPola() {
  UstawPole(1, 40, "123456,78");
  ZapiszKwote(kx, 40, 1, 12.5L);
  QCOMPARE(TekstPola(1, 40), QStringLiteral("12,50"));
  QCOMPARE(TekstPola(2, 40), QStringLiteral("0,00"));
  ZapiszKwote(kx, 43, 1, -Kwota("1234,5"));
  QCOMPARE(TekstPola(1, 43), QStringLiteral("-1234,50"));
  QVERIFY(WartoscPola(kx, 43, 1) == Kwota("-1234,5"));
  // A literal is copied as it is, without conversion.
  UstawTekstPola(kx, 51, 2, "760,0");
  QCOMPARE(TekstPola(2, 51), QStringLiteral("760,0"));
}

void TestWartosci::indeksySprawdzane() {
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, PoleDruku(kx, -1, 1));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, PoleDruku(kx, 350, 1));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, WartoscPola(kx, 5, 0));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, WartoscPola(kx, 5, 3));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, SumaPol(kx, 348, 350, 1));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, ZapiszKwote(kx, 5, -1, 1));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, UstawTekstPola(kx, 350, 2, "1,00"));
  QVERIFY(WartoscPola(kx, 349, 2) == 0);

  // A count above the records held still reads nothing past them.
  rozliczenie.LiczbaDrukow = 5;
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, WartoscPola(kx, 5, 3));
  QCOMPARE(Komunikat<std::out_of_range>([] { PoleDruku(kx, 5, 3); }), QStringLiteral("Record index 3 outside 1..2"));
}

// The quick conversions must give what the exact ones give, across amounts of every size and many digits.
void TestWartosci::szybkieSciezkiZgodneZDokladnymi() {
  std::mt19937_64 los(2008);
  for (int i = 0; i < 20000; ++i) {
    const int miejsca = static_cast<int>(los() % 10);
    const long long mantysa = static_cast<long long>(los() % 1000000000000000ULL) - 500000000000000LL;
    std::string c = std::to_string(mantysa / static_cast<long long>(std::pow(10, los() % 8)));
    if (miejsca > 0 && c.size() > 1) c.insert(c.size() - std::min<std::size_t>(miejsca, c.size() - 1), ".");
    long double dokladna = 0;
    std::from_chars(c.data(), c.data() + c.size(), dokladna);
    std::string z = c;
    std::replace(z.begin(), z.end(), '.', ',');
    QCOMPARE(StrToFloat(z, ','), dokladna);

    char bufor[64];
    const auto koniec =
        std::to_chars(bufor, bufor + sizeof bufor, std::fabs(dokladna), std::chars_format::scientific, 14).ptr;
    std::string cyfry(bufor, std::find(bufor, koniec, 'e'));
    std::erase(cyfry, '.');
    while (cyfry.size() > 1 && cyfry.back() == '0') cyfry.pop_back();
    std::string zapis = FloatToStr(dokladna, ',');
    std::erase(zapis, '-');
    std::erase(zapis, ',');
    const auto poczatek = zapis.find_first_not_of('0');
    zapis = poczatek == std::string::npos ? "0" : zapis.substr(poczatek);
    while (zapis.size() > 1 && zapis.back() == '0') zapis.pop_back();
    if (dokladna != 0) QCOMPARE(zapis, cyfry);
  }
}

VELMAR_TEST_MAIN_RDZEN(TestWartosci)
#include "tst_wartosci.moc"
