// The PIT-36 reduced-deductions line over a chain of runs in which more than one run cuts: the cases of
// tests/obliczenia/pit36.txt cover the rest of the computation, but a case cannot put an excess back between runs.

#include <QtTest>

#include "calc/pit36.h"
#include "tst_obliczenia_wspolne.h"

using namespace velmar_test;

namespace {

// A PIT/Z that puts an excess back into the PIT-36's deduction 140, so that the run after it cuts again.
void PitZPrzywracajacy(KontekstObliczen& kx, int) { UstawBajty(kx.R.Druk(1).Pola[140].Wartosc, "1500,00"); }

}  // namespace

class TestPit36 : public QObject {
  Q_OBJECT

 private slots:
  void komunikatRazMimoDwochObciec();
};

// The PIT/B's own PIT-36 run cuts 140; its PIT/Z puts the excess back and the first run cuts it again: one line.
void TestPit36::komunikatRazMimoDwochObciec() {
  const ZastepczeObliczenie pitZ(PitZ, PitZPrzywracajacy);
  ProgramZObliczeniami p;
  p.Rozliczenie({{Pit36, 0, 0}, {PitB, 1, PMPodatnik}, {PitZ, 1, PMPodatnik}}, Indywidualne);
  p.Wpisz(1, "#39=1 45=1000,00 140=1500,00");
  p.Pokaz(1);
  p.StaryListError();
  ObliczPit36(p.V(), 1, false);
  QCOMPARE(p.Tekst(1, 140), QStringLiteral("1000,00"));
  QVERIFY(p.Komunikat());
  // The chain is over: the context holds no run.
  QVERIFY(p.V().LancuchPit36 == nullptr);
}

VELMAR_TEST_MAIN_RDZEN(TestPit36)
#include "tst_pit36.moc"
