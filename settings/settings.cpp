// Loading of the settings files. The readers of the three files arrive with the settings module;
// until then every scope starts empty, as with no file present.
#include "settings/settings.h"

#include "app/shared_state.h"

void LoadSettings() {
  SharedState& s = Shared();
  s.junkScope.locations.clear();
  s.junkScope.patterns.clear();
  s.historyScope = {};
  s.softwareScope = {};
}
