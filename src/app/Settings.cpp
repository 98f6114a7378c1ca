// Placeholder: implemented with the settings file.
#include "app/Settings.h"
