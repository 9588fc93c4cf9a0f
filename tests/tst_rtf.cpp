#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/rtf.h"

namespace {

QStringList Akapity(const QTextDocument& dokument) {
  QStringList wynik;
  for (QTextBlock blok = dokument.begin(); blok.isValid(); blok = blok.next()) wynik << blok.text();
  return wynik;
}

// The format of the character at the document position.
QTextCharFormat FormatZnaku(QTextDocument& dokument, int pozycja) {
  QTextCursor kursor(&dokument);
  kursor.setPosition(pozycja + 1);
  return kursor.charFormat();
}

Qt::Alignment Wyrownanie(const QTextDocument& dokument, int akapit) {
  return dokument.findBlockByNumber(akapit).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

// The raw text of all paragraphs: toPlainText() would turn line separators and hard spaces into plain ones.
QString Tekst(const QByteArray& rtf) {
  QTextDocument dokument;
  platform::WczytajRtf(dokument, rtf);
  return Akapity(dokument).join('\n');
}

}  // namespace

class TestRtf : public QObject {
  Q_OBJECT

 private slots:
  void akapity();
  void znakiWAkapicie();
  void pogrubienieKursywaPodkreslenie();
  void rozmiarCzcionki();
  void tablicaKolorow();
  void wyrownanieAkapitow();
  void polskieZnakiCp1250();
  void unicodeZeZnakamiZastepczymi();
  void pomijaneCele();
  void niezbalansowaneGrupy();
  void glebokieZagniezdzenie();
  void wrogieParametry();
  void nieRtf();
  void pliki();
};

void TestRtf::akapity() {
  QTextDocument dokument;
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1\\ansi Pierwszy\\par Drugi\\par\r\nTrzeci}"));
  QCOMPARE(Akapity(dokument), (QStringList{"Pierwszy", "Drugi", "Trzeci"}));

  // The closing \par of a text leaves no empty last line; a doubled one leaves an empty paragraph between.
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1 a\\par\\par b\\par }"));
  QCOMPARE(Akapity(dokument), (QStringList{"a", "", "b"}));

  // A backslash before a line break is a paragraph mark; bare line breaks are nothing.
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1 ab\r\ncd\\\r\nef}"));
  QCOMPARE(Akapity(dokument), (QStringList{"abcd", "ef"}));

  // Loading replaces what was there.
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1 nowy}"));
  QCOMPARE(Akapity(dokument), QStringList{"nowy"});
}

void TestRtf::znakiWAkapicie() {
  QCOMPARE(Tekst("{\\rtf1 a\\line b\\tab c}"), QString("a") + QChar::LineSeparator + "b\tc");
  QCOMPARE(Tekst("{\\rtf1 \\\\ \\{x\\}}"), QString("\\ {x}"));
  QCOMPARE(Tekst("{\\rtf1 a\\~b\\-c\\_d}"), QString("a") + QChar(0x00A0) + "bc-d");
  // The space after a control word delimits it; a second one is text, other delimiters stay text.
  QCOMPARE(Tekst("{\\rtf1\\b  x\\b0-y\\i0;z}"), QString(" x-y;z"));
  QCOMPARE(Tekst("{\\rtf1 \\ldblquote a\\rdblquote  \\endash  b}"), QString("“a” – b"));
  QCOMPARE(Tekst("{\\rtf1 a\\nieznane123 b\\xyz c}"), QString("abc"));
}

void TestRtf::pogrubienieKursywaPodkreslenie() {
  QTextDocument dokument;
  QVERIFY(platform::WczytajRtf(dokument,
                               "{\\rtf1 a{\\b bc}d\\i ef\\i0 g\\ul h\\ulnone i\\ul j\\ul0 k{\\b\\i\\ul l}m}"));
  QCOMPARE(dokument.toPlainText(), QString("abcdefghijklm"));
  const QString pogrubione = ".##........#.";
  const QString kursywa = "....##.....#.";
  const QString podkreslone = ".......#.#.#.";
  for (int i = 0; i < pogrubione.size(); ++i) {
    const QTextCharFormat format = FormatZnaku(dokument, i);
    QVERIFY2((format.fontWeight() == QFont::Bold) == (pogrubione[i] == '#'), qPrintable(QString::number(i)));
    QVERIFY2(format.fontItalic() == (kursywa[i] == '#'), qPrintable(QString::number(i)));
    QVERIFY2(format.fontUnderline() == (podkreslone[i] == '#'), qPrintable(QString::number(i)));
  }

  // A parameter other than 0 switches on; \plain switches everything off within its group only.
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1\\b1 a{\\i\\ul b\\plain c}d}"));
  QCOMPARE(FormatZnaku(dokument, 0).fontWeight(), int(QFont::Bold));
  QVERIFY(FormatZnaku(dokument, 1).fontItalic());
  QCOMPARE(FormatZnaku(dokument, 2).fontWeight(), int(QFont::Normal));
  QVERIFY(!FormatZnaku(dokument, 2).fontItalic());
  QVERIFY(!FormatZnaku(dokument, 2).fontUnderline());
  QCOMPARE(FormatZnaku(dokument, 3).fontWeight(), int(QFont::Bold));
  QVERIFY(!FormatZnaku(dokument, 3).fontItalic());

  // The format reaches across paragraphs until the group ends.
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1{\\b a\\par b}\\par c}"));
  QCOMPARE(Akapity(dokument), (QStringList{"a", "b", "c"}));
  QCOMPARE(FormatZnaku(dokument, dokument.findBlockByNumber(1).position()).fontWeight(), int(QFont::Bold));
  QCOMPARE(FormatZnaku(dokument, dokument.findBlockByNumber(2).position()).fontWeight(), int(QFont::Normal));
}

void TestRtf::rozmiarCzcionki() {
  QTextDocument dokument;
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1 a\\fs24 b{\\fs21 c}d\\plain e\\fs f}"));
  QVERIFY(!FormatZnaku(dokument, 0).hasProperty(QTextFormat::FontPointSize));
  QCOMPARE(FormatZnaku(dokument, 1).fontPointSize(), 12.0);
  QCOMPARE(FormatZnaku(dokument, 2).fontPointSize(), 10.5);
  QCOMPARE(FormatZnaku(dokument, 3).fontPointSize(), 12.0);
  QVERIFY(!FormatZnaku(dokument, 4).hasProperty(QTextFormat::FontPointSize));
  QCOMPARE(FormatZnaku(dokument, 5).fontPointSize(), 12.0);
}

void TestRtf::tablicaKolorow() {
  QTextDocument dokument;
  QVERIFY(platform::WczytajRtf(
      dokument,
      "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}"
      "a\\cf1 b\\cf2 c{\\cf3 d}e\\cf0 f\\cf9 g\\cf2 h\\plain i}"));
  QCOMPARE(dokument.toPlainText(), QString("abcdefghi"));
  const auto kolor = [&](int i) { return FormatZnaku(dokument, i).foreground().color(); };
  const auto automatyczny = [&](int i) { return !FormatZnaku(dokument, i).hasProperty(QTextFormat::ForegroundBrush); };
  QVERIFY(automatyczny(0));
  QCOMPARE(kolor(1), QColor(255, 0, 0));
  QCOMPARE(kolor(2), QColor(0, 128, 0));
  QCOMPARE(kolor(3), QColor(0, 0, 255));
  QCOMPARE(kolor(4), QColor(0, 128, 0));
  QVERIFY(automatyczny(5));
  QVERIFY(automatyczny(6));
  QCOMPARE(kolor(7), QColor(0, 128, 0));
  QVERIFY(automatyczny(8));

  // Entry 0 is automatic even when the table gives it components.
  QVERIFY(platform::WczytajRtf(dokument,
                               "{\\rtf1{\\colortbl\\red9\\green9\\blue9;\\red1\\green2\\blue3;}\\cf0 a\\cf1 b}"));
  QVERIFY(automatyczny(0));
  QCOMPARE(kolor(1), QColor(1, 2, 3));
}

void TestRtf::wyrownanieAkapitow() {
  QTextDocument dokument;
  QVERIFY(platform::WczytajRtf(dokument,
                               "{\\rtf1\\qc srodek\\par\\qr prawo\\par\\pard lewo\\par\\qj wyjustowany\\par"
                               "{\\qc grupa\\par}po grupie\\par\\qr\\ql lewo}"));
  QCOMPARE(dokument.blockCount(), 7);
  QCOMPARE(Wyrownanie(dokument, 0), Qt::AlignHCenter);
  QCOMPARE(Wyrownanie(dokument, 1), Qt::AlignRight);
  QCOMPARE(Wyrownanie(dokument, 2), Qt::AlignLeft);
  QCOMPARE(Wyrownanie(dokument, 3), Qt::AlignJustify);
  QCOMPARE(Wyrownanie(dokument, 4), Qt::AlignHCenter);
  QCOMPARE(Wyrownanie(dokument, 5), Qt::AlignJustify);
  QCOMPARE(Wyrownanie(dokument, 6), Qt::AlignLeft);

  // The last paragraph without a mark, closed by the document group, keeps its alignment.
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1 a\\par\\qc b}"));
  QCOMPARE(Wyrownanie(dokument, 0), Qt::AlignLeft);
  QCOMPARE(Wyrownanie(dokument, 1), Qt::AlignHCenter);
}

void TestRtf::polskieZnakiCp1250() {
  QCOMPARE(Tekst("{\\rtf1\\ansi\\ansicpg1250 \\'b9\\'ea\\'b3\\'9c\\'bf\\'9f}"), QString("ąęłśżź"));
  QCOMPARE(Tekst("{\\rtf1 \\'A5\\'CA\\'A3\\'8C\\'AF\\'8F\\'c6\\'d1\\'d3}"), QString("ĄĘŁŚŻŹĆŃÓ"));
  // Unescaped 8-bit bytes are read in the same code page.
  QCOMPARE(Tekst("{\\rtf1 \xb9\xea}"), QString("ąę"));
  // An escape without hex digits is dropped and the letter after it stays; one digit is a byte of its own.
  QCOMPARE(Tekst("{\\rtf1 \\'zy\\'9x}"), QString("zy\tx"));
}

void TestRtf::unicodeZeZnakamiZastepczymi() {
  QCOMPARE(Tekst("{\\rtf1 \\u261?\\u322?x}"), QString("ąłx"));
  QCOMPARE(Tekst("{\\rtf1 \\u-1279?a}"), QString("\uFB01a"));
  QCOMPARE(Tekst("{\\rtf1 \\u380\\'bf\\u378 z!}"), QString("żź!"));
  QCOMPARE(Tekst("{\\rtf1\\uc2 \\u261 ab\\u322\\'b3\\'b3c}"), QString("ąłc"));
  QCOMPARE(Tekst("{\\rtf1{\\uc0\\u261 x}\\u261?y}"), QString("ąxąy"));
  // A brace ends the fallback early.
  QCOMPARE(Tekst("{\\rtf1\\uc3\\u261{x}y}"), QString("ąxy"));
  // Outside the basic plane: two surrogate halves; a lone half is dropped.
  QCOMPARE(Tekst("{\\rtf1 \\u-10179?\\u-8704?.\\u-10179?a}"), QString::fromUtf8("\xF0\x9F\x98\x80.a"));
}

void TestRtf::pomijaneCele() {
  const QByteArray rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1 Times;}}"
      "{\\stylesheet{\\s0 Normal;}{\\*\\cs10 Default Paragraph Font;}}"
      "{\\info{\\title Tytul}{\\author Autor}}{\\*\\generator Edytor 1.0;}"
      "{\\header Naglowek}{\\footerl Stopka}{\\headerf X}"
      "{\\pict\\wmetafile8\\picw10\\bin6 }{}\\{ 0a0b0c}"
      "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Tre}}\\'9c\\'e6{\\*\\unknowndest zzz{nested}}}";
  QCOMPARE(Tekst(rtf), QString("Treść"));
}

void TestRtf::niezbalansowaneGrupy() {
  QTextDocument dokument;
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1 {\\b abc"));
  QCOMPARE(dokument.toPlainText(), QString("abc"));
  QCOMPARE(FormatZnaku(dokument, 2).fontWeight(), int(QFont::Bold));

  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1 abc}}}}"));
  QCOMPARE(dokument.toPlainText(), QString("abc"));
  // The document ends with its group.
  QCOMPARE(Tekst("{\\rtf1 abc}def{ghi}"), QString("abc"));
  QCOMPARE(Tekst("{\\rtf1 a\\"), QString("a"));
  QCOMPARE(Tekst("{\\rtf"), QString());
  QCOMPARE(Tekst("{\\rtf1{\\*"), QString());
}

void TestRtf::glebokieZagniezdzenie() {
  const int n = 200000;
  QTextDocument dokument;
  QVERIFY(platform::WczytajRtf(dokument, "{\\rtf1 a" + QByteArray(n, '{') + "\\b x"));
  QCOMPARE(dokument.toPlainText(), QString("a"));

  // Groups beyond the cap are dropped but counted, so the text after them lands in the right group.
  QCOMPARE(Tekst("{\\rtf1 a" + QByteArray(1000, '{') + "x" + QByteArray(1000, '}') + "b}c"), QString("ab"));
  QVERIFY(platform::WczytajRtf(dokument,
                               "{\\rtf1 {\\b" + QByteArray(1000, '{') + "\\b0 x" + QByteArray(1000, '}') + "b}c}"));
  QCOMPARE(dokument.toPlainText(), QString("bc"));
  QCOMPARE(FormatZnaku(dokument, 0).fontWeight(), int(QFont::Bold));
  QCOMPARE(FormatZnaku(dokument, 1).fontWeight(), int(QFont::Normal));

  // Nesting within the cap keeps its text.
  QCOMPARE(Tekst("{\\rtf1 " + QByteArray(200, '{') + "x" + QByteArray(200, '}') + "y}"), QString("xy"));
}

void TestRtf::wrogieParametry() {
  QCOMPARE(Tekst("{\\rtf1\\fs99999999999999999999999 a\\fs-5 b\\cf-3 c\\uc-7\\u99999999999 d}"), QString("abcd"));
  QCOMPARE(Tekst("{\\rtf1 a{\\pict\\bin999999999 }}"), QString("a"));
  QCOMPARE(Tekst("{\\rtf1 a{\\pict\\bin-4 }}b}"), QString("a"));
  QCOMPARE(Tekst("{\\rtf1 a\\" + QByteArray(5000, 'x') + "1 b}"), QString("ab"));
  // Control characters, block and frame markers never reach the text.
  QCOMPARE(Tekst(QByteArray("{\\rtf1 a\\'00\\'0d\\u8233?\\u-560?\\u-559?") + '\0' + "\x01\x7f" + "b}"), QString("ab"));
}

void TestRtf::nieRtf() {
  QTextDocument dokument;
  QVERIFY(!platform::WczytajRtf(dokument, "Zwyk\xb3y tekst\n{\\rtf1 nie}"));
  QCOMPARE(dokument.toPlainText(), QString("Zwykły tekst\n{\\rtf1 nie}"));
  QVERIFY(!platform::WczytajRtf(dokument, " {\\rtf1 a}"));
  QVERIFY(!platform::WczytajRtf(dokument, QByteArray()));
  QVERIFY(dokument.isEmpty());
}

void TestRtf::pliki() {
  QTemporaryDir katalog;
  QVERIFY(katalog.isValid());
  QTextDocument dokument;
  dokument.setPlainText("bez zmian");
  QVERIFY(!platform::WczytajPlikRtf(dokument, katalog.filePath("brak.rtf")));
  QVERIFY(!platform::WczytajPlikRtf(dokument, katalog.path()));
  QCOMPARE(dokument.toPlainText(), QString("bez zmian"));

  QFile plik(katalog.filePath("licence.rtf"));
  QVERIFY(plik.open(QIODevice::WriteOnly));
  plik.write("{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Umowa\\par \\'9ccie\\'bfka\\par }");
  plik.close();
  QVERIFY(platform::WczytajPlikRtf(dokument, plik.fileName()));
  QCOMPARE(Akapity(dokument), (QStringList{"Umowa", "ścieżka"}));
}

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
