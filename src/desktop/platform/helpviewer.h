// The "How to Use the Program" window: the help file shown as a document with working links to
// its own sections. It is a window of its own, not a dialog, so the menu and the calculation
// windows stay usable while it is open.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace qb {

class HelpViewer : public QWidget {
    Q_OBJECT

public:
    // A parent only owns the viewer; the viewer is always a top-level window of its own.
    explicit HelpViewer(QWidget* parent = nullptr);

    // Corvathe.hlp beside the program, or in ../share/quillbrook/ for an installed one.
    static QString HelpFilePath();

    // Help files larger than this are not a help file; the viewer says so instead of loading it.
    static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

    // Loads the file (read afresh every time) and brings the window up maximized and in front.
    // A file that is missing, unreadable or too large leaves a one-line note in the window.
    void showHelp(const QString& path);

    QTextBrowser* browser() const { return m_browser; }

private:
    void load(const QString& path);

    QTextBrowser* m_browser = nullptr;
};

} // namespace qb
