// The To Printer dialog driven as a user drives it: what ReportHeader holds after each way of
// leaving it, the box that starts empty and stops at 76 characters (an emoji is one), and the
// Enter key that only moves to "Continue &Printout".
#include "desktop/windows/naminput.h"
#include "desktop/windowtest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qb;

class TestNamInput : public QObject {
    Q_OBJECT

private slots:
    void controls();
    void leaving_data();
    void leaving();
    void oneEnterDoesNotPrint();
    void boxStopsAt76Characters();
    void boxCountsCharacters_data();
    void boxCountsCharacters();
};

void TestNamInput::controls() {
    SharedState state;
    state.ReportHeader = QStringLiteral("Last report");
    NamInput dialog(state);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("To Printer"));
    QVERIFY(dialog.isModal());
    QCOMPARE(Control<QLabel>(&dialog, "FName")->text(),
             QStringLiteral(" Type in your one line header information."));
    QCOMPARE(Control<QPushButton>(&dialog, "Acept")->text(), QStringLiteral("Continue &Printout"));
    QCOMPARE(Control<QPushButton>(&dialog, "NAcept")->text(), QStringLiteral("&Cancel"));
    // Empty each time, whatever the last report's header was.
    auto* box = Control<QLineEdit>(&dialog, "InFName");
    QCOMPARE(box->text(), QString());

    // The label and the box get their room on the panel.
    QVERIFY(ShowActive(&dialog));
    auto* label = Control<QLabel>(&dialog, "FName");
    QVERIFY(label->height() >= label->sizeHint().height());
    QVERIFY(box->width() >= box->fontMetrics().horizontalAdvance(QString(60, u'x')));
    QVERIFY(box->height() >= box->sizeHint().height());
}

// How the dialog is left: "continue", "cancel" (the button), "frame" (closed by its frame).
void TestNamInput::leaving_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("header");
    QTest::addColumn<bool>("cancelled");

    QTest::newRow("continue") << "Smith, 12 Elm St"
                              << "continue"
                              << "Smith, 12 Elm St" << false;
    QTest::newRow("continue with nothing typed") << ""
                                                 << "continue"
                                                 << "" << false;
    QTest::newRow("cancel") << "Smith"
                            << "cancel"
                            << "1" << true;
    QTest::newRow("1 typed is a cancel") << "1"
                                         << "continue"
                                         << "1" << true;
    QTest::newRow("11 is a header") << "11"
                                    << "continue"
                                    << "11" << false;
    QTest::newRow("frame keeps the previous header") << "Smith"
                                                     << "frame"
                                                     << "previous" << false;
}

void TestNamInput::leaving() {
    QFETCH(QString, typed);
    QFETCH(QString, how);
    QFETCH(QString, header);
    QFETCH(bool, cancelled);

    SharedState state;
    state.ReportHeader = QStringLiteral("previous");
    NamInput dialog(state);
    QVERIFY(ShowActive(&dialog));
    QTest::keyClicks(Control<QLineEdit>(&dialog, "InFName"), typed);
    if (how == "continue")
        QTest::mouseClick(Control<QPushButton>(&dialog, "Acept"), Qt::LeftButton);
    else if (how == "cancel")
        QTest::mouseClick(Control<QPushButton>(&dialog, "NAcept"), Qt::LeftButton);
    else
        dialog.close();

    QVERIFY(!dialog.isVisible());
    QCOMPARE(state.ReportHeader, header);
    QCOMPARE(NamInput::isCancelled(state), cancelled);
}

void TestNamInput::oneEnterDoesNotPrint() {
    SharedState state;
    NamInput dialog(state);
    QVERIFY(ShowActive(&dialog));
    auto* box = Control<QLineEdit>(&dialog, "InFName");
    auto* acept = Control<QPushButton>(&dialog, "Acept");
    QTest::keyClicks(box, "Smith");

    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(QApplication::focusWidget(), acept);
    QCOMPARE(state.ReportHeader, QString());

    QTest::keyClick(acept, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(state.ReportHeader, QStringLiteral("Smith"));
}

void TestNamInput::boxStopsAt76Characters() {
    SharedState state;
    NamInput dialog(state);
    QVERIFY(ShowActive(&dialog));
    QTest::keyClicks(Control<QLineEdit>(&dialog, "InFName"), QString(80, u'x'));
    dialog.continuePrintout();
    QCOMPARE(state.ReportHeader, QString(76, u'x'));
}

// The limit counts characters, not their UTF-16 halves: an emoji is one. A paste keeps what fits,
// never half an emoji.
void TestNamInput::boxCountsCharacters_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    const auto emoji = [](int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QStringLiteral("\U0001F600");
        return text;
    };
    QTest::newRow("39 emoji") << emoji(39) << emoji(39);
    QTest::newRow("76 emoji") << emoji(76) << emoji(76);
    QTest::newRow("80 emoji") << emoji(80) << emoji(76);
    QTest::newRow("75 letters and 2 emoji")
        << QString(75, u'x') + emoji(2) << QString(75, u'x') + emoji(1);
}

void TestNamInput::boxCountsCharacters() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    SharedState state;
    NamInput dialog(state);
    QVERIFY(ShowActive(&dialog));
    Control<QLineEdit>(&dialog, "InFName")->insert(typed);
    dialog.continuePrintout();
    QCOMPARE(state.ReportHeader, kept);
}

QTEST_MAIN(TestNamInput)
#include "tst_naminput.moc"
