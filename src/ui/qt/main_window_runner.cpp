#include "ui/qt/main_window_runner.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <algorithm>
#include <memory>
#include <string_view>

#include "kinds/string_table.h"
#include "registry/sqlite_store.h"
#include "ui/qt/display_probe.h"
#include "ui/qt/image_strip.h"
#include "ui/qt/pantrel_dlg.h"
#include "ui/qt/qt_user_prompts.h"
#include "ui/qt/ui_text.h"

namespace pantrel {
namespace {

// Platform plugins are files named after their platform (libqxcb.so, libqoffscreen.so,
// libqwayland-generic.so), in Qt's plugin folder or one that QT_QPA_PLATFORM_PLUGIN_PATH names.
bool HasPlatformPlugin(std::string_view platform) {
    QStringList folders{QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                        QStringLiteral("/platforms")};
    const QString extra = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!extra.isEmpty()) {
        folders.prepend(extra);
    }
    const QString pattern = QStringLiteral("*q%1*").arg(Utf8(platform));
    return std::ranges::any_of(folders, [&pattern](const QString& folder) {
        return !QDir(folder).entryList({pattern}, QDir::Files).isEmpty();
    });
}

}  // namespace

bool LoadQtPolishTranslation(QTranslator& translator) {
    return translator.load(QStringLiteral("qtbase_pl"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool CanOpenDisplay() {
    return CanOpenAnyPlatform(ReadDisplayEnvironment(), HasPlatformPlugin);
}

StoreAccess FileStoreAccess(const std::filesystem::path& storeFile) {
    return StoreAccess{storeFile.string(), [storeFile]() -> std::unique_ptr<RegistryStore> {
                           return std::make_unique<SqliteRegistryStore>(storeFile);
                       }};
}

int RunMainWindow(int& argc, char** argv, const std::filesystem::path& storeFile) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(ResourceText(IDS_APP_TITLE));
    QApplication::setWindowIcon(LoadWindowIcon());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    // Qt's own texts (the file dialog, standard menus) in Polish, whatever the desktop's language.
    QTranslator translator;
    if (LoadQtPolishTranslation(translator)) {
        QApplication::installTranslator(&translator);
    }
    QtUserPrompts prompts;
    CPantrelDlg window(FileStoreAccess(storeFile), prompts);
    prompts.SetOwner(&window);
    window.exec();
    return 0;
}

}  // namespace pantrel
