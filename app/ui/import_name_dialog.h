// TImportNameDlg: the naming dialog of a new user module (and of an
// imported note set): a title and an abbreviation, checked when OK is
// pressed. Problems keep the dialog open and show together in one box.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QLineEdit;

namespace lumora::ui {

class TImportNameDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TImportNameDlg(QWidget* parent = nullptr);

  void SetPrompt(const QString& prompt);
  // "&Help" opens "Scribble" followed by this number.
  void SetHelpContext(int context) { help_context_ = context; }

  // Windows-1252, trimmed, as accepted.
  std::string Title() const { return title_; }
  std::string Abbreviation() const { return abbreviation_; }

  QLineEdit* TitleBox() const { return title_box_; }
  QLineEdit* AbbreviationBox() const { return abbreviation_box_; }

  // Both names trimmed in place; the problems, or empty when they may be
  // used. Set by the caller.
  std::function<std::string(std::string& title, std::string& abbreviation)> check_names;
  std::function<void(const QString& text)> show_error;
  std::function<void(const QString& topic)> show_help;

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* prompt_ = nullptr;
  QLineEdit* title_box_ = nullptr;
  QLineEdit* abbreviation_box_ = nullptr;
  int help_context_ = 0;
  std::string title_;
  std::string abbreviation_;
};

// Windows-1252 bytes of `text` where every character the code page lacks
// becomes an undefined byte (0x81), so that the name checks refuse it
// instead of storing "?".
std::string NameBytes(const QString& text);

}  // namespace lumora::ui
