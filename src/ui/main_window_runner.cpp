#include "ui/main_window_runner.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "kinds/string_table.h"
#include "ui/image_strip.h"
#include "ui/pantrel_dlg.h"
#include "ui/qt_user_prompts.h"
#include "ui/ui_text.h"

namespace pantrel {

bool LoadQtPolishTranslation(QTranslator& translator) {
    return translator.load(QStringLiteral("qtbase_pl"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

int RunMainWindow(int& argc, char** argv, RegistryStore& hive) {
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
    CPantrelDlg window(hive, prompts);
    window.exec();
    return 0;
}

}  // namespace pantrel
