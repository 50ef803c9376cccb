#include "app/ui/devotions_feature.h"

#include <QAction>
#include <QScrollBar>

#include "app/ui/devotion_pick_dialog.h"
#include "app/ui/main_window.h"
#include "render/ui/html_view.h"
#include "views/actions.h"
#include "views/comment_view.h"
#include "views/library.h"

namespace lumora::ui {
namespace {

constexpr const char* kDevotionalCommentary = "SME";

}  // namespace

void InstallDevotions(TMain& main) { new TDevotionsFeature(main); }

TDevotionsFeature::TDevotionsFeature(TMain& main) : QObject(&main), main_(main) {
  setObjectName(QStringLiteral("DevotionsFeature"));
  connect(&main, &TMain::startupStage, this, [this](TStartupStage stage) {
    if (stage == TStartupStage::kDevotions)
      SetIndex(DevotionIndex::Load(DefaultFileSystem(), main_.ProgramFolder() + kDevotionFileName));
  });
  const auto bind = [this](const char* name, auto&& run) {
    QAction* a = main_.MainAction(name);
    connect(a, &QAction::triggered, this, std::forward<decltype(run)>(run));
    return a;
  };
  QAction* morning = bind("ActionMornDevotion", [this] {
    const CalendarDay today = Today();
    ShowReading(today.month, today.day, true);
  });
  QAction* evening = bind("ActionEveDevotion", [this] {
    const CalendarDay today = Today();
    ShowReading(today.month, today.day, false);
  });
  QAction* pick = bind("ActionPickDevotion", [this] {
    TDlgDevotionPick* dialog = Picker();
    dialog->Prepare();
    dialog->open();
  });
  main_.Actions().AddUpdater(this, [this, morning, evening, pick] {
    const bool on = Available();
    for (QAction* a : {morning, evening, pick}) a->setEnabled(on);
  });
}

void TDevotionsFeature::SetIndex(DevotionIndex index) {
  index_ = std::move(index);
  main_.Actions().Invalidate();
}

bool TDevotionsFeature::Available() const {
  return !index_.empty() && main_.Library().IsLoaded() &&
         main_.Library().FindCommentary(kDevotionalCommentary) != nullptr;
}

TDlgDevotionPick* TDevotionsFeature::Picker() {
  if (picker_ == nullptr) {
    picker_ = new TDlgDevotionPick(
        index_, [this] { return Today(); },
        [this](const QString& topic) { main_.ShowHelpTopic(topic); }, &main_);
    connect(picker_, &QDialog::accepted, this, [this] {
      if (picker_->Month() > 0 && picker_->Day() > 0)
        ShowReading(picker_->Month(), picker_->Day(), picker_->Morning());
    });
  }
  return picker_;
}

void TDevotionsFeature::ShowReading(int month, int day, bool morning) {
  const std::optional<DevotionReading> reading = index_.Find(month, day, morning);
  if (!reading) return;
  main_.GoToVerse(reading->verse, false);
  const TLMCommentaryModule* sme = main_.Library().IsLoaded()
                                       ? main_.Library().FindCommentary(kDevotionalCommentary)
                                       : nullptr;
  if (sme == nullptr) return;
  main_.ShowPane(TPane::kCommentary);
  main_.ShowCommentary(sme, reading->verse - 1, 0, 0);
  SelectHeading(reading->heading);
}

// Finds the heading in the Commentary view's page from its start and
// selects it; a heading the find had to scroll to is centred.
void TDevotionsFeature::SelectHeading(const std::string& heading) {
  THtmlView* view = main_.CommentView()->HTMLView();
  view->SetCaretPos(0);
  const int before = view->VScrollBarPosition();
  if (!view->Find(heading, false)) return;
  if (view->VScrollBarPosition() == before) return;
  const QRect at = view->cursorRect();
  view->SetVScrollBarPosition(view->VScrollBarPosition() + at.center().y() -
                              view->viewport()->height() / 2);
}

}  // namespace lumora::ui
