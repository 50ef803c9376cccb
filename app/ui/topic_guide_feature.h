// "Topic and Verse Guide..." (Alt+T) and the panes' guide items: the guide
// window, made on first use and kept, a tool window of the main window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

namespace lumora::ui {

class TMain;
class TTopicGuideForm;

class TTopicGuideFeature : public QObject {
  Q_OBJECT

 public:
  explicit TTopicGuideFeature(TMain& main);

  // It needs a Book or a Commentary to say anything.
  bool CanGuide() const;
  void ShowCommand();
  // The panes' way in: `text` (Windows-1252) searched in the guide.
  void Guide(const std::string& text);
  TTopicGuideForm* Form();
  TTopicGuideForm* ExistingForm() const;

  // Information messages; tests record them.
  std::function<void(const QString& text)> info_message;

 private:
  TMain& main_;
  QPointer<TTopicGuideForm> form_;
};

TTopicGuideFeature* InstallTopicGuide(TMain& main);

}  // namespace lumora::ui
