// Times the start of the program, from starting its process until the X server maps its main window, beside the
// same for an empty main window and for a stock window with menus, tool bars, a tree and rich text (okno_puste,
// okno_typowe). The programs run in turn, round after round, so a change in the machine's load touches all alike;
// each time is the median of its rounds. Runs under an X server:
//
//   xvfb-run -s "-screen 0 1280x1024x24" bench_start [rounds]
//
// The program starts with the settings of a second start (first-start keys written) and the automatic update check
// off, so no network is involved.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "srodowisko.h"

extern char** environ;

namespace {

using Zegar = std::chrono::steady_clock;

struct Program {
  const char* opis;
  std::vector<std::string> argumenty;
  std::vector<double> czasy{};
  std::vector<double> procesor{};
};

struct Pomiar {
  double czas = -1;     // ms until the window was mapped; negative when none was
  double procesor = 0;  // ms of processor time the process used, until it was ended just after
};

void Zapisz(const QString& sciezka, const QByteArray& dane) {
  QFile plik(sciezka);
  if (!plik.open(QIODevice::WriteOnly) || plik.write(dane) != dane.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(sciezka));
    std::exit(1);
  }
}

// Starts the program and waits until a top-level window of the display is mapped (for at most ten seconds), then
// ends it.
Pomiar CzasDoOkna(xcb_connection_t* polaczenie, const std::vector<std::string>& argumenty) {
  std::vector<char*> argv;
  for (const std::string& a : argumenty) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  while (xcb_generic_event_t* stare = xcb_poll_for_event(polaczenie)) std::free(stare);

  const auto start = Zegar::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv[0]);
    std::exit(1);
  }
  Pomiar pomiar;
  double& czas = pomiar.czas;
  const int deskryptor = xcb_get_file_descriptor(polaczenie);
  while (czas < 0 && Zegar::now() - start < std::chrono::seconds(10)) {
    xcb_generic_event_t* zdarzenie = xcb_poll_for_event(polaczenie);
    if (!zdarzenie) {
      pollfd oczekiwanie{deskryptor, POLLIN, 0};
      poll(&oczekiwanie, 1, 100);
      continue;
    }
    if ((zdarzenie->response_type & 0x7f) == XCB_MAP_NOTIFY &&
        !reinterpret_cast<xcb_map_notify_event_t*>(zdarzenie)->override_redirect)
      czas = std::chrono::duration<double, std::milli>(Zegar::now() - start).count();
    std::free(zdarzenie);
  }
  kill(pid, SIGKILL);
  rusage zuzycie{};
  wait4(pid, nullptr, 0, &zuzycie);
  const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
  pomiar.procesor = ms(zuzycie.ru_utime) + ms(zuzycie.ru_stime);
  return pomiar;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication aplikacja(argc, argv);
  const int rundy = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  const QString tutaj = QCoreApplication::applicationDirPath();

  QTemporaryDir ustawienia;
  Zapisz(ustawienia.path() + "/regionalne.ini", "[Regional]\nDecimalSeparator=,\nDateSeparator=-\n");
  Zapisz(ustawienia.path() + "/velmar2008.ini", "[PIT]\nRun=1\nAutoUpdate=0\n");
  qputenv("VELMAR_CONFIG_DIR", QFile::encodeName(ustawienia.path()));
  qputenv("QT_QPA_PLATFORM", "xcb");
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(ustawienia.path()));

  int ekran = 0;
  xcb_connection_t* polaczenie = xcb_connect(nullptr, &ekran);
  if (xcb_connection_has_error(polaczenie)) {
    std::fprintf(stderr, "no X display: run under xvfb-run\n");
    return 1;
  }
  xcb_screen_iterator_t ekrany = xcb_setup_roots_iterator(xcb_get_setup(polaczenie));
  for (int i = 0; i < ekran; ++i) xcb_screen_next(&ekrany);
  const uint32_t maska = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(polaczenie, ekrany.data->root, XCB_CW_EVENT_MASK, &maska);
  xcb_flush(polaczenie);

  const std::string bin = QDir::cleanPath(tutaj + "/../bin/velmar2008").toStdString();
  const std::string puste = (tutaj + "/okno_puste").toStdString();
  const std::string typowe = (tutaj + "/okno_typowe").toStdString();
  std::vector<Program> programy = {
      {"program (velmar2008)", {bin}},
      {"empty QMainWindow", {puste}},
      {"stock window, style icons", {typowe}},
      {"stock window, painted icons", {typowe, "rysowane"}},
  };
  // One round first to fill the caches every later start finds filled.
  for (Program& p : programy) CzasDoOkna(polaczenie, p.argumenty);
  for (int r = 0; r < rundy; ++r)
    for (std::size_t i = 0; i < programy.size(); ++i) {
      Program& p = programy[(i + static_cast<std::size_t>(r)) % programy.size()];
      const Pomiar pomiar = CzasDoOkna(polaczenie, p.argumenty);
      if (pomiar.czas < 0) {
        std::fprintf(stderr, "%s mapped no window\n", p.opis);
        return 1;
      }
      p.czasy.push_back(pomiar.czas);
      p.procesor.push_back(pomiar.procesor);
    }
  xcb_disconnect(polaczenie);

  std::printf("start until the main window is mapped, median of %d interleaved rounds; beside it the processor\n"
              "time the process used by then (a little more: it is ended only after the map is seen)\n",
              rundy);
  const double program = Mediana(programy[0].czasy), programProcesor = Mediana(programy[0].procesor);
  for (const Program& p : programy) {
    const double m = Mediana(p.czasy), procesor = Mediana(p.procesor);
    std::printf("  %-30s %7.2f ms", p.opis, m);
    if (&p != &programy[0]) std::printf(" (program %.2f x)", program / m);
    std::printf("   processor %7.2f ms", procesor);
    if (&p != &programy[0]) std::printf(" (program %.2f x)", programProcesor / procesor);
    std::printf("\n");
  }
  return 0;
}
