// A stock window with the kinds of content the program's main window has: a menu bar with two menus, two tool bars
// of icon buttons, a tree beside a rich text, a status bar, over the whole screen. Started by bench_start.
//
//   okno_typowe            tool-bar icons from the style, as a stock window takes them
//   okno_typowe rysowane   tool-bar icons painted in code, so no icon or image plugin is loaded

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

namespace {

QIcon Rysowana(int i) {
  QPixmap obraz(16, 16);
  obraz.fill(Qt::transparent);
  QPainter malarz(&obraz);
  malarz.setPen(Qt::darkGray);
  malarz.setBrush(QColor::fromHsv(i * 40 % 360, 120, 220));
  malarz.drawRect(2, 2, 11, 11);
  return QIcon(obraz);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication aplikacja(argc, argv);
  const bool rysowane = argc > 1 && QByteArray(argv[1]) == "rysowane";
  QMainWindow okno;

  for (const char* tytul : {"Plik", "Pomoc"}) {
    QMenu* menu = okno.menuBar()->addMenu(QString::fromLatin1(tytul));
    for (int i = 0; i < 6; ++i)
      menu->addAction(QStringLiteral("Polecenie %1").arg(i), QKeySequence(Qt::CTRL | (Qt::Key_A + i)));
  }
  const QStyle::StandardPixmap ikony[] = {QStyle::SP_FileIcon,         QStyle::SP_DialogOpenButton,
                                          QStyle::SP_DialogSaveButton, QStyle::SP_FileDialogDetailedView,
                                          QStyle::SP_BrowserReload,    QStyle::SP_DriveNetIcon};
  for (int p = 0; p < 2; ++p) {
    QToolBar* pasek = okno.addToolBar(QStringLiteral("Pasek %1").arg(p));
    int i = 0;
    for (const QStyle::StandardPixmap ikona : ikony)
      pasek->addAction(rysowane ? Rysowana(i++) : okno.style()->standardIcon(ikona), QStringLiteral("Przycisk"));
  }

  auto* podzial = new QSplitter(&okno);
  auto* drzewo = new QTreeWidget(podzial);
  drzewo->setHeaderHidden(true);
  for (int i = 0; i < 5; ++i) {
    auto* wezel = new QTreeWidgetItem(drzewo, {QStringLiteral("Formularz %1").arg(i)});
    new QTreeWidgetItem(wezel, {QStringLiteral("Załącznik")});
  }
  auto* tekst = new QTextEdit(podzial);
  tekst->setReadOnly(true);
  tekst->setHtml(
      QStringLiteral("<h2>Witamy</h2><p>Tekst <b>powitalny</b> z <i>formatowaniem</i>.</p>"
                     "<ul><li>pierwszy punkt</li><li>drugi punkt</li></ul>"));
  okno.setCentralWidget(podzial);
  okno.statusBar()->showMessage(QStringLiteral("Gotowe"));

  if (QScreen* ekran = QGuiApplication::primaryScreen()) okno.setGeometry(ekran->availableGeometry());
  okno.showMaximized();
  return aplikacja.exec();
}
