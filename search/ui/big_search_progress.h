// TFormBigProgress: the progress window of the full reference search. It
// shows the module being searched, the hits so far and a bar, and its Stop
// (or Esc, or closing it) ends the scan. It is the scan's observer: after
// every verse and entry the scan asks it whether to stop, and it lets
// pending events run at most every few tens of milliseconds, which keeps
// Stop and painting alive without paying for an event round per verse.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <string>
#include <vector>

#include "search/full_search_scan.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace lumora::ui {

class TFormBigProgress : public QDialog, public FullSearchObserver {
  Q_OBJECT

 public:
  explicit TFormBigProgress(QWidget* parent = nullptr);

  // Before a scan: stop flag cleared, labels and bar reset, damage list
  // emptied.
  void Reset(int64_t maximum);
  void RequestStop() { stop_ = true; }
  bool StopRequested() const { return stop_; }

  // Modules that gave unreadable records, with the first reader message of
  // each, in scan order.
  const std::vector<std::string>& DamagedModules() const { return damaged_; }

  // Called whenever events are let through during a scan (tests use it to
  // act mid-scan: a close, a deletion, Stop).
  std::function<void()> on_events;
  // The longest time between two chances to process events in the last
  // scan, in milliseconds (the Stop latency).
  qint64 LongestGapMs() const { return longest_gap_ms_; }

  QPushButton* StopButton() const { return stop_button_; }
  QString FoundText() const;
  QString SearchingText() const;

  // FullSearchObserver
  void OnProgress(const FullSearchProgress& progress) override;
  void OnModuleDamaged(const std::string& module_title, const std::string& message) override;
  bool ShouldStop() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void ShowProgress();
  void LetEventsRun();

  QLabel* found_ = nullptr;
  QLabel* searching_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* stop_button_ = nullptr;
  bool stop_ = false;
  FullSearchProgress latest_;
  bool progress_pending_ = false;
  QElapsedTimer since_events_;
  qint64 longest_gap_ms_ = 0;
  std::vector<std::string> damaged_;
};

}  // namespace lumora::ui
