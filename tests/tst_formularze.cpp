// The form sources and what the generator builds of them: its checks on a small source of its own
// (data/wybor_proba_formularza.txt), and in the structures built what the computations and the page view rely on.

#include <QFile>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QtTest>
#include <algorithm>
#include <string>
#include <vector>

#include "formularz.h"
#include "obiekty.h"
#include "main/tools.h"
#include "model/rekordy.h"
#include "reguly.h"
#include "support/program.h"
#include "support/test_main.h"
#include "uklad.h"

using namespace formularze;

namespace {

QByteArray Plik(const QString& sciezka) {
  QFile f(sciezka);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QString Folder() { return QStringLiteral(VELMAR_BIN_DIR "/dc/"); }
std::string Tekst(const QString& sciezka) { return Plik(QStringLiteral(VELMAR_SOURCE_DIR) + sciezka).toStdString(); }
const std::string kZrodloProby = Tekst(QStringLiteral("/tests/data/wybor_proba_formularza.txt"));

// The test source's rules: a NIP, a birth date and a name meet the person's block, field 1 is read as a number,
// field 2 is a box of the computation, 2 and 5 form one group.
const RegulyFormularza kRegulyProby{99, "TEST", 1, {1}, {2}, {{0, 0}, {3, 4}, {4, 2}}, 5};

// What the rules refuse in a source, or else what its layout does.
std::vector<Blad> Bledy(const std::string& tekst) {
  try {
    const auto zrodlo = WczytajZrodlo(tekst, "proba.txt");
    const auto bledy = Sprawdz(zrodlo, kRegulyProby);
    return bledy.empty() ? Rozmiesc(zrodlo).bledy : bledy;
  } catch (const BladZrodla& b) {
    return {b.blad()};
  }
}

std::string Zamien(std::string tekst, const std::string& co, const std::string& na) {
  const auto i = tekst.find(co);
  if (i == std::string::npos) throw std::logic_error("the test source lacks " + co);
  return tekst.replace(i, co.size(), na);
}

std::vector<TObiekt> ObiektyFormularza(int kod) {
  const QByteArray b = Plik(Folder() + QString::number(kod) + ".dcs");
  return rekordy::DekodujObiekty(
      std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())));
}

bool JestBlad(const std::vector<Blad>& bledy, const std::string& regula, int linia) {
  return std::any_of(bledy.begin(), bledy.end(), [&](const Blad& b) { return b.regula == regula && b.wiersz == linia; });
}

QString Wypisz(const std::vector<Blad>& bledy) {
  QStringList l;
  for (const Blad& b : bledy) l << QString::fromStdString(Opis(b));
  return l.join('\n');
}

constexpr int kKody[] = {Pit36, Pit37, PitO, PitD, Pit2K, Nip1, Nip3, Pit36L, PitZ, SseR, SseA, SseRA};

}  // namespace

class TstFormularze : public QObject {
  Q_OBJECT

 private slots:
  void zrodloProbyJestPoprawne() {
    const auto bledy = Bledy(kZrodloProby);
    QVERIFY2(bledy.empty(), qPrintable(Wypisz(bledy)));
  }

  // The rows of data/wybor_reguly_zrodla.txt.
  void regulaOdrzucaZleZrodlo_data() {
    QTest::addColumn<QString>("regula");
    QTest::addColumn<int>("linia");
    QTest::addColumn<QStringList>("zamiany");  // text, replacement, text, replacement...
    static const QRegularExpression cytat(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
    const QString tekst =
        QString::fromUtf8(Plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/wybor_reguly_zrodla.txt")));
    for (const QString& wiersz : tekst.split('\n')) {
      const QStringList pola = wiersz.split(QStringLiteral(" | "));
      if (wiersz.startsWith('#') || pola.size() != 3) continue;
      QStringList zamiany;
      for (const auto& m : cytat.globalMatch(pola[2]))
        zamiany << m.captured(1)
                       .replace(QStringLiteral("\\n"), QStringLiteral("\n"))
                       .replace(QStringLiteral("\\\""), QStringLiteral("\""));
      QTest::newRow(qPrintable(pola[1])) << pola[0].section(' ', 0, 0) << pola[0].section(' ', 1).toInt() << zamiany;
    }}
  void regulaOdrzucaZleZrodlo() {
    QFETCH(QString, regula);
    QFETCH(int, linia);
    QFETCH(QStringList, zamiany);
    std::string tekst = kZrodloProby;
    for (qsizetype i = 0; i + 1 < zamiany.size(); i += 2)
      tekst = Zamien(tekst, zamiany[i].toStdString(), zamiany[i + 1].toStdString());
    const auto bledy = Bledy(tekst);
    QVERIFY2(JestBlad(bledy, regula.toStdString(), linia),
             qPrintable(QStringLiteral("expected [%1] at line %2, got:\n%3").arg(regula).arg(linia).arg(Wypisz(bledy))));
    QCOMPARE(QString::fromStdString(bledy.front().plik), QStringLiteral("proba.txt"));}

  // Each field of the source becomes the object of its index: numbered from 1, as the saved records carry the number,
  // on its page and aligned by its letter (amounts to the right, cells spread over the boxes), its hint the printed
  // position and the description.
  void obiektyZeZrodla() {
    const Zrodlo zrodlo = WczytajZrodlo(kZrodloProby, "proba.txt");
    const auto obiekty = Obiekty(zrodlo, Rozmiesc(zrodlo));
    QCOMPARE(obiekty.size(), std::size_t{6});
    const std::int32_t wyrownania[] = {Justuj, DoPrawej, DoLewej, Justuj, DoLewej, DoLewej};
    for (std::size_t k = 0; k < obiekty.size(); ++k) {
      QCOMPARE(obiekty[k].NrObiektu, std::int32_t(k + 1));
      QCOMPARE(obiekty[k].Strona, 1);
      QCOMPARE(obiekty[k].Wyrownanie, wyrownania[k]);
    }
    QCOMPARE(NaQString(obiekty[1].Pomoc), QStringLiteral("poz. 2 Kwota"));
    QCOMPARE(NaQString(obiekty[2].Pomoc), QStringLiteral("a"));
  }

  void ponad350Obiektow() {
    std::string tekst = "form 99 \"TEST\"\npages 1\npage 1\n";
    for (int i = 0; i <= kMaksObiektow; ++i) tekst += "row R" + std::to_string(i) + "\n";
    for (int i = 0; i <= kMaksObiektow; ++i)
      tekst += std::to_string(i) + " 1:R" + std::to_string(i) + "@0+24 Text 0 - - - 10 L * - \"x\"\n";
    const RegulyFormularza r{99, "TEST", 1, {}, {}, {}, 0};
    const auto pelne = Sprawdz(WczytajZrodlo(tekst, "duzy.txt"), r);
    QVERIFY(JestBlad(pelne, "object-limit", 4 + kMaksObiektow + 1 + kMaksObiektow));

    const auto pos = tekst.rfind(std::to_string(kMaksObiektow) + " 1:R");
    const auto bez = Sprawdz(WczytajZrodlo(tekst.substr(0, pos), "duzy.txt"), r);
    QVERIFY2(std::none_of(bez.begin(), bez.end(), [](const Blad& b) { return b.regula == "object-limit"; }),
             qPrintable(Wypisz(bez)));}

  void nieznanyFormularz() {
    const auto p = Przygotuj(Zamien(kZrodloProby, "form 99", "form 42"), "proba.txt");
    QCOMPARE(p.bledy.size(), std::size_t{1});
    QVERIFY(JestBlad(p.bledy, "form-code", 1));
  }

  // The rule table carries what the computations read: breaking a field they read in the real sources is refused.
  // The 1% amount (132) is read by PIT-37's cap; PIT/O's box 73 governs the months 74..85 of the first child.
  void regulyPit37IPitOZCzesciObliczen() {
    const struct {
      const char *plik, *co, *na, *regula, *pole;
    } zmiany[] = {
        {"pit37.txt", "Liczba  1   -        123  0,00", "Text    0   -        123  -   ", "numeric-field", "field 132"},
        {"pito.txt", "73    2:D12@7+5      Checbox", "73    2:D12@7+5      Text   ", "checkbox", "field 73"}};
    for (const auto& z : zmiany) {
      const auto bledy = Przygotuj(Zamien(Tekst(QStringLiteral("/data/forms/") + z.plik), z.co, z.na), z.plik).bledy;
      QVERIFY2(std::any_of(bledy.begin(), bledy.end(),
                           [&](const Blad& b) { return b.regula == z.regula && b.opis.find(z.pole) == 0; }),
               qPrintable(Wypisz(bledy)));
    }}

  // What the computations rely on beyond the rule table: the settlement-kind boxes form one group; each PIT/Z box of
  // PIT-36 stands alone, since two of a person may be ticked; PIT-37's attachment counts are whole numbers.
  void umowyZObliczeniami() {
    for (const int kod : {Pit37, Pit36}) {
      const auto o = ObiektyFormularza(kod);
      for (const int k : {3, 4, 5, 6}) QCOMPARE(NaQString(o[std::size_t(k)].Nazwa), NaQString(o[3].Nazwa));
    }
    const auto pit36 = ObiektyFormularza(Pit36);
    QStringList nazwy{NaQString(pit36[3].Nazwa)};
    for (const int k : {39, 40, 41, 42}) {
      QVERIFY(!nazwy.contains(NaQString(pit36[std::size_t(k)].Nazwa)));
      nazwy << NaQString(pit36[std::size_t(k)].Nazwa);
    }
    const auto pit37 = ObiektyFormularza(Pit37);
    for (const int k : {117, 118, 119, 120})
      QVERIFY(pit37[std::size_t(k)].Typ == Liczba && pit37[std::size_t(k)].Format == FormatCalkowita);}

  // What each form's computation writes is a read-only amount (or count) the user cannot type over; every other
  // amount is the user's to enter. Boxes the computation reads are check boxes.
  void polaObliczen_data() {
    QTest::addColumn<int>("kod");
    QTest::addColumn<QList<int>>("wyliczane");
    QTest::addColumn<QList<int>>("liczniki");
    QTest::addColumn<QList<int>>("kratki");
    const QString tekst =
        QString::fromUtf8(Plik(QStringLiteral(VELMAR_SOURCE_DIR "/tests/data/wybor_pola_obliczen.txt")));
    for (const QString& wiersz : tekst.split('\n')) {
      const QStringList pola = wiersz.split('|');
      if (wiersz.startsWith('#') || pola.size() != 4) continue;
      const auto Liczby = [](const QString& t) {
        QList<int> l;
        for (const QString& x : t.split(' ', Qt::SkipEmptyParts)) l << x.toInt();
        return l;
      };
      QTest::newRow(qPrintable(pola[0].trimmed()))
          << pola[0].section(' ', 0, 0).toInt() << Liczby(pola[1]) << Liczby(pola[2]) << Liczby(pola[3]);
    }}
  void polaObliczen() {
    QFETCH(int, kod);
    QFETCH(QList<int>, wyliczane);
    QFETCH(QList<int>, liczniki);
    QFETCH(QList<int>, kratki);
    const auto o = ObiektyFormularza(kod);
    for (int k = 0; k < int(o.size()); ++k) {
      const TObiekt& x = o[std::size_t(k)];
      const QString pole = QStringLiteral("field %1").arg(k);
      // A new record reads every amount as zero.
      if (x.Typ == Liczba)
        QCOMPARE(NaQString(x.WartoscDomyslna), x.Format == FormatCalkowita ? QStringLiteral("0") : QStringLiteral("0,00"));
      if (wyliczane.contains(k) || liczniki.contains(k)) {
        QVERIFY2(x.Typ == Liczba && x.TylkoDoOdczytu == 1, qPrintable(pole));
        QCOMPARE(x.Format, std::int32_t(liczniki.contains(k) ? FormatCalkowita : FormatDziesietna));
      } else if (x.Typ == Liczba) {
        QVERIFY2(x.TylkoDoOdczytu == 0, qPrintable(pole));
      }
      if (kratki.contains(k)) QCOMPARE(x.Typ, std::int32_t(Checbox));
    }}

  // The settlement-kind boxes of PIT-36 and PIT-37 follow the kind: 3, 4 and 6 are the computation's, 5 (the other
  // joint box) the user's choice.
  void kratkiRodzaju() {
    for (const int kod : {Pit36, Pit37}) {
      const auto o = ObiektyFormularza(kod);
      QVERIFY(o.size() > 6);
      QList<int> zablokowane;
      for (const int k : {3, 4, 5, 6})
        if (o[std::size_t(k)].TylkoDoOdczytu) zablokowane << k;
      QCOMPARE(zablokowane, (QList<int>{3, 4, 6}));
    }
  }

  // Every form the program knows has the catalogue's name and page count, its header the A4 view, and each of its
  // pages an A4 picture at twice the view.
  void obrazyStronSaA4() {
    velmar_test::UstawRegionalne();
    const TTools tools(QStringLiteral(VELMAR_BIN_DIR "/"));
    for (const int kod : kKody) {
      const TTypDruku& typ = tools.TypyDrukow[std::size_t(kod)];
      QCOMPARE(NaQString(typ.Nazwa), QString::fromStdString(RegulyDla(kod)->symbol));
      const QByteArray b = Plik(Folder() + QString::number(kod) + ".dcd");
      QCOMPARE(b.size(), qsizetype(rekordy::kRozmiarNaglowkaFormularza));
      const auto n = rekordy::DekodujNaglowek(std::span<const std::uint8_t, rekordy::kRozmiarNaglowkaFormularza>(
          reinterpret_cast<const std::uint8_t*>(b.constData()), rekordy::kRozmiarNaglowkaFormularza));
      QCOMPARE(n.LiczbaStron, typ.LiczbaStron);
      QCOMPARE(QSize(n.SzerokoscWidoku, n.WysokoscWidoku), QSize(800, 1131));
      QCOMPARE(QSize(n.SzerokoscEkranu, n.WysokoscEkranu), QSize(1280, 1024));
      for (int s = 1; s <= n.LiczbaStron + 1; ++s) {
        const QString sciezka = Folder() + QStringLiteral("%1_%2.dcg").arg(kod).arg(s);
        QCOMPARE(QFile::exists(sciezka), s <= n.LiczbaStron);
        if (s > n.LiczbaStron) break;
        QVERIFY2(QFileInfo(sciezka).size() < 200 * 1024, qPrintable(sciezka));
        QSvgRenderer obraz(sciezka);
        QCOMPARE(obraz.defaultSize(), QSize(1600, 2263));
        QCOMPARE(obraz.viewBox(), QRect(0, 0, 1600, 2263));
      }
    }}

  // The white box of a field on the picture is the field's rectangle doubled.
  void ramkaPolaLezyNaObrazie() {
    for (const int kod : {Pit36, Pit37, PitO, Pit36L, PitZ, SseR, SseA, SseRA}) {
      const auto o = ObiektyFormularza(kod);
      std::vector<QString> strony(7);
      for (int s = 1; s <= RegulyDla(kod)->liczbaStron; ++s)
        strony[std::size_t(s)] = QString::fromUtf8(Plik(Folder() + QStringLiteral("%1_%2.dcg").arg(kod).arg(s)));
      for (const TObiekt& x : o) {
        if (!x.Widoczne) continue;
        const QString prostokat = QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>")
                                      .arg(2 * x.Lewy)
                                      .arg(2 * x.Gorny)
                                      .arg(2 * (x.Prawy - x.Lewy))
                                      .arg(2 * (x.Dolny - x.Gorny));
        QVERIFY2(strony[std::size_t(x.Strona)].contains(prostokat),
                 qPrintable(QStringLiteral("form %1 object %2: %3").arg(kod).arg(x.NrObiektu).arg(prostokat)));
      }
    }}

  void zawijanieMiesciSieWSzerokosci() {
    const std::string tekst =
        "Urząd skarbowy, którym kieruje naczelnik urzędu skarbowego właściwy według miejsca zamieszkania";
    const auto linie = Zawin(tekst, 7.5, false, 120);
    QVERIFY(linie.size() > 1);
    std::string razem;
    for (const auto& l : linie) {
      QVERIFY2(SzerokoscTekstu(l, 7.5, false) <= 120, l.c_str());
      razem += (razem.empty() ? "" : " ") + l;
    }
    QCOMPARE(razem, tekst);
    QVERIFY(SzerokoscTekstu("WWW", 10, false) > SzerokoscTekstu("iii", 10, false));
    QVERIFY(SzerokoscTekstu("Łódź", 10, true) > SzerokoscTekstu("Łódź", 10, false));
  }
};

VELMAR_TEST_MAIN(TstFormularze)
#include "tst_formularze.moc"
