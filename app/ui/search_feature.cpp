#include "app/ui/search_feature.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <memory>

#include "app/ui/history_combo_box.h"
#include "app/ui/main_window.h"
#include "app/ui/search_bible_dialog.h"
#include "config/properties.h"
#include "render/ui/display_text.h"
#include "search/bible_search.h"
#include "search/bible_search_text.h"
#include "views/actions.h"
#include "views/library.h"
#include "views/pane_services.h"
#include "views/settings.h"
#include "views/verse_list_view.h"

namespace lumora::ui {

namespace {

// The panes' search service, forwarding to the feature while it lives.
class TSearchService : public ISearchService {
 public:
  explicit TSearchService(TSearchFeature& feature) : feature_(&feature) {}
  bool CanSearchBible() const override { return feature_ && feature_->CanSearchBible(); }
  void SearchBible(const std::string& text, const TLMBibleModule* bible) override {
    if (feature_) feature_->SearchBible(text, bible);
  }
  bool CanTopicGuide() const override {
    return feature_ && feature_->can_topic_guide && feature_->can_topic_guide();
  }
  void TopicGuide(const std::string& text) override {
    if (feature_ && feature_->topic_guide) feature_->topic_guide(text);
  }

 private:
  QPointer<TSearchFeature> feature_;
};


}  // namespace

TSearchFeature::TSearchFeature(TMain& main) : QObject(&main), main_(main) {
  setObjectName(QStringLiteral("SearchFeature"));
  if (QAction* action = main_.MainAction("ActionSearchBible")) {
    connect(action, &QAction::triggered, this, &TSearchFeature::SearchBibleCommand);
    main_.Actions().AddUpdater(this, [this, action] { action->setEnabled(CanSearchBible()); });
  }
  // Module pointers of the dialog's lists go stale with the library's.
  connect(&main_.Library(), &TLibrary::modulesAboutToChange, this, [this] {
    if (dialog_ && dialog_->isVisible()) dialog_->reject();
  });
}

TSearchFeature::~TSearchFeature() = default;

bool TSearchFeature::CanSearchBible() const {
  return main_.Library().IsLoaded() && main_.Library().Kjv() != nullptr &&
         !main_.Library().Bibles().empty();
}

TSearchBibleDlg* TSearchFeature::Dialog() {
  if (!dialog_) {
    auto* box = new THistoryComboBox(
        kSearchBibleHistoryId, main_.SettingsStorage(),
        &config::GlobalProperties().Mru(config::MruId::kSearchBible));
    dialog_ = new TSearchBibleDlg(
        main_.Library(), box, [this](const QString& topic) { main_.ShowHelpTopic(topic); },
        &main_);
    connect(dialog_, &QDialog::accepted, this, &TSearchFeature::RunSearch);
  }
  return dialog_;
}

void TSearchFeature::SearchBibleCommand() {
  if (!CanSearchBible()) return;
  TSearchBibleDlg* dialog = Dialog();
  dialog->Prepare(nullptr, main_.BibleViewBible(), config::GlobalProperties().search_bible_default);
  dialog->open();
}

void TSearchFeature::SearchBible(const std::string& text, const TLMBibleModule* bible) {
  if (!CanSearchBible()) return;
  TSearchBibleDlg* dialog = Dialog();
  dialog->SetText(ToDisplayText(text));
  dialog->Prepare(bible, main_.BibleViewBible(), config::GlobalProperties().search_bible_default);
  dialog->open();
}

void TSearchFeature::Reopen() {
  if (dialog_) dialog_->open();
}

void TSearchFeature::ShowInfo(const QString& text, const QString& help_topic) {
  if (info_message) {
    info_message(text, help_topic);
    return;
  }
  QMessageBox box(QMessageBox::Information, QString::fromLatin1(kApplicationTitle), text,
                  QMessageBox::Ok | QMessageBox::Help, &main_);
  box.setTextFormat(Qt::PlainText);
  QPointer<TSearchFeature> self(this);
  // Help shows the topic and leaves the message open.
  QAbstractButton* help = box.button(QMessageBox::Help);
  help->disconnect();
  connect(help, &QAbstractButton::clicked, &box,
          [this, help_topic] { main_.ShowHelpTopic(help_topic); });
  box.exec();
}

void TSearchFeature::RunSearch() {
  if (!dialog_) return;
  QPointer<TSearchBibleDlg> dialog = dialog_;
  const QString typed = dialog->Text();
  const std::string bytes = FromDisplayText(typed);
  const QString help = QString::fromLatin1(kBibleSearchHelpTopic);
  if (IsBlankSearchText(bytes)) {
    ShowInfo(QString::fromLatin1(kNoSearchWordsMessage), help);
    Reopen();
    return;
  }
  const TLMBibleModule* bible = dialog->Bible();
  BibleSearchResult result;
  // A character the code page lacks is in no verse.
  if (bible != nullptr && FitsCodePage(typed)) {
    main_.SetStatusText(QString::fromLatin1(kSearchingStatus));
    main_.statusBar()->repaint();
    BibleSearchRequest request;
    request.bible = bible;
    request.text = CleanSearchText(bytes);
    request.type = dialog->SearchType();
    const SearchRange range = dialog->Range();
    request.first_verse = range.first;
    request.last_verse = range.last;
    request.include_footnotes = !dialog->ExcludeFootnotes();
    request.case_sensitive = dialog->CaseSensitive();
    request.substring = dialog->Substring();
    result = RunBibleSearch(request);
    main_.SetStatusText(QString());
  }
  if (result.verses.empty()) {
    ShowInfo(QString::fromLatin1(kNoVersesFoundMessage), help);
    Reopen();
    return;
  }
  // Hits that lie in footnotes must be seen.
  bool& footnotes = config::GlobalProperties().verse_list_view.show_footnotes;
  if (!dialog->ExcludeFootnotes() && !footnotes) {
    footnotes = true;
    main_.Settings().Commit(kSettingsVerseListView);
  }
  if (TFrameVerseListView* list = main_.VerseListView()) list->SetBible(bible);
  main_.ShowVerseList(result.verses, result.keys, BibleSearchTitle(*bible, bytes),
                      dialog->CaseSensitive());
}

void InstallSearchFeature(TMain& main) {
  auto* feature = new TSearchFeature(main);
  main.InstallSearch(std::make_unique<TSearchService>(*feature));
}

}  // namespace lumora::ui
