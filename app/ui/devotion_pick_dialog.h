// TDlgDevotionPick, "Select Devotional": a month list, the list of that
// month's days that have readings, and the time of day. The first showing
// selects today (from the clock it is given) and "Morning"; later showings
// keep the previous choice. Clicking a month refills the days and selects
// the first.
#pragma once

#include <QDialog>
#include <functional>

#include "app/devotions.h"

class QListWidget;
class QPushButton;

namespace lumora::ui {

class TDlgDevotionPick : public QDialog {
  Q_OBJECT

 public:
  // `index` and `today` stay valid for the dialog's life; `help` shows a
  // help topic.
  TDlgDevotionPick(const DevotionIndex& index, TodayClock today,
                   std::function<void(const QString& topic)> help, QWidget* parent = nullptr);

  // Fills the lists for a showing (today on the first one); call before
  // open().
  void Prepare();

  int Month() const;    // 1..12, 0 when none is selected
  int Day() const;      // the selected day's number, 0 when none
  bool Morning() const;

  QListWidget* MonthList() const { return months_; }
  QListWidget* DayList() const { return days_; }
  QListWidget* TimeList() const { return times_; }
  QPushButton* HelpButton() const { return help_button_; }

 private:
  void FillDays(int month);

  const DevotionIndex& index_;
  TodayClock today_;
  QListWidget* months_ = nullptr;
  QListWidget* days_ = nullptr;
  QListWidget* times_ = nullptr;
  QPushButton* help_button_ = nullptr;
};

}  // namespace lumora::ui
