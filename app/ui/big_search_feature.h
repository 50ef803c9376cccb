// "Full Reference Search..." (Alt+R): the full search window, made on first
// use and kept, a tool window of the main window. Its hits open in the
// panes; its scan is the main window's long work, so a close of the
// program meanwhile stops the scan and completes after it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

namespace lumora::ui {

class TFormBigSearch;
class TMain;

class TBigSearchFeature : public QObject {
  Q_OBJECT

 public:
  explicit TBigSearchFeature(TMain& main);

  bool CanSearch() const;
  void ShowCommand();
  TFormBigSearch* Form();
  // The form when it has been made (null before).
  TFormBigSearch* ExistingForm() const;

  // Information and error messages; tests record them.
  std::function<void(const QString& text)> info_message;
  std::function<void(const QString& text)> error_message;
  // "Define Sets..." (set by the reference set feature).
  std::function<std::string()> define_sets;

 private:
  TMain& main_;
  QPointer<TFormBigSearch> form_;
};

TBigSearchFeature* InstallBigSearch(TMain& main);

}  // namespace lumora::ui
