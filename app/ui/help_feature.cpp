#include "app/ui/help_feature.h"

#include <QAction>

#include "app/help_topics.h"
#include "app/ui/about_dialog.h"
#include "app/ui/help_window.h"
#include "app/ui/main_window.h"

namespace lumora::ui {

void InstallHelp(TMain& main) { new THelpFeature(main); }

THelpFeature::THelpFeature(TMain& main) : QObject(&main), main_(main) {
  setObjectName(QStringLiteral("HelpFeature"));
  QAction* help = main.MainAction("ActionOpenHelp");
  connect(help, &QAction::triggered, this,
          [this] { ShowTopic(QString::fromLatin1(kHelpContentsTopic)); });
  help->setEnabled(true);
  // The window's first About box (a plain message box) gives way to the
  // dialog with the library's sources.
  QAction* about = main.MainAction("ActionAbout");
  QObject::disconnect(about, &QAction::triggered, &main, nullptr);
  connect(about, &QAction::triggered, this, [this] { ShowAbout(); });
  about->setEnabled(true);
  main.help_viewer = [this](const QString& topic) { ShowTopic(topic); };
  connect(&main, &TMain::closingWindows, this, [this] {
    if (window_ != nullptr && window_->isVisible()) window_->close();
  });
}

// The main window's members are gone by now (features are its children).
THelpFeature::~THelpFeature() = default;

THelpWindow* THelpFeature::Window() {
  if (window_ == nullptr) {
    window_ = std::make_unique<THelpWindow>(
        FindHelpFolder(main_.ProgramFolder()),
        [this](const std::string& href) { main_.OpenExternal(href); });
  }
  return window_.get();
}

void THelpFeature::ShowTopic(const QString& topic) { Window()->ShowTopic(topic); }

TAboutDialog* THelpFeature::About() {
  if (about_ == nullptr)
    about_ = new TAboutDialog([this](const std::string& href) { main_.OpenExternal(href); },
                              &main_);
  return about_;
}

void THelpFeature::ShowAbout() {
  TAboutDialog* dialog = About();
  dialog->LoadLibrarySources(main_.ProgramFolder());
  dialog->open();
}

}  // namespace lumora::ui
