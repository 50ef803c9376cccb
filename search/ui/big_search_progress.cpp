#include "search/ui/big_search_progress.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "render/ui/display_text.h"
#include "search/full_search_texts.h"

namespace lumora::ui {

namespace {
// Events run at most this often during a scan; the labels are repainted
// then too.
constexpr qint64 kEventIntervalMs = 25;
// The bar counts items; QProgressBar takes int.
int BarValue(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, INT_MAX)); }
}  // namespace

TFormBigProgress::TFormBigProgress(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("FormBigProgress"));
  setWindowTitle(QString::fromLatin1(kFullSearchProgressCaption));
  setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QString::fromLatin1(kFullSearchFoundLabel), this), 0, 0);
  found_ = new QLabel(QStringLiteral("0"), this);
  found_->setObjectName(QStringLiteral("FoundLabel"));
  grid->addWidget(found_, 0, 1);
  grid->addWidget(new QLabel(QString::fromLatin1(kFullSearchSearchingLabel), this), 1, 0);
  searching_ = new QLabel(this);
  searching_->setObjectName(QStringLiteral("SearchingLabel"));
  searching_->setMinimumWidth(260);
  grid->addWidget(searching_, 1, 1);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);
  bar_ = new QProgressBar(this);
  bar_->setTextVisible(false);
  layout->addWidget(bar_);
  stop_button_ = new QPushButton(QStringLiteral("Stop"), this);
  stop_button_->setObjectName(QStringLiteral("StopButton"));
  connect(stop_button_, &QPushButton::clicked, this, [this] { RequestStop(); });
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(stop_button_);
  row->addStretch(1);
  layout->addLayout(row);
}

void TFormBigProgress::Reset(int64_t maximum) {
  stop_ = false;
  damaged_.clear();
  latest_ = FullSearchProgress{};
  latest_.maximum = maximum;
  progress_pending_ = true;
  longest_gap_ms_ = 0;
  bar_->setRange(0, BarValue(maximum));
  ShowProgress();
  since_events_.start();
}

QString TFormBigProgress::FoundText() const { return found_->text(); }
QString TFormBigProgress::SearchingText() const { return searching_->text(); }

void TFormBigProgress::OnProgress(const FullSearchProgress& progress) {
  // Labels are set when events run, not at every hit: a common word has
  // tens of thousands.
  latest_ = progress;
  progress_pending_ = true;
}

void TFormBigProgress::OnModuleDamaged(const std::string& module_title,
                                       const std::string& message) {
  damaged_.push_back(module_title + ": " + message);
}

void TFormBigProgress::ShowProgress() {
  if (!progress_pending_) return;
  progress_pending_ = false;
  found_->setText(QString::number(latest_.found));
  searching_->setText(ToDisplayText(latest_.module_title));
  bar_->setMaximum(BarValue(latest_.maximum));
  bar_->setValue(BarValue(std::min(latest_.position, latest_.maximum)));
}

void TFormBigProgress::LetEventsRun() {
  ShowProgress();
  QApplication::processEvents(QEventLoop::AllEvents);
  // A copy: the hook may replace itself.
  if (const std::function<void()> hook = on_events) hook();
}

bool TFormBigProgress::ShouldStop() {
  const qint64 elapsed = since_events_.elapsed();
  if (elapsed >= kEventIntervalMs && !stop_) {
    longest_gap_ms_ = std::max(longest_gap_ms_, elapsed);
    LetEventsRun();
    since_events_.restart();
  }
  return stop_;
}

void TFormBigProgress::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    RequestStop();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// Closing the window is Stop; the search window hides it when the scan
// has returned.
void TFormBigProgress::closeEvent(QCloseEvent* event) {
  RequestStop();
  event->ignore();
}

void TFormBigProgress::reject() { RequestStop(); }

}  // namespace lumora::ui
