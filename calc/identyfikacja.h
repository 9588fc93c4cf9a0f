#pragma once
// The identification data of the taxpayer and the spouse kept in step between the settlement's two TOsoba blocks
// (Osoby[0] the taxpayer, Osoby[1] the spouse) and the identification fields of its forms. Every computation starts
// by reading its own form into the blocks and writing the blocks into every form, so a value typed into any form
// reaches all the others.
//
// Which block field goes to which form field is a table per form type. Texts read into a block are cut at the
// block field's width. Forms without identification data (SSE-R, SSE/A, SSE-R/A) and unknown types are left as
// they are. The page view argument is only passed on.

class TFImage;
struct TDruk;

// Record j of the settlement; j outside 1..LiczbaDrukow throws std::out_of_range.
TDruk& DrukRozliczenia(int j);

// The blocks into record j's identification fields.
void ZapiszDaneOsobDoDruku(TFImage* view, int j);
// Record j's identification fields into the blocks.
void WczytajDaneOsobZDruku(TFImage* view, int j);
// ZapiszDaneOsobDoDruku for every record, from the first.
void ZapiszDaneOsobDoDrukow(TFImage* view);
// WczytajDaneOsobZDruku for every record, from the first: where records share a block field the last one wins.
void WczytajDaneOsobZDrukow(TFImage* view);

// The computations of NIP-1, NIP-3 and PIT/2K: the exchange alone, record j being the source.
void ObliczNip1(TFImage* view, int j);
void ObliczNip3(TFImage* view, int j);
void ObliczPit2K(TFImage* view, int j);
