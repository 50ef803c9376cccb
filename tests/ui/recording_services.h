// Services for the resource pane tests that say they can act and log what
// the panes asked of them into the host's log, so one log shows the order
// of everything a click did.
#pragma once

#include <QMenu>
#include <string>
#include <vector>

#include "tests/ui/test_host.h"
#include "views/pane_services.h"

namespace lumora::test {

class TRecordingSearch : public ui::ISearchService {
 public:
  explicit TRecordingSearch(std::vector<std::string>& log) : log_(log) {}
  bool CanSearchBible() const override { return true; }
  void SearchBible(const std::string& text, const TLMBibleModule* bible) override {
    log_.push_back("SearchBible " + text + " " + (bible ? bible->GetAbbreviation() : "-"));
  }
  bool CanTopicGuide() const override { return true; }
  void TopicGuide(const std::string& text) override { log_.push_back("TopicGuide " + text); }

 private:
  std::vector<std::string>& log_;
};

class TRecordingAuthoring : public ui::IAuthoringService {
 public:
  explicit TRecordingAuthoring(std::vector<std::string>& log) : log_(log) {}
  bool editing = false;
  bool visible = false;
  bool CanEdit() const override { return true; }
  bool EditorVisible() const override { return visible; }
  bool EditorEditing() const override { return editing; }
  void SendToEditor(const std::string& text) override { log_.push_back("SendToEditor " + text); }
  void EditCommentary(const TLMCommentaryModule& c, int position) override {
    log_.push_back("EditCommentary " + c.GetAbbreviation() + " " + std::to_string(position));
  }
  void EditBookEntry(const TLMDictionaryModule& b, int entry) override {
    log_.push_back("EditBookEntry " + b.GetAbbreviation() + " " + std::to_string(entry));
  }
  void ClearComment(const TLMCommentaryModule& c, int position) override {
    log_.push_back("ClearComment " + c.GetAbbreviation() + " " + std::to_string(position));
  }
  void AddBookEntry(const TLMDictionaryModule& b) override {
    log_.push_back("AddBookEntry " + b.GetAbbreviation());
  }
  void DeleteBookEntry(const TLMDictionaryModule& b, int entry) override {
    log_.push_back("DeleteBookEntry " + b.GetAbbreviation() + " " + std::to_string(entry));
  }
  bool QueryClose() override { return true; }
  bool CanDeleteUserModules() const override { return true; }
  void DeleteUserCommentary(const TLMCommentaryModule& c) override {
    log_.push_back("DeleteUserCommentary " + c.GetAbbreviation());
  }
  void DeleteUserBook(const TLMDictionaryModule& b) override {
    log_.push_back("DeleteUserBook " + b.GetAbbreviation());
  }

 private:
  std::vector<std::string>& log_;
};

class TRecordingBookmarks : public ui::IBookmarkService {
 public:
  explicit TRecordingBookmarks(std::vector<std::string>& log) : log_(log) {}
  void AddSetBookmarkMenu(QMenu& menu, const QString& caption, const ui::TBookmarkTarget& target,
                          bool enabled) override {
    QMenu* sub = menu.addMenu(caption);
    sub->setEnabled(enabled);
    QAction* one = sub->addAction(QStringLiteral("1"));
    QObject::connect(one, &QAction::triggered, sub, [this, target] {
      log_.push_back("Bookmark " + std::to_string(target.kind) + " " + target.abbreviation + " " +
                     std::to_string(target.position) + " " + target.text);
    });
  }

 private:
  std::vector<std::string>& log_;
};

// Every service available, logging into the host's log.
inline void InstallRecordingServices(TTestHost& host) {
  host.search = std::make_unique<TRecordingSearch>(host.log);
  host.authoring = std::make_unique<TRecordingAuthoring>(host.log);
  host.bookmarks = std::make_unique<TRecordingBookmarks>(host.log);
}

}  // namespace lumora::test
