#pragma once
// The field objects of the shown form and their structure file TTools::PlikDcs: loading in client mode and the
// designer's writes. The writes change the file only; their callers reload the objects afterwards.

#include <vector>

#include "model/obiekt.h"

class TFImage;

// Reads every object of PlikDcs into the view, without drawing. A missing or unreadable file leaves the objects
// and their count as they were.
void WczytajObiekty(TFImage* view);
// The loaded objects become the view's: the array, TTools::LiczbaObiektow and status panel 0.
void UstawObiekty(TFImage* view, std::vector<TObiekt> obiekty);

// A new object from the view's rubber band and the designer's chosen type, appended to the file.
void DodajObiekt(TFImage* view);
// A copy appended under the next number and a new name (it leaves its check-box group).
void DodajKopieObiektu(TFImage* view, int indeks, TObiekt obiekt);
// A copy appended under the next number with the same name (a check box joins the group).
void DodajKopieWGrupie(TFImage* view, int indeks, TObiekt obiekt);
// Rewrites record indeks in place with the open editor's content taken in; a check box first clears the state of
// every same-named check box of the form in the file.
void ZapiszObiekt(TFImage* view, int indeks, TObiekt obiekt);
// Deletes the selected object (TTools::WybranyObiekt) from the file, then reloads and redraws the page.
void UsunObiekt(TFImage* view);
