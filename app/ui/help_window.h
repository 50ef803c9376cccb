// THelpWindow: Lumora's help, a window of its own over a QTextBrowser that
// shows the HTML pages of the help folder: Contents, Back, Forward and a find
// box. Links between pages stay in the window; web and mail links go to the
// desktop through `open_external`.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;

namespace lumora::ui {

// The help folder (with a trailing separator) for a program whose data
// files are in `program_folder`: its "help" folder when that holds the
// contents page, else the one beside the executable; "" when neither does.
std::string FindHelpFolder(const std::string& program_folder);

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  THelpWindow(std::string help_folder, std::function<void(const std::string& href)> open_external,
              QWidget* parent = nullptr);

  // Shows the topic's page (an unknown topic shows the contents with a
  // note) and brings the window forward.
  void ShowTopic(const QString& topic);
  // Finds the find box's text after the selection (backwards: before it),
  // wrapping round once; false when the page does not hold it.
  bool FindNext(bool backwards = false);

  QTextBrowser* Browser() const { return browser_; }
  QLineEdit* FindBox() const { return find_box_; }
  const std::string& Folder() const { return folder_; }
  // The local page a link of the current page leads to ("" when it leads
  // outside the help).
  QUrl Resolve(const QUrl& link) const;

 private:
  void OpenLink(const QUrl& link);
  void ShowMissingFolder();

  std::string folder_;
  std::function<void(const std::string& href)> open_external_;
  QTextBrowser* browser_ = nullptr;
  QLineEdit* find_box_ = nullptr;
  QLabel* note_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
};

}  // namespace lumora::ui
