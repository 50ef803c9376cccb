// "About Lumora": the logo, the version text, the web page address and the
// sources of the installed library (the library folder's README.txt, when
// there is one).
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QPlainTextEdit;

namespace lumora::ui {

inline constexpr const char* kNoLibraryReadme =
    "This library folder has no README.txt describing where its modules come from.";

class TAboutDialog : public QDialog {
  Q_OBJECT

 public:
  // `open_external` opens the web page address.
  TAboutDialog(std::function<void(const std::string& href)> open_external,
               QWidget* parent = nullptr);

  // Reads `program_folder`'s README.txt again (it may have changed).
  void LoadLibrarySources(const std::string& program_folder);

  QLabel* VersionLabel() const { return version_; }
  QLabel* WebLink() const { return web_; }
  QPlainTextEdit* Sources() const { return sources_; }

 private:
  QLabel* version_ = nullptr;
  QLabel* web_ = nullptr;
  QPlainTextEdit* sources_ = nullptr;
};

}  // namespace lumora::ui
