#pragma once

#include "registry/registry_store.h"

class QTranslator;

namespace pantrel {

// Loads Qt's Polish translation of its own texts (the file dialog, standard menus) into
// `translator`; false when the translations are not installed (qt6-translations-l10n).
bool LoadQtPolishTranslation(QTranslator& translator);

// True when Qt could open its platform here (QT_QPA_PLATFORM honoured; offscreen and minimal
// count). Asks the display server itself, so that no Qt abort ends the process when there is
// none.
bool CanOpenDisplay();

// Runs the main window modally on the given store, with Qt's own texts in Polish; returns 0
// when the window has been closed.
int RunMainWindow(int& argc, char** argv, RegistryStore& hive);

}  // namespace pantrel
