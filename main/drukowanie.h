#pragma once
// Printing the settlement's forms: each record is one print job (a print to a file one document of them all) whose
// pages are the page pictures stretched over the printed page, with the record's values in the field rectangles on
// top; and the designer's print of the shown page from the view's objects. Everything here works on a printer
// already set up, so the system dialogs stay a thin layer in front of it (and tests print to PDF files).

#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "model/druk.h"
#include "model/obiekt.h"

class QPrinter;
class TObrazStrony;
class TTools;

// What the print window sets. Units are printer pixels: a margin step is 10, a shift step 1, a size step widens the
// page by 10.
struct UstawieniaWydruku {
  int MarginesGora = 0;
  int MarginesLewa = 0;
  int Dx = 0;
  int Dy = 0;
  int RozmiarDruku = 0;
  bool Dane = true;  // data and form; false prints the form alone
};

// Where a page goes on the printer: the page width W, the scale S from the page picture's display width to W, the
// top and left offsets and the text shifts.
struct Wymiary {
  int W = 0;
  double S = 0;
  int G = 0;
  int Lm = 0;
  int DX = 0;
  int DY = 0;
};
// szerokoscStrony: the printer's page width in pixels; szerokoscObrazu: the picture's display width.
Wymiary ObliczWymiary(int szerokoscStrony, int szerokoscObrazu, const UstawieniaWydruku& ustawienia);

// One page of a job: its number and picture.
struct StronaWydruku {
  int numer = 0;
  std::shared_ptr<const TObrazStrony> obraz;
};

// One record's print job, with every file it needs already read.
struct ZadanieWydruku {
  int druk = 0;   // the record's index in the settlement
  QString nazwa;  // the document name the printer shows
  std::vector<StronaWydruku> strony;
  std::vector<TObiekt> obiekty;  // the form's field objects; empty when the form alone is printed
  std::array<TPoleDruku, kLiczbaPol> pola{};
};

// The records a range of the print window prints, each with the range to print it with: 0 the shown page of the
// record on screen, 1 all its pages, 2 its return (the main form) and that return's attachments in record order,
// 3 every record of the settlement. Empty when no record is on screen.
std::vector<std::pair<int, int>> DrukiZakresu(const TTools& tools, int zakres);

// The number of pages of a form type, from its header in the form folder, else from the catalogue (as the page
// display counts them).
int LiczbaStronDruku(const TTools& tools, int kodDruku);

// Reads the pictures (and, with data, the field objects) of every record before any job starts. Null, with a message
// for the user in blad, when any of those files is missing or cannot be read. A record whose form has no pages gives
// no job.
std::optional<std::vector<ZadanieWydruku>> PrzygotujZadania(const TTools& tools,
                                                            std::span<const std::pair<int, int>> druki, bool dane,
                                                            QString& blad);

// Prints the jobs: on a printer each as its own document; to a file all of them as one document, their pages in
// order. False, with a message in blad, when the printer refuses a job or a page: what was begun is ended and the
// following jobs are not started.
bool DrukujZadania(QPrinter& drukarka, std::span<const ZadanieWydruku> zadania, const UstawieniaWydruku& ustawienia,
                   QString& blad);

// Prepares and prints records (range by range as DrukiZakresu gives them); a failure is shown to the user. False
// when nothing or not everything was printed.
bool DrukujDruki(QPrinter& drukarka, const TTools& tools, std::span<const std::pair<int, int>> druki,
                 const UstawieniaWydruku& ustawienia);

// The designer's print of page strona: the picture at the largest whole multiple of its display size that fits the
// page width, the objects' own values (or defaults) in fonts as high as their boxes. False, with a message in blad,
// when the printer refuses the job.
bool DrukujStroneProjektu(QPrinter& drukarka, const TObrazStrony& obraz, std::span<const TObiekt> obiekty, int strona,
                          QString& blad);
