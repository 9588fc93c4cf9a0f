#pragma once
// The identification data of the taxpayer and the spouse kept in step between the settlement's two TOsoba blocks
// (Osoby[0] the taxpayer, Osoby[1] the spouse) and the identification fields of its forms. Every computation starts
// by reading its own form into the blocks and writing the blocks into every form, so a value typed into any form
// reaches all the others.
//
// Which block field goes to which form field is a table per form type. Texts read into a block are cut at the
// block field's width. Forms without identification data (SSE-R, SSE/A, SSE-R/A) and unknown types are left as
// they are.

#include <vector>

class Rozliczenie;
struct KontekstObliczen;

// The blocks into record j's identification fields.
void ZapiszDaneOsobDoDruku(Rozliczenie& r, int j);
// Record j's identification fields into the blocks.
void WczytajDaneOsobZDruku(Rozliczenie& r, int j);
// ZapiszDaneOsobDoDruku for every record, from the first.
void ZapiszDaneOsobDoDrukow(Rozliczenie& r);
// WczytajDaneOsobZDruku for every record, from the first: where records share a block field the last one wins.
void WczytajDaneOsobZDrukow(Rozliczenie& r);

// The fields of a form type that the spouse's block fills, in a joint settlement's common record, without the one
// field both persons share.
std::vector<int> PolaDanychMalzonka(int idPit);

// The computations of NIP-1, NIP-3 and PIT/2K: the exchange alone, record j being the source.
void ObliczNip1(KontekstObliczen& kx, int j);
void ObliczNip3(KontekstObliczen& kx, int j);
void ObliczPit2K(KontekstObliczen& kx, int j);
