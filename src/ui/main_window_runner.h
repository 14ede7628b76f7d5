#pragma once

#include "registry/registry_store.h"

class QTranslator;

namespace pantrel {

// Loads Qt's Polish translation of its own texts (the file dialog, standard menus) into
// `translator`; false when the translations are not installed (qt6-translations-l10n).
bool LoadQtPolishTranslation(QTranslator& translator);

// Runs the main window modally on the given store, with Qt's own texts in Polish; returns 0
// when the window has been closed.
int RunMainWindow(int& argc, char** argv, RegistryStore& hive);

}  // namespace pantrel
