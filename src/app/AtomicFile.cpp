// Placeholder: implemented with the settings file.
#include "app/AtomicFile.h"
