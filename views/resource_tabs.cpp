#include "views/resource_tabs.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>
#include <QToolTip>
#include <algorithm>

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

QFont BoldFont(QFont f) {
  f.setBold(true);
  return f;
}

}  // namespace

QString EscapeMnemonic(const QString& caption) {
  QString out = caption;
  out.replace(QLatin1Char('&'), QLatin1String("&&"));
  return out;
}

TResourceTabs::TResourceTabs(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

// --- Tabs ----------------------------------------------------------------------

void TResourceTabs::SetEntries(std::vector<Entry> entries) {
  entries_ = std::move(entries);
  tabs_.clear();
  for (const Entry& e : entries_) {
    Tab t;
    t.caption = ToDisplayText(e.abbreviation);
    t.hint = ToDisplayText(e.title);
    tabs_.push_back(std::move(t));
  }
  current_ = tabs_.empty() ? -1 : 0;
  MeasureTabs();
  Relayout();
  Q_EMIT tabsChanged();
}

bool TResourceTabs::FlagSet(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
  const bool* flag = entries_[static_cast<size_t>(index)].tab_visible;
  return flag == nullptr || *flag;
}

bool TResourceTabs::isTabVisible(int index) const {
  return index >= 0 && index < count() && tabs_[static_cast<size_t>(index)].shown;
}

QString TResourceTabs::tabText(int index) const {
  return index >= 0 && index < count() ? EscapeMnemonic(tabs_[static_cast<size_t>(index)].caption)
                                        : QString();
}

QString TResourceTabs::tabToolTip(int index) const {
  return index >= 0 && index < count() ? tabs_[static_cast<size_t>(index)].hint : QString();
}

QRect TResourceTabs::tabRect(int index) const {
  return isTabVisible(index) ? tabs_[static_cast<size_t>(index)].rect : QRect();
}

int TResourceTabs::tabAt(const QPoint& pos) const {
  for (int i = 0; i < count(); ++i) {
    if (isTabVisible(i) && tabs_[static_cast<size_t>(i)].rect.contains(pos)) return i;
  }
  return -1;
}

int TResourceTabs::RowCount() const { return rows_; }

void TResourceTabs::SetCurrent(int index) {
  if (index == current_) return;
  current_ = index;
  update();
  if (!silent_) Q_EMIT currentTabChanged(index);
}

void TResourceTabs::setCurrentIndex(int index) {
  if (isTabVisible(index)) SetCurrent(index);
}

void TResourceTabs::SetCurrentSilently(int index) {
  if (index < 0 || index >= count()) return;
  silent_ = true;
  setTabVisible(index, true);
  SetCurrent(index);
  silent_ = false;
}

void TResourceTabs::setTabVisible(int index, bool visible) {
  if (SetShown(index, visible)) {
    Relayout();
    Q_EMIT tabsChanged();
  }
}

bool TResourceTabs::SetShown(int index, bool visible) {
  if (index < 0 || index >= count() || tabs_[static_cast<size_t>(index)].shown == visible) return false;
  tabs_[static_cast<size_t>(index)].shown = visible;
  if (!visible && index == current_) {
    int next = -1;
    for (int i = index + 1; i < count() && next < 0; ++i)
      if (isTabVisible(i)) next = i;
    for (int i = index - 1; i >= 0 && next < 0; --i)
      if (isTabVisible(i)) next = i;
    SetCurrent(next);
  }
  if (visible && current_ < 0) SetCurrent(index);
  return true;
}

void TResourceTabs::Reveal(int index) { setTabVisible(index, true); }

void TResourceTabs::ShowAll(int min_tabs) {
  if (count() < min_tabs || count() == 0) return;
  for (int i = 0; i < count(); ++i) SetShown(i, true);
  Relayout();
  Q_EMIT tabsChanged();
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
    if (FlagSet(i) || (!any && i == 0)) SetShown(i, true);
  }
  for (int i = 0; i < count(); ++i) {
    if (!(FlagSet(i) || (!any && i == 0))) SetShown(i, false);
  }
  silent_ = false;
  Relayout();
  Q_EMIT tabsChanged();
  if (currentIndex() != before) Q_EMIT currentTabChanged(currentIndex());
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

// --- Appearance and layout -----------------------------------------------------------

void TResourceTabs::ApplyAppearance(const TabAppearance& appearance) {
  appearance_ = appearance;
  if (appearance_.style < 0 || appearance_.style > 3) appearance_.style = 0;
  QFont f(appearance_.font_name);
  f.setPointSize(appearance_.font_size > 0 ? appearance_.font_size : 9);
  setFont(f);  // measured and laid out again through the font change
  Relayout();
}

QColor TResourceTabs::TabColor(int index) const {
  if (index == currentIndex()) return ToQColor(appearance_.active_color);
  if (corresponding_ && corresponding_(index)) return ToQColor(appearance_.corresponding_color);
  return ToQColor(appearance_.inactive_color);
}

int TResourceTabs::TabHeight() const { return QFontMetrics(BoldFont(font())).height() + 8; }

void TResourceTabs::MeasureTabs() {
  // Sized for the bold caption, so a tab keeps its width when it becomes
  // current.
  const QFontMetrics fm(BoldFont(font()));
  for (Tab& t : tabs_) t.width = fm.horizontalAdvance(t.caption) + 2 * kTextPadding + kSlant;
}

int TResourceTabs::Layout(int width, std::vector<QRect>* rects) const {
  const int height = TabHeight();
  std::vector<std::vector<int>> rows;
  int x = 0;
  for (int i = 0; i < count(); ++i) {
    const Tab& t = tabs_[static_cast<size_t>(i)];
    if (!t.shown) continue;
    if (rows.empty() || (x + t.width > width && !rows.back().empty())) {
      rows.emplace_back();
      x = 0;
    }
    rows.back().push_back(i);
    x += t.width;
  }
  if (rects != nullptr) {
    rects->assign(tabs_.size(), QRect());
    for (size_t r = 0; r < rows.size(); ++r) {
      int used = 0;
      for (int i : rows[r]) used += tabs_[static_cast<size_t>(i)].width;
      // "Align Tabs": the row's spare width shared out among its tabs.
      const int n = static_cast<int>(rows[r].size());
      const int spare = appearance_.align ? std::max(0, width - used) : 0;
      int left = 0;
      for (int k = 0; k < n; ++k) {
        const size_t i = static_cast<size_t>(rows[r][static_cast<size_t>(k)]);
        const int w = tabs_[i].width + spare / n + (k < spare % n ? 1 : 0);
        (*rects)[i] = QRect(left, static_cast<int>(r) * height, w, height);
        left += w;
      }
    }
  }
  return static_cast<int>(rows.size());
}

void TResourceTabs::Relayout() {
  const int before = rows_;
  std::vector<QRect> rects;
  rows_ = Layout(width(), &rects);
  for (size_t i = 0; i < tabs_.size(); ++i) tabs_[i].rect = rects[i];
  if (rows_ != before) updateGeometry();
  update();
}

QSize TResourceTabs::sizeHint() const {
  int total = 0;
  for (const Tab& t : tabs_)
    if (t.shown) total += t.width;
  return {total, std::max(rows_, 1) * TabHeight()};
}

QSize TResourceTabs::minimumSizeHint() const {
  int widest = 0;
  for (const Tab& t : tabs_)
    if (t.shown) widest = std::max(widest, t.width);
  return {widest, TabHeight()};
}

int TResourceTabs::heightForWidth(int width) const {
  return std::max(Layout(width, nullptr), 1) * TabHeight();
}

// --- Events ------------------------------------------------------------------------

void TResourceTabs::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

void TResourceTabs::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    MeasureTabs();
    Relayout();
    updateGeometry();  // the row height follows the font
  }
}

bool TResourceTabs::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int index = tabAt(help->pos());
    // The title is data: shown as plain text, never as markup.
    if (index >= 0 && !tabToolTip(index).isEmpty())
      QToolTip::showText(help->globalPos(),
                         Qt::convertFromPlainText(tabToolTip(index), Qt::WhiteSpaceNormal), this,
                         tabRect(index));
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

void TResourceTabs::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const int index = tabAt(event->position().toPoint());
    if (index >= 0) setCurrentIndex(index);
  }
  event->accept();
}

void TResourceTabs::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    const int index = tabAt(event->position().toPoint());
    if (index >= 0) Q_EMIT tabMenuRequested(index, event->globalPosition().toPoint());
  }
  event->accept();
}

void TResourceTabs::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
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
    p.drawText(r.adjusted(0, 0, -kSlant / 2, 0), Qt::AlignCenter,
               tabs_[static_cast<size_t>(i)].caption);
  }
}

}  // namespace lumora::ui
