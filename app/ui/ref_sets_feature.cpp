#include "app/ui/ref_sets_feature.h"

#include <QAction>

#include "app/ui/main_window.h"
#include "config/properties.h"
#include "search/reference_set_editor.h"
#include "search/ui/user_sets_form.h"
#include "views/actions.h"
#include "views/library.h"
#include "views/settings.h"

namespace lumora::ui {

TRefSetsFeature::TRefSetsFeature(TMain& main) : QObject(&main), main_(main) {
  setObjectName(QStringLiteral("RefSetsFeature"));
  if (QAction* action = main_.MainAction("ActionDefineSets")) {
    connect(action, &QAction::triggered, this, &TRefSetsFeature::Open);
    main_.Actions().AddUpdater(this, [this, action] { action->setEnabled(CanOpen()); });
  }
  // The tree holds titles only; it is read again from the new lists.
  connect(&main_.Library(), &TLibrary::modulesChanged, this, [this] {
    if (dialog_ && dialog_->isVisible() && CanOpen())
      dialog_->ModulesChanged(RefSetResourcesOf(main_.Library().Catalogue()));
  });
}

bool TRefSetsFeature::CanOpen() const { return main_.Library().IsLoaded(); }

TFormUserSets* TRefSetsFeature::Dialog() {
  if (!dialog_) {
    dialog_ = new TFormUserSets(&main_);
    dialog_->ask_yes_no = [this](const QString& question) {
      return main_.AskYesNo(QString::fromLatin1(kApplicationTitle), question);
    };
    dialog_->show_message = [this](const QString& text) { main_.ShowMessage(text); };
    dialog_->show_help = [this](const QString& topic) { main_.ShowHelpTopic(topic); };
    connect(dialog_, &QDialog::finished, this, &TRefSetsFeature::Closed);
  }
  return dialog_;
}

void TRefSetsFeature::Prepare() {
  Dialog()->Prepare(RefSetResourcesOf(main_.Library().Catalogue()),
                    config::GlobalProperties().ref_sets);
}

void TRefSetsFeature::Open() {
  if (!CanOpen()) return;
  if (dialog_ && dialog_->isVisible()) return;
  Prepare();
  dialog_->setWindowModality(Qt::ApplicationModal);
  dialog_->show();
}

std::string TRefSetsFeature::Execute() {
  if (!CanOpen()) return {};
  if (!dialog_ || !dialog_->isVisible()) {
    Prepare();
    dialog_->exec();
  }
  return dialog_ ? dialog_->CurrentName() : std::string();
}

void TRefSetsFeature::Closed() {
  if (!dialog_) return;
  config::GlobalProperties().ref_sets = dialog_->Sets();
  main_.Settings().Commit(kSettingsOther);
  (void)main_.SaveSettingsNow();
}

TRefSetsFeature* InstallRefSets(TMain& main) { return new TRefSetsFeature(main); }

}  // namespace lumora::ui
