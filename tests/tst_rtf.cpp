// The RTF reader: text, character formats and paragraph alignment, table rows in tests/data/rtf.txt; documents too
// large to spell out there are built here.

#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <map>

#include "platform/rtf.h"
#include "support/pliki.h"

namespace {

// One character per paragraph ('|' between) or per letter, as `znak` classifies its block or character format.
QString Opis(const QTextDocument& dokument, char (*znak)(const QTextCharFormat&), char (*blok)(const QTextBlock&)) {
  QString opis;
  for (QTextBlock b = dokument.begin(); b.isValid(); b = b.next()) {
    if (blok) opis += blok(b);
    if (!znak) continue;
    if (b != dokument.begin()) opis += '|';
    for (auto it = b.begin(); !it.atEnd(); ++it)
      opis += QString(it.fragment().length(), QChar(znak(it.fragment().charFormat())));
  }
  return opis;
}

char Pogrubiony(const QTextCharFormat& f) { return f.fontWeight() == QFont::Bold ? '#' : '.'; }
char Kursywa(const QTextCharFormat& f) { return f.fontItalic() ? '#' : '.'; }
char Podkreslony(const QTextCharFormat& f) { return f.fontUnderline() ? '#' : '.'; }
char Rozmiar(const QTextCharFormat& f) {
  if (!f.hasProperty(QTextFormat::FontPointSize)) return '.';
  return f.fontPointSize() == 12.0 ? 'L' : f.fontPointSize() == 10.5 ? 'M' : '?';
}
char Kolor(const QTextCharFormat& f) {
  if (!f.hasProperty(QTextFormat::ForegroundBrush)) return '.';
  const QColor k = f.foreground().color();
  return k == QColor(255, 0, 0) ? 'r' : k == QColor(0, 128, 0) ? 'g' : k == QColor(0, 0, 255) ? 'b'
         : k == QColor(1, 2, 3) ? 'x' : '?';
}
char Wyrownanie(const QTextBlock& b) {
  const Qt::Alignment a = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
  return a == Qt::AlignLeft ? 'L' : a == Qt::AlignHCenter ? 'C' : a == Qt::AlignRight ? 'R'
         : a == Qt::AlignJustify ? 'J' : '?';
}

// The raw text of all paragraphs: toPlainText() would turn line separators and hard spaces into plain ones.
QString Tekst(const QTextDocument& dokument) {
  QStringList akapity;
  for (QTextBlock blok = dokument.begin(); blok.isValid(); blok = blok.next()) akapity << blok.text();
  return akapity.join('\n');
}

}  // namespace

class TestRtf : public QObject {
  Q_OBJECT

 private slots:
  void rtf_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("co");
    QTest::addColumn<QString>("wynik");
    for (const QByteArrayList& w : velmar_test::WierszeDanych(VELMAR_SOURCE_DIR "/tests/data/rtf.txt"))
      QTest::newRow(w.value(0).constData()) << w.value(1) << QString(w.value(2)) << QString::fromUtf8(w.value(3));
    // Groups beyond the cap are dropped but counted, so the text after them lands in the right group.
    QTest::newRow("bardzo głęboko") << "{\\rtf1 a" + QByteArray(200000, '{') + "\\b x" << "tekst" << "a";
    QTest::newRow("ponad limit") << "{\\rtf1 a" + QByteArray(1000, '{') + "x" + QByteArray(1000, '}') + "b}c"
                                 << "tekst" << "ab";
    QTest::newRow("w limicie") << "{\\rtf1 " + QByteArray(200, '{') + "x" + QByteArray(200, '}') + "y}" << "tekst"
                               << "xy";
    QTest::newRow("format ponad limit") << "{\\rtf1 {\\b" + QByteArray(1000, '{') + "\\b0 x" + QByteArray(1000, '}') +
                                               "b}c}" << "pogrubienie" << "#.";
    QTest::newRow("długie słowo") << "{\\rtf1 a\\" + QByteArray(5000, 'x') + "1 b}" << "tekst" << "ab";
  }
  void rtf() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, co);
    QFETCH(QString, wynik);
    QTextDocument d;
    QCOMPARE(platform::WczytajRtf(d, rtf), rtf.startsWith("{\\rtf"));
    const std::map<QString, char (*)(const QTextCharFormat&)> znaki = {
        {"pogrubienie", Pogrubiony}, {"kursywa", Kursywa}, {"podkreslenie", Podkreslony}, {"rozmiar", Rozmiar},
        {"kolor", Kolor}};
    QCOMPARE(co == "tekst" ? Tekst(d) : Opis(d, znaki.count(co) ? znaki.at(co) : nullptr,
                                             co == "wyrownanie" ? Wyrownanie : nullptr),
             wynik);
  }

  void nieRtf() {
    QTextDocument dokument;
    QVERIFY(!platform::WczytajRtf(dokument, "Zwyk\xb3y tekst\n{\\rtf1 nie}"));
    QCOMPARE(dokument.toPlainText(), QString("Zwykły tekst\n{\\rtf1 nie}"));
    QVERIFY(!platform::WczytajRtf(dokument, " {\\rtf1 a}"));
    QVERIFY(!platform::WczytajRtf(dokument, QByteArray()));
    QVERIFY(dokument.isEmpty());
  }

  // A file that is missing or no file leaves the document as it was, so a window keeps its own text; a file read
  // is decoded from the code page.
  void pliki() {
    QTemporaryDir katalog;
    QVERIFY(katalog.isValid());
    QTextDocument dokument;
    dokument.setPlainText("bez zmian");
    QVERIFY(!platform::WczytajPlikRtf(dokument, katalog.filePath("brak.rtf")));
    QVERIFY(!platform::WczytajPlikRtf(dokument, katalog.path()));
    QCOMPARE(dokument.toPlainText(), QString("bez zmian"));
    velmar_test::ZapiszPlik(katalog.filePath("licence.rtf"),
                            "{\\rtf1\\ansi\\ansicpg1250 Umowa\\par \\'9ccie\\'bfka\\par }");
    QVERIFY(platform::WczytajPlikRtf(dokument, katalog.filePath("licence.rtf")));
    QCOMPARE(Tekst(dokument), QString("Umowa\nścieżka"));
  }
};

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
