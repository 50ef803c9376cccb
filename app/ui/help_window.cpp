#include "app/ui/help_window.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/help_topics.h"
#include "core/platform/file_system.h"

namespace lumora::ui {
namespace {

QString HelpPagePath(const std::string& folder, const char* file) {
  return QString::fromStdString(folder) + QString::fromLatin1(file);
}

}  // namespace

std::string FindHelpFolder(const std::string& program_folder) {
  for (const std::string& base : {program_folder, ExecutableFolder()}) {
    if (base.empty()) continue;
    const std::string folder = JoinPath(base, kHelpFolderName);
    const HelpTopic* contents = FindHelpTopic(kHelpContentsTopic);
    if (DefaultFileSystem().FileExists(JoinPath(folder, contents->file))) return folder + "/";
  }
  return {};
}

THelpWindow::THelpWindow(std::string help_folder,
                         std::function<void(const std::string& href)> open_external,
                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(std::move(help_folder)),
      open_external_(std::move(open_external)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Lumora Help"));
  resize(760, 600);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QHBoxLayout;
  layout->addLayout(bar);
  const auto button = [this, bar](const char* name, const char* text) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromLatin1(text));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    bar->addWidget(b);
    return b;
  };
  QToolButton* contents = button("HelpContents", "&Contents");
  back_ = button("HelpBack", "&Back");
  forward_ = button("HelpForward", "&Forward");
  bar->addSpacing(12);
  auto* find_label = new QLabel(QStringLiteral("F&ind:"), this);
  bar->addWidget(find_label);
  find_box_ = new QLineEdit(this);
  find_box_->setObjectName(QStringLiteral("HelpFind"));
  find_box_->setClearButtonEnabled(true);
  find_box_->setPlaceholderText(QStringLiteral("text in this page"));
  find_label->setBuddy(find_box_);
  bar->addWidget(find_box_, 1);
  QToolButton* next = button("HelpFindNext", "&Next");
  QToolButton* previous = button("HelpFindPrevious", "&Previous");
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("HelpNote"));
  bar->addWidget(note_);

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  // Every link goes through OpenLink: pages stay here, the web goes out.
  browser_->setOpenLinks(false);
  browser_->setOpenExternalLinks(false);
  layout->addWidget(browser_, 1);

  connect(contents, &QToolButton::clicked, this,
          [this] { ShowTopic(QString::fromLatin1(kHelpContentsTopic)); });
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, &THelpWindow::OpenLink);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
    note_->clear();
    const QString title = browser_->documentTitle();
    const QString name = QStringLiteral("Lumora Help");
    setWindowTitle(title.isEmpty() || title == name ? name : name + QStringLiteral(" - ") + title);
  });
  connect(find_box_, &QLineEdit::returnPressed, this, [this] { FindNext(); });
  connect(next, &QToolButton::clicked, this, [this] { FindNext(); });
  connect(previous, &QToolButton::clicked, this, [this] { FindNext(true); });
  auto* find_key = new QShortcut(QKeySequence::Find, this);
  connect(find_key, &QShortcut::activated, this, [this] {
    find_box_->setFocus(Qt::ShortcutFocusReason);
    find_box_->selectAll();
  });
}

void THelpWindow::ShowTopic(const QString& topic) {
  if (folder_.empty()) {
    ShowMissingFolder();
  } else {
    const HelpTopic* t = FindHelpTopic(topic.toStdString());
    const HelpTopic* page = t != nullptr ? t : FindHelpTopic(kHelpContentsTopic);
    browser_->setSource(QUrl::fromLocalFile(HelpPagePath(folder_, page->file)));
    if (t == nullptr) note_->setText(QStringLiteral("No help page for \"%1\".").arg(topic));
  }
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void THelpWindow::ShowMissingFolder() {
  browser_->setHtml(QStringLiteral(
      "<h1>Lumora Help</h1><p>The help pages were not found. They belong in the folder "
      "<b>help</b> beside the program.</p>"));
  setWindowTitle(QStringLiteral("Lumora Help"));
}

QUrl THelpWindow::Resolve(const QUrl& link) const {
  const QUrl url = browser_->source().resolved(link);
  return url.isLocalFile() ? url : QUrl();
}

void THelpWindow::OpenLink(const QUrl& link) {
  const QUrl page = Resolve(link);
  if (page.isValid()) {
    browser_->setSource(page);
    return;
  }
  if (open_external_) open_external_(link.toString().toStdString());
}

bool THelpWindow::FindNext(bool backwards) {
  const QString text = find_box_->text();
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward
                                                   : QTextDocument::FindFlags();
  if (!browser_->find(text, flags)) {
    // Once round from the other end.
    QTextCursor start = browser_->textCursor();
    start.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(start);
    if (!browser_->find(text, flags)) {
      note_->setText(QStringLiteral("Not found"));
      return false;
    }
  }
  note_->clear();
  return true;
}

}  // namespace lumora::ui
