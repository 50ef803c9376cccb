#include "app/ui/import_name_dialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "render/ui/display_text.h"

namespace lumora::ui {

std::string NameBytes(const QString& text) {
  std::string bytes;
  for (const QChar c : text) {
    const QString one(c);
    bytes += FitsCodePage(one) ? FromDisplayText(one) : std::string("\x81");
  }
  return bytes;
}

TImportNameDlg::TImportNameDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ImportNameDlg"));
  setWindowTitle(QStringLiteral("New Note Set Title"));
  auto* layout = new QVBoxLayout(this);
  prompt_ = new QLabel(this);
  prompt_->setObjectName(QStringLiteral("LabelOldName"));
  prompt_->setWordWrap(true);
  layout->addWidget(prompt_);
  layout->addWidget(new QLabel(QStringLiteral("New Title:"), this));
  title_box_ = new QLineEdit(this);
  title_box_->setObjectName(QStringLiteral("EditNewName"));
  title_box_->setMaxLength(45);
  layout->addWidget(title_box_);
  layout->addWidget(new QLabel(QStringLiteral("New Abbreviation:"), this));
  abbreviation_box_ = new QLineEdit(this);
  abbreviation_box_->setObjectName(QStringLiteral("EditNewAbbreviation"));
  abbreviation_box_->setMaxLength(7);
  layout->addWidget(abbreviation_box_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &TImportNameDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TImportNameDlg::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (show_help) show_help(QStringLiteral("Scribble%1").arg(help_context_));
  });
  layout->addWidget(buttons);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  setMinimumWidth(360);
}

void TImportNameDlg::SetPrompt(const QString& prompt) { prompt_->setText(prompt); }

void TImportNameDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect r = frameGeometry();
    r.moveCenter(screen->availableGeometry().center());
    move(r.topLeft());
  }
  title_box_->setFocus();
}

void TImportNameDlg::accept() {
  std::string title = NameBytes(title_box_->text());
  std::string abbreviation = NameBytes(abbreviation_box_->text());
  const std::string problems = check_names ? check_names(title, abbreviation) : std::string();
  // The trimmed names go back into the boxes (an unstorable character stays
  // as typed, so the user sees what to change).
  if (FitsCodePage(title_box_->text())) title_box_->setText(ToDisplayText(title));
  if (FitsCodePage(abbreviation_box_->text()))
    abbreviation_box_->setText(ToDisplayText(abbreviation));
  if (!problems.empty()) {
    if (show_error) show_error(ToDisplayText(problems));
    return;
  }
  title_ = title;
  abbreviation_ = abbreviation;
  QDialog::accept();
}

}  // namespace lumora::ui
