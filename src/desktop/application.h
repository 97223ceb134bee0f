// The running program: the shared working values, start-up, and the windows it opens from the
// main menu. Only one calculation window is in use at a time: the menu hides while it is open
// and comes back when it closes; the blue background stays behind both.
#pragma once

#include "core/program/messagebox.h"
#include "core/program/module.h"
#include "core/state/shared.h"
#include "desktop/windows/comparewindow.h"
#include "desktop/windows/tablewindow.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace qb {

class BackgroundWindow;
class HelpViewer;
class MainMenu;
class Printer;
class QtPrintService;

// Used when no printer can be measured at start-up.
inline constexpr std::int16_t kFallbackLinesPerPage = 61;

class Application : public QObject {
    Q_OBJECT

public:
    // programDir is the folder that holds the program, its help file and, when the folder can be
    // written, its settings file.
    Application(MessageBoxService& messages, QString programDir, QObject* parent = nullptr);
    ~Application() override;

    // Start-up, in this order: the program's folder becomes the current one; the printer is
    // measured for LinesPerPage (61 when it cannot be); the 365-day year; the personal settings;
    // the background window; today as the first payment date. Then the menu shows.
    void start(Printer& printer);

    SharedState& state() { return m_state; }
    MainMenu* menu() const { return m_menu.get(); }
    BackgroundWindow* background() const { return m_background.get(); }
    TableWindow* tableWindow() const { return m_tableWindow; }
    CompareWindow* compareWindow() const { return m_compareWindow; }
    HelpViewer* helpViewer() const { return m_helpViewer.get(); }
    // The Charts window while it is open; made by the charts module.
    QWidget* chartWindow() const { return m_chartWindow; }
    QString settingsPath() const { return m_settingsPath; }

    // The folders the charts module is looked for in at the first Show Graph; by default those
    // of the running program (see core/program/module.h).
    void setModuleFolders(const QStringList& folders);

    static QString aboutText();

signals:
    // The user ended the program from the menu.
    void exitRequested();

private:
    void measurePrinter(Printer& printer, bool folderMade);
    void openTableWindow(const TableWindowSetup& setup);
    // A table or comparisons window has exited: it goes and the menu comes back.
    void returnToMenu(QWidget* window);
    void openChartWindow(QWidget* source);
    void chartWindowClosed();
    void openCompareWindow();
    void personalize();
    void showHelp();
    void about();

    MessageBoxService& m_messages;
    QString m_programDir;
    QString m_settingsPath;
    SharedState m_state;
    std::unique_ptr<BackgroundWindow> m_background;
    std::unique_ptr<MainMenu> m_menu;
    std::unique_ptr<HelpViewer> m_helpViewer;
    std::unique_ptr<QtPrintService> m_printService;
    QPointer<TableWindow> m_tableWindow;
    ModuleLoader m_charts;
    QPointer<QWidget> m_chartWindow;
    // The calculation window the chart was opened from, shown again when the chart closes.
    QPointer<QWidget> m_chartSource;
    QPointer<CompareWindow> m_compareWindow;
};

} // namespace qb
