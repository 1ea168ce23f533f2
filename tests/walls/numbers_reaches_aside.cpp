// Must not build: the number block cannot see the settings block beside it.
#include "settings/settings_table.h"
