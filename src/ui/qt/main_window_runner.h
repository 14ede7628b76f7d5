// Starting the Qt application and its main window.
#pragma once

#include <filesystem>

#include "ui/store_access.h"

class QTranslator;

namespace pantrel::qt {

// Loads Qt's Polish translation of its own texts (the file dialog, standard menus) into
// `translator`; false when the translations are not installed (qt6-translations-l10n).
bool LoadQtPolishTranslation(QTranslator& translator);

// The store file as the window reaches it: opened afresh for every operation, named by its path.
StoreAccess FileStoreAccess(const std::filesystem::path& storeFile);

}  // namespace pantrel::qt

namespace pantrel {

// Runs the main window modally on the store file, with Qt's own texts and formats in Polish;
// returns 0 when the window has been closed.
int RunMainWindow(int& argc, char** argv, const std::filesystem::path& storeFile);

}  // namespace pantrel
