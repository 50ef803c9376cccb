// The value controls of the preferences dialog. Each shows a stored value
// as faithfully as it can and reports a value only when the user chooses
// one, so the dialog's record keeps exactly the stored value for every
// control the user leaves alone:
//   - TFontBox: the installed families; a stored family that is not
//     installed shows as an entry of its own.
//   - TSizeBox: sizes min..max; a stored size outside shows clamped.
//   - TColorBox: "Default" (the store's built-in colour), the sixteen
//     standard colours and "Custom..." (the colour dialog); a stored colour
//     of neither kind shows as an entry of its own. System colours are
//     drawn through the palette and stay system colour numbers.
#pragma once

#include <QComboBox>
#include <QFontComboBox>
#include <string>

#include "config/color.h"

namespace lumora::ui {

class TFontBox : public QFontComboBox {
  Q_OBJECT

 public:
  explicit TFontBox(QWidget* parent = nullptr);
  // Shows `name` (Windows-1252); reports nothing.
  void Show(const std::string& name);
  // The family shown (Windows-1252).
  std::string Shown() const;

 Q_SIGNALS:
  void fontChosen(const std::string& name);

 private:
  void RemoveExtraEntry();
  bool extra_entry_ = false;
  bool showing_ = false;
};

class TSizeBox : public QComboBox {
  Q_OBJECT

 public:
  TSizeBox(int min, int max, QWidget* parent = nullptr);
  void Show(int size);
  int Shown() const { return min_ + currentIndex(); }
  int Minimum() const { return min_; }
  int Maximum() const { return max_; }

 Q_SIGNALS:
  void sizeChosen(int size);

 private:
  int min_;
  int max_;
};

class TColorBox : public QComboBox {
  Q_OBJECT

 public:
  explicit TColorBox(QWidget* parent = nullptr);
  // Shows `color`; `default_color` is what "Default" stands for.
  void Show(config::TColor color, config::TColor default_color);
  config::TColor Shown() const;
  // Chooses as the user would: the colour is shown and reported.
  void Choose(config::TColor color);

  // The item texts.
  static constexpr const char* kDefault = "Default";
  static constexpr const char* kCustom = "Custom...";

 Q_SIGNALS:
  void colorChosen(config::TColor color);

 private:
  void OnActivated(int index);
  int IndexOf(config::TColor color) const;
  void SetExtra(config::TColor color);
  void Select(int index);

  config::TColor default_color_ = 0;
  int last_index_ = 0;
};

// "#RRGGBB" of a colour value (system colours through the palette).
QString ColorName(config::TColor color);

}  // namespace lumora::ui
