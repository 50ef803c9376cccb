// The operating system's "open" action for web addresses, mail links and
// files in users' entries: the whole href goes to the desktop unchanged.
#pragma once

#include <string>

namespace lumora::ui {

class IShellOpen {
 public:
  virtual ~IShellOpen() = default;
  // `href` in Windows-1252, passed whole; false when the desktop refused.
  virtual bool Open(const std::string& href) = 0;
};

class TDesktopShellOpen : public IShellOpen {
 public:
  bool Open(const std::string& href) override;
};

}  // namespace lumora::ui
