// The stored settings of the store as a table: each entry binds one field of
// a Properties to its value name, kind and domain, and knows how to turn it
// into a stored value and back, and into text and back (for lumora-cli).
// BindSettings lists them in the order SaveProperties writes them.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/properties.h"
#include "config/settings_storage.h"

namespace lumora::config {

class Setting {
 public:
  Setting(std::string name, bool window_state_group)
      : name_(std::move(name)), window_state_group_(window_state_group) {}
  virtual ~Setting() = default;

  const std::string& name() const { return name_; }
  // Read only when "SaveWindowStates" is true.
  bool window_state_group() const { return window_state_group_; }
  // "bool", "integer", "colour", "real", "string", "list", "list, sorted",
  // "binary 95", "binary 16" or "binary 4".
  virtual std::string Kind() const = 0;

  virtual SettingsValue Encode() const = 0;
  // Takes a stored value into the field. Returns false and leaves the field
  // as it was when the value has the wrong type or length or lies outside the
  // field's domain; `why` then says what was wrong. A stored value the
  // store replaces by a default by rule (a pane fraction of 0) also returns
  // false, with the field set to its default and `why` empty.
  virtual bool Decode(const SettingsValue& value, std::string& why) = 0;

  // Text form: bool true/false, integers in decimal, colours 0x + eight hex
  // digits, reals in shortest round-trip form, lists as comma text,
  // bookmarks as comma text "kind,abbreviation,position,text", window
  // states as "left,top,height,width". Windows-1252 like the fields.
  virtual std::string ToText() const = 0;
  // Sets the field from text under the same domain as Decode.
  virtual bool FromText(std::string_view text, std::string& why) = 0;

 private:
  std::string name_;
  bool window_state_group_;
};

std::vector<std::unique_ptr<Setting>> BindSettings(Properties& p);

// The setting named `name` (without regard to case), or null.
Setting* FindSetting(const std::vector<std::unique_ptr<Setting>>& table, std::string_view name);

}  // namespace lumora::config
