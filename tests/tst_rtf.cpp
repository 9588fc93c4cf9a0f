#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "platform/rtf.h"

namespace {

// The raw text of all paragraphs: toPlainText() would turn line separators and hard spaces into plain ones.
QString Tekst(const QTextDocument& dokument) {
  QStringList akapity;
  for (QTextBlock blok = dokument.begin(); blok.isValid(); blok = blok.next()) akapity << blok.text();
  return akapity.join('\n');
}

QString Tekst(const QByteArray& rtf) {
  QTextDocument dokument;
  platform::WczytajRtf(dokument, rtf);
  return Tekst(dokument);
}

// One character per letter of the document as `znak` classifies its format, '|' between paragraphs.
QString Maska(const QTextDocument& dokument, char (*znak)(const QTextCharFormat&)) {
  QString maska;
  for (QTextBlock blok = dokument.begin(); blok.isValid(); blok = blok.next()) {
    if (blok != dokument.begin()) maska += '|';
    for (auto it = blok.begin(); !it.atEnd(); ++it)
      maska += QString(it.fragment().length(), QChar(znak(it.fragment().charFormat())));
  }
  return maska;
}

char Pogrubiony(const QTextCharFormat& f) { return f.fontWeight() == QFont::Bold ? '#' : '.'; }
char Kursywa(const QTextCharFormat& f) { return f.fontItalic() ? '#' : '.'; }
char Podkreslony(const QTextCharFormat& f) { return f.fontUnderline() ? '#' : '.'; }

char Rozmiar(const QTextCharFormat& f) {
  if (!f.hasProperty(QTextFormat::FontPointSize)) return '.';
  return f.fontPointSize() == 12.0 ? 'L' : f.fontPointSize() == 10.5 ? 'M' : '?';
}

// '.' for the automatic colour, else a letter per colour of the test tables.
char Kolor(const QTextCharFormat& f) {
  if (!f.hasProperty(QTextFormat::ForegroundBrush)) return '.';
  const QColor k = f.foreground().color();
  return k == QColor(255, 0, 0) ? 'r' : k == QColor(0, 128, 0) ? 'g' : k == QColor(0, 0, 255) ? 'b'
         : k == QColor(1, 2, 3) ? 'x' : '?';
}

QString Wyrownania(const QTextDocument& dokument) {
  QString wynik;
  for (QTextBlock blok = dokument.begin(); blok.isValid(); blok = blok.next()) {
    const Qt::Alignment a = blok.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    wynik += a == Qt::AlignLeft ? 'L' : a == Qt::AlignHCenter ? 'C' : a == Qt::AlignRight ? 'R'
           : a == Qt::AlignJustify ? 'J' : '?';
  }
  return wynik;
}

}  // namespace

class TestRtf : public QObject {
  Q_OBJECT

 private slots:
  void tekst_data();
  void tekst();
  void formatZnakow();
  void wyrownanieAkapitow();
  void nieRtf();
};

void TestRtf::tekst_data() {
  QTest::addColumn<QByteArray>("rtf");
  QTest::addColumn<QString>("tekst");
  const auto wiersz = [](const char* nazwa, const QByteArray& rtf, const QString& tekst) {
    QTest::newRow(nazwa) << rtf << tekst;
  };
  // A closing \par leaves no empty last line; a backslash before a line break is a mark, a bare break nothing.
  wiersz("akapity", "{\\rtf1\\ansi Pierwszy\\par Drugi\\par\r\nTrzeci}", "Pierwszy\nDrugi\nTrzeci");
  wiersz("podwójny par", "{\\rtf1 a\\par\\par b\\par }", "a\n\nb");
  wiersz("koniec linii", "{\\rtf1 ab\r\ncd\\\r\nef}", "abcd\nef");
  wiersz("line i tab", "{\\rtf1 a\\line b\\tab c}", "a\u2028b\tc");
  wiersz("escape", "{\\rtf1 \\\\ \\{x\\}}", "\\ {x}");
  wiersz("symbole", "{\\rtf1 a\\~b\\-c\\_d}", "a\u00A0bc-d");
  // The space after a control word delimits it; a second one is text, other delimiters stay text.
  wiersz("ograniczniki", "{\\rtf1\\b  x\\b0-y\\i0;z}", " x-y;z");
  wiersz("cudzysłowy", "{\\rtf1 \\ldblquote a\\rdblquote  \\endash  b}", "“a” – b");
  wiersz("nieznane słowa", "{\\rtf1 a\\nieznane123 b\\xyz c}", "abc");
  wiersz("cp1250 małe", "{\\rtf1\\ansi\\ansicpg1250 \\'b9\\'ea\\'b3\\'9c\\'bf\\'9f}", "ąęłśżź");
  wiersz("cp1250 wielkie", "{\\rtf1 \\'A5\\'CA\\'A3\\'8C\\'AF\\'8F\\'c6\\'d1\\'d3}", "ĄĘŁŚŻŹĆŃÓ");
  wiersz("bajty 8-bitowe", "{\\rtf1 \xb9\xea}", "ąę");
  // An escape without hex digits is dropped and the letter after it stays; one digit is a byte of its own.
  wiersz("niepełne \\'", "{\\rtf1 \\'zy\\'9x}", "zy\tx");
  wiersz("\\u", "{\\rtf1 \\u261?\\u322?x}", "ąłx");
  wiersz("\\u ujemne", "{\\rtf1 \\u-1279?a}", "\uFB01a");
  wiersz("\\u z \\'", "{\\rtf1 \\u380\\'bf\\u378 z!}", "żź!");
  wiersz("\\uc2", "{\\rtf1\\uc2 \\u261 ab\\u322\\'b3\\'b3c}", "ąłc");
  wiersz("\\uc0 w grupie", "{\\rtf1{\\uc0\\u261 x}\\u261?y}", "ąxąy");
  wiersz("klamra kończy zastępstwo", "{\\rtf1\\uc3\\u261{x}y}", "ąxy");
  // Outside the basic plane: two surrogate halves; a lone half is dropped.
  wiersz("surogaty", "{\\rtf1 \\u-10179?\\u-8704?.\\u-10179?a}", "\U0001F600.a");
  wiersz("pomijane cele",
         "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1 Times;}}"
         "{\\stylesheet{\\s0 Normal;}{\\*\\cs10 Default Paragraph Font;}}"
         "{\\info{\\title Tytul}{\\author Autor}}{\\*\\generator Edytor 1.0;}"
         "{\\header Naglowek}{\\footerl Stopka}{\\headerf X}"
         "{\\pict\\wmetafile8\\picw10\\bin6 }{}\\{ 0a0b0c}"
         "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Tre}}\\'9c\\'e6{\\*\\unknowndest zzz{nested}}}",
         "Treść");
  // Unbalanced groups: the document ends with its group.
  wiersz("nadmiar klamer", "{\\rtf1 abc}}}}", "abc");
  wiersz("tekst po dokumencie", "{\\rtf1 abc}def{ghi}", "abc");
  wiersz("urwany backslash", "{\\rtf1 a\\", "a");
  wiersz("urwany nagłówek", "{\\rtf", "");
  wiersz("urwany cel", "{\\rtf1{\\*", "");
  // Groups beyond the cap are dropped but counted, so the text after them lands in the right group.
  wiersz("bardzo głęboko", "{\\rtf1 a" + QByteArray(200000, '{') + "\\b x", "a");
  wiersz("ponad limit", "{\\rtf1 a" + QByteArray(1000, '{') + "x" + QByteArray(1000, '}') + "b}c", "ab");
  wiersz("w limicie", "{\\rtf1 " + QByteArray(200, '{') + "x" + QByteArray(200, '}') + "y}", "xy");
  wiersz("wrogie parametry", "{\\rtf1\\fs99999999999999999999999 a\\fs-5 b\\cf-3 c\\uc-7\\u99999999999 d}", "abcd");
  wiersz("ogromny \\bin", "{\\rtf1 a{\\pict\\bin999999999 }}", "a");
  wiersz("ujemny \\bin", "{\\rtf1 a{\\pict\\bin-4 }}b}", "a");
  wiersz("długie słowo", "{\\rtf1 a\\" + QByteArray(5000, 'x') + "1 b}", "ab");
  // Control characters, block and frame markers never reach the text.
  wiersz("znaki sterujące",
         QByteArray("{\\rtf1 a\\'00\\'0d\\u8233?\\u-560?\\u-559?") + '\0' + "\x01\x7f" + "b}", "ab");
}

void TestRtf::tekst() {
  QFETCH(QByteArray, rtf);
  QFETCH(QString, tekst);
  QCOMPARE(Tekst(rtf), tekst);
}

void TestRtf::formatZnakow() {
  QTextDocument d;
  QVERIFY(platform::WczytajRtf(d, "{\\rtf1 a{\\b bc}d\\i ef\\i0 g\\ul h\\ulnone i\\ul j\\ul0 k{\\b\\i\\ul l}m}"));
  QCOMPARE(Tekst(d), QString("abcdefghijklm"));
  QCOMPARE(Maska(d, Pogrubiony), QString(".##........#."));
  QCOMPARE(Maska(d, Kursywa), QString("....##.....#."));
  QCOMPARE(Maska(d, Podkreslony), QString(".......#.#.#."));
  // A parameter other than 0 switches on; \plain switches everything off within its group only.
  QVERIFY(platform::WczytajRtf(d, "{\\rtf1\\b1 a{\\i\\ul b\\plain c}d}"));
  QCOMPARE(Maska(d, Pogrubiony), QString("##.#"));
  QCOMPARE(Maska(d, Kursywa), QString(".#.."));
  QCOMPARE(Maska(d, Podkreslony), QString(".#.."));
  // The format reaches across paragraphs until the group ends, and past the end of an unclosed one.
  QVERIFY(platform::WczytajRtf(d, "{\\rtf1{\\b a\\par b}\\par c}"));
  QCOMPARE(Maska(d, Pogrubiony), QString("#|#|."));
  QVERIFY(platform::WczytajRtf(d, "{\\rtf1 {\\b abc"));
  QCOMPARE(Maska(d, Pogrubiony), QString("###"));
  QVERIFY(platform::WczytajRtf(d, "{\\rtf1 {\\b" + QByteArray(1000, '{') + "\\b0 x" + QByteArray(1000, '}') + "b}c}"));
  QCOMPARE(Maska(d, Pogrubiony), QString("#."));

  QVERIFY(platform::WczytajRtf(d, "{\\rtf1 a\\fs24 b{\\fs21 c}d\\plain e\\fs f}"));
  QCOMPARE(Maska(d, Rozmiar), QString(".LML.L"));

  // Unknown entries and \cf0 are automatic; entry 0 is automatic even when the table gives it components.
  QVERIFY(platform::WczytajRtf(
      d, "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}"
         "a\\cf1 b\\cf2 c{\\cf3 d}e\\cf0 f\\cf9 g\\cf2 h\\plain i}"));
  QCOMPARE(Maska(d, Kolor), QString(".rgbg..g."));
  QVERIFY(platform::WczytajRtf(d, "{\\rtf1{\\colortbl\\red9\\green9\\blue9;\\red1\\green2\\blue3;}\\cf0 a\\cf1 b}"));
  QCOMPARE(Maska(d, Kolor), QString(".x"));
}

void TestRtf::wyrownanieAkapitow() {
  QTextDocument d;
  QVERIFY(platform::WczytajRtf(d, "{\\rtf1\\qc srodek\\par\\qr prawo\\par\\pard lewo\\par\\qj wyjustowany\\par"
                                  "{\\qc grupa\\par}po grupie\\par\\qr\\ql lewo}"));
  QCOMPARE(Wyrownania(d), QString("CRLJCJL"));
  // The last paragraph without a mark, closed by the document group, keeps its alignment.
  QVERIFY(platform::WczytajRtf(d, "{\\rtf1 a\\par\\qc b}"));
  QCOMPARE(Wyrownania(d), QString("LC"));
}

void TestRtf::nieRtf() {
  QTextDocument dokument;
  QVERIFY(!platform::WczytajRtf(dokument, "Zwyk\xb3y tekst\n{\\rtf1 nie}"));
  QCOMPARE(dokument.toPlainText(), QString("Zwykły tekst\n{\\rtf1 nie}"));
  QVERIFY(!platform::WczytajRtf(dokument, " {\\rtf1 a}"));
  QVERIFY(!platform::WczytajRtf(dokument, QByteArray()));
  QVERIFY(dokument.isEmpty());
}

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
