// The "Devotional" menu: this morning's and this evening's reading and any
// chosen day's. "devotion.dys" is read from the program folder at start-up;
// a reading takes the Bible view to its verse and shows the "SME"
// Commentary there with the reading's "MM/DD/AM" heading found and
// selected. The three commands are disabled while the index is empty or no
// "SME" Commentary is loaded (Today's Proverb, the Bible view's own command,
// stays as it is).
#pragma once

#include <QObject>
#include <QPointer>

#include "app/devotions.h"

namespace lumora::ui {

class TDlgDevotionPick;
class TMain;

void InstallDevotions(TMain& main);

class TDevotionsFeature : public QObject {
  Q_OBJECT

 public:
  explicit TDevotionsFeature(TMain& main);

  // "Today" for the commands and the picker's first showing (tests name
  // the day).
  void SetClock(TodayClock clock) { clock_ = std::move(clock); }
  // Replaces the index read at start-up.
  void SetIndex(DevotionIndex index);
  const DevotionIndex& Index() const { return index_; }

  // Whether the three commands can run.
  bool Available() const;
  // The reading of a day and time (nothing when the index is empty).
  void ShowReading(int month, int day, bool morning);
  // The day picker, made on first use and reused.
  TDlgDevotionPick* Picker();

 private:
  CalendarDay Today() const { return clock_ ? clock_() : LocalToday(); }
  void SelectHeading(const std::string& heading);

  TMain& main_;
  DevotionIndex index_;
  TodayClock clock_;
  QPointer<TDlgDevotionPick> picker_;
};

}  // namespace lumora::ui
