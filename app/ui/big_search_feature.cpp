#include "app/ui/big_search_feature.h"

#include <QAction>
#include <QMessageBox>

#include "app/ui/main_window.h"
#include "render/ui/display_text.h"
#include "render/ui/html_view.h"
#include "search/full_search_texts.h"
#include "search/ui/big_search_form.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/comment_view.h"
#include "views/dict_view.h"
#include "views/library.h"

namespace lumora::ui {

namespace {

// From the top of the shown entry: the first occurrence is selected; when
// the page's text cannot be matched the way the plain text was, the entry
// stays shown from its top.
void FindFromTop(THtmlView* html, const std::string& text, bool case_sensitive) {
  if (html == nullptr) return;
  html->SetCaretPos(0);
  (void)html->Find(text, case_sensitive);
}

}  // namespace

TBigSearchFeature::TBigSearchFeature(TMain& main) : QObject(&main), main_(main) {
  setObjectName(QStringLiteral("BigSearchFeature"));
  if (QAction* action = main_.MainAction("ActionBigSearch")) {
    connect(action, &QAction::triggered, this, [this] { ShowCommand(); });
    main_.Actions().AddUpdater(this, [this, action] { action->setEnabled(CanSearch()); });
  }
  // Close sequence: the window closes and stores its state.
  connect(&main_, &TMain::closingWindows, this, [this] {
    if (form_ && form_->isVisible()) form_->close();
  });
}

bool TBigSearchFeature::CanSearch() const {
  const TLibrary& library = main_.Library();
  if (!library.IsLoaded() || library.Kjv() == nullptr) return false;
  return !library.Bibles().empty() || !library.Books().empty() || !library.Commentaries().empty();
}

TFormBigSearch* TBigSearchFeature::ExistingForm() const { return form_; }

TFormBigSearch* TBigSearchFeature::Form() {
  if (form_) return form_;
  TBigSearchHost host;
  host.open_verse = [this](const TLMBibleModule& bible, int verse) {
    main_.ShowBibleVerse(bible, verse);
  };
  host.open_comment = [this](const TLMCommentaryModule& commentary, int slot,
                             const std::string& text, bool case_sensitive) {
    main_.ShowCommentary(&commentary, slot, 0, 0);
    if (main_.CommentView() != nullptr)
      FindFromTop(main_.CommentView()->HTMLView(), text, case_sensitive);
  };
  host.open_entry = [this](const TLMDictionaryModule& book, int entry, const std::string& text,
                           bool case_sensitive) {
    main_.ShowBookEntry(book, entry, kNoMarkedVerse, kNoMarkedVerse);
    if (main_.DictView() != nullptr)
      FindFromTop(main_.DictView()->HTMLView(), text, case_sensitive);
  };
  host.define_sets = [this]() -> std::string {
    return define_sets ? define_sets() : std::string();
  };
  host.show_help = [this](const QString& topic) { main_.ShowHelpTopic(topic); };
  host.begin_scan = [this](std::function<void()> stop) {
    return main_.BeginLongWork(std::move(stop));
  };
  host.end_scan = [this] { main_.EndLongWork(); };
  host.message = [this](const QString& text) {
    if (info_message) {
      info_message(text);
      return;
    }
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(kApplicationTitle), text,
                    QMessageBox::Ok, form_ ? static_cast<QWidget*>(form_) : &main_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  };
  host.error = [this](const QString& text) {
    if (error_message) {
      error_message(text);
      return;
    }
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle), text,
                    QMessageBox::Ok, form_ ? static_cast<QWidget*>(form_) : &main_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  };
  form_ = new TFormBigSearch(main_.Library(), main_.SettingsStorage(), std::move(host), &main_);
  form_->RestoreState();
  return form_;
}

void TBigSearchFeature::ShowCommand() {
  if (!CanSearch()) return;
  Form()->ShowWindow();
}

TBigSearchFeature* InstallBigSearch(TMain& main) { return new TBigSearchFeature(main); }

}  // namespace lumora::ui
