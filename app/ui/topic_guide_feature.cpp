#include "app/ui/topic_guide_feature.h"

#include <QAction>
#include <QMessageBox>

#include "app/ui/main_window.h"
#include "app/ui/search_feature.h"
#include "render/ui/display_text.h"
#include "search/ui/topic_guide_form.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/library.h"

namespace lumora::ui {

TTopicGuideFeature::TTopicGuideFeature(TMain& main) : QObject(&main), main_(main) {
  setObjectName(QStringLiteral("TopicGuideFeature"));
  if (QAction* action = main_.MainAction("ActionTopicGuide")) {
    connect(action, &QAction::triggered, this, [this] { ShowCommand(); });
    main_.Actions().AddUpdater(this, [this, action] { action->setEnabled(CanGuide()); });
  }
  // The panes' "Topic Guide for ..." items come through the search service.
  if (auto* search = main_.findChild<TSearchFeature*>(QStringLiteral("SearchFeature"))) {
    search->can_topic_guide = [this] { return CanGuide(); };
    search->topic_guide = [this](const std::string& text) { Guide(text); };
  }
  connect(&main_, &TMain::closingWindows, this, [this] {
    if (form_ && form_->isVisible()) form_->close();
  });
}

bool TTopicGuideFeature::CanGuide() const {
  const TLibrary& library = main_.Library();
  return library.IsLoaded() && library.Kjv() != nullptr &&
         (!library.Books().empty() || !library.Commentaries().empty());
}

TTopicGuideForm* TTopicGuideFeature::ExistingForm() const { return form_; }

TTopicGuideForm* TTopicGuideFeature::Form() {
  if (form_) return form_;
  TTopicGuideHost host;
  host.open_verse = [this](const TLMBibleModule& bible, int verse) {
    main_.ShowBibleVerse(bible, verse);
  };
  host.open_comment = [this](const TLMCommentaryModule& commentary, int slot, int first, int last) {
    main_.ShowCommentary(&commentary, slot, first, last);
  };
  host.open_entry = [this](const TLMDictionaryModule& book, int entry, int first, int last) {
    // 0 and 0: nothing to mark.
    if (first == 0 && last == 0) first = last = kNoMarkedVerse;
    main_.ShowBookEntry(book, entry, first, last);
  };
  host.show_help = [this](const QString& topic) { main_.ShowHelpTopic(topic); };
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
  form_ = new TTopicGuideForm(main_.Library(), std::move(host), &main_);
  form_->RestoreState();
  return form_;
}

void TTopicGuideFeature::ShowCommand() {
  if (CanGuide()) Form()->ShowWindow();
}

void TTopicGuideFeature::Guide(const std::string& text) {
  if (!CanGuide()) return;
  Form()->SearchFor(ToDisplayText(text));
}

TTopicGuideFeature* InstallTopicGuide(TMain& main) { return new TTopicGuideFeature(main); }

}  // namespace lumora::ui
