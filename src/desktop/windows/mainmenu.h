// The main menu and the blue background window behind it. The menu is a column of seven buttons
// under the program's title; its geometry is fixed in twips (1440 to the inch) and converted at
// the screen's logical resolution, so it looks the same on every screen; only a screen too small
// for it moves it or makes it scroll. The background window has the same place and size and stays
// up while a calculation window hides the menu.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace qb {

class BackgroundWindow : public QWidget {
    Q_OBJECT

public:
    explicit BackgroundWindow(QWidget* parent = nullptr);

    // Takes the menu's place and size, where the menu has been fitted to the screen.
    void placeBehind(const QWidget& menu);
};

class MainMenu : public QWidget {
    Q_OBJECT

public:
    explicit MainMenu(QWidget* parent = nullptr);
    ~MainMenu() override;

    // The name label shows the user's name when there is one and is hidden otherwise.
    void showOwnerName(const QString& name);

signals:
    void mortgageTablesChosen();
    void comparisonsChosen();
    void loanTablesChosen();
    void helpChosen();
    void personalizeChosen();
    void aboutChosen();
    void exitChosen();

protected:
    // Closing the menu by its frame ends the program, as its exit button does.
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* addButton(const char* name, const QString& caption, int top);

    QLabel* m_ownerName = nullptr;
};

} // namespace qb
