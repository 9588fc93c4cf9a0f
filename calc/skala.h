#pragma once
// The income tax of the 2008 progressive scale.

// The tax on a base in whole zloty, rounded to grosze. Not clamped: a base below 3088,68 gives a negative tax,
// which the callers replace by "0,00".
long double ObliczPodatekWgSkali(double podstawa);
