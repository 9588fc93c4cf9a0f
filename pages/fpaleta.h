#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

class TFPaleta : public QDialog {
  Q_OBJECT
 public:
  explicit TFPaleta(QWidget* parent = nullptr);
  ~TFPaleta() override;

  // A colour text RRGGBB as a Windows colour value; reads no member of the palette (see KolorZTekstu).
  static std::int32_t KolorZTekstu(const QString& tekst);
};

extern TFPaleta* FPaleta;
