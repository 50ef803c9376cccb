#include "app/ui/settings_bridge.h"

#include <QFontDatabase>

#include "core/platform/file_system.h"
#include "render/ui/display_text.h"

namespace lumora::ui {

config::LoadReport LoadSettings(config::SettingsStorage& storage,
                                const std::string& program_folder) {
  const QStringList families = QFontDatabase::families();
  config::InitGlobalProperties([&families](std::string_view family) {
    return families.contains(
        QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())),
        Qt::CaseInsensitive);
  });
  config::Properties& p = config::GlobalProperties();
  config::LoadReport report = config::LoadProperties(p, storage);
  config::RunHelpHousekeeping(p, DefaultFileSystem(), program_folder);
  return report;
}

Status SaveSettings(config::SettingsStorage& storage) {
  return config::SaveProperties(config::GlobalProperties(), storage);
}

TabAppearance TabAppearanceFrom(const config::Properties& p) {
  TabAppearance a;
  a.font_name = ToDisplayText(p.rz_tabs_font);
  a.font_size = p.rz_tabs_font_size;
  a.text_color = p.rz_tabs_text_color;
  a.text_bold = p.rz_tabs_text_bold;
  a.style = (p.rz_tabs_style >= 1 && p.rz_tabs_style <= 3) ? p.rz_tabs_style : 0;
  a.align = p.rz_tabs_align;
  a.active_color = p.rz_tabs_active_color;
  a.inactive_color = p.rz_tabs_inactive_color;
  a.corresponding_color = p.rz_tabs_corresponding_color;
  return a;
}

}  // namespace lumora::ui
