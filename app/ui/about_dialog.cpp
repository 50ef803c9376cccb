#include "app/ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/ui/main_window.h"
#include "app/ui/splash.h"
#include "core/platform/file_system.h"

namespace lumora::ui {

TAboutDialog::TAboutDialog(std::function<void(const std::string& href)> open_external,
                           QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("AboutDialog"));
  setWindowTitle(QStringLiteral("About Lumora"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  layout->addLayout(top);
  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("AboutLogo"));
  logo->setPixmap(LogoPixmap(QSize(196, 161)));
  logo->setAccessibleName(QStringLiteral("Lumora logo"));
  top->addWidget(logo, 0, Qt::AlignTop);
  auto* texts = new QVBoxLayout;
  top->addLayout(texts, 1);
  auto* name = new QLabel(QStringLiteral("<b>%1</b>").arg(QString::fromLatin1(kApplicationTitle)),
                          this);
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  name->setFont(big);
  texts->addWidget(name);
  version_ = new QLabel(QString::fromLatin1(kVersionText), this);
  version_->setObjectName(QStringLiteral("AboutVersion"));
  version_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  texts->addWidget(version_);
  const QString address = QString::fromLatin1(kWebPageAddress);
  web_ = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()), this);
  web_->setObjectName(QStringLiteral("AboutWebPage"));
  web_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  connect(web_, &QLabel::linkActivated, this, [open_external](const QString& link) {
    if (open_external) open_external(link.toStdString());
  });
  texts->addWidget(web_);
  texts->addStretch(1);

  auto* heading = new QLabel(QStringLiteral("Installed library:"), this);
  layout->addWidget(heading);
  sources_ = new QPlainTextEdit(this);
  sources_->setObjectName(QStringLiteral("AboutSources"));
  sources_->setReadOnly(true);
  sources_->setLineWrapMode(QPlainTextEdit::NoWrap);
  sources_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  sources_->setMinimumSize(680, 240);
  heading->setBuddy(sources_);
  layout->addWidget(sources_, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void TAboutDialog::LoadLibrarySources(const std::string& program_folder) {
  const std::string path = JoinPath(program_folder, "README.txt");
  if (DefaultFileSystem().FileExists(path)) {
    if (Result<std::string> text = DefaultFileSystem().ReadFile(path); text.ok()) {
      sources_->setPlainText(QString::fromUtf8(text.value().data(),
                                               static_cast<qsizetype>(text.value().size())));
      return;
    }
  }
  sources_->setPlainText(QString::fromLatin1(kNoLibraryReadme));
}

}  // namespace lumora::ui
