// The search commands of the main window: "Search &Bible..." (F2) with its
// dialog, and the panes' entry points ("Search Bible for Selected Text",
// the Strong's items and "stgsrch" links) through ISearchService. A hit
// list goes to the verse list with its keys for highlighting.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

namespace lumora {
class TLMBibleModule;
}

namespace lumora::ui {

class TMain;
class TSearchBibleDlg;

inline constexpr const char* kSearchBibleHistoryId = "SearchBible";

class TSearchFeature : public QObject {
  Q_OBJECT

 public:
  explicit TSearchFeature(TMain& main);
  ~TSearchFeature() override;

  bool CanSearchBible() const;
  // The command: prepares and opens the dialog; OK runs the search.
  void SearchBibleCommand();
  // The panes' way in: `text` (Windows-1252) in the search box, `bible` (or
  // the usual choice when null) selected, then the command.
  void SearchBible(const std::string& text, const TLMBibleModule* bible);

  // The dialog, made on first use.
  TSearchBibleDlg* Dialog();
  // What OK does: runs the search, or shows a message and opens the dialog
  // again as it was.
  void RunSearch();

  // An information message with OK and Help (`help_topic`); tests replace
  // it to record the messages.
  std::function<void(const QString& text, const QString& help_topic)> info_message;

  // The topic guide's side of the panes' search service (set by the guide
  // feature; unset: the guide items stay disabled).
  std::function<bool()> can_topic_guide;
  std::function<void(const std::string& text)> topic_guide;

 private:
  void ShowInfo(const QString& text, const QString& help_topic);
  void Reopen();

  TMain& main_;
  QPointer<TSearchBibleDlg> dialog_;
};

void InstallSearchFeature(TMain& main);

}  // namespace lumora::ui
