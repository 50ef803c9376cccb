// Help and About: "Open Help" (F1, the contents), TMain::ShowHelpTopic for
// every Help button, and the "About Lumora" dialog. The help window and the
// dialog are made on first use and reused; the help window closes with the
// main window.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

namespace lumora::ui {

class TAboutDialog;
class THelpWindow;
class TMain;

void InstallHelp(TMain& main);

class THelpFeature : public QObject {
  Q_OBJECT

 public:
  explicit THelpFeature(TMain& main);
  ~THelpFeature() override;

  // The help window, made on first use.
  THelpWindow* Window();
  void ShowTopic(const QString& topic);
  // The About dialog, made on first use; ShowAbout refreshes and opens it.
  TAboutDialog* About();
  void ShowAbout();

 private:
  TMain& main_;
  // A window of its own (own task bar button), so no parent; deleted here.
  std::unique_ptr<THelpWindow> window_;
  QPointer<TAboutDialog> about_;
};

}  // namespace lumora::ui
