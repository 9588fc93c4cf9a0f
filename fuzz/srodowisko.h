#pragma once
// What the fuzz targets share: the program's application, made once for the whole run on the offscreen platform,
// with a private settings folder holding the regional settings start-up requires and dialogs that show and keep
// nothing. It is kept alive to the end of the run: what Qt caches in it (fonts above all) stays reachable and is
// no leak.

#include <QString>

class QWidget;

namespace platform {
class Aplikacja;
}

namespace fuzz {

platform::Aplikacja& Aplikacja();
// This build's program folder, ending with '/': the generated form structures in dc/ and the texts in alg/.
QString FolderProgramu();
// A program folder of the run's own with this build's form structures (headers and objects) whose page pictures are
// small plain PNGs of a strip of a page, shown 800 x 40 pixels: the first row of fields lies within it and the
// fields below are drawn through the same calls, clipped. Targets that open and print settlements draw the fields
// on real structures without spending each input on rendering and packing page pictures, which fuzz_strona covers.
QString FolderProgramuProstychStron();
// A folder of the run's own for the files a target writes.
QString FolderRoboczy();
// What the event loop would do between two inputs: posted events, due timers (Qt trims its font cache on one) and
// the objects left for deletion.
void PoWejsciu();
// Shows the main window as the program does, but on no screen, so nothing is painted: its MDI area then places each
// page view at once, where a hidden one keeps every view ever added for later.
void PokazBezEkranu(QWidget& okno);

}  // namespace fuzz
