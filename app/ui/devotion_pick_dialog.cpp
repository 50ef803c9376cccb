#include "app/ui/devotion_pick_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace lumora::ui {

TDlgDevotionPick::TDlgDevotionPick(const DevotionIndex& index, TodayClock today,
                                   std::function<void(const QString& topic)> help,
                                   QWidget* parent)
    : QDialog(parent), index_(index), today_(std::move(today)) {
  setObjectName(QStringLiteral("DlgDevotionPick"));
  setWindowTitle(QStringLiteral("Select Devotional"));
  auto* grid = new QGridLayout(this);
  const auto list = [this](const char* name) {
    auto* l = new QListWidget(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
  };
  months_ = list("MonthList");
  days_ = list("DayList");
  times_ = list("TimeList");
  static const char* const kMonths[] = {"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
  for (const char* m : kMonths) months_->addItem(QString::fromLatin1(m));
  times_->addItem(QStringLiteral("Morning"));
  times_->addItem(QStringLiteral("Evening"));
  months_->setFixedWidth(months_->sizeHintForColumn(0) + 2 * months_->frameWidth() + 24);
  days_->setFixedWidth(days_->fontMetrics().horizontalAdvance(QStringLiteral("3000")) + 40);
  times_->setMaximumHeight(times_->sizeHintForRow(0) * 2 + 2 * times_->frameWidth() + 4);
  const auto label = [this](const char* text, QWidget* buddy) {
    auto* l = new QLabel(QString::fromLatin1(text), this);
    l->setBuddy(buddy);
    return l;
  };
  grid->addWidget(label("&Month:", months_), 0, 0);
  grid->addWidget(label("&Day:", days_), 0, 1);
  grid->addWidget(label("&Time:", times_), 0, 2);
  grid->addWidget(months_, 1, 0);
  grid->addWidget(days_, 1, 1);
  grid->addWidget(times_, 1, 2, Qt::AlignTop);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  help_button_ = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  help_button_->setObjectName(QStringLiteral("HelpButton"));
  grid->addWidget(buttons, 2, 0, 1, 3);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, [help = std::move(help)] {
    if (help) help(QStringLiteral("Scribble160"));
  });
  // Another month (by click or key) refills the days; a click on the
  // month shown starts its days again at the first.
  connect(months_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { FillDays(months_->row(item) + 1); });
  connect(months_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && days_->property("month").toInt() != row + 1) FillDays(row + 1);
  });
}

void TDlgDevotionPick::Prepare() {
  if (months_->currentRow() < 0) {
    const CalendarDay today = today_ ? today_() : LocalToday();
    months_->setCurrentRow(std::clamp(today.month, 1, 12) - 1);
    for (int i = 0; i < days_->count(); ++i)
      if (days_->item(i)->text().toInt() == today.day) days_->setCurrentRow(i);
    times_->setCurrentRow(0);
  }
  months_->setFocus();
}

void TDlgDevotionPick::FillDays(int month) {
  days_->clear();
  for (int day : index_.DaysOf(month)) days_->addItem(QString::number(day));
  days_->setProperty("month", month);
  if (days_->count() > 0) days_->setCurrentRow(0);
}

int TDlgDevotionPick::Month() const { return months_->currentRow() + 1; }

int TDlgDevotionPick::Day() const {
  const QListWidgetItem* item = days_->currentItem();
  return item == nullptr ? 0 : item->text().toInt();
}

bool TDlgDevotionPick::Morning() const { return times_->currentRow() != 1; }

}  // namespace lumora::ui
