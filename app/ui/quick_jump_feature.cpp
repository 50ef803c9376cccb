#include "app/ui/quick_jump_feature.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

#include "app/quick_jump.h"
#include "app/ui/history_drop_down.h"
#include "app/ui/main_window.h"
#include "core/refs/reference_parser.h"
#include "render/ui/display_text.h"
#include "views/library.h"

namespace lumora::ui {

TQuickJump::TQuickJump(TMain& main) : QObject(&main), main_(main), box_(main.QuickJump()) {
  setObjectName(QStringLiteral("QuickJumpFeature"));
  if (box_ == nullptr) return;
  history_ = new THistoryDropDown(
      *box_, std::make_unique<HistoryList>(kQuickJumpHistoryId, main_.SettingsStorage()));
  connect(box_, &QLineEdit::returnPressed, this, &TQuickJump::Run);
  connect(history_, &THistoryDropDown::picked, this, &TQuickJump::Run);
  box_->installEventFilter(this);
  connect(&main_.Library(), &TLibrary::modulesAboutToChange, this, [this] {
    parser_.reset();
    parser_bible_ = nullptr;
  });
}

TQuickJump::~TQuickJump() = default;

const ReferenceParser& TQuickJump::ParserFor(const TLMBibleModule& bible) {
  if (parser_ == nullptr || parser_bible_ != &bible) {
    parser_ = std::make_unique<ReferenceParser>(bible);
    parser_bible_ = &bible;
  }
  return *parser_;
}

void TQuickJump::Run() {
  const TLMBibleModule* kjv = main_.Library().Kjv();
  if (box_ == nullptr || kjv == nullptr) return;
  const TLMBibleModule* bible = main_.BibleViewBible();
  const std::string typed = FromDisplayText(box_->text());
  const QuickJumpResult r = QuickJumpTarget(typed, main_.BibleViewVerse(),
                                            ParserFor(bible != nullptr ? *bible : *kjv), *kjv);
  if (r.unrecognized) {
    main_.ShowMessage(QString::fromLatin1(kUnrecognizedReference));
  } else if (r.target > 0) {
    // What the user typed, before the Bible view puts its reference here.
    history_->Commit();
    main_.GoToVerse(r.target, true);
    if (!main_.Library().Commentaries().empty() && main_.PaneVisible(TPane::kCommentary))
      main_.ShowCommentary(nullptr, r.target - 1, 0, 0);
  }
  box_->selectAll();
}

bool TQuickJump::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_ && event->type() == QEvent::FocusIn) {
    // After the click that brought the focus has placed the cursor.
    QTimer::singleShot(0, box_, [box = box_] {
      if (box->hasFocus()) box->selectAll();
    });
  }
  return QObject::eventFilter(watched, event);
}

void InstallQuickJump(TMain& main) { new TQuickJump(main); }

}  // namespace lumora::ui
