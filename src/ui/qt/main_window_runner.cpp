#include "ui/qt/main_window_runner.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "kinds/string_table.h"
#include "registry/sqlite_store.h"
#include "ui/qt/image_strip.h"
#include "ui/qt/pantrel_dlg.h"
#include "ui/qt/qt_user_prompts.h"
#include "ui/qt/ui_text.h"

namespace pantrel::qt {

bool LoadQtPolishTranslation(QTranslator& translator) {
    return translator.load(QStringLiteral("qtbase_pl"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

StoreAccess FileStoreAccess(const std::filesystem::path& storeFile) {
    return StoreAccess{storeFile.string(), [storeFile]() -> std::unique_ptr<RegistryStore> {
                           return std::make_unique<SqliteRegistryStore>(storeFile);
                       }};
}

}  // namespace pantrel::qt

namespace pantrel {

int RunMainWindow(int& argc, char** argv, const std::filesystem::path& storeFile) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(qt::ResourceText(IDS_APP_TITLE));
    QApplication::setWindowIcon(qt::LoadWindowIcon());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    // Qt's own texts (the file dialog, standard menus) in Polish, whatever the desktop's language.
    QTranslator translator;
    if (qt::LoadQtPolishTranslation(translator)) {
        QApplication::installTranslator(&translator);
    }
    qt::QtUserPrompts prompts;
    CPantrelDlg window(qt::FileStoreAccess(storeFile), prompts);
    prompts.SetOwner(&window);
    window.exec();
    return 0;
}

}  // namespace pantrel
