// The resource tab strip of a pane: one tab per module (caption the
// abbreviation, hint the title), the current tab's caption in bold, tab
// backgrounds painted in the configured colours (a gradient from the strip's
// background), and the show-all / show-only-selected / reveal rules over the
// modules' tab visible flags. The Bible view uses it for its Bibles; the
// other panes can use it for their modules.
//
// Tabs that do not fit the strip's width wrap to further rows (QTabBar has
// one row and scrolls, so the strip lays its tabs out itself). Rows keep the
// tabs' order; the strip is as tall as its rows need for its width. With
// "Align Tabs" every full row is stretched to the strip's width.
//
// Change notifications: `currentTabChanged` is emitted for every change of
// the current tab except those made through SetCurrentSilently, so a pane
// that selects a tab itself runs its tab-change handling once, and a tab
// hidden while current still makes the pane follow the new current tab.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "config/color.h"

namespace lumora::ui {

// The appearance settings ("RzTabs..." values) applied to every strip.
struct TabAppearance {
  QString font_name = QStringLiteral("Arial");
  int font_size = 9;
  config::TColor text_color = config::kClBtnText;
  bool text_bold = false;
  int style = 0;  // 0 single slant, 1 double slant, 2 cut corner, 3 round corners
  bool align = false;
  config::TColor active_color = config::kClBtnFace;
  config::TColor inactive_color = config::kClBtnHighlight;
  config::TColor corresponding_color = 0x00FFFF00;
};

// "&" doubled, so captions built from data show it literally instead of
// making the next character a mnemonic.
QString EscapeMnemonic(const QString& caption);

class TResourceTabs : public QWidget {
  Q_OBJECT

 public:
  struct Entry {
    std::string abbreviation;           // Windows-1252
    std::string title;                  // Windows-1252
    const bool* tab_visible = nullptr;  // the module's flag (read only); null counts as set
  };

  explicit TResourceTabs(QWidget* parent = nullptr);

  // Rebuilds the tabs, all shown, no current-tab notification; the first
  // tab becomes current.
  void SetEntries(std::vector<Entry> entries);
  int count() const { return static_cast<int>(tabs_.size()); }
  int currentIndex() const { return current_; }
  // Selects a shown tab (a hidden one or an index out of range: nothing)
  // and notifies.
  void setCurrentIndex(int index);
  // Selects a tab without emitting currentTabChanged; a hidden tab is
  // shown first (its flag is left alone).
  void SetCurrentSilently(int index);

  bool isTabVisible(int index) const;
  // Hiding the current tab makes the next shown tab (else the previous one)
  // current, with a notification.
  void setTabVisible(int index, bool visible);
  // Shows a hidden tab; the tab visible flag does not change.
  void Reveal(int index);
  // The caption with "&" doubled (as a Qt label would need it) and the hint.
  QString tabText(int index) const;
  QString tabToolTip(int index) const;
  // Where a shown tab is drawn; an empty rectangle for a hidden one.
  QRect tabRect(int index) const;
  // The shown tab at a point, -1 when none.
  int tabAt(const QPoint& pos) const;
  int RowCount() const;

  // Every tab shown (nothing with fewer than `min_tabs` tabs).
  void ShowAll(int min_tabs);
  // Each tab shown exactly when its module's flag is set; the first tab
  // when no flag is set.
  void ShowOnlySelected();
  // Any tab hidden?
  bool AnyHidden() const;
  // Any tab whose shown state differs from its flag?
  bool AnyDiffersFromFlags() const;

  void ApplyAppearance(const TabAppearance& appearance);
  // Inactive tabs for which this answers true are painted in the
  // corresponding colour (Book and Commentary strips).
  void SetCorrespondingTest(std::function<bool(int index)> test) {
    corresponding_ = std::move(test);
  }
  // The background colour tab `index` is painted in: the active colour for
  // the current tab, the corresponding colour where the test says so, the
  // inactive colour otherwise.
  QColor TabColor(int index) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 Q_SIGNALS:
  void currentTabChanged(int index);
  // Which tabs are shown changed (set, show all, show selected, reveal,
  // hide): the tab commands' enabled states follow.
  void tabsChanged();
  // Right button released over a tab.
  void tabMenuRequested(int index, const QPoint& global_pos);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct Tab {
    QString caption;  // as shown: drawn without mnemonics, so "&" stays literal
    QString hint;
    bool shown = true;
    int width = 0;  // natural width (bold caption)
    QRect rect;     // laid out; empty while hidden
  };

  bool FlagSet(int index) const;
  int TabHeight() const;
  // Natural tab widths for the current font.
  void MeasureTabs();
  // Lays the shown tabs out in rows for `width`; returns the row count and,
  // given `rects`, each tab's rectangle (empty for hidden tabs).
  int Layout(int width, std::vector<QRect>* rects) const;
  void Relayout();
  // Makes `index` (or -1) current and repaints; notifies unless silenced.
  void SetCurrent(int index);
  // Shows or hides a tab without laying the strip out again; hiding the
  // current tab moves the selection on. False when nothing changed.
  bool SetShown(int index, bool visible);

  std::vector<Entry> entries_;
  std::vector<Tab> tabs_;
  int current_ = -1;
  int rows_ = 0;
  TabAppearance appearance_;
  std::function<bool(int)> corresponding_;
  bool silent_ = false;
};

}  // namespace lumora::ui
