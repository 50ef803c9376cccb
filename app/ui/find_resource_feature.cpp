#include "app/ui/find_resource_feature.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <exception>

#include "app/ui/history_combo_box.h"
#include "app/ui/main_window.h"
#include "config/properties.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "search/bible_search_text.h"
#include "search/find_in_resource.h"
#include "views/actions.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"

namespace lumora::ui {

namespace {

// The status bar is repainted at most this often during a pass.
constexpr qint64 kStatusRepaintMs = 30;

// Every way out of a pass: the cursor back and the status text gone.
class TFindPassScope {
 public:
  explicit TFindPassScope(TMain& main) : main_(main) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~TFindPassScope() {
    QApplication::restoreOverrideCursor();
    main_.SetStatusText(QString());
  }
  TFindPassScope(const TFindPassScope&) = delete;
  TFindPassScope& operator=(const TFindPassScope&) = delete;

 private:
  TMain& main_;
};


}  // namespace

// --- The dialog ------------------------------------------------------------------

TDlgSearchResource::TDlgSearchResource(THistoryComboBox* text_box,
                                       std::function<void(const QString&)> help, QWidget* parent)
    : QDialog(parent), text_box_(text_box) {
  setObjectName(QStringLiteral("DlgSearchResource"));
  setWindowTitle(QStringLiteral("Search Resource"));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("Find text:"), this));
  text_box_->setParent(this);
  text_box_->setObjectName(QStringLiteral("FindTextBox"));
  row->addWidget(text_box_, 1);
  layout->addLayout(row);
  case_ = new QCheckBox(QStringLiteral("Case Sensitive"), this);
  layout->addWidget(case_);
  auto* buttons = new QDialogButtonBox(this);
  next_ = buttons->addButton(QStringLiteral("Find &Next"), QDialogButtonBox::AcceptRole);
  first_ = buttons->addButton(QStringLiteral("Find &First"), QDialogButtonBox::ActionRole);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  QPushButton* help_button = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  help_button->setEnabled(static_cast<bool>(help));
  connect(next_, &QPushButton::clicked, this, [this] { Choose(kFindNext); });
  connect(first_, &QPushButton::clicked, this, [this] { Choose(kFindFirst); });
  connect(cancel, &QPushButton::clicked, this, [this] { Choose(kCancel); });
  connect(help_button, &QPushButton::clicked, this, [help] {
    if (help) help(QString::fromLatin1(kFindHelpTopic));
  });
  layout->addWidget(buttons);
  SetDefaultChoice(kFindFirst);
}

void TDlgSearchResource::SetDefaultChoice(Choice choice) {
  next_->setDefault(choice == kFindNext);
  first_->setDefault(choice == kFindFirst);
}

QString TDlgSearchResource::Text() const { return text_box_->currentText(); }
void TDlgSearchResource::SetText(const QString& text) { text_box_->setEditText(text); }
bool TDlgSearchResource::CaseSensitive() const { return case_->isChecked(); }

void TDlgSearchResource::Choose(Choice choice) {
  choice_ = choice;
  if (choice == kCancel)
    reject();
  else
    accept();
}

void TDlgSearchResource::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  choice_ = kCancel;  // Esc or the title bar's close
  text_box_->setFocus();
  if (QLineEdit* edit = text_box_->lineEdit()) edit->selectAll();
}

// --- The commands ----------------------------------------------------------------

TFindResourceFeature::TFindResourceFeature(TMain& main) : QObject(&main), main_(main) {
  setObjectName(QStringLiteral("FindResourceFeature"));
  const struct {
    const char* name;
    Target target;
  } commands[] = {{"ActionSearchDictionary", Target::kBook},
                  {"ActionSearchCommentary", Target::kCommentary}};
  for (const auto& c : commands) {
    QAction* action = main_.MainAction(c.name);
    if (action == nullptr) continue;
    const Target target = c.target;
    connect(action, &QAction::triggered, this, [this, target] { FindCommand(target); });
    main_.Actions().AddUpdater(this, [this, action, target] { action->setEnabled(CanFind(target)); });
  }
  // A pass never outlives its module; the dialog holds no module.
  connect(&main_.Library(), &TLibrary::modulesAboutToChange, this, [this] {
    if (dialog_ && dialog_->isVisible()) dialog_->reject();
  });
}

bool TFindResourceFeature::CanFind(Target target) const {
  if (!main_.Library().IsLoaded() || main_.Library().Kjv() == nullptr) return false;
  if (target == Target::kBook)
    return main_.DictView() != nullptr && main_.DictView()->CurrentBook() != nullptr;
  return main_.CommentView() != nullptr && main_.CommentView()->CurrentCommentary() != nullptr;
}

TDlgSearchResource* TFindResourceFeature::Dialog() {
  if (!dialog_) {
    auto* box = new THistoryComboBox(
        kSearchResourceHistoryId, main_.SettingsStorage(),
        &config::GlobalProperties().Mru(config::MruId::kSearchResource));
    dialog_ = new TDlgSearchResource(
        box, [this](const QString& topic) { main_.ShowHelpTopic(topic); }, &main_);
    connect(dialog_, &QDialog::finished, this, [this] {
      if (dialog_) Run(dialog_->Result());
    });
  }
  return dialog_;
}

void TFindResourceFeature::FindCommand(Target target) {
  if (!CanFind(target)) return;
  target_ = target;
  const std::string title = target == Target::kBook
                                ? main_.DictView()->CurrentBook()->GetTitle()
                                : main_.CommentView()->CurrentCommentary()->GetTitle();
  TDlgSearchResource* dialog = Dialog();
  dialog->setWindowTitle(ToDisplayText(FindDialogCaption(title)));
  Reopen(TDlgSearchResource::kFindFirst);
}

void TFindResourceFeature::Reopen(TDlgSearchResource::Choice default_choice) {
  if (!dialog_) return;
  dialog_->SetDefaultChoice(default_choice);
  dialog_->open();
}

void TFindResourceFeature::ShowInfo(const QString& text) {
  const QString topic = QString::fromLatin1(kFindHelpTopic);
  if (info_message) {
    info_message(text, topic);
    return;
  }
  QMessageBox box(QMessageBox::Information, QString::fromLatin1(kApplicationTitle), text,
                  QMessageBox::Ok | QMessageBox::Help, &main_);
  box.setTextFormat(Qt::PlainText);
  QAbstractButton* help = box.button(QMessageBox::Help);
  help->disconnect();
  connect(help, &QAbstractButton::clicked, &box, [this, topic] { main_.ShowHelpTopic(topic); });
  box.exec();
}

int TFindResourceFeature::CurrentItem() const {
  return target_ == Target::kBook ? main_.DictView()->CurrentEntry()
                                  : main_.CommentView()->CurrentPosition();
}

bool TFindResourceFeature::FindInShownEntry(const std::string& text, bool case_sensitive) {
  THtmlView* html = target_ == Target::kBook ? main_.DictView()->HTMLView()
                                             : main_.CommentView()->HTMLView();
  return html != nullptr && html->Find(text, case_sensitive);
}

void TFindResourceFeature::ShowHit(int item, const std::string& text, bool case_sensitive) {
  THtmlView* html = nullptr;
  if (target_ == Target::kBook) {
    main_.ShowBookEntry(*main_.DictView()->CurrentBook(), item, kNoMarkedVerse, kNoMarkedVerse);
    html = main_.DictView()->HTMLView();
  } else {
    main_.ShowCommentary(main_.CommentView()->CurrentCommentary(), item, 0, 0);
    html = main_.CommentView()->HTMLView();
  }
  if (html == nullptr) return;
  // From the top of the entry; when the page's text cannot be matched the
  // way the plain text was, the entry stays shown from its top.
  html->SetCaretPos(0);
  (void)html->Find(text, case_sensitive);
}

bool TFindResourceFeature::Pass(int first_item, const std::string& text, bool case_sensitive,
                                bool& stopped) {
  const TLMBibleModule* kjv = main_.Library().Kjv();
  if (kjv == nullptr) return false;
  TFindPassScope scope(main_);
  QElapsedTimer since;
  since.start();
  bool first_status = true;
  const FindProgress progress = [&](const std::string& status) {
    if (first_status || since.elapsed() >= kStatusRepaintMs) {
      first_status = false;
      main_.SetStatusText(ToDisplayText(status));
      main_.statusBar()->repaint();
      since.restart();
    }
    return true;
  };
  FindHit hit;
  if (target_ == Target::kBook)
    hit = FindInBook(*main_.DictView()->CurrentBook(), *kjv, text, case_sensitive, first_item,
                     progress);
  else
    hit = FindInCommentary(*main_.CommentView()->CurrentCommentary(), *kjv, text, case_sensitive,
                           first_item, progress);
  stopped = hit.stopped;
  if (!hit.found()) return false;
  ShowHit(hit.item, text, case_sensitive);
  return true;
}

void TFindResourceFeature::Run(TDlgSearchResource::Choice choice) {
  if (choice == TDlgSearchResource::kCancel || !dialog_ || !CanFind(target_)) return;
  const bool case_sensitive = dialog_->CaseSensitive();
  const QString typed = dialog_->Text();
  const std::optional<std::string> text = PrepareFindText(FromDisplayText(typed), case_sensitive);
  if (!text) {
    ShowInfo(QString::fromLatin1(kNoSearchWordsMessage));
    Reopen(choice);
    return;
  }
  const QString not_found = QString::fromLatin1(
      target_ == Target::kBook ? kFindInBookNotFoundMessage : kFindInCommentaryNotFoundMessage);
  // A character the code page lacks is in no entry.
  if (!FitsCodePage(typed)) {
    ShowInfo(not_found);
    Reopen(choice);
    return;
  }
  FindStart start =
      choice == TDlgSearchResource::kFindFirst ? FindStart::kFirst : FindStart::kNext;
  const int current = CurrentItem();
  try {
    for (;;) {
      bool found = false, stopped = false;
      if (start == FindStart::kNext && current >= 0) found = FindInShownEntry(*text, case_sensitive);
      if (!found) found = Pass(FindStartItem(start, current), *text, case_sensitive, stopped);
      if (found) {
        Reopen(TDlgSearchResource::kFindNext);
        return;
      }
      if (stopped || AfterFailedPass(start, current) == FindNotFound::kMessage) {
        ShowInfo(not_found);
        break;
      }
      if (!main_.AskYesNo(QString::fromLatin1(kApplicationTitle),
                          QString::fromLatin1(kFindAgainQuestion)))
        break;
      start = FindStart::kFirst;  // the dialog stays closed
    }
  } catch (const std::exception& e) {
    main_.ShowMessage(QString::fromLocal8Bit(e.what()));
  }
  Reopen(choice);
}

void InstallFindResource(TMain& main) { new TFindResourceFeature(main); }

}  // namespace lumora::ui
