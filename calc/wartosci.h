#pragma once
// Values of the form fields and the roundings of the 2008 rules shared by every computation.
//
// Field k of record j is entry k (0..349) of record j (1..LiczbaDrukow) of the settlement's Druki. An index
// outside those ranges is a programming error and throws std::out_of_range.

#include <string_view>

#include "calc/konwersje.h"

struct KontekstObliczen;
struct TPoleDruku;

// The entry of field k of record j.
TPoleDruku& PoleDruku(KontekstObliczen& kx, int k, int j);

// The value of field k of record j; a text that is not a number throws BladKonwersjiLiczby.
long double WartoscPola(KontekstObliczen& kx, int k, int j);
// The sum of fields a..b of record j, in index order, unrounded; 0 when a > b.
long double SumaPol(KontekstObliczen& kx, int a, int b, int j);
// The value of field a times the percentage in field b, over 100; unrounded.
long double PoliczUdzial(KontekstObliczen& kx, int a, int b, int j);

// The write sequence: FloatToStr, FormatujKwote, stored as the text of field k of record j.
void ZapiszKwote(KontekstObliczen& kx, int k, int j, long double wartosc);
// Stores a text as it is: a literal such as "0,00", or the text of another field.
void UstawTekstPola(KontekstObliczen& kx, int k, int j, std::string_view tekst);

// The roundings work on the decimal a value denotes (15 significant digits, at most 9 decimals), so a value a
// hair off a decimal boundary rounds as that decimal does. Results are the nearest long double to the decimal
// result, the same value StrToFloat gives for its text.

// To grosze by the third decimal alone: cut to thousandths toward minus infinity, then half up (toward plus
// infinity) to hundredths: 12,3449 -> 12,34; 2,125 -> 2,13; -2,125 -> -2,12; -12,346 -> -12,35.
long double ZaokraglijDoGroszy(long double x);
// Down (toward minus infinity) to whole tens of grosze: 12,39 -> 12,30; -0,01 -> -0,10.
long double ObetnijDoDziesiatekGroszy(double x);
// To grosze as above, then to full zloty: 50 grosze and more (measured from the floor) up, less down:
// 12,50 -> 13; 12,375 -> 12; -12,50 -> -12; -12,75 -> -13.
long double ZaokraglijDoZlotych(long double x);
