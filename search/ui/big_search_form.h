// TFormBigSearch: the full reference search window. A text, a choice of
// modules (a set, or one module), the two match options; the scan runs
// with its progress window (TFormBigProgress); the hits show as a tree of
// modules and pages of 100 results whose headings open the hit in its pane.
//
// The window keeps what the last search found (the job) until the next
// search, and drops it, with the tree, the page chooser and the page, as
// soon as the library announces a change: no result outlives its module.
// It holds no other module pointer across a change of the library.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "search/full_search_job.h"
#include "search/module_ref.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QSplitter;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace lumora::config {
class SettingsStorage;
}

namespace lumora::ui {

class TFormBigProgress;
class THistoryComboBox;
class THtmlView;
class TLibrary;

// What the window asks of the rest of the program.
struct TBigSearchHost {
  // Open a hit in its pane; the Commentary and Book views then select the
  // first occurrence of `text` from the top.
  std::function<void(const TLMBibleModule& bible, int verse)> open_verse;
  std::function<void(const TLMCommentaryModule& commentary, int slot, const std::string& text,
                     bool case_sensitive)>
      open_comment;
  std::function<void(const TLMDictionaryModule& book, int entry, const std::string& text,
                     bool case_sensitive)>
      open_entry;
  // "Define Sets...": the reference set dialog; the name of the set current
  // when it closed (empty: none).
  std::function<std::string()> define_sets;
  std::function<void(const QString& topic)> show_help;
  // Around a scan: `begin` gets the function that stops it (a close of the
  // program calls it) and returns false when other long work runs.
  std::function<bool(std::function<void()> stop)> begin_scan;
  std::function<void()> end_scan;
  // An information message and an error box.
  std::function<void(const QString& text)> message;
  std::function<void(const QString& text)> error;
};

class TFormBigSearch : public QWidget {
  Q_OBJECT

 public:
  TFormBigSearch(TLibrary& library, config::SettingsStorage& storage, TBigSearchHost host,
                 QWidget* parent = nullptr);
  ~TFormBigSearch() override;

  // Shows the window with its lists rebuilt (and raised when shown).
  void ShowWindow();
  // The stored bounds, tree height, check boxes and radio choice.
  void RestoreState();
  // Into the configuration store's properties (also when the window hides).
  void StoreState();

  // "Search": the whole command, messages included.
  void Search();
  // Whether a scan is under way (its progress window shows).
  bool Scanning() const { return scanning_; }
  // The scan's stop flag, set (a close of the program, a module deletion).
  void StopScan();

  // Results and module lists gone (the library is about to change).
  void DropResults();

  // A click in the result view ("loadview:", "loadentry:").
  void OpenLink(const std::string& href);

  // For tests and the benchmark.
  THistoryComboBox* TextBox() const { return text_; }
  QPushButton* SearchButton() const { return search_; }
  QRadioButton* SetRadio() const { return set_radio_; }
  QRadioButton* SingleRadio() const { return single_radio_; }
  QComboBox* SetList() const { return ref_set_; }
  QComboBox* SingleList() const { return single_; }
  QCheckBox* CaseBox() const { return case_; }
  QCheckBox* SubstringBox() const { return substring_; }
  QTreeWidget* Tree() const { return tree_; }
  QComboBox* PageChooser() const { return index_; }
  THtmlView* ResultView() const { return view_; }
  QStatusBar* StatusBar() const { return status_; }
  TFormBigProgress* Progress() const;
  const TBigSearchArray& Job() const { return job_; }
  // The single-module list as shown (rebuilt on every show).
  const std::vector<ModuleRef>& SingleModules() const { return single_modules_; }
  // Selects the tree node of job record `node`; false when it has none.
  bool SelectModule(size_t node);
  // Shows the page of the selected module that starts at result `start`.
  void ShowPage(int start);
  // The page's HTML as last shown.
  const std::string& PageHtml() const { return page_html_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildControls();
  void RebuildLists(const std::string& select_set);
  void UpdateRadioState();
  void DefineSets();
  void ClearResults();
  bool RunScan(const std::string& text, bool case_sensitive, bool substring);
  void BuildTree();
  void OnTreeSelection();
  void ShowModule(size_t node);
  void ApplyViewFont();

  TLibrary& library_;
  TBigSearchHost host_;

  THistoryComboBox* text_ = nullptr;
  QPushButton* search_ = nullptr;
  QRadioButton* set_radio_ = nullptr;
  QRadioButton* single_radio_ = nullptr;
  QComboBox* ref_set_ = nullptr;
  QComboBox* single_ = nullptr;
  QPushButton* define_sets_ = nullptr;
  QCheckBox* case_ = nullptr;
  QCheckBox* substring_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QComboBox* index_ = nullptr;
  THtmlView* view_ = nullptr;
  QStatusBar* status_ = nullptr;
  QPointer<TFormBigProgress> progress_;

  std::vector<ModuleRef> single_modules_;
  bool lists_built_ = false;
  bool scanning_ = false;

  // The last search.
  TBigSearchArray job_;
  std::string searched_text_;
  bool searched_case_ = false;
  int current_node_ = -1;  // the record whose results show
  std::vector<int> results_;
  std::string page_html_;
};

}  // namespace lumora::ui
