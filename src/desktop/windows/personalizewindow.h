// The Personalize window (ChangeFnt): the user's name, the currency symbol, the default
// compounding period, the printer font of the reports and the days-per-year basis of the
// interest-rate factor. Every pick goes straight into the shared working values; only the exit
// button writes the four lasting ones to the settings file.
//
// The three groups of option buttons are indexed the way the rest of the program counts them
// (CompoundChoice, PrinterFontChoice, DayFactorChoice). Qt has no control arrays, so button i of
// a group carries the group's name followed by i as its object name: "CPeriod0" (Monthly) to
// "CPeriod4" (Annual), "PtrFt0" (standard font) and "PtrFt1" (Courier New), "IRFactor0" (365.25)
// to "IRFactor6" (360).
#pragma once

#include "core/state/shared.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;

namespace qb {

class PersonalizeWindow : public QDialog {
    Q_OBJECT

public:
    // settingsPath is the file the exit button writes (see SettingsFilePath).
    PersonalizeWindow(SharedState& state, QString settingsPath, QWidget* parent = nullptr);
    ~PersonalizeWindow() override;

    // Every way of closing the window ends here: the days-per-year pick is applied even when the
    // focus never left its group.
    void done(int result) override;

signals:
    // The settings file was written; the main menu shows or hides the owner's name.
    void settingsSaved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void load();
    void saveSettings();

    bool symbolKeyPress(QKeyEvent* event);
    bool nameKeyPress(QKeyEvent* event);
    void symbolLeft();
    void nameLeft();
    void daysGroupLeft();

    SharedState& m_state;
    QString m_settingsPath;

    QLineEdit* m_symbol = nullptr; // InSy
    QLineEdit* m_name = nullptr;   // InMyName
    QPushButton* m_exit = nullptr; // ExitFonts
    QButtonGroup* m_compounding = nullptr;
    QButtonGroup* m_printerFont = nullptr;
    QButtonGroup* m_daysPerYear = nullptr;
};

} // namespace qb
