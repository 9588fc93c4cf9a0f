#pragma once
// What tests of the whole program need around it: the regional settings start-up checks, and a program folder.

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "model/druk.h"
#include "model/obiekt.h"

class TTools;
class QWidget;

namespace velmar_test {

// Stores the separators start-up requires (',' and '-') as the user's consented change, or removes that change.
void UstawRegionalne(QChar dziesietny = QLatin1Char(','), QChar daty = QLatin1Char('-'));
void UsunRegionalne();

// A temporary program folder with dc/ and alg/.
class FolderProgramu {
 public:
  FolderProgramu();
  QString Sciezka() const { return folder_.path() + QLatin1Char('/'); }
  QString Dc() const { return Sciezka() + QStringLiteral("dc/"); }
  // Writes dc/<kod>.dcs with the given objects.
  void ZapiszDcs(int kod, const std::vector<TObiekt>& obiekty) const;

 private:
  QTemporaryDir folder_;
};

// A field object with the defaults a designer gives it.
TObiekt NowyObiekt(int typ, int strona, const char* nazwa, const char* domyslna);

// Whether the program asked to end since the last call; the request is withdrawn, so the next start-up in this
// process runs on.
bool ZakonczenieZadane();

// Whether a control is shown, also one on a tool bar (shown through the bar's action).
bool WidocznaWPasku(QWidget* kontrolka);

// The main window on a program folder, with regional settings that pass; deleted with the object.
std::unique_ptr<TTools> NoweOkno(const FolderProgramu& folder);

// A click on the tree node of record j, as the mouse gives it; what the click leaves for the event loop runs too.
void KliknijWDrzewie(TTools& t, int j);

}  // namespace velmar_test
