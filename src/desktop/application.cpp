#include "desktop/application.h"

#include "charts/chartsmodule.h"
#include "core/format/shortdate.h"
#include "core/print/printer.h"
#include "core/program/programfolder.h"
#include "core/program/version.h"
#include "core/settings/daysperyear.h"
#include "core/settings/settingsfile.h"
#include "desktop/platform/focus.h"
#include "desktop/platform/helpviewer.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/qtprintservice.h"
#include "desktop/windows/comparewindow.h"
#include "desktop/windows/dateinputwindow.h"
#include "desktop/windows/mainmenu.h"
#include "desktop/windows/naminput.h"
#include "desktop/windows/personalizewindow.h"
#include "desktop/windows/prepaywindow.h"
#include "desktop/windows/tablewindow.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

#include <cmath>
#include <utility>

namespace qb {

Application::Application(MessageBoxService& messages, QString programDir, QObject* parent)
    : QObject(parent), m_messages(messages), m_programDir(std::move(programDir)),
      m_background(std::make_unique<BackgroundWindow>()), m_menu(std::make_unique<MainMenu>()),
      m_printService(std::make_unique<QtPrintService>(messages)),
      m_charts(kChartsModuleFile.toString(),
               ModuleFolders(QCoreApplication::applicationDirPath())) {
    m_background->placeBehind(*m_menu);
    FollowAccessKeys(this);
    connect(m_menu.get(), &MainMenu::comparisonsChosen, this, &Application::openCompareWindow);
    connect(m_menu.get(), &MainMenu::mortgageTablesChosen, this,
            [this] { openTableWindow(MortgageTablesSetup()); });
    connect(m_menu.get(), &MainMenu::loanTablesChosen, this,
            [this] { openTableWindow(LoanTablesSetup()); });
    connect(m_menu.get(), &MainMenu::personalizeChosen, this, &Application::personalize);
    connect(m_menu.get(), &MainMenu::helpChosen, this, &Application::showHelp);
    connect(m_menu.get(), &MainMenu::aboutChosen, this, &Application::about);
    connect(m_menu.get(), &MainMenu::exitChosen, this, &Application::exitRequested);
}

Application::~Application() {
    delete m_chartWindow;
    delete m_tableWindow;
    delete m_compareWindow;
}

void Application::start(Printer& printer) {
    const bool folderMade = QDir::setCurrent(m_programDir);
    measurePrinter(printer, folderMade);

    m_state.DayFactorChoice = kDefaultDayFactorChoice;
    ApplyDaysPerYear(m_state, kDefaultDayFactorChoice);

    m_settingsPath = SettingsFilePath(m_programDir);
    RemoveLeftoverSaveFiles(m_settingsPath);
    LoadSettings(m_state, SettingsReadPath(m_programDir, m_settingsPath));
    m_menu->showOwnerName(m_state.OwnerName);

    m_background->show();
    m_state.FirstPayDate = ToShortDate(QDate::currentDate());
    m_menu->show();
    m_menu->raise();
    m_menu->activateWindow();
}

// Lines per page from the printer's own font: an 11-inch page of lines less 8. A printer that
// cannot be measured, or a program folder that cannot be made current, leaves the fallback.
void Application::measurePrinter(Printer& printer, bool folderMade) {
    m_state.LinesPerPage = kFallbackLinesPerPage;
    if (!folderMade)
        return;
    try {
        const double height = printer.textHeight(QStringLiteral("abc"));
        if (!(height > 0))
            return;
        const double lines = std::nearbyint(15840.0 / height - 8);
        if (lines >= 1 && lines <= 32767)
            m_state.LinesPerPage = static_cast<std::int16_t>(lines);
    } catch (const std::exception&) {
        // No printer: the reports measure again when they start.
    }
}

void Application::openTableWindow(const TableWindowSetup& setup) {
    if (m_tableWindow)
        return;
    m_menu->hide();
    auto* window = new TableWindow(setup, m_state, m_messages);
    m_tableWindow = window;
    window->setPrintService(m_printService.get());
    connect(window, &TableWindow::additionalPaymentsRequested, window, [this, window] {
        PrePayWindow dialog(m_state, m_messages, window);
        dialog.exec();
    });
    connect(window, &TableWindow::firstPaymentDateRequested, window, [this, window] {
        DateInputWindow dialog(m_state, m_messages, window);
        dialog.exec();
    });
    connect(window, &TableWindow::chartRequested, this,
            [this, window] { openChartWindow(window); });
    connect(window, &TableWindow::exited, this,
            [this] { returnToMenu(std::exchange(m_tableWindow, nullptr)); });
    window->show();
}

void Application::returnToMenu(QWidget* window) {
    if (window)
        window->deleteLater();
    m_menu->show();
}

void Application::setModuleFolders(const QStringList& folders) {
    m_charts = ModuleLoader(kChartsModuleFile.toString(), folders);
}

// The calculation window has set ChartSource; the chart replaces it until the chart's exit button
// brings it back with its results as they were. The first chart loads the charts module; when it
// cannot be loaded, the user is told why and the calculation window stays as it is.
void Application::openChartWindow(QWidget* source) {
    if (m_chartWindow)
        return;
    ChartsModule* charts = nullptr;
    {
        BusyCursor busy;
        charts = m_charts.load<ChartsModule>();
    }
    if (!charts) {
        m_messages.message(QStringLiteral("Charts could not be loaded: ") + m_charts.reason(),
                           QStringLiteral("Advisory"));
        return;
    }
    m_chartSource = source;
    m_chartWindow = charts->createChartWindow(m_state, m_messages, [this] { chartWindowClosed(); });
    source->hide();
    m_chartWindow->show();
}

void Application::chartWindowClosed() {
    if (m_chartWindow)
        m_chartWindow->deleteLater();
    m_chartWindow = nullptr;
    if (m_chartSource)
        m_chartSource->show();
    m_chartSource = nullptr;
}

void Application::openCompareWindow() {
    if (m_compareWindow)
        return;
    m_menu->hide();
    auto* window = new CompareWindow(m_state, m_messages);
    m_compareWindow = window;
    window->setPrintService(m_printService.get());
    connect(window, &CompareWindow::additionalPaymentsRequested, window, [this, window] {
        PrePayWindow dialog(m_state, m_messages, window);
        dialog.exec();
    });
    connect(window, &CompareWindow::reportHeaderRequested, window,
            [this, window] { NamInput::askForHeader(m_state, window); });
    connect(window, &CompareWindow::chartRequested, this,
            [this, window] { openChartWindow(window); });
    connect(window, &CompareWindow::exited, this,
            [this] { returnToMenu(std::exchange(m_compareWindow, nullptr)); });
    window->show();
}

void Application::personalize() {
    m_menu->hide();
    PersonalizeWindow dialog(m_state, m_settingsPath);
    connect(&dialog, &PersonalizeWindow::settingsSaved, m_menu.get(),
            [this] { m_menu->showOwnerName(m_state.OwnerName); });
    dialog.exec();
    m_menu->show();
}

void Application::showHelp() {
    if (!m_helpViewer)
        m_helpViewer = std::make_unique<HelpViewer>();
    m_helpViewer->showHelp(HelpFilePath(m_programDir));
}

QString Application::aboutText() {
    return QStringLiteral("Quillbrook Win95  version ") + QLatin1StringView(kProgramVersion) +
           QStringLiteral("\r\n") + QString(34, u'_') +
           QStringLiteral("\r\n\r\nCopyright (C) 2026 the Quillbrook developers.\r\n"
                          "All rights reserved.");
}

void Application::about() {
    m_messages.message(aboutText(), QStringLiteral(" Quillbrook Win95"), MbInformation);
}

} // namespace qb
