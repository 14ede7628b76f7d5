// Renders the main window with a few registered models to a PNG file, for the README, and the
// About box to a second one when asked:
//   window_screenshot WINDOW.png [ABOUT.png]
// It installs the showroom specification into a store of its own, on the offscreen platform.
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/message_sink.h"
#include "install/specification_install.h"
#include "registry/sqlite_store.h"
#include "ui/qt/about_dlg.h"
#include "ui/qt/main_window_runner.h"
#include "ui/qt/pantrel_dlg.h"
#include "ui/silent_prompts.h"

namespace {

class StderrSink final : public pantrel::MessageSink {
public:
    void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: window_screenshot WINDOW.png [ABOUT.png]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);

    // The specification is copied to a fixed folder, so the path column reads the same on
    // every run.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "pantrel-zrzut" / "specyfikacje";
    std::filesystem::remove_all(folder.parent_path());
    std::filesystem::create_directories(folder);
    const std::filesystem::path specification = folder / "sklep_pod_lipami.xml";
    std::filesystem::copy_file(PANTREL_TEST_DATA_DIR "/ui/showroom.xml", specification);

    int result = 1;
    {
        pantrel::SqliteRegistryStore store(folder.parent_path() / "registry.db");
        StderrSink sink;
        const pantrel::RegistrationResult installed =
            pantrel::InstallSpecification(store, specification.string(), sink);
        if (installed.Succeeded() && installed.Total() > 0) {
            pantrel::SilentPrompts prompts;
            CPantrelDlg window(pantrel::qt::FileStoreAccess(store.Path()), prompts);
            window.show();
            QApplication::processEvents();
            result = window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
            if (argc == 3) {
                CAboutDlg about(&window);
                about.show();
                QApplication::processEvents();
                result |= about.grab().save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
            }
        }
    }
    std::filesystem::remove_all(folder.parent_path());
    return result;
}
