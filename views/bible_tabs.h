// The resource tab strip of a pane: one tab per module (caption the
// abbreviation, hint the title), the current tab's caption in bold, tab
// backgrounds painted in the configured colours (a gradient from the strip's
// background), and the show-all / show-only-selected / reveal rules over the
// modules' tab visible flags. The Bible view uses it for its Bibles; the
// other panes can use it for their modules.
//
// Change notifications: `currentTabChanged` is emitted for every change of
// the current tab except those made through SetCurrentSilently, so a pane
// that selects a tab itself runs its tab-change handling once, and a tab
// hidden while current still makes the pane follow the new current tab.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTabBar>
#include <functional>
#include <string>
#include <vector>

#include "app/config/color.h"

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

class TResourceTabs : public QTabBar {
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
  int EntryCount() const { return static_cast<int>(entries_.size()); }

  // Selects a tab without emitting currentTabChanged; a hidden tab is
  // shown first (its flag is left alone).
  void SetCurrentSilently(int index);
  // Shows a hidden tab; the tab visible flag does not change.
  void Reveal(int index);

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

 Q_SIGNALS:
  void currentTabChanged(int index);
  // Right button released over a tab.
  void tabMenuRequested(int index, const QPoint& global_pos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  QSize tabSizeHint(int index) const override;

 private:
  bool FlagSet(int index) const;
  QColor TabColor(int index) const;

  std::vector<Entry> entries_;
  TabAppearance appearance_;
  std::function<bool(int)> corresponding_;
  bool silent_ = false;
};

}  // namespace lumora::ui
