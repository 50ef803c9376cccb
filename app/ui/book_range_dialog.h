// The Book entry range dialog of "Copy / Print a Range of Book Entries":
// "Copy From:" and "Through:", each a drop-down of every entry title of the
// Book in entry order (20 rows visible), OK and Cancel.
#pragma once

#include <QDialog>
#include <functional>

class QComboBox;

namespace lumora {
class TLMDictionaryModule;
}

namespace lumora::ui {

class TDlgBookRange : public QDialog {
  Q_OBJECT

 public:
  explicit TDlgBookRange(QWidget* parent = nullptr);

  // The lower and higher entry number chosen, in either order of the two
  // lists; called only on OK with an entry selected in both.
  using TDone = std::function<void(int first, int last)>;

  // Fills both lists with the Book's titles, selects the first entry in
  // both and opens window-modally (returns at once).
  void Open(const QString& caption, const TLMDictionaryModule& book, TDone done);

  QComboBox* FromList() const { return from_; }
  QComboBox* ThroughList() const { return through_; }

 private:
  QComboBox* from_ = nullptr;
  QComboBox* through_ = nullptr;
  TDone done_;
};

}  // namespace lumora::ui
