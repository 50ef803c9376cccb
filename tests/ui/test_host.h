// A pane host for the widget tests: records what panes ask of the window
// as short log lines ("GoToVerse 26137 select", "ShowCommentary MHCC 26136")
// and answers questions as the test says. TPaneTestKit bundles it with a
// library, settings and an action registry, so a test makes a pane with
// kit.Context() as the main window would.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/platform/clipboard.h"
#include "render/ui/display_text.h"
#include "views/actions.h"
#include "views/bible_view.h"
#include "views/text_view_frame.h"
#include "views/library.h"
#include "views/pane_host.h"
#include "views/settings.h"

namespace lumora::test {

// Lets the event loop run what is pending (the action registry's coalesced
// update among it), as it would between two things a user does.
inline void Settle() { QCoreApplication::processEvents(); }

class TTestHost : public ui::IPaneHost {
 public:
  std::vector<std::string> log;
  bool answer_yes = true;

  void ShowPane(ui::TPane pane) override { Log("ShowPane " + Name(pane)); visible[Index(pane)] = true; }
  bool PaneVisible(ui::TPane pane) const override { return visible[Index(pane)]; }
  int VisiblePaneCount() const override {
    int n = 0;
    for (bool v : visible) n += v;
    return n;
  }
  void MaximizePane(ui::TPane pane) override { Log("MaximizePane " + Name(pane)); }
  int PaneHeight(ui::TPane) const override { return 0; }
  void SetStatusText(const QString& text) override { status.push_back(text); }
  void SetPreviewActive(bool active) override { Log(active ? "Preview on" : "Preview off"); }
  void ShowMessage(const QString& text) override { Log("Message " + text.toStdString()); }
  bool AskYesNo(const QString&, const QString& question) override {
    Log("Ask " + question.toStdString());
    return answer_yes;
  }
  void GoToVerse(int verse, bool select) override {
    Log("GoToVerse " + std::to_string(verse) + (select ? " select" : ""));
    if (bible_view != nullptr) {
      bible_view->GoToVerse(verse);
      if (select && bible_view->CurrentVerse() == verse) bible_view->TextView()->SelectVerse(verse);
    }
  }
  void ShowCommentary(const TLMCommentaryModule* c, int position, int first, int last) override {
    Log("ShowCommentary " + (c ? c->GetAbbreviation() : std::string("current")) + " " +
        std::to_string(position) + Marks(first, last));
  }
  void ShowBookEntry(const TLMDictionaryModule& book, int entry, int first, int last) override {
    Log("ShowBookEntry " + book.GetAbbreviation() + " " + std::to_string(entry) +
        Marks(first, last));
  }
  void OpenBookAtVerse(const TLMDictionaryModule& book, int verse, const TLMBibleModule*) override {
    Log("OpenBookAtVerse " + book.GetAbbreviation() + " " + std::to_string(verse));
  }
  void LookUpWord(const std::string& word) override { Log("LookUpWord " + word); }
  void ShowVerseList(const TVerseList& verses, const TKeyArray&, const std::string& title,
                     bool) override {
    std::string line = "ShowVerseList " + title;
    for (uint16_t v : verses) line += " " + std::to_string(v);
    Log(line);
  }
  void OpenResourceLink(const std::string& href) override { Log("OpenResourceLink " + href); }
  void OpenExternal(const std::string& href) override { Log("OpenExternal " + href); }
  const TLMBibleModule* BibleViewBible() const override { return bible; }
  int BibleViewVerse() const override { return verse; }
  ui::ISearchService& Search() override { return *search; }
  ui::IAuthoringService& Authoring() override { return *authoring; }
  ui::IBookmarkService& Bookmarks() override { return *bookmarks; }
  ui::IOutputService& Output() override { return *output; }
  ui::IPreferencesService& Preferences() override { return *preferences; }

  // The last line logged, "" when none.
  std::string Last() const { return log.empty() ? std::string() : log.back(); }

  bool visible[4] = {false, false, true, false};
  // When set, GoToVerse moves this view as the main window would.
  ui::TFrameBibleView* bible_view = nullptr;
  std::vector<QString> status;
  const TLMBibleModule* bible = nullptr;
  int verse = 0;
  std::unique_ptr<ui::ISearchService> search = std::make_unique<ui::TNoSearch>();
  std::unique_ptr<ui::IAuthoringService> authoring = std::make_unique<ui::TNoAuthoring>();
  std::unique_ptr<ui::IBookmarkService> bookmarks = std::make_unique<ui::TNoBookmarks>();
  std::unique_ptr<ui::IOutputService> output;
  std::unique_ptr<ui::IPreferencesService> preferences = std::make_unique<ui::TNoPreferences>();

 private:
  void Log(const std::string& line) { log.push_back(line); }
  static int Index(ui::TPane pane) { return static_cast<int>(pane); }
  static std::string Name(ui::TPane pane) {
    static const char* names[] = {"VerseList", "Book", "Bible", "Commentary"};
    return names[Index(pane)];
  }
  static std::string Marks(int first, int last) {
    return first == 0 && last == 0 ? std::string()
                                   : " mark " + std::to_string(first) + "-" + std::to_string(last);
  }
};

// Records formatted copies and prints; copies also reach the clipboard
// interface as plain text, as the window's first delivery does.
class TRecordingOutput : public ui::IOutputService {
 public:
  void CopyFormatted(const ui::TFormattedText& text) override {
    copies.push_back(text);
    ui::Clipboard().SetText(ui::ToDisplayText(text.plain));
  }
  void AppendText(const QString& text) override {
    appended << text;
    ui::Clipboard().SetText(ui::Clipboard().Text() + QStringLiteral("\r\n") + text);
  }
  bool CanPrint() const override { return true; }
  void PrintView(const ui::THtmlView&, const QString& job) override { printed << job; }
  std::vector<ui::TFormattedText> copies;
  QStringList appended;
  QStringList printed;
};

struct TPaneTestKit {
  TPaneTestKit() { host.output = std::make_unique<TRecordingOutput>(); }
  ui::TPaneContext Context() { return {host, library, settings, actions}; }
  TRecordingOutput& Output() { return static_cast<TRecordingOutput&>(*host.output); }

  TTestHost host;
  ui::TLibrary library;
  ui::TSettings settings;
  ui::TActions actions;
};

}  // namespace lumora::test
