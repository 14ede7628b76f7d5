// The About box on Qt.
#pragma once

#include <QDialog>
#include <string_view>

class QLabel;

namespace pantrel {
// The version the About box shows.
inline constexpr std::string_view VERSION_TEXT = "1.0.5";
}  // namespace pantrel

// The About box: the tool's icon, name, version and owner, closed with OK, Enter, Esc or its
// close box.
class CAboutDlg final : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    void accept() override;

private:
    // Writes the version into its field; the box never shows the template's placeholder.
    void DoDataExchange();

    QLabel* m_version = nullptr;  // a child of the box
};
