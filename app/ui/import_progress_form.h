// TFormImportProgress: the progress window of a note-set import: the pass,
// a counter, a bar and Abort. It lets events run at most every few tens of
// milliseconds, so Abort and painting stay alive without an event round
// per note.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace lumora::ui {

class TFormImportProgress : public QDialog {
  Q_OBJECT

 public:
  explicit TFormImportProgress(QWidget* parent = nullptr);

  void Start();  // abort flag cleared, shown over the main window
  void SetPass(const QString& text);
  void SetCounter(const QString& text);
  void SetBar(int position, int maximum);
  // Lets events run when enough time has passed; true once Abort was
  // pressed (or the window closed).
  bool Poll();
  bool Aborted() const { return aborted_; }
  void Abort() { aborted_ = true; }

  QLabel* PassLabel() const { return pass_; }
  QLabel* CounterLabel() const { return counter_; }
  QProgressBar* Bar() const { return bar_; }
  QPushButton* AbortButton() const { return abort_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override { Abort(); }

 private:
  QLabel* pass_ = nullptr;
  QLabel* counter_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* abort_ = nullptr;
  bool aborted_ = false;
  QElapsedTimer since_events_;
};

}  // namespace lumora::ui
