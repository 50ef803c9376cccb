#include "views/bible_tabs.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainterPath>
#include <QStylePainter>

#include "render/ui/display_colors.h"
#include "render/ui/display_text.h"

namespace lumora::ui {
namespace {

constexpr int kSlant = 6;         // pixels a slanted edge leans
constexpr int kTextPadding = 12;  // each side of the caption

// The outline of a tab in one of the four stored shapes.
QPainterPath TabShape(const QRectF& r, int style) {
  QPainterPath path;
  switch (style) {
    case 1:  // double slant
      path.moveTo(r.bottomLeft());
      path.lineTo(r.left() + kSlant, r.top());
      path.lineTo(r.right() - kSlant, r.top());
      path.lineTo(r.bottomRight());
      break;
    case 2:  // cut corner
      path.moveTo(r.bottomLeft());
      path.lineTo(r.topLeft());
      path.lineTo(r.right() - kSlant, r.top());
      path.lineTo(r.right(), r.top() + kSlant);
      path.lineTo(r.bottomRight());
      break;
    case 3:  // round corners
      path.addRoundedRect(r.adjusted(0, 0, 0, kSlant), kSlant, kSlant);
      return path.intersected([&] {
        QPainterPath clip;
        clip.addRect(r);
        return clip;
      }());
    default:  // single slant
      path.moveTo(r.bottomLeft());
      path.lineTo(r.topLeft());
      path.lineTo(r.right() - kSlant, r.top());
      path.lineTo(r.bottomRight());
      break;
  }
  path.closeSubpath();
  return path;
}

}  // namespace

QString EscapeMnemonic(const QString& caption) {
  QString out = caption;
  out.replace(QLatin1Char('&'), QLatin1String("&&"));
  return out;
}

TResourceTabs::TResourceTabs(QWidget* parent) : QTabBar(parent) {
  // A strip too narrow for its tabs scrolls them (QTabBar has one row).
  setUsesScrollButtons(true);
  setExpanding(false);
  setDrawBase(false);
  setFocusPolicy(Qt::NoFocus);
  setElideMode(Qt::ElideNone);
  connect(this, &QTabBar::currentChanged, this, [this](int index) {
    if (!silent_) Q_EMIT currentTabChanged(index);
  });
}

void TResourceTabs::SetEntries(std::vector<Entry> entries) {
  silent_ = true;
  while (count() > 0) removeTab(count() - 1);
  entries_ = std::move(entries);
  for (const Entry& e : entries_) {
    const int i = addTab(EscapeMnemonic(ToDisplayText(e.abbreviation)));
    setTabToolTip(i, ToDisplayText(e.title));
  }
  if (count() > 0) setCurrentIndex(0);
  silent_ = false;
}

bool TResourceTabs::FlagSet(int index) const {
  if (index < 0 || index >= EntryCount()) return false;
  const bool* flag = entries_[static_cast<size_t>(index)].tab_visible;
  return flag == nullptr || *flag;
}

void TResourceTabs::SetCurrentSilently(int index) {
  if (index < 0 || index >= count()) return;
  silent_ = true;
  setTabVisible(index, true);
  setCurrentIndex(index);
  silent_ = false;
}

void TResourceTabs::Reveal(int index) {
  if (index < 0 || index >= count()) return;
  setTabVisible(index, true);
}

void TResourceTabs::ShowAll(int min_tabs) {
  if (count() < min_tabs || count() == 0) return;
  for (int i = 0; i < count(); ++i) setTabVisible(i, true);
  update();
}

void TResourceTabs::ShowOnlySelected() {
  if (count() == 0) return;
  bool any = false;
  for (int i = 0; i < count(); ++i) any = any || FlagSet(i);
  // Show first, then hide, so hiding the current tab moves the selection to
  // a tab that stays; the pane hears of one change at most.
  const int before = currentIndex();
  silent_ = true;
  for (int i = 0; i < count(); ++i) {
    if (FlagSet(i) || (!any && i == 0)) setTabVisible(i, true);
  }
  for (int i = 0; i < count(); ++i) {
    if (!(FlagSet(i) || (!any && i == 0))) setTabVisible(i, false);
  }
  if (currentIndex() < 0 || !isTabVisible(currentIndex())) {
    for (int i = 0; i < count(); ++i) {
      if (isTabVisible(i)) {
        setCurrentIndex(i);
        break;
      }
    }
  }
  silent_ = false;
  if (currentIndex() != before) Q_EMIT currentTabChanged(currentIndex());
  update();
}

bool TResourceTabs::AnyHidden() const {
  for (int i = 0; i < count(); ++i) {
    if (!isTabVisible(i)) return true;
  }
  return false;
}

bool TResourceTabs::AnyDiffersFromFlags() const {
  for (int i = 0; i < count(); ++i) {
    if (isTabVisible(i) != FlagSet(i)) return true;
  }
  return false;
}

void TResourceTabs::ApplyAppearance(const TabAppearance& appearance) {
  appearance_ = appearance;
  if (appearance_.style < 0 || appearance_.style > 3) appearance_.style = 0;
  QFont f(appearance_.font_name);
  f.setPointSize(appearance_.font_size > 0 ? appearance_.font_size : 9);
  setFont(f);
  // "Align Tabs": the tabs share the strip's width.
  setExpanding(appearance_.align);
  updateGeometry();
  update();
}

QColor TResourceTabs::TabColor(int index) const {
  if (index == currentIndex()) return ToQColor(appearance_.active_color);
  if (corresponding_ && corresponding_(index)) return ToQColor(appearance_.corresponding_color);
  return ToQColor(appearance_.inactive_color);
}

QSize TResourceTabs::tabSizeHint(int index) const {
  // Sized for the bold caption, so a tab keeps its width when it becomes
  // current.
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics fm(bold);
  QString caption = tabText(index);
  caption.replace(QLatin1String("&&"), QLatin1String("&"));
  return {fm.horizontalAdvance(caption) + 2 * kTextPadding + kSlant, fm.height() + 8};
}

void TResourceTabs::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter p(this);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QColor strip = palette().color(QPalette::Window);
  const QColor edge = palette().color(QPalette::Mid);
  const QColor text = ToQColor(appearance_.text_color);
  for (int i = 0; i < count(); ++i) {
    if (!isTabVisible(i)) continue;
    const QRect r = tabRect(i);
    if (!r.isValid()) continue;
    const QPainterPath shape = TabShape(QRectF(r).adjusted(0.5, 0.5, -0.5, 0), appearance_.style);
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, strip);
    gradient.setColorAt(1, TabColor(i));
    p.fillPath(shape, gradient);
    p.setPen(edge);
    p.drawPath(shape);
    QFont f = font();
    f.setBold(i == currentIndex() || appearance_.text_bold);
    p.setFont(f);
    p.setPen(text);
    p.drawText(r.adjusted(0, 0, -kSlant / 2, 0), Qt::AlignCenter | Qt::TextShowMnemonic,
               tabText(i));
  }
}

void TResourceTabs::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    const int index = tabAt(event->position().toPoint());
    if (index >= 0) Q_EMIT tabMenuRequested(index, event->globalPosition().toPoint());
    return;
  }
  QTabBar::mouseReleaseEvent(event);
}

}  // namespace lumora::ui
