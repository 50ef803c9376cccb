#include "app/ui/prefs_controls.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "app/ui/platform/system_dialogs.h"
#include "render/ui/display_colors.h"
#include "render/ui/display_text.h"

namespace lumora::ui {
namespace {

constexpr int kColorBoxColorRole = Qt::UserRole + 1;  // the TColor of an item
constexpr int kColorBoxKindRole = Qt::UserRole + 2;   // what the item is

enum ColorItemKind { kColorDefaultItem = 1, kColorStandardItem, kColorExtraItem, kColorCustomItem };

struct TStandardSwatchColor {
  const char* name;
  config::TColor value;  // 0x00BBGGRR
};
constexpr TStandardSwatchColor kStandardSwatchColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

QIcon ColorSwatch(config::TColor color) {
  QPixmap pixmap(16, 12);
  pixmap.fill(ToQColor(color));
  QPainter p(&pixmap);
  p.setPen(Qt::gray);
  p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  return QIcon(pixmap);
}

config::TColor SwatchColorValue(const QColor& c) {
  return static_cast<config::TColor>(c.red()) | (static_cast<config::TColor>(c.green()) << 8) |
         (static_cast<config::TColor>(c.blue()) << 16);
}

}  // namespace

QString ColorName(config::TColor color) { return ToQColor(color).name(QColor::HexRgb); }

// --- TFontBox ------------------------------------------------------------------------

TFontBox::TFontBox(QWidget* parent) : QFontComboBox(parent) {
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this](int) {
    if (!showing_) Q_EMIT fontChosen(Shown());
  });
}

void TFontBox::RemoveExtraEntry() {
  if (!extra_entry_) return;
  removeItem(0);
  extra_entry_ = false;
}

void TFontBox::Show(const std::string& name) {
  showing_ = true;
  const QSignalBlocker block(this);
  RemoveExtraEntry();
  const QString family = ToDisplayText(name);
  const int found = findText(family, Qt::MatchFixedString);  // without regard to case
  if (found >= 0) {
    setCurrentIndex(found);
  } else {
    // Not installed: its own entry, so the name is shown as stored.
    insertItem(0, family);
    extra_entry_ = true;
    setCurrentIndex(0);
  }
  showing_ = false;
}

std::string TFontBox::Shown() const { return FromDisplayText(currentText()); }

// --- TSizeBox --------------------------------------------------------------------------

TSizeBox::TSizeBox(int min, int max, QWidget* parent) : QComboBox(parent), min_(min), max_(max) {
  for (int size = min; size <= max; ++size) addItem(QString::number(size));
  connect(this, &QComboBox::activated, this, [this](int) { Q_EMIT sizeChosen(Shown()); });
}

void TSizeBox::Show(int size) {
  const QSignalBlocker block(this);
  setCurrentIndex(std::clamp(size, min_, max_) - min_);
}

// --- TColorBox -------------------------------------------------------------------------

TColorBox::TColorBox(QWidget* parent) : QComboBox(parent) {
  addItem(QString::fromLatin1(kDefault));
  setItemData(0, kColorDefaultItem, kColorBoxKindRole);
  for (const TStandardSwatchColor& c : kStandardSwatchColors) {
    addItem(ColorSwatch(c.value), QString::fromLatin1(c.name));
    setItemData(count() - 1, c.value, kColorBoxColorRole);
    setItemData(count() - 1, kColorStandardItem, kColorBoxKindRole);
  }
  addItem(QString::fromLatin1(kCustom));
  setItemData(count() - 1, kColorCustomItem, kColorBoxKindRole);
  setMaxVisibleItems(20);
  connect(this, &QComboBox::activated, this, &TColorBox::OnActivated);
}

int TColorBox::IndexOf(config::TColor color) const {
  if (color == default_color_) return 0;
  for (int i = 1; i < count(); ++i) {
    const int kind = itemData(i, kColorBoxKindRole).toInt();
    if ((kind == kColorStandardItem || kind == kColorExtraItem) &&
        itemData(i, kColorBoxColorRole).toUInt() == color)
      return i;
  }
  return -1;
}

void TColorBox::SetExtra(config::TColor color) {
  int extra = -1;
  for (int i = 0; i < count(); ++i)
    if (itemData(i, kColorBoxKindRole).toInt() == kColorExtraItem) extra = i;
  const QString text = config::IsSystemColor(color)
                           ? QStringLiteral("System colour %1").arg(color & 0xFF)
                           : ColorName(color).toUpper();
  if (extra < 0) {
    extra = count() - 1;  // before "Custom..."
    insertItem(extra, ColorSwatch(color), text);
    setItemData(extra, kColorExtraItem, kColorBoxKindRole);
  } else {
    setItemIcon(extra, ColorSwatch(color));
    setItemText(extra, text);
  }
  setItemData(extra, color, kColorBoxColorRole);
}

void TColorBox::Select(int index) {
  const QSignalBlocker block(this);
  setCurrentIndex(index);
  last_index_ = index;
}

void TColorBox::Show(config::TColor color, config::TColor default_color) {
  default_color_ = default_color;
  setItemIcon(0, ColorSwatch(default_color));
  setItemData(0, default_color, kColorBoxColorRole);
  int index = IndexOf(color);
  if (index < 0) {
    SetExtra(color);
    index = IndexOf(color);
  }
  Select(index);
}

config::TColor TColorBox::Shown() const {
  return itemData(currentIndex(), kColorBoxColorRole).toUInt();
}

void TColorBox::Choose(config::TColor color) {
  int index = IndexOf(color);
  if (index < 0) {
    SetExtra(color);
    index = IndexOf(color);
  }
  Select(index);
  Q_EMIT colorChosen(color);
}

void TColorBox::OnActivated(int index) {
  if (itemData(index, kColorBoxKindRole).toInt() != kColorCustomItem) {
    last_index_ = index;
    Q_EMIT colorChosen(Shown());
    return;
  }
  const config::TColor before = itemData(last_index_, kColorBoxColorRole).toUInt();
  if (const std::optional<QColor> picked = SystemDialogs().Color(this, ToQColor(before))) {
    Choose(SwatchColorValue(*picked));
  } else {
    Select(last_index_);  // cancelled: as it was
  }
}

}  // namespace lumora::ui
