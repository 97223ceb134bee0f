// The manual page against the option tables the commands read and --help lists: every option a
// command declares is on its part of the page, with the same value name, and every option the
// page names there is one the command declares.
#include "cli/chartcommand.h"
#include "cli/comparecommand.h"
#include "cli/reportoptions.h"
#include "cli/scheduleoptions.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QtTest>

namespace {

using Names = QMap<QString, QString>; // option name -> value name

template <typename Target> Names declared(qb::OptionTable<Target> table, Names names = {}) {
    for (const auto& option : table)
        names.insert(option.name.toString(), option.value.toString());
    return names;
}

// The options a part of the page names, each with the value name it is given, if any: the
// page writes "\-\-rate " PERCENT"" for --rate PERCENT.
Names named(const QString& part) {
    static const QRegularExpression option(
        QStringLiteral("\\\\-\\\\-((?:[a-z]|\\\\-)+)(?: \" ([^\"]+)\")?"));
    Names names;
    for (const QRegularExpressionMatch& match : option.globalMatch(part)) {
        QString& value = names[match.captured(1).remove(u'\\')];
        if (value.isEmpty())
            value = match.captured(2).remove(u'\\');
    }
    return names;
}

// From the line that starts with start to the next section (.SH), or for a paragraph (.TP) of
// a section, to the next paragraph.
QString part(const QString& page, const QString& start) {
    const qsizetype from = page.indexOf(u'\n' + start);
    if (from < 0)
        return {};
    const QRegularExpression end(start.startsWith(QLatin1String(".SH"))
                                     ? QStringLiteral("\n\\.SH")
                                     : QStringLiteral("\n\\.(TP|SH)"));
    const qsizetype to = page.indexOf(end, from + 1 + start.size());
    return page.mid(from, to < 0 ? -1 : to - from);
}

} // namespace

class TestCliManual : public QObject {
    Q_OBJECT

private slots:
    void pageListsTheDeclaredOptions_data();
    void pageListsTheDeclaredOptions();
};

void TestCliManual::pageListsTheDeclaredOptions_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<Names>("options");
    QTest::addColumn<Names>("alsoNamed"); // options of another command the text refers to
    QTest::addColumn<bool>("valuesGiven");

    const Names schedule = declared(qb::ScheduleOptionTable());
    const Names report = declared(qb::ReportOptionTable());
    QTest::newRow("schedule") << ".SH SCHEDULE OPTIONS"
                              << declared(qb::ScheduleOptionTable(), {{"help", {}}}) << Names()
                              << true;
    QTest::newRow("report") << ".BR \"report mortgage\"" << report << schedule << false;
    QTest::newRow("compare") << ".B compare" << declared(qb::CompareOptionTable(), report)
                             << Names() << false;
    QTest::newRow("chart") << ".BR \"chart mortgage\"" << declared(qb::ChartOptionTable())
                           << Names() << false;
}

void TestCliManual::pageListsTheDeclaredOptions() {
    QFETCH(QString, start);
    QFETCH(Names, options);
    QFETCH(Names, alsoNamed);
    QFETCH(bool, valuesGiven);
    QFile file(QStringLiteral(QB_MANUAL_PAGE));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = part(QString::fromUtf8(file.readAll()), start);
    QVERIFY2(!text.isEmpty(), qPrintable(start));
    const Names onPage = named(text);
    for (auto option = options.cbegin(); option != options.cend(); ++option) {
        QVERIFY2(onPage.contains(option.key()), qPrintable(option.key() + " is not on the page"));
        if (valuesGiven || !onPage.value(option.key()).isEmpty())
            QCOMPARE(onPage.value(option.key()), option.value());
    }
    for (auto option = onPage.cbegin(); option != onPage.cend(); ++option)
        QVERIFY2(options.contains(option.key()) || alsoNamed.contains(option.key()),
                 qPrintable(option.key() + " is not an option of this command"));
}

QTEST_GUILESS_MAIN(TestCliManual)
#include "tst_climanual.moc"
