// TDlgPrefs, "Lumora Preferences": fonts and colours of the four panes, the
// resource tabs' look, start-up and linking options, the Books and
// Commentaries that take part in links, and the resource tabs shown.
//
// The dialog edits one record (TPrefsChoice) filled from the store and the
// modules' flags at every showing; a control changes the record only when
// the user chooses a value, so what the user leaves alone goes back exactly
// as stored. Apply (and OK, which applies first) writes the record back,
// brings the four tab strips up to date, re-renders only the panes whose
// settings changed (through TSettings::Commit) and saves the settings at
// once. Cancel drops everything since the last Apply.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "app/preference_choices.h"
#include "views/settings.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumora::ui {

class TColorBox;
class TFontBox;
class TMain;
class TResourceTabs;
class TSizeBox;

class TDlgPrefs : public QDialog {
  Q_OBJECT

 public:
  enum TPage { kFontsPage = 0, kTabsPage, kOptionsPage, kLinksPage, kVisibleTabsPage };

  explicit TDlgPrefs(TMain& main);
  ~TDlgPrefs() override;

  // Fills every control from the store and shows the dialog (window-modal,
  // returns at once), on `page` or, with -1, on the page shown last.
  void Open(int page = -1);
  // The ten steps of Apply; returns the settings parts it committed (0:
  // nothing changed).
  SettingsParts Apply();

  const TPrefsChoice& Choice() const { return choice_; }
  QTabWidget* Pages() const { return pages_; }
  TResourceTabs* SampleTabs() const { return sample_; }

  // The help topic of each page.
  static const char* HelpTopic(int page);
  // Shows a help topic; "&Help" is disabled while it is unset.
  std::function<void(const QString& topic)> show_help;

 private:
  // One group of "Fonts and Colors".
  struct TLookControls {
    TFontBox* font = nullptr;
    TSizeBox* size = nullptr;
    TColorBox* text = nullptr;
    TColorBox* background = nullptr;
    TColorBox* comment_link = nullptr;  // verse list and Bible
    TColorBox* dict_link = nullptr;
    TColorBox* footnotes = nullptr;
    TColorBox* strongs_link = nullptr;
    TColorBox* key_highlight = nullptr;  // verse list only
    TColorBox* link = nullptr;           // Book and Commentary
  };

  QWidget* BuildFontsPage();
  QWidget* BuildLookGroup(TLookGroup group, const QString& title, const QString& name);
  QWidget* BuildTabsPage();
  QWidget* BuildOptionsPage();
  QWidget* BuildLinksPage();
  QWidget* BuildVisibleTabsPage();
  QButtonGroup* RadioGroup(QWidget* parent, const QStringList& captions, const QString& name,
                           std::function<void(int)> chosen);
  QCheckBox* CheckBox(const QString& caption, const QString& name,
                      std::function<void(bool)> chosen);

  // The record into the controls (after opening and after "Set All").
  void ShowChoice();
  void ShowLook(TLookGroup group);
  void FillLinksList();
  void FillTabsList();
  void OnListItemChanged(QTreeWidgetItem* item);
  void CheckAllItems(QTreeWidget* list, bool checked);
  void UpdateSample();

  TMain& main_;
  TPrefsChoice choice_;
  // The store's built-in defaults ("Default" of each colour box).
  config::Properties defaults_;
  bool filling_ = false;

  QTabWidget* pages_ = nullptr;
  QPushButton* help_ = nullptr;
  std::array<TLookControls, 4> looks_{};
  // Tab Appearance.
  TFontBox* tabs_font_ = nullptr;
  TSizeBox* tabs_size_ = nullptr;
  TColorBox* tabs_text_ = nullptr;
  QCheckBox* tabs_bold_ = nullptr;
  TColorBox* tabs_active_ = nullptr;
  TColorBox* tabs_inactive_ = nullptr;
  TColorBox* tabs_corresponding_ = nullptr;
  QButtonGroup* tabs_shape_ = nullptr;
  QCheckBox* tabs_align_ = nullptr;
  TResourceTabs* sample_ = nullptr;
  // Options.
  QButtonGroup* search_default_ = nullptr;
  QButtonGroup* hyperlinking_ = nullptr;
  QButtonGroup* startup_verse_ = nullptr;
  QCheckBox* chapter_prev_ = nullptr;
  QCheckBox* chapter_next_ = nullptr;
  QCheckBox* editor_on_top_ = nullptr;
  QCheckBox* editor_raw_ = nullptr;
  QCheckBox* save_states_ = nullptr;
  // Lists.
  QWidget* links_page_ = nullptr;
  QTreeWidget* links_list_ = nullptr;
  QTreeWidget* tabs_list_ = nullptr;
  QButtonGroup* startup_tabs_ = nullptr;
};

}  // namespace lumora::ui
