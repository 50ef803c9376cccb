// "Define/Modify Reference Sets": the reference set dialog over the loaded
// modules and the sets of the configuration. Closing it writes the sets
// back and saves the settings at once, so a new set survives a crash. The
// full search window finds this object by its name ("RefSetsFeature") and
// opens the dialog through Execute().
#pragma once

#include <QObject>
#include <QPointer>
#include <string>

namespace lumora::ui {

class TFormUserSets;
class TMain;

class TRefSetsFeature : public QObject {
  Q_OBJECT

 public:
  explicit TRefSetsFeature(TMain& main);

  // The library is loaded.
  bool CanOpen() const;
  // Opens the dialog modally; returns the name of the set current when it
  // closed (empty when there is none).
  std::string Execute();
  // The menu command: the dialog shown modally, without waiting for it.
  void Open();
  // Made on first use and kept.
  TFormUserSets* Dialog();

 private:
  void Prepare();
  void Closed();

  TMain& main_;
  QPointer<TFormUserSets> dialog_;
};

TRefSetsFeature* InstallRefSets(TMain& main);

}  // namespace lumora::ui
