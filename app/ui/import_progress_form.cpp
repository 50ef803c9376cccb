#include "app/ui/import_progress_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace lumora::ui {

namespace {
constexpr qint64 kEventIntervalMs = 30;
}

TFormImportProgress::TFormImportProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("FormImportProgress"));
  setWindowTitle(QStringLiteral("Importing Note Set..."));
  setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  pass_ = new QLabel(this);
  pass_->setObjectName(QStringLiteral("LabelPass"));
  pass_->setMinimumWidth(300);
  counter_ = new QLabel(this);
  counter_->setObjectName(QStringLiteral("LabelProg"));
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("PBar"));
  bar_->setMinimum(1);
  bar_->setTextVisible(false);
  auto* wait = new QLabel(QStringLiteral("Please Wait..."), this);
  QFont bold = wait->font();
  bold.setBold(true);
  wait->setFont(bold);
  abort_ = new QPushButton(QStringLiteral("Abort"), this);
  connect(abort_, &QPushButton::clicked, this, [this] { Abort(); });
  layout->addWidget(pass_);
  layout->addWidget(counter_);
  layout->addWidget(bar_);
  layout->addWidget(wait, 0, Qt::AlignHCenter);
  layout->addWidget(abort_, 0, Qt::AlignHCenter);
  setFixedSize(sizeHint());
}

void TFormImportProgress::Start() {
  aborted_ = false;
  pass_->clear();
  counter_->clear();
  bar_->setRange(1, 1);
  if (const QWidget* main = parentWidget()) {
    QRect r = frameGeometry();
    r.moveCenter(main->frameGeometry().center());
    move(r.topLeft());
  }
  show();
  raise();
  since_events_.start();
  QApplication::processEvents();
}

void TFormImportProgress::SetPass(const QString& text) {
  pass_->setText(text);
  pass_->repaint();
}

void TFormImportProgress::SetCounter(const QString& text) { counter_->setText(text); }

void TFormImportProgress::SetBar(int position, int maximum) {
  maximum = std::max(1, maximum);
  if (bar_->maximum() != maximum) bar_->setMaximum(maximum);
  bar_->setValue(std::clamp(position, 1, maximum));
}

bool TFormImportProgress::Poll() {
  if (since_events_.elapsed() >= kEventIntervalMs) {
    QApplication::processEvents();
    since_events_.restart();
  }
  return aborted_;
}

void TFormImportProgress::closeEvent(QCloseEvent* event) {
  Abort();
  event->ignore();
}

}  // namespace lumora::ui
