// The quick-jump box on the tool bar (TMain::QuickJump()): Enter moves the
// Bible view to the typed reference (app/quick_jump.h) and selects the
// verse, scrolled to the middle unless it is in view; with Commentaries
// loaded and the Commentary pane visible, the Commentary view follows to the
// verse. Entering the box by any means selects its text, and so does a
// jump, so the next typing replaces it. The box keeps a history ("QuickJump"
// in "MRUs") of the references that led somewhere, in a drop-down.
#pragma once

#include <QObject>
#include <memory>

class QLineEdit;

namespace lumora {
class ReferenceParser;
class TLMBibleModule;
}  // namespace lumora

namespace lumora::ui {

class THistoryDropDown;
class TMain;

inline constexpr const char* kQuickJumpHistoryId = "QuickJump";

class TQuickJump : public QObject {
  Q_OBJECT

 public:
  explicit TQuickJump(TMain& main);
  ~TQuickJump() override;

  // What Enter does with the box's text.
  void Run();
  THistoryDropDown* History() const { return history_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const ReferenceParser& ParserFor(const TLMBibleModule& bible);

  TMain& main_;
  QLineEdit* box_ = nullptr;
  THistoryDropDown* history_ = nullptr;
  // The parser of the Bible last asked for, kept while the library's lists
  // stay as they are.
  std::unique_ptr<ReferenceParser> parser_;
  const TLMBibleModule* parser_bible_ = nullptr;
};

// Installs the quick jump into `main` (a child of the window).
void InstallQuickJump(TMain& main);

}  // namespace lumora::ui
