#include "pages/filtr_klawiszy.h"

#include <algorithm>
#include <charconv>

#include "calc/konwersje.h"
#include "calc/wartosci.h"
#include "model/druk.h"
#include "platform/cp1250.h"

const QString kPodpowiedzZbycia = QStringLiteral(
    "Jeżeli podatnik składa więcej niż jedno zeznanie, w którym możliwe jest rozliczenie podatku \nz odpłatnego "
    "zbycia nieruchomości i praw majątkowych, pole to wypełnia tylko w jednym z nich.");

namespace {

constexpr QChar kBackspace = QChar(8);

bool JestCyfra(char c) { return c >= '0' && c <= '9'; }

// An optional '-', digits, and at most one ',' with digits around it; at least one digit.
bool JestKwota(std::string_view tekst) {
  if (tekst.starts_with('-')) tekst.remove_prefix(1);
  bool cyfra = false, przecinek = false;
  for (const char c : tekst) {
    if (JestCyfra(c)) {
      cyfra = true;
    } else if (c == ',' && !przecinek) {
      przecinek = true;
    } else {
      return false;
    }
  }
  return cyfra;
}

bool JestLiczbaCalkowita(std::string_view tekst) {
  if (tekst.starts_with('-')) tekst.remove_prefix(1);
  return !tekst.empty() && std::all_of(tekst.begin(), tekst.end(), JestCyfra);
}

bool Zaokraglana(int format) { return format == FormatZaokrGroszy || format == FormatZaokrZloty; }

bool Dziesietna(int format) { return format == FormatDziesietna || Zaokraglana(format); }

const QString kZaDuza = QStringLiteral(" to za dużo jak na kwotę: najwyżej 15 cyfr przed przecinkiem.");

// The text is a number the settlement can hold (StrToFloat takes it).
std::optional<long double> JakoLiczba(const std::string& tekst) {
  try {
    return StrToFloat(tekst, ',');
  } catch (const BladKonwersjiLiczby&) {
    return std::nullopt;
  }
}

QString Cytat(const std::string& tekst) {
  return QStringLiteral("\"") + platform::ZCp1250(tekst) + QStringLiteral("\"");
}

}  // namespace

QChar ZnakLiczby(QChar znak, const QString& tekst, const TObiekt& obiekt) {
  if (znak == QLatin1Char('.')) znak = QLatin1Char(',');
  const bool przecinek = znak == QLatin1Char(',');
  if (przecinek && (tekst.isEmpty() || tekst.contains(QLatin1Char(',')) || obiekt.Format == FormatCalkowita))
    return {};
  if (znak == QLatin1Char('-')) return obiekt.TylkoDodatnia ? QChar() : znak;
  const bool cyfra = znak >= QLatin1Char('0') && znak <= QLatin1Char('9');
  return cyfra || przecinek || znak == kBackspace ? znak : QChar();
}

QString PoprawionaLiczba(QString tekst) {
  for (qsizetype minus = tekst.indexOf(QLatin1Char('-'), 1); minus >= 0; minus = tekst.indexOf(QLatin1Char('-'), 1))
    tekst.remove(minus, 1);
  const qsizetype przecinek = tekst.indexOf(QLatin1Char(','));
  if (przecinek >= 0 && tekst.size() - przecinek - 1 > 2) tekst.truncate(przecinek + 3);
  return tekst;
}

KwotaPola KwotaDoZapisu(const QString& wpisany, const TObiekt& obiekt) {
  // Blanks and line breaks around a pasted amount are no part of it.
  std::string tekst = platform::DoCp1250(wpisany.trimmed());
  if (!Dziesietna(obiekt.Format)) {
    if (obiekt.Format == FormatCalkowita && !tekst.empty() && !JestLiczbaCalkowita(tekst))
      return {std::nullopt, Cytat(tekst) + QStringLiteral(" nie jest liczbą całkowitą. Wpisz same cyfry.")};
    if (obiekt.Format == FormatCalkowita && !tekst.empty() && !JakoLiczba(tekst))
      return {std::nullopt, Cytat(tekst) + kZaDuza};
    if (obiekt.TylkoDodatnia && tekst.starts_with('-'))
      return {std::nullopt, QStringLiteral("Liczba w tym polu nie może być ujemna.")};
  } else {
    if (tekst.empty()) tekst = Tekst(obiekt.WartoscDomyslna);
    // A format 1 field without a default may stay empty, as it is drawn; a rounded one needs a value to round.
    if (tekst.empty() && !Zaokraglana(obiekt.Format)) return {tekst, {}};
    // A rounded amount is brought to two decimals and read as a number: a text that is none, the empty one too,
    // stops the entry with the number conversion's own error.
    if (Zaokraglana(obiekt.Format)) {
      tekst = FormatujKwote(tekst);
      if (!JestKwota(tekst)) {
        try {
          StrToFloat(tekst, ',');
        } catch (const BladKonwersjiLiczby& blad) {
          return {std::nullopt, QString::fromUtf8(blad.what()), true};
        }
      }
    }
    if (!JestKwota(tekst))
      return {std::nullopt,
              Cytat(tekst) + QStringLiteral(" nie jest prawidłową kwotą. Wpisz liczbę z przecinkiem, np. 1234,56.")};
    if (!JakoLiczba(tekst)) return {std::nullopt, Cytat(tekst) + kZaDuza};
    if (obiekt.TylkoDodatnia && StrToFloat(tekst, ',') < 0)
      return {std::nullopt, QStringLiteral("Kwota w tym polu nie może być ujemna.")};
    tekst = FormatujKwote(tekst);
    if (obiekt.Format == FormatZaokrGroszy) tekst = TekstKwoty(ZaokraglijDoGroszy(StrToFloat(tekst, ',')));
    if (obiekt.Format == FormatZaokrZloty) tekst = TekstKwoty(ZaokraglijDoZlotych(StrToFloat(tekst, ',')));
  }
  // Cutting an amount would change its value, so a long one is refused instead.
  if (obiekt.LimitZnakow > 0 && tekst.size() > static_cast<std::size_t>(obiekt.LimitZnakow))
    return {std::nullopt, Cytat(tekst) + QStringLiteral(" nie mieści się w polu (najwyżej %1 znaków).")
                                             .arg(obiekt.LimitZnakow)};
  return {tekst, {}};
}

QString TekstDoZapisu(QString tekst, const TObiekt& obiekt) {
  if (obiekt.LimitZnakow > 0) tekst.truncate(obiekt.LimitZnakow);
  return tekst;
}

QString MaskaPola(const TObiekt& obiekt) {
  if (obiekt.Typ == Data) return QStringLiteral("00-00-0000;_");
  return obiekt.Format == NipOsobaFizyczna ? QStringLiteral("000-000-00-00;_") : QStringLiteral("000-00-00-000;_");
}

QString TekstZMaski(const QString& wyswietlany) {
  const bool maCyfre = std::any_of(wyswietlany.begin(), wyswietlany.end(), [](QChar c) { return c.isDigit(); });
  if (!maCyfre) return {};
  QString tekst = wyswietlany;
  return tekst.replace(QLatin1Char('_'), QLatin1Char(' '));
}

std::optional<int> RozmiarCzcionkiObiektu(const TObiekt& obiekt) {
  // Blanks before and a plus sign are part of a whole number's text, as the runtime reads it.
  std::string_view tekst = Tekst(obiekt.RozmiarCzcionki);
  tekst.remove_prefix(std::min(tekst.find_first_not_of(' '), tekst.size()));
  if (tekst.starts_with('+')) tekst.remove_prefix(1);
  int punkty = 0;
  const auto [koniec, blad] = std::from_chars(tekst.data(), tekst.data() + tekst.size(), punkty);
  if (tekst.empty() || blad != std::errc() || koniec != tekst.data() + tekst.size()) return std::nullopt;
  return punkty;
}

bool PodpowiedzZbycia(int kodDruku, int indeks) {
  switch (kodDruku) {
    case Pit36:
      return indeks == 190 || indeks == 191;
    case Pit36L:
      return indeks == 55;
    case Pit38:
      return indeks == 34;
    default:
      return false;
  }
}
